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
    // The speaker suspended under the sound, as when it is unplugged: the
    // server says nothing, and only the watchdog ends the sound.
    ProcessRun::of("pactl", {"suspend-sink", "nullsink", "1"});
    EXPECT_TRUE(clock.runUntil([&ended] { return ended; }, 10s));
    EXPECT_EQ(
        log.errors().join('\n').toStdString(), "ERROR sound output stalled: ended the sound 2 s after its length");
}

}  // namespace
