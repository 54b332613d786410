#pragma once

#include "Platform/Audio/AudioDevice.h"
#include "Platform/Time/Clock.h"

class VirtualMicrophone;

// Capture from the virtual microphone, delivered every tick of the clock:
// exactly as many samples as the time since the start holds.
class VirtualAudioInput : public AudioInputStream {
public:
    VirtualAudioInput(const AudioStreamBasicDescription& format, Clock& clock, VirtualMicrophone& microphone);
    ~VirtualAudioInput() override;

    bool start(Delivery deliver) override;
    void stop() override;

private:
    void deliverDue();
    void scheduleTick();

    int m_rate;
    int m_channels;
    Clock& m_clock;
    VirtualMicrophone& m_microphone;
    Delivery m_deliver;
    bool m_started = false;
    Clock::Duration m_startTime {0};
    std::size_t m_delivered = 0;  // frames
    Clock::TimerId m_tick = 0;
};
