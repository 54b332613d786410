#include "Platform/Audio/Backends/SystemAudioInput.h"

#include <QAudioSource>
#include <QMediaDevices>
#include <cstring>
#include <vector>

SystemAudioInput::SystemAudioInput(const AudioStreamBasicDescription& format)
{
    m_format.setSampleRate(static_cast<int>(format.mSampleRate));
    m_format.setChannelCount(static_cast<int>(format.mChannelsPerFrame));
    m_format.setSampleFormat(QAudioFormat::Int16);
}

SystemAudioInput::~SystemAudioInput()
{
    if (m_source)
        m_source->stop();
}

bool SystemAudioInput::start(Delivery deliver)
{
    m_deliver = std::move(deliver);
    m_source = std::make_unique<QAudioSource>(QMediaDevices::defaultAudioInput(), m_format);
    m_io = m_source->start();
    if (!m_io || m_source->error() != QAudio::NoError) {
        m_io = nullptr;
        return false;
    }
    QObject::connect(m_io, &QIODevice::readyRead, m_source.get(), [this] { readAvailable(); });
    return true;
}

void SystemAudioInput::stop()
{
    if (!m_io)
        return;
    readAvailable();
    m_source->stop();
    m_io = nullptr;
}

void SystemAudioInput::readAvailable()
{
    if (!m_io)
        return;
    m_pending += m_io->readAll();
    const qsizetype whole = m_pending.size() / 2 * 2;
    if (whole == 0)
        return;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(whole / 2));
    std::memcpy(samples.data(), m_pending.constData(), static_cast<std::size_t>(whole));
    m_pending.remove(0, whole);
    m_deliver(samples);
}
