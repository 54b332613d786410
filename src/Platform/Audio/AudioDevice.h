#pragma once

#include "Platform/Audio/AudioStreamBasicDescription.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class Clock;

// Captured audio for an input queue: 16-bit samples in the machine's byte
// order, interleaved, at the queue's rate and channel count.
class AudioInputStream {
public:
    using Delivery = std::function<void(std::span<const std::int16_t> samples)>;

    virtual ~AudioInputStream() = default;
    // Starts capturing; `deliver` is called on the main thread as audio
    // arrives. False when the device cannot capture.
    virtual bool start(Delivery deliver) = 0;
    // Delivers everything captured so far, before returning, and stops.
    virtual void stop() = 0;
};

// Playback for an output queue: 16-bit samples in the machine's byte order,
// interleaved, at the queue's rate and channel count.
class AudioOutputStream {
public:
    using Notification = std::function<void()>;

    virtual ~AudioOutputStream() = default;
    // Starts playing. `wantsData` is called on the main thread when room
    // has been made; `idle` when everything written has been heard and
    // nothing is left to play. False when the device cannot play.
    virtual bool start(Notification wantsData, Notification idle) = 0;
    // How many frames can be written now without waiting.
    virtual std::size_t framesFree() const = 0;
    virtual void write(std::span<const std::int16_t> samples) = 0;
    // Nothing more will be written: play out what was.
    virtual void drain() = 0;
    virtual void setVolume(float volume) = 0;
    // Stops at once; what was not heard yet is dropped.
    virtual void stop() = 0;
};

// Where audio queues get their microphone and speaker from: the system's
// sound server, or a virtual device for tests and machines without one.
// One device is current for the whole process.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    virtual std::unique_ptr<AudioInputStream> createInput(const AudioStreamBasicDescription& format) = 0;
    virtual std::unique_ptr<AudioOutputStream> createOutput(const AudioStreamBasicDescription& format) = 0;
    // The clock that paces the device and carries its notifications.
    virtual Clock& clock() = 0;
    // Whether there is a microphone, and something to play sound on.
    virtual bool hasInput() const { return true; }
    virtual bool hasOutput() const { return true; }
};
