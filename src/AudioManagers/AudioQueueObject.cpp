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
