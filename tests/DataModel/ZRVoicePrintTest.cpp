// The voice print: bit for bit as the reference model makes it, and what
// every print must be, whatever goes in.

#include "DataModel/ZRVoicePrint.h"

#include "Platform/Audio/PcmBytes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

namespace {

using Samples = std::vector<std::int16_t>;

const auto concatenated = [](Samples a, const Samples& b) { return a.insert(a.end(), b.begin(), b.end()), a; };
const auto framesOf = [](const ZRVoicePrint& print) { return print.count() / ZRVoicePrint::kFrameSize; };
const auto printOf = [](const Samples& samples) { return TestData::voicePrintOf(samples).voicePrint(); };

// Reference values computed by an independent, deliberately plain
// transcription of the same algorithm (tests/reference/literal_voiceprint.py,
// run by make_golden.py), on real recordings and on inputs that take the
// unusual paths (silent background, broken lead-in, digital silence, too
// little audio). Same bits, not just the same value: 0.0 and -0.0 differ.
TEST(ReferenceValuesTest, PrintsAndDistancesMatchBitForBit)
{
    std::vector<ZRVoicePrint> prints;
    for (const nlohmann::json& entry : TestData::golden()["prints"]) {
        Samples samples = entry["prefix"].get<Samples>();
        if (!entry["file"].is_null())
            samples = concatenated(samples, TestData::samplesOf(Fsdd::recording(entry["file"])));
        samples.resize(samples.size() + entry["suffix_zeros"].get<std::size_t>(), 0);
        ZRVoicePrint& print = prints.emplace_back();
        EXPECT_EQ(print.calculateVoicePrint(PcmBytes::bigEndian(samples)), entry["status"].get<int>()) << entry["file"];
        EXPECT_EQ(print.voicePrint(), entry["print"].get<std::vector<std::int32_t>>()) << entry["file"];
    }
    for (const nlohmann::json& pair : TestData::golden()["distances"]) {
        const ZRVoicePrint& a = prints.at(pair["a"].get<std::size_t>());
        const double distance = a.distanceFromVoicePrint(&prints.at(pair["b"].get<std::size_t>()));
        const double expected = std::strtod(pair["distance"].get<std::string>().c_str(), nullptr);  // float.hex()
        EXPECT_EQ(std::bit_cast<std::uint64_t>(distance), std::bit_cast<std::uint64_t>(expected))
            << "pair " << pair["a"] << ", " << pair["b"];
    }
}

TEST(ZRVoicePrintTest, FramesFollowALeadInThatIsNotPartOfTheSignalAndEmptyDataKeepsThePrint)
{
    // Empty data returns ten and leaves the print as it was.
    ZRVoicePrint print;
    ASSERT_EQ(print.calculateVoicePrint(PcmBytes::bigEndian(TestData::nonzeroNoise(4000))), ZRVoicePrint::kCalculated);
    const std::vector<std::int32_t> before = print.voicePrint();
    EXPECT_EQ(print.calculateVoicePrint({}), ZRVoicePrint::kEmptyData);
    EXPECT_EQ(print.voicePrint(), before);

    // The first ten nonzero samples are always dropped; frames are 256
    // samples long and start every 128. Digital silence keeps its frames.
    const std::pair<std::size_t, std::size_t> samplesAndFrames[]
        = {{1, 0}, {255, 0}, {265, 0}, {266, 1}, {393, 1}, {394, 2}, {10 + 128 * 20, 19}};
    for (const auto& [samples, frames] : samplesAndFrames)
        EXPECT_EQ(framesOf(TestData::voicePrintOf(TestData::nonzeroNoise(samples))), frames) << samples;
    const auto silence = printOf(Samples(3000, 0));
    EXPECT_EQ(silence.size(), (3000u / 128 - 1) * ZRVoicePrint::kFrameSize);
    EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](std::int32_t value) { return value == 0; }));

    const Samples signal = TestData::nonzeroNoise(6000, 5);
    const auto reference = printOf(signal);
    // Leading zeros, and short nonzero runs broken by a zero, restart the
    // search for the first run of ten nonzero samples.
    EXPECT_EQ(printOf(concatenated(Samples(700, 0), signal)), reference);
    EXPECT_EQ(printOf(concatenated({0, 0, 9, 9, 9, 9, 9, 9, 9, 9, 9, 0}, signal)), reference);
    // After a run of ten the analysis starts at once, even at a zero; after
    // a run of nine the search goes on into the signal.
    const Samples startingWithZero = concatenated({0}, signal);
    const auto afterTen = printOf(concatenated(Samples(10, 300), startingWithZero));
    EXPECT_EQ(afterTen, printOf(concatenated(Samples(10, -7), startingWithZero)));
    EXPECT_NE(afterTen, reference);
    EXPECT_EQ(printOf(concatenated(Samples(9, 300), startingWithZero)), reference);
}

TEST(ZRVoicePrintTest, RealSpeechGivesWellFormedPrintsOfTheSpeechAlone)
{
    const auto recordings = Fsdd::all();
    ASSERT_GE(recordings.size(), 60u);
    for (const auto& path : recordings) {
        SCOPED_TRACE(path.filename().string());
        const Samples speech = TestData::samplesOf(path);
        const ZRVoicePrint print = TestData::voicePrintOf(speech);
        ASSERT_GE(framesOf(print), 1u);
        // Elements 0, 14 and 15 are always 0; the largest coefficient M is
        // scaled to 255·M/trunc(M), from 255 up to just under 510.
        int largest = 0;
        for (std::size_t i = 0; i < print.count(); ++i) {
            const std::size_t m = i % ZRVoicePrint::kFrameSize;
            ASSERT_EQ(m == 0 || m >= 14 ? print.objectAtIndex(i) : 0, 0) << "element " << i;
            largest = std::max(largest, std::abs(print.objectAtIndex(i)));
        }
        EXPECT_GE(largest, 255);
        EXPECT_LT(largest, 510);
        const std::string name = path.filename().string();
        if (name != "0_jackson_0.wav" && name != "5_theo_0.wav")
            continue;
        // A faint background before and after the speech is cut off.
        const Samples utterance = TestData::inQuietRoom(speech, 5000, 5000);
        const std::size_t padded = framesOf(TestData::voicePrintOf(utterance));
        EXPECT_LT(padded, utterance.size() / 128 - 40) << "the hiss on both sides should be trimmed";
        EXPECT_GT(padded, speech.size() / 128 / 2) << "the speech itself should stay";
        // The level does not matter: the same speech at half and at full
        // volume gives the same print.
        Samples half(speech.size()), doubled(speech.size());
        std::ranges::transform(speech, half.begin(), [](std::int16_t s) { return static_cast<std::int16_t>(s / 2); });
        std::ranges::transform(half, doubled.begin(), [](std::int16_t s) { return static_cast<std::int16_t>(s * 2); });
        EXPECT_EQ(printOf(doubled), printOf(half));
    }
}

}  // namespace
