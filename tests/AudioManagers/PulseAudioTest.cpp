// The system device through a real sound server: PulseAudio with a null
// sink, started by the test itself. Recording from it and prompts played
// into it are run through the whole application in
// tests/ZarnethApplicationTest.cpp; here, the watchdog that ends a sound
// the server stops playing.

#include "AudioManagers/AudioPlayer.h"
#include "Platform/Audio/Backends/SystemAudioDevice.h"
#include "Platform/Time/SystemClock.h"
#include "support/LogCapture.h"
#include "support/ProcessRun.h"
#include "support/PulseAudioServer.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(PulseAudioTest, ASoundTheServerStopsPlayingEndsAfterItsLengthAndTwoSeconds)
{
    ASSERT_TRUE(PulseAudioServer::installed()) << "pulseaudio is not installed (scripts/install-deps.sh installs it)";

    // The speaker suspended under the sound, as when it is unplugged: the
    // server says nothing, and only the watchdog ends the sound. The server
    // gone, as when it restarts: the sink may notice, or the watchdog ends it.
    const QString stalled = "ERROR sound output stalled: ended the sound 2 s after its length";
    for (const bool serverGone : {false, true}) {
        const PulseAudioServer server;
        ASSERT_TRUE(server.running()) << "the test's PulseAudio server did not start";
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
    }
}

}  // namespace
