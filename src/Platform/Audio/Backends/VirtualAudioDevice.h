#pragma once

#include "Platform/Audio/AudioDevice.h"
#include "Platform/Audio/Backends/VirtualMicrophone.h"
#include "Platform/Audio/Backends/VirtualSpeaker.h"

// A microphone fed from audio files and a speaker that logs what it played,
// both paced by a clock: with a virtual clock a test or a shell run records
// and plays seconds of audio in an instant.
class VirtualAudioDevice : public AudioDevice {
public:
    // Capture and playback advance in steps of this length.
    static constexpr Clock::Duration kTick {10'000};

    explicit VirtualAudioDevice(Clock& clock, QStringList utterances = {});

    std::unique_ptr<AudioInputStream> createInput(const AudioStreamBasicDescription& format) override;
    std::unique_ptr<AudioOutputStream> createOutput(const AudioStreamBasicDescription& format) override;
    Clock& clock() override { return m_clock; }
    bool hasInput() const override { return m_microphoneConnected; }

    // A device without a microphone, as on a desktop with none plugged in.
    void setMicrophoneConnected(bool connected) { m_microphoneConnected = connected; }

    VirtualMicrophone& microphone() { return m_microphone; }
    VirtualSpeaker& speaker() { return m_speaker; }
    const VirtualSpeaker& speaker() const { return m_speaker; }

private:
    Clock& m_clock;
    VirtualMicrophone m_microphone;
    VirtualSpeaker m_speaker;
    bool m_microphoneConnected = true;
};
