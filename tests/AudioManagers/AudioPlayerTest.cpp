#include "AudioManagers/AudioPlayer.h"

#include "DataModel/ZRSample.h"
#include "Platform/Audio/AudioFile.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Audio/PcmBytes.h"
#include "Platform/System/BundleResources.h"
#include "Platform/Time/VirtualClock.h"
#include "support/IsolatedStorage.h"
#include "support/LogCapture.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

class AudioPlayerTest : public ::testing::Test {
protected:
    // A sample whose file holds `packets` packets of varied audio at 44100 Hz.
    std::shared_ptr<ZRSample> sampleWithPackets(std::uint32_t packets)
    {
        auto sample = std::make_shared<ZRSample>(0, ZRSample::createSampleFilename());
        m_written = TestData::nonzeroNoise(packets);
        auto file = AudioFile::create(
            sample->filePath().toStdString(), linearPCM16(44100, 1, std::endian::little, PCMPacking::Packed));
        file->writePackets(0, packets, PcmBytes::littleEndian(m_written).data());
        return sample;
    }

    // A player whose stop notifications are counted, with the time of the last.
    std::unique_ptr<AudioPlayer> countingPlayer()
    {
        auto player = std::make_unique<AudioPlayer>(m_device);
        player->setStopEvent([this] {
            ++m_notifications;
            m_notifiedAt = m_clock.now();
        });
        return player;
    }

    const std::vector<VirtualSpeaker::Sound>& played() { return m_device.speaker().playedSounds(); }

    IsolatedStorage m_storage;
    VirtualClock m_clock;
    VirtualAudioDevice m_device {m_clock};
    std::vector<std::int16_t> m_written;
    int m_notifications = 0;
    Clock::Duration m_notifiedAt {0};
};

TEST_F(AudioPlayerTest, ASampleFilePlaysToItsEndAndNotifiesOnceWhenTheLastBufferHasPlayed)
{
    // Two seconds, and a tenth of one that ends while the buffers are primed.
    for (const auto& [packets, length] :
        {std::pair(88200u, Clock::Duration(2s)), std::pair(4410u, Clock::Duration(100ms))}) {
        m_device.speaker().clear();
        m_notifications = 0;
        const Clock::Duration start = m_clock.now();
        const auto sample = sampleWithPackets(packets);
        const auto player = countingPlayer();
        player->playCommandSample(*sample);
        EXPECT_EQ(player->bufferByteSize(), 44100u);
        EXPECT_EQ(player->numPacketsToRead(), 22050u);
        EXPECT_EQ(player->donePlayingFile(), packets < 22050) << "the end is found while priming";

        m_clock.advance(length - 1ms);
        EXPECT_EQ(m_notifications, 0);
        m_clock.advance(1s);
        EXPECT_EQ(m_notifications, 1);
        EXPECT_EQ(m_notifiedAt - start, length) << "notified as the last sample ends";
        ASSERT_EQ(played().size(), 1u);
        EXPECT_EQ(played()[0].samples, m_written);
        EXPECT_EQ(played()[0].end - played()[0].start, length);
        EXPECT_EQ(played()[0].volume, 1.0f);
        EXPECT_TRUE(player->donePlayingFile());
        player->stop();  // after the end: leaves the closed file alone
        m_clock.advance(1s);
        EXPECT_EQ(m_notifications, 1);
    }
}

TEST_F(AudioPlayerTest, APlayerRefusesASecondSoundWhatCannotBePlayedEndsAtOnceAndAStopLetsTheQueuedAudioPlay)
{
    const auto sample = sampleWithPackets(88200);
    const auto busy = countingPlayer();
    LogCapture log;
    busy->playCommandSample(*sample);
    busy->playCommandSample(*sample);
    busy->playSystemSample(0);
    std::vector<std::unique_ptr<AudioPlayer>> players;
    for (int i = 0; i < 4; ++i)
        players.push_back(countingPlayer());
    players[0]->playCommandSample(ZRSample(0, "/sample7.aif"));
    players[1]->playCommandSample(ZRSample(0, "/../../etc/passwd"));
    players[2]->playSystemSample(7);
    players[3]->playSystemSample(-1);
    m_clock.advance(Clock::Duration(0));
    EXPECT_EQ(log.lines().join('\n').toStdString(),
        "ERROR AudioPlayer:playCommandSample: still playing previous sample\n"
        "ERROR AudioPlayer:playSystemSample: still playing previous sample\n"
        "ERROR soundfile not available\nERROR soundfile not available\n"
        "ERROR AudioPlayer:playSystemSample: system sample type not recognized\n"
        "ERROR AudioPlayer:playSystemSample: system sample type not recognized");
    // Each unplayable one ends at once, so that nothing waits on it forever.
    EXPECT_EQ(m_notifications, 4);
    EXPECT_EQ(m_notifiedAt, Clock::Duration(0));

    // An early stop lets the queued audio play and reads no more.
    m_clock.advance(300ms);
    busy->stop();
    m_clock.advance(3s);
    EXPECT_EQ(m_notifications, 5);
    ASSERT_EQ(played().size(), 1u);
    // What was queued when the file closed: at most three half-second buffers.
    EXPECT_LE(played()[0].samples.size(), 3u * 22050);
    EXPECT_GE(played()[0].samples.size(), 2u * 22050);
    EXPECT_TRUE(std::equal(played()[0].samples.begin(), played()[0].samples.end(), m_written.begin()));
}

TEST_F(AudioPlayerTest, EverySystemPromptPlaysItsOwnFile)
{
    const char* const names[]
        = {"beep1", "beep2", "speak-now", "say-accept-etc", "say-repeat-cancel", "not-recognized", "you-said"};
    for (int number = AudioPlayer::Beep1; number <= AudioPlayer::YouSaid; ++number) {
        const char* name = names[number];
        const auto file = AudioFile::open(BundleResources::pathForResource(name, "caf").toStdString());
        ASSERT_TRUE(file) << name;
        std::vector<std::int16_t> samples(file->packetCount() * file->dataFormat().mChannelsPerFrame);
        ASSERT_EQ(
            file->readPackets(0, static_cast<std::uint32_t>(file->packetCount()), samples.data()), file->packetCount());
        m_device.speaker().clear();
        const auto player = countingPlayer();
        player->playSystemSample(number);
        m_clock.advance(10s);
        ASSERT_EQ(played().size(), 1u) << name;
        EXPECT_EQ(played()[0].samples, samples) << name;
        EXPECT_EQ(m_notifications, number + 1);
    }
}

}  // namespace
