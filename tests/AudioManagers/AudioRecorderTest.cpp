#include "AudioManagers/AudioFileRecorder.h"
#include "AudioManagers/AudioVoicePrintRecorder.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Audio/PcmBytes.h"
#include "Platform/Time/VirtualClock.h"
#include "support/IsolatedStorage.h"
#include "support/LogCapture.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

using namespace std::chrono_literals;

class AudioRecorderTest : public ::testing::Test {
protected:
    // Runs the recorders for `duration` of clock time, then stops them.
    template <class... Recorders> void recordFor(Clock::Duration duration, Recorders*... recorders)
    {
        (recorders->record(), ...);
        m_clock.advance(duration);
        (recorders->stop(), ...);
    }

    IsolatedStorage m_storage;
    VirtualClock m_clock;
    VirtualAudioDevice m_device {m_clock};
};

TEST_F(AudioRecorderTest, LongRecordingsAreWholeAndAStopBeforeAnySampleGivesNoPrintAndNoLogLine)
{
    AudioVoicePrintRecorder recorder(m_device);
    recordFor(13s, &recorder);  // longer than the three 4.096-second buffers together
    EXPECT_EQ(recorder.startingPacketNumber(), 13 * 8000);
    EXPECT_EQ(recorder.audioData()->size(), 13u * 16000);
    EXPECT_FALSE(recorder.isRunning());

    LogCapture log;
    AudioVoicePrintRecorder early(m_device);
    recordFor(Clock::Duration(0), &early);
    EXPECT_FALSE(early.audioData());
    EXPECT_EQ(early.voicePrint(), nullptr);
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST_F(AudioRecorderTest, BothRecordersOfATrainingHearTheSameUtteranceAndTheFileIsFinishedAtStop)
{
    const QString utterances[] = {QString::fromStdString(Fsdd::recording(2, "jackson", 2)),
        QString::fromStdString(Fsdd::recording(8, "theo", 0))};
    for (const QString& said : utterances)
        m_device.microphone().addUtterance(said);

    for (const QString& said : utterances) {
        const ZRSample sample(0, ZRSample::createSampleFilename());
        IsolatedStorage::touch(sample.filePath(), QByteArray(500000, 'x'));  // replaced
        AudioVoicePrintRecorder voice(m_device);
        const auto file = AudioFileRecorder::initForSample(sample, m_device);
        EXPECT_EQ(voice.audioFormat(), linearPCM16(8000, 1, std::endian::big, PCMPacking::Unpacked));
        recordFor(2s, &voice, file.get());
        EXPECT_EQ(file->startingPacketNumber(), 88200);
        EXPECT_EQ(voice.startingPacketNumber(), 16000);

        // Readable and complete while the recorder still exists: the header holds the length.
        const auto caf = AudioFile::open(QFile::encodeName(sample.filePath()).toStdString());
        ASSERT_TRUE(caf);
        EXPECT_EQ(caf->packetCount(), 88200);
        std::vector<std::int16_t> inFile(88200);
        caf->readPackets(0, 88200, inFile.data());
        std::vector<std::int16_t> atFileRate
            = AudioFileDecoder::decode(QFile::encodeName(said).toStdString(), 44100).samples;
        atFileRate.resize(88200, 0);
        EXPECT_EQ(inFile, atFileRate);

        // Two seconds: the utterance, then the silence of the microphone.
        std::vector<std::int16_t> spoken = TestData::samplesOf(said.toStdString());
        spoken.resize(16000, 0);
        ASSERT_TRUE(voice.audioData());
        EXPECT_EQ(*voice.audioData(), PcmBytes::bigEndian(spoken)) << "big-endian, untouched";
        EXPECT_EQ(voice.voicePrint()->voicePrint(), TestData::voicePrintOf(spoken).voicePrint())
            << "each recording hears its own utterance";
        EXPECT_EQ(voice.voicePrint()->voicePrint(), voice.voicePrint()->voicePrint()) << "asked twice";
    }
}

TEST_F(AudioRecorderTest, ACallbackWithoutPacketsWritesNothingAndThePacketCounterGoesPastThirtyTwoBits)
{
    const ZRSample sample(0, ZRSample::createSampleFilename());
    const auto file = AudioFileRecorder::initForSample(sample, m_device);
    file->record();
    AudioQueueBuffer empty(65536);
    file->recordingCallback(*file->queueObject(), &empty, 0);
    EXPECT_EQ(file->startingPacketNumber(), 0);
    file->stop();

    AudioQueueObject object(m_device);
    object.setStartingPacketNumber(4294967295);
    object.incrementStartingPacketNumberBy(1);
    EXPECT_EQ(object.startingPacketNumber(), 4294967296);
}

}  // namespace
