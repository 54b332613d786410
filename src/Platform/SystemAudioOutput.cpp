#include "Platform/SystemAudioOutput.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

namespace {

// How often room in the server's buffer is looked for.
constexpr int kPollMilliseconds = 10;
// The server's buffer: long enough to ride out a busy main thread, short
// enough that a short sound starts at once.
constexpr qint64 kBufferMicroseconds = 80'000;

}  // namespace

SystemAudioOutput::SystemAudioOutput(const AudioStreamBasicDescription& format)
{
    m_format.setSampleRate(static_cast<int>(format.mSampleRate));
    m_format.setChannelCount(static_cast<int>(format.mChannelsPerFrame));
    m_format.setSampleFormat(QAudioFormat::Int16);
}

SystemAudioOutput::~SystemAudioOutput()
{
    stop();
}

bool SystemAudioOutput::start(Notification wantsData, Notification idle)
{
    m_wantsData = std::move(wantsData);
    m_idle = std::move(idle);
    m_sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), m_format);
    m_sink->setVolume(m_volume);
    m_sink->setBufferSize(m_format.bytesForDuration(kBufferMicroseconds));
    m_io = m_sink->start();
    if (!m_io || m_sink->error() != QAudio::NoError) {
        m_io = nullptr;
        return false;
    }
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, m_sink.get(), [this] { checkIdle(); });
    m_poll = std::make_unique<QTimer>();
    m_poll->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_poll.get(), &QTimer::timeout, m_poll.get(), [this] {
        if (framesFree() > 0)
            m_wantsData();
        checkIdle();
    });
    m_poll->start(kPollMilliseconds);
    return true;
}

std::size_t SystemAudioOutput::framesFree() const
{
    if (!m_io)
        return 0;
    return static_cast<std::size_t>(m_sink->bytesFree() / m_format.bytesPerFrame());
}

void SystemAudioOutput::write(std::span<const std::int16_t> samples)
{
    if (!m_io || samples.empty())
        return;
    m_io->write(reinterpret_cast<const char*>(samples.data()), static_cast<qint64>(samples.size_bytes()));
    m_framesWritten += static_cast<qint64>(samples.size()) / m_format.channelCount();
    m_idleReported = false;
}

void SystemAudioOutput::drain()
{
    // The server starts a stream only once its buffer holds enough; a sound
    // too short for that, not started yet, would wait. Silence after it fills
    // the buffer, and the end of the sound is still found by the count of
    // frames written.
    if (!m_io || m_idleReported || m_sink->processedUSecs() > 0)
        return;
    const QByteArray silence(m_sink->bytesFree() / m_format.bytesPerFrame() * m_format.bytesPerFrame(), '\0');
    m_io->write(silence);
}

void SystemAudioOutput::setVolume(float volume)
{
    m_volume = volume;
    if (m_sink)
        m_sink->setVolume(volume);
}

void SystemAudioOutput::stop()
{
    if (m_poll)
        m_poll->stop();
    if (m_sink)
        m_sink->stop();
    m_io = nullptr;
}

void SystemAudioOutput::checkIdle()
{
    if (m_idleReported || !m_io)
        return;
    // Played out: the server's playing position has reached the end of what
    // was written, or it ran dry. It does not always say the latter for a
    // sound shorter than its buffer, so the position is what counts first.
    const bool playedOut = m_sink->processedUSecs() >= m_format.durationForFrames(m_framesWritten);
    if (!playedOut && m_sink->state() != QAudio::IdleState)
        return;
    m_idleReported = true;
    m_idle();
}
