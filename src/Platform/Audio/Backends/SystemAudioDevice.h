#pragma once

#include "Platform/Audio/AudioDevice.h"

// The system's microphone and speaker through Qt Multimedia, that is the
// sound server (PipeWire or PulseAudio). The server converts rates, so a
// queue gets exactly the rate it asks for.
class SystemAudioDevice : public AudioDevice {
public:
    explicit SystemAudioDevice(Clock& clock);

    std::unique_ptr<AudioInputStream> createInput(const AudioStreamBasicDescription& format) override;
    std::unique_ptr<AudioOutputStream> createOutput(const AudioStreamBasicDescription& format) override;
    Clock& clock() override { return m_clock; }
    bool hasInput() const override;
    bool hasOutput() const override;

private:
    Clock& m_clock;
};
