#pragma once

#include "AudioManagers/AudioQueueObject.h"

#include <memory>

class ZRSample;

// Records the microphone into the audio file of one training sample: a CAF
// file of 16-bit little-endian mono linear PCM at 44100 Hz, written packet by
// packet. During a training it runs beside the voice-print recorder, on the
// same utterance.
class AudioFileRecorder : public AudioQueueObject {
public:
    static constexpr std::uint32_t kBufferCount = 3;
    static constexpr std::uint32_t kBufferByteSize = 65536;  // about 0.74 s each

    // Records into the sample's file in the Documents directory.
    static std::unique_ptr<AudioFileRecorder> initForSample(const ZRSample& sample, AudioDevice& device);
    // Records into any file.
    AudioFileRecorder(const QString& filePath, AudioDevice& device);
    ~AudioFileRecorder() override;

    void record();
    void setupRecording();
    // Immediate: the last audio is in the file, and the file is finished,
    // when this returns.
    void stop();

    // The queue's input callback: writes the buffer's packets to the file,
    // and hands the buffer back to the queue while it runs.
    void recordingCallback(AudioQueue& queue, AudioQueueBuffer* buffer, std::uint32_t packets) override;
};
