#pragma once

#include "Platform/Time/Clock.h"

#include <cstdint>
#include <vector>

// A speaker that keeps what it played and when, for tests and for showing
// what a run without sound would have said.
class VirtualSpeaker {
public:
    struct Sound {
        Clock::Duration start {0};
        Clock::Duration end {0};
        int sampleRate = 0;
        int channels = 0;
        float volume = 1.0f;
        std::vector<std::int16_t> samples;  // interleaved
    };

    // Each stretch of continuous playback, in order.
    const std::vector<Sound>& playedSounds() const { return m_sounds; }
    std::vector<Sound>& sounds() { return m_sounds; }
    void clear() { m_sounds.clear(); }

private:
    std::vector<Sound> m_sounds;
};
