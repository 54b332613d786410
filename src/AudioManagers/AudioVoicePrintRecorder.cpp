#include "AudioManagers/AudioVoicePrintRecorder.h"

#include "DataModel/ZRVoicePrint.h"
#include "Platform/System/Log.h"

AudioVoicePrintRecorder::AudioVoicePrintRecorder(AudioDevice& device)
    : AudioQueueObject(device)
{
    createInputQueue(linearPCM16(8000.0, 1, std::endian::big, PCMPacking::Unpacked));
}

AudioVoicePrintRecorder::~AudioVoicePrintRecorder()
{
    m_queueObject.reset();
}

void AudioVoicePrintRecorder::record()
{
    setupRecording();
    m_queueObject->start();
}

void AudioVoicePrintRecorder::setupRecording()
{
    setStartingPacketNumber(0);
    enqueueNewBuffers(kBufferCount, kBufferByteSize);
}

void AudioVoicePrintRecorder::stop()
{
    m_queueObject->stop(true);
}

std::shared_ptr<ZRVoicePrint> AudioVoicePrintRecorder::voicePrint() const
{
    if (!m_audioData || m_audioData->empty())
        return nullptr;
    auto print = std::make_shared<ZRVoicePrint>();
    if (print->calculateVoicePrint(*m_audioData) != ZRVoicePrint::kCalculated) {
        Log::write(QStringLiteral("ERROR voiceprint calculation failed"));
        return nullptr;
    }
    return print;
}

void AudioVoicePrintRecorder::recordingCallback(AudioQueue& queue, AudioQueueBuffer* buffer, std::uint32_t packets)
{
    if (packets > 0) {
        if (!m_audioData)
            m_audioData.emplace();
        m_audioData->insert(
            m_audioData->end(), buffer->mAudioData.begin(), buffer->mAudioData.begin() + buffer->mAudioDataByteSize);
        incrementStartingPacketNumberBy(packets);
    }
    if (isRunning())
        queue.enqueueBuffer(buffer);
}
