#include "AudioManagers/AudioFileRecorder.h"
#include "AudioManagers/AudioPlayer.h"
#include "AudioManagers/AudioVoicePrintRecorder.h"
#include "DataModel/ZRSample.h"
#include "Platform/Audio/Backends/SystemAudioDevice.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Audio/PcmBytes.h"
#include "Platform/Time/SystemClock.h"
#include "Platform/Time/VirtualClock.h"
#include "support/IsolatedStorage.h"
#include "support/LogCapture.h"
#include "support/ProcessRun.h"
#include "support/PulseAudioServer.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

using namespace std::chrono_literals;

// Players and recorders on the virtual speaker and microphone.
class AudioTest : public ::testing::Test {
protected:
    // A sample whose file holds `packets` packets of varied audio at 44100 Hz.
    std::shared_ptr<ZRSample> sampleWithPackets(std::uint32_t packets)
    {
        auto sample = std::make_shared<ZRSample>(0, ZRSample::createSampleFilename());
        m_written = TestData::nonzeroNoise(packets);
        AudioFile::create(
            sample->filePath().toStdString(), linearPCM16(44100, 1, std::endian::little, PCMPacking::Packed))
            ->writePackets(0, packets, PcmBytes::littleEndian(m_written).data());
        return sample;
    }

    // A player whose stop notifications are written down, by their time.
    std::unique_ptr<AudioPlayer> newPlayer()
    {
        auto player = std::make_unique<AudioPlayer>(m_device);
        player->setStopEvent([this] { m_notified.push_back(m_clock.now()); });
        return player;
    }

    // Runs the recorders for `duration` of clock time, then stops them.
    template <class... Recorders> void recordFor(Clock::Duration duration, Recorders*... recorders)
    {
        (recorders->record(), ...);
        m_clock.advance(duration);
        (recorders->stop(), ...);
    }

    const std::vector<VirtualSpeaker::Sound>& played() { return m_device.speaker().playedSounds(); }

    IsolatedStorage m_storage;
    VirtualClock m_clock;
    VirtualAudioDevice m_device {m_clock};
    std::vector<std::int16_t> m_written;
    std::vector<Clock::Duration> m_notified;
};

TEST_F(AudioTest, ASampleFilePlaysToItsEndAndNotifiesOnceWhenTheLastBufferHasPlayed)
{
    // Two seconds, and a tenth of one that ends while the buffers are primed.
    for (const auto& [packets, length] :
        {std::pair(88200u, Clock::Duration(2s)), std::pair(4410u, Clock::Duration(100ms))}) {
        m_device.speaker().clear();
        m_notified.clear();
        const Clock::Duration start = m_clock.now();
        const auto player = newPlayer();
        player->playCommandSample(*sampleWithPackets(packets));
        EXPECT_EQ(player->donePlayingFile(), packets < 22050) << "the end is found while priming";

        m_clock.advance(length + 1s);
        EXPECT_EQ(m_notified, std::vector {start + length}) << "notified once, as the last sample ends";
        ASSERT_EQ(played().size(), 1u);
        EXPECT_EQ(played()[0].samples, m_written);
        EXPECT_EQ(played()[0].volume, 1.0f);
        player->stop();  // after the end: leaves the closed file alone
        m_clock.advance(1s);
        EXPECT_EQ(m_notified.size(), 1u);
    }
}

TEST_F(AudioTest, APlayerRefusesASecondSoundWhatCannotBePlayedEndsAtOnceAndAStopLetsTheQueuedAudioPlay)
{
    const auto sample = sampleWithPackets(88200);
    const auto busy = newPlayer();
    LogCapture log;
    busy->playCommandSample(*sample);
    busy->playCommandSample(*sample);
    busy->playSystemSample(0);
    const auto missing = newPlayer(), outside = newPlayer(), beyond = newPlayer(), negative = newPlayer();
    missing->playCommandSample(ZRSample(0, "/sample7.aif"));
    outside->playCommandSample(ZRSample(0, "/../../etc/passwd"));
    beyond->playSystemSample(7);
    negative->playSystemSample(-1);
    m_clock.advance(Clock::Duration(0));
    EXPECT_EQ(log.lines().join('\n').toStdString(),
        "ERROR AudioPlayer:playCommandSample: still playing previous sample\n"
        "ERROR AudioPlayer:playSystemSample: still playing previous sample\n"
        "ERROR soundfile not available\nERROR soundfile not available\n"
        "ERROR AudioPlayer:playSystemSample: system sample type not recognized\n"
        "ERROR AudioPlayer:playSystemSample: system sample type not recognized");
    // Each unplayable one ends at once, so that nothing waits on it forever.
    EXPECT_EQ(m_notified, std::vector<Clock::Duration>(4, 0ms));

    // An early stop lets the queued audio play and reads no more.
    m_clock.advance(300ms);
    busy->stop();
    m_clock.advance(3s);
    EXPECT_EQ(m_notified.size(), 5u);
    ASSERT_EQ(played().size(), 1u);
    // What was queued when the file closed: at most three half-second buffers.
    EXPECT_LE(played()[0].samples.size(), 3u * 22050);
    EXPECT_GE(played()[0].samples.size(), 2u * 22050);
    EXPECT_TRUE(std::equal(played()[0].samples.begin(), played()[0].samples.end(), m_written.begin()));
}

// What the two recorders hear is checked through a whole training, in
// tests/TrainAndRecognize/DialogueTest.cpp.
TEST_F(AudioTest, RecordersCountTheirPacketsPastTheirBuffersAndThirtyTwoBitsAndAStopBeforeAnySampleGivesNoPrint)
{
    const ZRSample sample(0, ZRSample::createSampleFilename());
    IsolatedStorage::touch(sample.filePath(), QByteArray(500000, 'x'));  // replaced
    AudioVoicePrintRecorder voice(m_device);
    const auto file = AudioFileRecorder::initForSample(sample, m_device);
    recordFor(13s, &voice, file.get());  // longer than the three 4.096-second buffers together
    EXPECT_EQ(voice.startingPacketNumber(), 13 * 8000);
    EXPECT_EQ(voice.audioData()->size(), 13u * 16000);
    EXPECT_FALSE(voice.isRunning());
    EXPECT_EQ(file->startingPacketNumber(), 13 * 44100);
    // Readable and complete while the recorder still exists: the header holds the length.
    const auto caf = AudioFile::open(QFile::encodeName(sample.filePath()).toStdString());
    ASSERT_TRUE(caf);
    EXPECT_EQ(caf->packetCount(), 13 * 44100);

    LogCapture log;
    AudioVoicePrintRecorder early(m_device);
    recordFor(Clock::Duration(0), &early);
    EXPECT_FALSE(early.audioData());
    EXPECT_EQ(early.voicePrint(), nullptr);
    EXPECT_TRUE(log.lines().isEmpty());

    AudioQueueObject object(m_device);
    object.setStartingPacketNumber(4294967295);
    object.incrementStartingPacketNumberBy(1);
    EXPECT_EQ(object.startingPacketNumber(), 4294967296);
}

// The system device through a real sound server: PulseAudio with a null
// sink, started by the test itself. Recording from it and prompts played
// into it are run through the whole application in
// tests/ZarnethApplicationTest.cpp; here, the watchdog that ends a sound
// the server stops playing.
TEST(PulseAudioTest, ASoundTheServerStopsPlayingEndsAfterItsLengthAndTwoSeconds)
{
    const PulseAudioServer server;
    ASSERT_TRUE(server.running()) << "no PulseAudio server (scripts/install-deps.sh installs pulseaudio)";
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
