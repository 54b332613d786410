// The engine as the dialler uses it: trained samples per command, and a new
// utterance matched to the nearest one. Real speech of two people saying
// the digits three times; each take in turn is what they say to dial, the
// other two are the trained samples.

#include "DataModel/DynamicTimeWarping.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

constexpr int kTakes = 3;

ZRVoicePrint utterance(int digit, const std::string& speaker, int take)
{
    // A quarter second of quiet room on both sides, as the microphone delivers it.
    const auto speech = TestData::samplesOf(Fsdd::recording(digit, speaker, take));
    return TestData::voicePrintOf(TestData::inQuietRoom(speech, 2000, 2000));
}

// Number of the speaker's takes whose nearest other take is the same digit.
int recognisedTakes(const std::string& speaker)
{
    std::vector<ZRVoicePrint> prints;
    for (int digit = 0; digit < 10; ++digit) {
        for (int take = 0; take < kTakes; ++take)
            prints.push_back(utterance(digit, speaker, take));
    }
    int right = 0;
    for (std::size_t spoken = 0; spoken < prints.size(); ++spoken) {
        double best = kNoMatchDistance;
        std::size_t nearest = spoken;
        for (std::size_t trained = 0; trained < prints.size(); ++trained) {
            const double distance = prints[spoken].distanceFromVoicePrint(&prints[trained]);
            if (trained != spoken && distance < best) {
                best = distance;
                nearest = trained;
            }
        }
        right += nearest != spoken && nearest / kTakes == spoken / kTakes;
    }
    return right;
}

TEST(SpeechRecognitionTest, EachSpeakersDigitsAreRecognisedFromTheirOtherTakes)
{
    // Measured: 29 of 30 for jackson, 28 of 30 for theo. Chance is 3.
    for (const char* speaker : {"jackson", "theo"})
        EXPECT_GE(recognisedTakes(speaker), 26) << speaker;
}

}  // namespace
