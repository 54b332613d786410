#pragma once

#include "Platform/Audio/AudioQueueBuffer.h"
#include "Platform/Audio/AudioStreamBasicDescription.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class AudioDevice;
class AudioInputStream;
class AudioOutputStream;

// An audio queue as the phone platform has them, on an AudioDevice.
//
// Input: the user allocates buffers and enqueues them; captured audio fills
// them in order, and each full buffer goes to the callback, which usually
// enqueues it again. An immediate stop hands the partly filled buffer to the
// callback before it returns, with the queue already not running.
//
// Output: enqueued buffers are played in order; each buffer goes back to the
// callback once it has been taken for playing, to be refilled. A stop that
// is not immediate lets what is enqueued play to its end first.
//
// Every change of the is-running property is reported to the listener on
// the main thread, through the device's clock; changes that happen before
// the report runs are reported once, as the state they ended in.
// Destroying the queue disposes of it at once; no callback follows.
class AudioQueue {
public:
    using InputCallback = std::function<void(AudioQueue& queue, AudioQueueBuffer* buffer, std::uint32_t packets)>;
    using OutputCallback = std::function<void(AudioQueue& queue, AudioQueueBuffer* buffer)>;
    using PropertyListener = std::function<void(AudioQueue& queue)>;

    static std::unique_ptr<AudioQueue> newInput(
        const AudioStreamBasicDescription& format, InputCallback callback, AudioDevice& device);
    static std::unique_ptr<AudioQueue> newOutput(
        const AudioStreamBasicDescription& format, OutputCallback callback, AudioDevice& device);
    ~AudioQueue();
    AudioQueue(const AudioQueue&) = delete;
    AudioQueue& operator=(const AudioQueue&) = delete;

    // The format as the queue completed it.
    const AudioStreamBasicDescription& streamDescription() const { return m_format; }

    AudioQueueBuffer* allocateBuffer(std::uint32_t byteSize);
    void enqueueBuffer(AudioQueueBuffer* buffer);
    void start();
    void stop(bool immediate);
    bool isRunning() const { return m_running; }
    void addIsRunningListener(PropertyListener listener);
    // Playback volume, 0 to 1.
    void setVolume(float volume);
    float volume() const { return m_volume; }

private:
    enum class Direction { Input, Output };

    AudioQueue(Direction direction, const AudioStreamBasicDescription& format, AudioDevice& device);

    void setRunning(bool running);
    void receive(std::span<const std::int16_t> samples);
    void handOverPartialBuffer();
    void play();
    void checkDrained();
    void later(std::function<void()> task);

    const Direction m_direction;
    AudioStreamBasicDescription m_format;
    AudioDevice& m_device;
    InputCallback m_inputCallback;
    OutputCallback m_outputCallback;
    PropertyListener m_listener;
    std::unique_ptr<AudioInputStream> m_input;
    std::unique_ptr<AudioOutputStream> m_output;
    std::vector<std::unique_ptr<AudioQueueBuffer>> m_buffers;
    std::deque<AudioQueueBuffer*> m_enqueued;
    std::uint32_t m_headOffset = 0;  // bytes of the first enqueued buffer already played
    bool m_running = false;
    bool m_stopping = false;
    bool m_drainRequested = false;
    bool m_outputIdle = true;
    bool m_reportPending = false;
    float m_volume = 1.0f;
    // Tasks scheduled on the clock hold a weak reference: a queue that is
    // gone is not called back.
    std::shared_ptr<AudioQueue*> m_self;
};
