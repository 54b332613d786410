#include "Platform/Audio/Backends/VirtualAudioDevice.h"

#include "Platform/Audio/Backends/VirtualAudioInput.h"
#include "Platform/Audio/Backends/VirtualAudioOutput.h"

VirtualAudioDevice::VirtualAudioDevice(Clock& clock, QStringList utterances)
    : m_clock(clock)
    , m_microphone(std::move(utterances))
{
}

std::unique_ptr<AudioInputStream> VirtualAudioDevice::createInput(const AudioStreamBasicDescription& format)
{
    return std::make_unique<VirtualAudioInput>(format, m_clock, m_microphone);
}

std::unique_ptr<AudioOutputStream> VirtualAudioDevice::createOutput(const AudioStreamBasicDescription& format)
{
    return std::make_unique<VirtualAudioOutput>(format, m_clock, m_speaker);
}
