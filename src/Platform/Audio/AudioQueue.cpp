#include "Platform/Audio/AudioQueue.h"

#include "Platform/Audio/AudioDevice.h"
#include "Platform/Audio/PcmBytes.h"
#include "Platform/System/Log.h"
#include "Platform/Time/Clock.h"

#include <algorithm>
#include <cstring>

namespace {

std::endian byteOrderOf(const AudioStreamBasicDescription& format)
{
    return (format.mFormatFlags & kAudioFormatFlagIsBigEndian) ? std::endian::big : std::endian::little;
}

std::uint32_t frameBytesOf(const AudioStreamBasicDescription& format)
{
    return std::max<std::uint32_t>(2 * format.mChannelsPerFrame, 2);
}

}  // namespace

AudioQueue::AudioQueue(Direction direction, const AudioStreamBasicDescription& format, AudioDevice& device)
    : m_direction(direction)
    , m_format(format)
    , m_device(device)
    , m_self(std::make_shared<AudioQueue*>(this))
{
}

std::unique_ptr<AudioQueue> AudioQueue::newInput(
    const AudioStreamBasicDescription& format, InputCallback callback, AudioDevice& device)
{
    std::unique_ptr<AudioQueue> queue(new AudioQueue(Direction::Input, format, device));
    queue->m_inputCallback = std::move(callback);
    queue->m_input = device.createInput(format);
    return queue;
}

std::unique_ptr<AudioQueue> AudioQueue::newOutput(
    const AudioStreamBasicDescription& format, OutputCallback callback, AudioDevice& device)
{
    std::unique_ptr<AudioQueue> queue(new AudioQueue(Direction::Output, format, device));
    queue->m_outputCallback = std::move(callback);
    queue->m_output = device.createOutput(format);
    return queue;
}

AudioQueue::~AudioQueue()
{
    // Disposed of at once: no callback, no report, nothing delivered.
    m_self.reset();
    m_inputCallback = nullptr;
    m_outputCallback = nullptr;
    m_input.reset();
    m_output.reset();
}

AudioQueueBuffer* AudioQueue::allocateBuffer(std::uint32_t byteSize)
{
    m_buffers.push_back(std::make_unique<AudioQueueBuffer>(byteSize));
    return m_buffers.back().get();
}

void AudioQueue::enqueueBuffer(AudioQueueBuffer* buffer)
{
    if (!buffer)
        return;
    if (m_direction == Direction::Input)
        buffer->mAudioDataByteSize = 0;
    m_enqueued.push_back(buffer);
    if (m_direction == Direction::Output)
        play();
}

void AudioQueue::start()
{
    if (m_running)
        return;
    setRunning(true);
    qCDebug(lcAudio, "%s on", m_direction == Direction::Input ? "microphone" : "speaker");
    if (m_input) {
        m_input->start([this](std::span<const std::int16_t> samples) { receive(samples); });
    } else if (m_output) {
        m_output->setVolume(m_volume);
        const bool playing = m_output->start([this] { play(); },
            [this] {
                m_outputIdle = true;
                checkDrained();
            });
        // A device that cannot play drops what it is given.
        if (!playing)
            m_output.reset();
        play();
    }
}

void AudioQueue::stop(bool immediate)
{
    if (m_direction == Direction::Input) {
        if (!m_running)
            return;
        // Whatever the device still holds is delivered now, into buffers the
        // callback will see after the queue stopped running.
        m_stopping = true;
        setRunning(false);
        if (m_input)
            m_input->stop();
        handOverPartialBuffer();
        m_stopping = false;
        return;
    }
    if (!immediate) {
        m_drainRequested = true;
        checkDrained();
        return;
    }
    if (m_output)
        m_output->stop();
    m_enqueued.clear();
    m_headOffset = 0;
    m_drainRequested = false;
    setRunning(false);
}

void AudioQueue::addIsRunningListener(PropertyListener listener)
{
    m_listener = std::move(listener);
}

void AudioQueue::setVolume(float volume)
{
    m_volume = std::clamp(volume, 0.0f, 1.0f);
    if (m_output)
        m_output->setVolume(m_volume);
}

