#include "Platform/Audio/Backends/VirtualAudioOutput.h"

#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Audio/Backends/VirtualSpeaker.h"

namespace {

// How far ahead of the playing position audio may be written.
constexpr Clock::Duration kAhead {100'000};

}  // namespace

VirtualAudioOutput::VirtualAudioOutput(const AudioStreamBasicDescription& format, Clock& clock, VirtualSpeaker& speaker)
    : m_rate(static_cast<int>(format.mSampleRate))
    , m_channels(static_cast<int>(std::max<std::uint32_t>(format.mChannelsPerFrame, 1)))
    , m_clock(clock)
    , m_speaker(speaker)
{
}

VirtualAudioOutput::~VirtualAudioOutput()
{
    stop();
}

bool VirtualAudioOutput::start(Notification wantsData, Notification idle)
{
    if (m_started || m_rate <= 0)
        return false;
    m_wantsData = std::move(wantsData);
    m_idle = std::move(idle);
    m_started = true;
    scheduleTick();
    return true;
}

Clock::Duration VirtualAudioOutput::durationOf(std::size_t frames) const
{
    return Clock::Duration(static_cast<long long>(frames) * 1'000'000 / m_rate);
}

std::size_t VirtualAudioOutput::framesFree() const
{
    if (!m_started)
        return 0;
    const Clock::Duration ahead
        = m_playing ? m_speaker.playedSounds()[m_sound].end - m_clock.now() : Clock::Duration(0);
    const Clock::Duration room = kAhead - std::max(ahead, Clock::Duration(0));
    return room.count() <= 0 ? 0 : static_cast<std::size_t>(room.count() * m_rate / 1'000'000);
}

void VirtualAudioOutput::write(std::span<const std::int16_t> samples)
{
    if (!m_started || samples.empty())
        return;
    std::vector<VirtualSpeaker::Sound>& sounds = m_speaker.sounds();
    if (!m_playing || m_sound >= sounds.size()) {
        // After a pause, or at first: a new stretch of sound begins now.
        sounds.push_back({m_clock.now(), m_clock.now(), m_rate, m_channels, m_volume, {}});
        m_sound = sounds.size() - 1;
        m_soundStart = m_clock.now();
        m_framesInSound = 0;
        m_playing = true;
    }
    VirtualSpeaker::Sound& sound = sounds[m_sound];
    sound.samples.insert(sound.samples.end(), samples.begin(), samples.end());
    sound.volume = m_volume;
    m_framesInSound += samples.size() / static_cast<std::size_t>(m_channels);
    sound.end = m_soundStart + durationOf(m_framesInSound);
    m_playingUntil = sound.end;

    m_clock.cancel(m_idleTimer);
    m_idleTimer = m_clock.schedule(m_playingUntil - m_clock.now(), [this] {
        m_playing = false;
        m_idle();
    });
}

void VirtualAudioOutput::stop()
{
    if (!m_started)
        return;
    m_started = false;
    m_clock.cancel(m_tick);
    m_clock.cancel(m_idleTimer);
    if (m_playing && m_sound < m_speaker.sounds().size()) {
        // What was not heard yet is dropped.
        VirtualSpeaker::Sound& sound = m_speaker.sounds()[m_sound];
        const Clock::Duration now = m_clock.now();
        if (now < sound.end) {
            const auto heard = static_cast<std::size_t>((now - m_soundStart).count() * m_rate / 1'000'000);
            sound.samples.resize(heard * static_cast<std::size_t>(m_channels));
            sound.end = now;
        }
    }
    m_playing = false;
}

void VirtualAudioOutput::scheduleTick()
{
    m_tick = m_clock.schedule(VirtualAudioDevice::kTick, [this] {
        scheduleTick();
        if (framesFree() > 0)
            m_wantsData();
    });
}
