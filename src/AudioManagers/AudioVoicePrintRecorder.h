#pragma once

#include "AudioManagers/AudioQueueObject.h"

#include <memory>

class ZRVoicePrint;

// Records one utterance from the microphone into memory (8000 Hz, mono,
// 16-bit signed big-endian) and, once stopped, turns it into a voice print.
// The dialogues make a fresh one for every utterance.
class AudioVoicePrintRecorder : public AudioQueueObject {
public:
    static constexpr std::uint32_t kBufferCount = 3;
    static constexpr std::uint32_t kBufferByteSize = 65536;  // 4.096 s each

    explicit AudioVoicePrintRecorder(AudioDevice& device);
    ~AudioVoicePrintRecorder() override;

    void record();
    void setupRecording();
    // Immediate: the partly filled buffer has been collected when this returns.
    void stop();
    // The print of everything collected; nothing when nothing was captured,
    // or, with the log line "ERROR voiceprint calculation failed", when the
    // calculation fails.
    std::shared_ptr<ZRVoicePrint> voicePrint() const;

    // The queue's input callback: appends the buffer, and hands it back to
    // the queue while it runs.
    void recordingCallback(AudioQueue& queue, AudioQueueBuffer* buffer, std::uint32_t packets) override;
};
