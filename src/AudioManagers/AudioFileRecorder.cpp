#include "AudioManagers/AudioFileRecorder.h"

#include "DataModel/ZRSample.h"

#include <QFile>

std::unique_ptr<AudioFileRecorder> AudioFileRecorder::initForSample(const ZRSample& sample, AudioDevice& device)
{
    return std::make_unique<AudioFileRecorder>(sample.filePath(), device);
}

AudioFileRecorder::AudioFileRecorder(const QString& filePath, AudioDevice& device)
    : AudioQueueObject(device)
{
    createInputQueue(linearPCM16(44100.0, 1, std::endian::little, PCMPacking::Packed));
    m_audioFileURL = filePath;
}

AudioFileRecorder::~AudioFileRecorder()
{
    m_queueObject.reset();
}

void AudioFileRecorder::record()
{
    setupRecording();
    m_queueObject->start();
}

void AudioFileRecorder::setupRecording()
{
    setStartingPacketNumber(0);
    // A file name that is not a sample file name has no path: nothing is
    // created, and the writes go nowhere.
    if (!m_audioFileID && !m_audioFileURL.isEmpty())
        m_audioFileID = AudioFile::create(QFile::encodeName(m_audioFileURL).toStdString(), m_audioFormat);
    enqueueNewBuffers(kBufferCount, kBufferByteSize);
}

void AudioFileRecorder::stop()
{
    m_queueObject->stop(true);
    // Finished now, so that its header tells the true length at once.
    if (m_audioFileID)
        m_audioFileID->close();
}

void AudioFileRecorder::recordingCallback(AudioQueue& queue, AudioQueueBuffer* buffer, std::uint32_t packets)
{
    if (packets > 0 && m_audioFileID) {
        const std::uint32_t written
            = m_audioFileID->writePackets(m_startingPacketNumber, packets, buffer->mAudioData.data());
        incrementStartingPacketNumberBy(written);
    }
    if (isRunning())
        queue.enqueueBuffer(buffer);
}
