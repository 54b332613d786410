// The real path, through a sound server: PulseAudio with a null sink and a
// pipe source, started by the test itself.

#include "AudioManagers/AudioPlayer.h"
#include "Platform/Audio/AudioFile.h"
#include "Platform/Audio/Backends/SystemAudioDevice.h"
#include "Platform/System/BundleResources.h"
#include "Platform/Time/SystemClock.h"
#include "support/LogCapture.h"
#include "support/ProcessRun.h"
#include "support/PulseAudioServer.h"
#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <fstream>
#include <future>

namespace {

using namespace std::chrono_literals;

class PulseAudioTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "audio_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);  // lives as long as the process
    }

    void SetUp() override
    {
        if (!PulseAudioServer::installed())
            GTEST_SKIP() << "pulseaudio is not installed (scripts/install-deps.sh installs it)";
        m_server = std::make_unique<PulseAudioServer>();
        ASSERT_TRUE(m_server->running()) << "the test's PulseAudio server did not start";
    }

    std::unique_ptr<PulseAudioServer> m_server;
};

TEST_F(PulseAudioTest, RecordingFromTheMicrophoneGivesThePrintOfWhatWasSaid)
{
    SKIP_WITHOUT_FSDD();
    // Silence first (whatever of it the recording misses does not count),
    // then a quiet room around the speech, as a microphone hears it.
    std::vector<std::int16_t> said(4000, 0);
    const auto speech = TestData::inQuietRoom(TestData::samplesOf(Fsdd::recording(5, "jackson", 1)), 2000, 2000);
    said.insert(said.end(), speech.begin(), speech.end());
    TemporaryDirectory folder;
    TestData::writeWav(folder / "said.wav", said);

    auto recording = std::async(std::launch::async, [] {
        return ProcessRun::of(ZARNETH_CLI, {"--audio", "system", "record", "--seconds", "3", "--json"});
    });
    std::this_thread::sleep_for(500ms);
    {
        std::ofstream microphone(m_server->fifo(), std::ios::binary);
        microphone.write(reinterpret_cast<const char*>(said.data()), static_cast<std::streamsize>(said.size() * 2));
    }
    const ProcessRun recorded = recording.get();
    const ProcessRun printed = ProcessRun::of(ZARNETH_CLI, {"print", "--json", (folder / "said.wav").string()});
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    EXPECT_NE(recorded.out.find("\"status\":0,"), std::string::npos) << recorded.out;
    EXPECT_EQ(recorded.out, printed.out);
}

TEST_F(PulseAudioTest, APromptPlaysIntoTheSpeakerAndNotifiesExactlyOnce)
{
    SystemClock clock;
    SystemAudioDevice device(clock);
    AudioPlayer player(device);
    std::vector<Clock::Duration> notified;
    player.setStopEvent([&] { notified.push_back(clock.now()); });
    const auto prompt = AudioFile::open(BundleResources::pathForResource("beep2", "caf").toStdString());
    const auto length = std::chrono::microseconds(prompt->packetCount() * 1'000'000 / 22050);

    const Clock::Duration start = clock.now();
    player.playSystemSample(AudioPlayer::Beep2);
    ASSERT_TRUE(clock.runUntil([&] { return !notified.empty(); }, 5s));
    clock.runUntil([] { return false; }, 300ms);
    ASSERT_EQ(notified.size(), 1u);
    // Not before the sound can have been taken by the sink (a null sink
    // takes audio a little ahead of its clock). How soon after: see
    // bench/AudioBenchmark.cpp.
    EXPECT_GE(notified[0] - start, length - 100ms);
}

TEST_F(PulseAudioTest, ASoundTheServerStopsPlayingEndsAfterItsLengthAndTwoSeconds)
{
    // The speaker suspended under the sound, as when it is unplugged: the
    // server says nothing, and only the watchdog ends the sound. The server
    // gone, as when it restarts: the sink may notice, or the watchdog ends it.
    const QString stalled = "ERROR sound output stalled: ended the sound 2 s after its length";
    for (const bool serverGone : {false, true}) {
        if (!m_server)
            m_server = std::make_unique<PulseAudioServer>();
        ASSERT_TRUE(m_server->running());
        SystemClock clock;
        SystemAudioDevice device(clock);
        AudioPlayer player(device);
        bool ended = false;
        player.setStopEvent([&ended] { ended = true; });
        const LogCapture log;
        player.playSystemSample(AudioPlayer::SayAcceptEtc);  // three seconds
        clock.runUntil([] { return false; }, 500ms);
        if (serverGone)
            ProcessRun::of("pulseaudio", {"-k"});
        else
            ProcessRun::of("pactl", {"suspend-sink", "nullsink", "1"});
        EXPECT_TRUE(clock.runUntil([&ended] { return ended; }, 10s)) << serverGone;
        if (serverGone)
            EXPECT_LE(log.errors().count(stalled), 1);
        else
            EXPECT_EQ(log.errors().join('\n').toStdString(), stalled.toStdString());
        m_server.reset();
    }
}

}  // namespace
