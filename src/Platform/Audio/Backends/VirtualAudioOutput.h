#pragma once

#include "Platform/Audio/AudioDevice.h"
#include "Platform/Time/Clock.h"

class VirtualSpeaker;

// Playback on the virtual speaker: written audio plays back to back in
// clock time, up to a tenth of a second ahead; the stream turns idle at the
// exact moment its last written sample has played.
class VirtualAudioOutput : public AudioOutputStream {
public:
    VirtualAudioOutput(const AudioStreamBasicDescription& format, Clock& clock, VirtualSpeaker& speaker);
    ~VirtualAudioOutput() override;

    bool start(Notification wantsData, Notification idle) override;
    std::size_t framesFree() const override;
    void write(std::span<const std::int16_t> samples) override;
    void drain() override { }
    void setVolume(float volume) override { m_volume = volume; }
    void stop() override;

private:
    Clock::Duration durationOf(std::size_t frames) const;
    void scheduleTick();

    int m_rate;
    int m_channels;
    Clock& m_clock;
    VirtualSpeaker& m_speaker;
    Notification m_wantsData;
    Notification m_idle;
    bool m_started = false;
    float m_volume = 1.0f;
    std::size_t m_sound = 0;  // index of the current sound in the speaker's log
    bool m_playing = false;   // whether the current sound is still playing
    std::size_t m_framesInSound = 0;
    Clock::Duration m_soundStart {0};
    Clock::Duration m_playingUntil {0};  // when the last written sample has played
    Clock::TimerId m_tick = 0;
    Clock::TimerId m_idleTimer = 0;
};
