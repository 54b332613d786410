#pragma once

#include "AudioManagers/AudioQueueObject.h"

#include <array>

class ZRSample;

// Plays one sound file from start to end and then tells its stop observer:
// a trained sample's recording, or one of the seven system prompts. A player
// plays one sound in its life; a request while it plays is refused. A sound
// that cannot be played (no such file, no such prompt) ends at once.
class AudioPlayer : public AudioQueueObject {
public:
    // The system prompts by number, and their resources of type "caf".
    enum SystemSample : int { Beep1, Beep2, SpeakNow, SayAcceptEtc, SayRepeatCancel, NotRecognized, YouSaid };
    static constexpr std::array<const char*, 7> kSystemSamples
        = {"beep1", "beep2", "speak-now", "say-accept-etc", "say-repeat-cancel", "not-recognized", "you-said"};
    static constexpr int kBufferCount = 3;
    static constexpr double kSecondsPerBuffer = 0.5;

    struct BufferSizes {
        std::uint32_t bufferByteSize;
        std::uint32_t numPacketsToRead;
    };
    // Buffers holding `seconds` of audio, kept within 16384 to 65536 bytes
    // unless a single packet is larger.
    static BufferSizes sizesFor(const AudioStreamBasicDescription& format, std::uint32_t maxPacketSize, double seconds);

    explicit AudioPlayer(AudioDevice& device);
    ~AudioPlayer() override;

    void playCommandSample(const ZRSample& sample);
    void playSystemSample(int number);
    void playFileWithURL(const QString& path);
    // Closes the file and stops the queue: at once before a playback, after
    // what is enqueued has played during one.
    void stop();

    void calculateSizesFor(double seconds);

    float gain() const { return m_gain; }
    std::uint32_t bufferByteSize() const { return m_bufferByteSize; }
    std::uint32_t numPacketsToRead() const { return m_numPacketsToRead; }
    bool donePlayingFile() const { return m_donePlayingFile; }
    bool audioPlayerShouldStopImmediately() const { return m_audioPlayerShouldStopImmediately; }

    // The queue's output callback: refills a buffer from the file, or at
    // the end of the file lets the queue play out and stop.
    void playbackCallback(AudioQueue& queue, AudioQueueBuffer* buffer);
    // The queue's is-running listener: a queue that stopped tells the observer.
    void propertyListenerCallback(AudioQueue& queue);

private:
    // Nothing can be played: the stop observer is told at once, so that no
    // dialogue waits for an end that never comes.
    void completeAtOnce();
    void setupURLRefForFileURL(const QString& path);
    void openPlaybackFile();
    void setupPlaybackAudioQueueObject();
    void play();
    void setupAudioQueueBuffers();

    std::array<AudioQueueBuffer*, kBufferCount> m_buffers {};
    std::uint32_t m_bufferByteSize = 0;
    std::uint32_t m_numPacketsToRead = 0;
    float m_gain = 0.0f;
    bool m_donePlayingFile = true;
    bool m_audioPlayerShouldStopImmediately = true;
    std::shared_ptr<AudioPlayer*> m_self = std::make_shared<AudioPlayer*>(this);
};
