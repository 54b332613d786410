#include "Platform/Audio/Backends/SystemAudioOutput.h"

#include "Platform/System/Log.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

namespace {

// How often room in the server's buffer is looked for.
constexpr int kPollMilliseconds = 10;
// The server's buffer: long enough to ride out a busy main thread, short
// enough that a short sound starts at once.
constexpr qint64 kBufferMicroseconds = 80'000;
// How long past its length a sound may take before the output is taken
// for dead: more than a busy phone delays a sound, less than a user waits.
constexpr qint64 kWatchdogMicroseconds = 2'000'000;
// What a dead output takes at a time: whatever it is given.
constexpr std::size_t kDeadOutputRoom = 1 << 20;

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
        if (!m_dead && stalled())
            giveUp();
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
    if (m_dead)
        return kDeadOutputRoom;
    return static_cast<std::size_t>(m_sink->bytesFree() / m_format.bytesPerFrame());
}

void SystemAudioOutput::write(std::span<const std::int16_t> samples)
{
    if (!m_io || samples.empty())
        return;
    if (m_framesWritten == 0)
        m_sinceFirstWrite.start();
    if (!m_dead)
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
    if (!m_io || m_idleReported || m_dead || m_sink->processedUSecs() > 0)
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
    if (!playedOut && m_sink->state() != QAudio::IdleState && !m_dead)
        return;
    m_idleReported = true;
    m_idle();
}

bool SystemAudioOutput::stalled() const
{
    if (!m_io || m_framesWritten == 0)
        return false;
    // A server that plays takes what it was given within the sound's length;
    // one that still holds some of it back, or takes nothing more, long
    // after that has stopped: a device unplugged or suspended, the server
    // gone, with or without telling.
    const qint64 length = m_format.durationForFrames(m_framesWritten);
    if (m_sinceFirstWrite.nsecsElapsed() / 1000 <= length + kWatchdogMicroseconds)
        return false;
    return m_sink->processedUSecs() < length || m_sink->bytesFree() == 0;
}

void SystemAudioOutput::giveUp()
{
    // What is left counts as played, and so does whatever this output is
    // given from now on, so that nobody waits for the end of the sound.
    Log::write(QStringLiteral("ERROR sound output stalled: ended the sound %1 s after its length")
                   .arg(static_cast<double>(kWatchdogMicroseconds) / 1e6));
    m_dead = true;
    m_idleReported = false;
}
