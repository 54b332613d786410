#include "DataModel/ZRVoicePrint.h"

#include "Platform/Audio/PcmBytes.h"
#include "support/LiteralEngine.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using Samples = std::vector<std::int16_t>;

Samples concatenated(Samples front, const Samples& back)
{
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

std::size_t framesOf(const ZRVoicePrint& print)
{
    return print.count() / ZRVoicePrint::kFrameSize;
}

// The structure every print has, whatever went in.
void expectWellFormed(const ZRVoicePrint& print, const std::string& what)
{
    ASSERT_EQ(print.count() % ZRVoicePrint::kFrameSize, 0u) << what;
    int largest = 0;
    for (std::size_t i = 0; i < print.count(); ++i) {
        const int value = print.objectAtIndex(i);
        const std::size_t m = i % ZRVoicePrint::kFrameSize;
        if (m == 0 || m == 14 || m == 15) {
            ASSERT_EQ(value, 0) << what << ": element " << i;
        }
        largest = std::max(largest, std::abs(value));
    }
    // Scaled so that the largest coefficient M becomes 255·M/trunc(M): 255 up to just under 510.
    EXPECT_GE(largest, 255) << what;
    EXPECT_LT(largest, 510) << what;
}

TEST(ZRVoicePrintTest, EmptyDataReturnsTenAndKeepsThePrint)
{
    ZRVoicePrint print;
    ASSERT_EQ(print.calculateVoicePrint(PcmBytes::bigEndian(TestData::nonzeroNoise(4000))), ZRVoicePrint::kCalculated);
    const std::vector<std::int32_t> before = print.voicePrint();
    ASSERT_FALSE(before.empty());

    EXPECT_EQ(print.calculateVoicePrint({}), ZRVoicePrint::kEmptyData);
    EXPECT_EQ(print.voicePrint(), before);
}

TEST(ZRVoicePrintTest, FramesNeedTwoHundredFiftySixSamplesAfterTheLeadIn)
{
    // The first ten nonzero samples are always dropped; frames are 256
    // samples long and start every 128.
    const struct {
        std::size_t samples;
        std::size_t frames;
    } cases[] = {{1, 0}, {255, 0}, {265, 0}, {266, 1}, {393, 1}, {394, 2}, {10 + 128 * 20, 19}};
    for (const auto& c : cases) {
        ZRVoicePrint print;
        EXPECT_EQ(print.calculateVoicePrint(PcmBytes::bigEndian(TestData::nonzeroNoise(c.samples))),
            ZRVoicePrint::kCalculated)
            << c.samples;
        EXPECT_EQ(framesOf(print), c.frames) << c.samples << " samples";
    }
}

TEST(ZRVoicePrintTest, LeadInIsNotPartOfTheSignal)
{
    const Samples signal = TestData::nonzeroNoise(6000, 5);
    const std::vector<std::int32_t> reference = TestData::voicePrintOf(signal).voicePrint();

    // Leading zeros, and short nonzero runs broken by a zero, restart the
    // search for the first run of ten nonzero samples.
    EXPECT_EQ(TestData::voicePrintOf(concatenated(Samples(700, 0), signal)).voicePrint(), reference);
    EXPECT_EQ(
        TestData::voicePrintOf(concatenated({0, 0, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0}, signal)).voicePrint(), reference);

    // Exactly ten: after a run of ten the analysis starts at once, even at a
    // zero; after a run of nine the search goes on into the signal.
    const Samples startingWithZero = concatenated({0}, signal);
    const auto afterTen = TestData::voicePrintOf(concatenated(Samples(10, 300), startingWithZero)).voicePrint();
    const auto afterOtherTen = TestData::voicePrintOf(concatenated(Samples(10, -7), startingWithZero)).voicePrint();
    const auto afterNine = TestData::voicePrintOf(concatenated(Samples(9, 300), startingWithZero)).voicePrint();
    EXPECT_EQ(afterTen, afterOtherTen);
    EXPECT_NE(afterTen, afterNine);
    EXPECT_EQ(afterNine, reference);
}

TEST(ZRVoicePrintTest, DigitalSilenceKeepsEveryFrameAsZeros)
{
    const ZRVoicePrint print = TestData::voicePrintOf(Samples(3000, 0));
    EXPECT_EQ(framesOf(print), 3000u / 128 - 1);
    EXPECT_TRUE(std::all_of(
        print.voicePrint().begin(), print.voicePrint().end(), [](std::int32_t value) { return value == 0; }));
}

TEST(ZRVoicePrintTest, DoublingEverySampleGivesTheSamePrint)
{
    SKIP_WITHOUT_FSDD();
    for (const char* name : {"0_george_0.wav", "4_lucas_12.wav", "9_yweweler_30.wav"}) {
        Samples half = TestData::samplesOf(Fsdd::recording(name));
        for (std::int16_t& sample : half)
            sample = static_cast<std::int16_t>(sample / 2);
        Samples doubled = half;
        for (std::int16_t& sample : doubled)
            sample = static_cast<std::int16_t>(sample * 2);
        EXPECT_EQ(TestData::voicePrintOf(doubled).voicePrint(), TestData::voicePrintOf(half).voicePrint()) << name;
    }
}

TEST(ZRVoicePrintTest, QuietStartAndEndAreCutOff)
{
    SKIP_WITHOUT_FSDD();
    // A recording inside a two-second utterance with a faint background
    // before and after the speech, as the microphone delivers it.
    const Samples speech = TestData::samplesOf(Fsdd::recording("6_theo_3.wav"));
    const Samples utterance = TestData::inQuietRoom(speech, 5000, 5000);
    const std::size_t allFrames = utterance.size() / 128 - 1 - 1;  // less the lead-in

    const ZRVoicePrint print = TestData::voicePrintOf(utterance);
    expectWellFormed(print, "padded recording");
    EXPECT_LT(framesOf(print), allFrames - 40) << "the hiss on both sides should be trimmed";
    EXPECT_GT(framesOf(print), speech.size() / 128 / 2) << "the speech itself should stay";
}

TEST(ZRVoicePrintTest, EveryRealRecordingGivesAWellFormedPrint)
{
    SKIP_WITHOUT_FSDD();
    const auto recordings = Fsdd::all();
    ASSERT_EQ(recordings.size(), 3000u);
    for (const auto& path : recordings) {
        const ZRVoicePrint print = TestData::voicePrintOf(TestData::samplesOf(path));
        ASSERT_GE(framesOf(print), 1u) << path;
        expectWellFormed(print, path.filename().string());
        if (HasFatalFailure())
            return;
    }
}

TEST(ZRVoicePrintTest, ARecordingIsZeroFromItselfAndSymmetricToOthers)
{
    SKIP_WITHOUT_FSDD();
    const auto recordings = Fsdd::all();
    std::vector<ZRVoicePrint> prints;
    for (std::size_t i = 0; i < recordings.size(); i += 97)
        prints.push_back(TestData::voicePrintOf(TestData::samplesOf(recordings[i])));
    for (std::size_t i = 0; i < prints.size(); ++i) {
        const ZRVoicePrint copy(prints[i].voicePrint());
        EXPECT_EQ(prints[i].distanceFromVoicePrint(&copy), 0.0);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_EQ(prints[i].distanceFromVoicePrint(&prints[j]), prints[j].distanceFromVoicePrint(&prints[i]));
    }
}

TEST(ZRVoicePrintLiteralTest, PrintsEqualTheLiteralCalculation)
{
    // Noise, speech in a quiet room, a single frame, too little audio; and
    // real speech of every speaker.
    std::vector<Samples> inputs = {TestData::nonzeroNoise(16000, 3), TestData::nonzeroNoise(266, 4),
        TestData::nonzeroNoise(200, 5), Samples(4000, 0)};
    if (!Fsdd::directory().empty()) {
        for (const char* speaker : {"george", "jackson", "lucas", "nicolas", "theo", "yweweler"}) {
            for (int digit = 0; digit < 10; ++digit)
                inputs.push_back(TestData::samplesOf(Fsdd::recording(digit, speaker, digit)));
        }
        inputs.push_back(TestData::inQuietRoom(TestData::samplesOf(Fsdd::recording(7, "theo", 3)), 3000, 5000));
    }
    for (const Samples& samples : inputs) {
        const std::vector<std::uint8_t> bytes = PcmBytes::bigEndian(samples);
        ZRVoicePrint print;
        ASSERT_EQ(print.calculateVoicePrint(bytes), ZRVoicePrint::kCalculated);
        EXPECT_EQ(print.voicePrint(), Literal::voicePrintOf(bytes)) << samples.size() << " samples";
    }
}

}  // namespace
