#include "Platform/Audio/Backends/VirtualAudioInput.h"

#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Audio/Backends/VirtualMicrophone.h"

VirtualAudioInput::VirtualAudioInput(
    const AudioStreamBasicDescription& format, Clock& clock, VirtualMicrophone& microphone)
    : m_rate(static_cast<int>(format.mSampleRate))
    , m_channels(static_cast<int>(std::max<std::uint32_t>(format.mChannelsPerFrame, 1)))
    , m_clock(clock)
    , m_microphone(microphone)
{
}

VirtualAudioInput::~VirtualAudioInput()
{
    if (m_started) {
        m_clock.cancel(m_tick);
        m_microphone.close();
    }
}

bool VirtualAudioInput::start(Delivery deliver)
{
    if (m_started || m_rate <= 0)
        return false;
    m_deliver = std::move(deliver);
    m_started = true;
    m_startTime = m_clock.now();
    m_delivered = 0;
    m_microphone.open();
    scheduleTick();
    return true;
}

void VirtualAudioInput::stop()
{
    if (!m_started)
        return;
    deliverDue();
    m_clock.cancel(m_tick);
    m_started = false;
    m_microphone.close();
}

void VirtualAudioInput::scheduleTick()
{
    m_tick = m_clock.schedule(VirtualAudioDevice::kTick, [this] {
        deliverDue();
        scheduleTick();
    });
}

void VirtualAudioInput::deliverDue()
{
    const auto elapsed = (m_clock.now() - m_startTime).count();
    const auto due = static_cast<std::size_t>(elapsed * static_cast<long long>(m_rate) / 1'000'000);
    if (due <= m_delivered)
        return;
    const std::vector<std::int16_t> mono = m_microphone.samples(m_rate, m_delivered, due - m_delivered);
    m_delivered = due;
    if (m_channels == 1) {
        m_deliver(mono);
        return;
    }
    std::vector<std::int16_t> interleaved;
    interleaved.reserve(mono.size() * static_cast<std::size_t>(m_channels));
    for (std::int16_t sample : mono)
        interleaved.insert(interleaved.end(), static_cast<std::size_t>(m_channels), sample);
    m_deliver(interleaved);
}
