#include "Platform/Audio/Backends/SystemAudioDevice.h"

#include "Platform/Audio/Backends/SystemAudioInput.h"
#include "Platform/Audio/Backends/SystemAudioOutput.h"

#include <QAudioDevice>
#include <QMediaDevices>

SystemAudioDevice::SystemAudioDevice(Clock& clock)
    : m_clock(clock)
{
}

std::unique_ptr<AudioInputStream> SystemAudioDevice::createInput(const AudioStreamBasicDescription& format)
{
    return std::make_unique<SystemAudioInput>(format);
}

std::unique_ptr<AudioOutputStream> SystemAudioDevice::createOutput(const AudioStreamBasicDescription& format)
{
    return std::make_unique<SystemAudioOutput>(format);
}

bool SystemAudioDevice::hasInput() const
{
    return !QMediaDevices::audioInputs().isEmpty();
}

bool SystemAudioDevice::hasOutput() const
{
    return !QMediaDevices::audioOutputs().isEmpty();
}
