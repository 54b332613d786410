// zarneth-cli's record and play on the virtual device, run as a user runs
// them. (The sound server's microphone and speaker are used by the
// application tests, tests/ZarnethApplicationTest.cpp.)

#include "support/ProcessRun.h"
#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <sndfile.h>

namespace {

ProcessRun cli(const std::vector<std::string>& arguments)
{
    return ProcessRun::of(ZARNETH_CLI, arguments);
}

TEST(CliAudioCommandsTest, RecordingTheVirtualMicrophoneGivesThePrintOfWhatItSaid)
{
    TemporaryDirectory folder;
    const std::string said = Fsdd::recording(6, "theo", 1).string();
    // Two seconds: the utterance and the microphone's silence after it.
    std::vector<std::int16_t> heard = TestData::samplesOf(said);
    heard.resize(16000, 0);
    TestData::writeWav(folder / "heard.wav", heard);
    const std::string out = (folder / "sample.caf").string();

    const ProcessRun recorded = cli({"--audio", "virtual", "--mic", said, "record", "--json", "--out", out});
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    EXPECT_EQ(recorded.out, cli({"print", "--json", (folder / "heard.wav").string()}).out);

    SF_INFO info {};
    SNDFILE* file = sf_open(out.c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_EQ(info.frames, 88200);
    EXPECT_EQ(info.samplerate, 44100);
}

TEST(CliAudioCommandsTest, PlayingWaitsForTheEndOfTheSound)
{
    const ProcessRun played = cli({"--audio", "virtual", "play", "you-said"});
    ASSERT_EQ(played.status, 0) << played.err;
    EXPECT_TRUE(played.out.starts_with("played you-said\nvirtual speaker: ")) << played.out;
    EXPECT_NE(played.out.find(" frames at 22050 Hz, from 0 s to "), std::string::npos) << played.out;

    const ProcessRun example = cli({"--audio", "virtual", "play", TestData::example("ben.wav").string()});
    EXPECT_NE(example.out.find("16000 frames at 8000 Hz, from 0 s to 2 s"), std::string::npos) << example.out;
}

}  // namespace
