#pragma once

#include "Platform/Audio/AudioFile.h"
#include "Platform/Audio/AudioQueue.h"
#include "Platform/Audio/AudioStreamBasicDescription.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class AudioDevice;

// What the three audio classes share: the audio queue, the audio file and
// its location, the stream format, the bytes collected in memory, the packet
// cursor for the file, and the stop observer through which the dialogues
// chain their steps (when this sound has ended, do the next step). It does
// no audio work itself; the subclasses create, start, stop and dispose of
// the queue.
class AudioQueueObject {
public:
    explicit AudioQueueObject(AudioDevice& device);
    virtual ~AudioQueueObject();
    AudioQueueObject(const AudioQueueObject&) = delete;
    AudioQueueObject& operator=(const AudioQueueObject&) = delete;

    // False also when there is no queue.
    bool isRunning() const;

    // The stop observer: `action` is called on `target` once the queue has
    // stopped running. It replaces any earlier one; the target is not owned.
    template <class Target> void addTarget(Target* target, void (Target::*action)())
    {
        if (target && action)
            m_stopEvent = [target, action] { (target->*action)(); };
        else
            m_stopEvent = nullptr;
    }
    // Removes the observer.
    void addTarget(std::nullptr_t, std::nullptr_t) { m_stopEvent = nullptr; }
    // The observer as a plain function, for callers that are no objects.
    void setStopEvent(std::function<void()> stopEvent) { m_stopEvent = std::move(stopEvent); }

    void incrementStartingPacketNumberBy(std::uint32_t count) { m_startingPacketNumber += count; }

    AudioQueue* queueObject() const { return m_queueObject.get(); }
    AudioFile* audioFileID() const { return m_audioFileID.get(); }
    const QString& audioFileURL() const { return m_audioFileURL; }
    void setAudioFileURL(const QString& path) { m_audioFileURL = path; }
    const AudioStreamBasicDescription& audioFormat() const { return m_audioFormat; }
    void setAudioFormat(const AudioStreamBasicDescription& format) { m_audioFormat = format; }
    // Nothing until the first captured buffer.
    const std::optional<std::vector<std::uint8_t>>& audioData() const { return m_audioData; }
    std::int64_t startingPacketNumber() const { return m_startingPacketNumber; }
    void setStartingPacketNumber(std::int64_t number) { m_startingPacketNumber = number; }

protected:
    // Tells the observer, if there is one, that the queue has stopped.
    void sendStopEvent();
    // For the recorders: an input queue in `format` whose full buffers go to
    // recordingCallback(); the format is then read back as the queue made it.
    void createInputQueue(const AudioStreamBasicDescription& format);
    // Allocates `count` buffers of `byteSize` bytes and enqueues them.
    void enqueueNewBuffers(std::uint32_t count, std::uint32_t byteSize);
    virtual void recordingCallback(AudioQueue& queue, AudioQueueBuffer* buffer, std::uint32_t packets);

    AudioDevice& m_device;
    std::unique_ptr<AudioQueue> m_queueObject;
    std::unique_ptr<AudioFile> m_audioFileID;
    QString m_audioFileURL;
    AudioStreamBasicDescription m_audioFormat;
    std::optional<std::vector<std::uint8_t>> m_audioData;
    std::int64_t m_startingPacketNumber = 0;

private:
    std::function<void()> m_stopEvent;
};