void AudioQueue::setRunning(bool running)
{
    if (m_running == running)
        return;
    m_running = running;
    if (!running)
        qCDebug(lcAudio, "%s off", m_direction == Direction::Input ? "microphone" : "speaker");
    if (m_reportPending)
        return;
    m_reportPending = true;
    later([this] {
        m_reportPending = false;
        if (m_listener)
            m_listener(*this);
    });
}

void AudioQueue::receive(std::span<const std::int16_t> samples)
{
    if (!m_running && !m_stopping)
        return;
    const std::vector<std::uint8_t> bytes = PcmBytes::fromSamples(samples, byteOrderOf(m_format));
    std::size_t used = 0;
    // With no buffer enqueued the audio is lost, as on the platform.
    while (used < bytes.size() && !m_enqueued.empty()) {
        AudioQueueBuffer* buffer = m_enqueued.front();
        const std::size_t room = buffer->mAudioDataBytesCapacity - buffer->mAudioDataByteSize;
        const std::size_t count = std::min(room, bytes.size() - used);
        std::memcpy(buffer->mAudioData.data() + buffer->mAudioDataByteSize, bytes.data() + used, count);
        buffer->mAudioDataByteSize += static_cast<std::uint32_t>(count);
        used += count;
        if (buffer->mAudioDataByteSize == buffer->mAudioDataBytesCapacity) {
            m_enqueued.pop_front();
            if (m_inputCallback)
                m_inputCallback(*this, buffer, buffer->mAudioDataByteSize / frameBytesOf(m_format));
        }
    }
}

void AudioQueue::handOverPartialBuffer()
{
    if (m_enqueued.empty() || m_enqueued.front()->mAudioDataByteSize == 0)
        return;
    AudioQueueBuffer* buffer = m_enqueued.front();
    m_enqueued.pop_front();
    if (m_inputCallback)
        m_inputCallback(*this, buffer, buffer->mAudioDataByteSize / frameBytesOf(m_format));
}

void AudioQueue::play()
{
    if (m_direction != Direction::Output || !m_running)
        return;
    const std::uint32_t frameBytes = frameBytesOf(m_format);
    while (!m_enqueued.empty()) {
        AudioQueueBuffer* buffer = m_enqueued.front();
        const std::uint32_t left = buffer->mAudioDataByteSize - std::min(m_headOffset, buffer->mAudioDataByteSize);
        const std::size_t room = m_output ? m_output->framesFree() * frameBytes : left;
        const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(left, room) / frameBytes * frameBytes);
        if (count == 0 && left >= frameBytes)
            break;  // the device is full; it asks again when it has room
        if (count > 0 && m_output) {
            std::vector<std::int16_t> samples(count / 2);
            for (std::size_t i = 0; i < samples.size(); ++i)
                samples[i]
                    = PcmBytes::sampleAt(buffer->mAudioData.data() + m_headOffset + 2 * i, byteOrderOf(m_format));
            m_output->write(samples);
            m_outputIdle = false;
        }
        m_headOffset += count;
        if (m_headOffset + frameBytes > buffer->mAudioDataByteSize) {
            // Taken whole: back to the user for refilling.
            m_enqueued.pop_front();
            m_headOffset = 0;
            later([this, buffer] {
                if (m_outputCallback)
                    m_outputCallback(*this, buffer);
            });
        }
    }
    checkDrained();
}

void AudioQueue::checkDrained()
{
    if (m_direction != Direction::Output || !m_running || !m_drainRequested || !m_enqueued.empty())
        return;
    if (!m_outputIdle) {
        if (m_output)
            m_output->drain();
        return;
    }
    m_drainRequested = false;
    if (m_output)
        m_output->stop();
    setRunning(false);
}

void AudioQueue::later(std::function<void()> task)
{
    std::weak_ptr<AudioQueue*> self = m_self;
    m_device.clock().schedule(Clock::Duration(0), [self, task = std::move(task)] {
        if (self.lock())
            task();
    });
}
