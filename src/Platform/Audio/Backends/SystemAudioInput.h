#pragma once

#include "Platform/Audio/AudioDevice.h"

#include <QAudioFormat>
#include <QByteArray>
#include <memory>

class QAudioSource;
class QIODevice;

// Capture from the system's default microphone.
class SystemAudioInput : public AudioInputStream {
public:
    explicit SystemAudioInput(const AudioStreamBasicDescription& format);
    ~SystemAudioInput() override;

    bool start(Delivery deliver) override;
    void stop() override;

private:
    void readAvailable();

    QAudioFormat m_format;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice* m_io = nullptr;
    Delivery m_deliver;
    QByteArray m_pending;  // an odd byte waiting for its partner
};
