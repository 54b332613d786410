#include "AudioManagers/AudioQueueObject.h"

AudioQueueObject::AudioQueueObject(AudioDevice& device)
    : m_device(device)
{
}

AudioQueueObject::~AudioQueueObject()
{
    m_stopEvent = nullptr;
}

bool AudioQueueObject::isRunning() const
{
    return m_queueObject && m_queueObject->isRunning();
}

void AudioQueueObject::sendStopEvent()
{
    // A copy: the observer may replace itself, or destroy this object.
    const std::function<void()> stopEvent = m_stopEvent;
    if (stopEvent)
        stopEvent();
}

void AudioQueueObject::createInputQueue(const AudioStreamBasicDescription& format)
{
    m_audioFormat = format;
    m_queueObject = AudioQueue::newInput(
        m_audioFormat,
        [this](AudioQueue& queue, AudioQueueBuffer* buffer, std::uint32_t packets) {
            recordingCallback(queue, buffer, packets);
        },
        m_device);
    m_audioFormat = m_queueObject->streamDescription();
}

void AudioQueueObject::enqueueNewBuffers(std::uint32_t count, std::uint32_t byteSize)
{
    for (std::uint32_t i = 0; i < count; ++i)
        m_queueObject->enqueueBuffer(m_queueObject->allocateBuffer(byteSize));
}

void AudioQueueObject::recordingCallback(AudioQueue&, AudioQueueBuffer*, std::uint32_t)
{
}
