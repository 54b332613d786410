#pragma once

#include "Platform/Audio/AudioDevice.h"

#include <QAudioFormat>
#include <QElapsedTimer>
#include <memory>

class QAudioSink;
class QIODevice;
class QTimer;

// Playback on the system's default speaker. Audio is pushed to the sound
// server as room frees up; the stream counts as idle once the server's
// playing position has passed everything written, which is looked at every
// ten milliseconds. A stream that has not taken and played what it was given
// two seconds after that sound's length has stalled: it is logged once,
// counted as played out, and takes everything written after it at once, so
// that a dialogue goes on.
class SystemAudioOutput : public AudioOutputStream {
public:
    explicit SystemAudioOutput(const AudioStreamBasicDescription& format);
    ~SystemAudioOutput() override;

    bool start(Notification wantsData, Notification idle) override;
    std::size_t framesFree() const override;
    void write(std::span<const std::int16_t> samples) override;
    void drain() override;
    void setVolume(float volume) override;
    void stop() override;

private:
    void checkIdle();
    bool stalled() const;
    void giveUp();

    QAudioFormat m_format;
    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<QTimer> m_poll;
    QIODevice* m_io = nullptr;
    Notification m_wantsData;
    Notification m_idle;
    qint64 m_framesWritten = 0;
    QElapsedTimer m_sinceFirstWrite;
    bool m_idleReported = true;
    bool m_dead = false;
    float m_volume = 1.0f;
};
