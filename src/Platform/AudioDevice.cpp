#include "Platform/AudioDevice.h"

#include <stdexcept>

namespace {

AudioDevice* currentDevice = nullptr;

}  // namespace

AudioDevice& AudioDevice::current()
{
    if (!currentDevice)
        throw std::logic_error("no audio device has been chosen");
    return *currentDevice;
}

void AudioDevice::setCurrent(AudioDevice* device)
{
    currentDevice = device;
}
