#include "AudioManagers/AudioPlayer.h"

#include "DataModel/ZRSample.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/Log.h"
#include "Platform/Time/Clock.h"

#include <QFile>
#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint32_t kMaxBufferBytes = 0x10000;
constexpr std::uint32_t kMinBufferBytes = 0x4000;

}  // namespace

AudioPlayer::AudioPlayer(AudioDevice& device)
    : AudioQueueObject(device)
{
}

AudioPlayer::~AudioPlayer()
{
    m_queueObject.reset();
}

void AudioPlayer::playCommandSample(const ZRSample& sample)
{
    if (!m_donePlayingFile) {
        Log::write(QStringLiteral("ERROR AudioPlayer:playCommandSample: still playing previous sample"));
        return;
    }
    const QString path = sample.filePath();
    if (!path.isNull() && QFile::exists(path)) {
        playFileWithURL(path);
    } else {
        Log::write(QStringLiteral("ERROR soundfile not available"));
        completeAtOnce();
    }
}

void AudioPlayer::playSystemSample(int number)
{
    if (!m_donePlayingFile) {
        Log::write(QStringLiteral("ERROR AudioPlayer:playSystemSample: still playing previous sample"));
        return;
    }
    if (number < 0 || number >= static_cast<int>(kSystemSamples.size())) {
        Log::write(QStringLiteral("ERROR AudioPlayer:playSystemSample: system sample type not recognized"));
        completeAtOnce();
        return;
    }
    const QString path = BundleResources::pathForResource(QString::fromLatin1(kSystemSamples[number]), "caf");
    if (!path.isNull() && QFile::exists(path)) {
        playFileWithURL(path);
    } else {
        Log::write(QStringLiteral("ERROR soundfile not available"));
        completeAtOnce();
    }
}

void AudioPlayer::completeAtOnce()
{
    std::weak_ptr<AudioPlayer*> self = m_self;
    m_device.clock().schedule(Clock::Duration(0), [self] {
        if (const auto player = self.lock())
            (*player)->sendStopEvent();
    });
}

void AudioPlayer::playFileWithURL(const QString& path)
{
    setupURLRefForFileURL(path);
    openPlaybackFile();
    if (!m_audioFileID) {
        // There, but not readable as sound (cut short, damaged): it ends
        // like a missing file, so that whoever waits for it goes on.
        Log::write(QStringLiteral("ERROR soundfile not available"));
        completeAtOnce();
        return;
    }
    setupPlaybackAudioQueueObject();
    m_donePlayingFile = false;
    m_audioPlayerShouldStopImmediately = false;
    play();
}

void AudioPlayer::setupURLRefForFileURL(const QString& path)
{
    m_audioFileURL = path;
}

void AudioPlayer::openPlaybackFile()
{
    m_audioFileID = AudioFile::open(QFile::encodeName(m_audioFileURL).toStdString());
    if (m_audioFileID)
        m_audioFormat = m_audioFileID->dataFormat();
}

void AudioPlayer::setupPlaybackAudioQueueObject()
{
    m_queueObject = AudioQueue::newOutput(
        m_audioFormat, [this](AudioQueue& queue, AudioQueueBuffer* buffer) { playbackCallback(queue, buffer); },
        m_device);
    m_gain = 1.0f;
    m_queueObject->setVolume(m_gain);
    m_queueObject->addIsRunningListener([this](AudioQueue& queue) { propertyListenerCallback(queue); });
}

void AudioPlayer::play()
{
    setupAudioQueueBuffers();
    m_queueObject->start();
}

void AudioPlayer::setupAudioQueueBuffers()
{
    calculateSizesFor(kSecondsPerBuffer);
    // Primed before the queue starts; a short file may need only one buffer.
    for (AudioQueueBuffer*& buffer : m_buffers) {
        buffer = m_queueObject->allocateBuffer(m_bufferByteSize);
        playbackCallback(*m_queueObject, buffer);
        if (m_donePlayingFile)
            break;
    }
}

AudioPlayer::BufferSizes AudioPlayer::sizesFor(
    const AudioStreamBasicDescription& format, std::uint32_t maxPacketSize, double seconds)
{
    std::uint32_t bufferByteSize = 0;
    if (format.mFramesPerPacket != 0) {
        const double packetsForTime = format.mSampleRate / format.mFramesPerPacket * seconds;
        // A file's header may give any rate: bytes beyond 32 bits are cut
        // to the largest buffer below like any others, not converted.
        const double bytesForTime = packetsForTime * maxPacketSize;
        bufferByteSize = bytesForTime > 0 ? static_cast<std::uint32_t>(std::min(bytesForTime, double {UINT32_MAX})) : 0;
    } else {
        bufferByteSize = std::max(maxPacketSize, kMaxBufferBytes);
    }
    if (bufferByteSize > kMaxBufferBytes && bufferByteSize > maxPacketSize)
        bufferByteSize = kMaxBufferBytes;
    else if (bufferByteSize < kMinBufferBytes)
        bufferByteSize = kMinBufferBytes;
    // A file without a packet size has nothing to read.
    return {bufferByteSize, maxPacketSize == 0 ? 0 : bufferByteSize / maxPacketSize};
}

void AudioPlayer::calculateSizesFor(double seconds)
{
    const std::uint32_t maxPacketSize = m_audioFileID ? m_audioFileID->packetSizeUpperBound() : 0;
    const BufferSizes sizes = sizesFor(m_audioFormat, maxPacketSize, seconds);
    m_bufferByteSize = sizes.bufferByteSize;
    m_numPacketsToRead = sizes.numPacketsToRead;
}

void AudioPlayer::stop()
{
    if (m_audioFileID)
        m_audioFileID->close();
    if (m_queueObject)
        m_queueObject->stop(m_audioPlayerShouldStopImmediately);
}

void AudioPlayer::playbackCallback(AudioQueue& queue, AudioQueueBuffer* buffer)
{
    if (m_donePlayingFile)
        return;
    // A file that could not be opened, or was closed by an early stop, is
    // never read: it counts as ended.
    std::uint32_t bytes = 0;
    std::uint32_t packets = 0;
    if (m_audioFileID && m_audioFileID->isOpen() && m_numPacketsToRead > 0)
        packets
            = m_audioFileID->readPackets(m_startingPacketNumber, m_numPacketsToRead, buffer->mAudioData.data(), &bytes);
    if (packets > 0) {
        buffer->mAudioDataByteSize = bytes;
        queue.enqueueBuffer(buffer);
        m_startingPacketNumber += packets;
        return;
    }
    m_donePlayingFile = true;
    if (!m_audioPlayerShouldStopImmediately)
        stop();
}

void AudioPlayer::propertyListenerCallback(AudioQueue&)
{
    if (isRunning())
        return;
    sendStopEvent();
}
