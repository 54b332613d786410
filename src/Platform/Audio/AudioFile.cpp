#include "Platform/Audio/AudioFile.h"

#include "Platform/Audio/PcmBytes.h"

#include <sndfile.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Packets are converted through a buffer of this many at a time, so that a
// large read or write never needs a copy of the whole caller's buffer.
constexpr std::uint32_t kChunkPackets = 4096;

// libsndfile refuses more channels than this; checking first also keeps
// 2 × channels far from overflowing.
constexpr std::uint32_t kMaxChannels = 1024;

bool isBigEndian(const AudioStreamBasicDescription& format)
{
    return format.mFormatFlags & kAudioFormatFlagIsBigEndian;
}

// Interleaved 16-bit signed integers, one frame per packet, in either byte
// order. Any flag beyond those means a layout this class does not write.
bool isSixteenBitSignedPCM(const AudioStreamBasicDescription& format)
{
    constexpr std::uint32_t allowedFlags
        = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsBigEndian | kAudioFormatFlagIsPacked;
    const std::uint32_t channels = format.mChannelsPerFrame;
    return format.mFormatID == kAudioFormatLinearPCM && (format.mFormatFlags & kAudioFormatFlagIsSignedInteger)
        && !(format.mFormatFlags & ~allowedFlags) && format.mBitsPerChannel == 16 && channels >= 1
        && channels <= kMaxChannels && format.mFramesPerPacket == 1 && format.mBytesPerFrame == 2 * channels
        && format.mBytesPerPacket == 2 * channels;
}

// libsndfile keeps the sample rate as an int, so only whole rates survive
// the trip into the file's header. NaN fails every comparison.
bool isWholeSampleRate(double rate)
{
    return rate >= 1 && rate <= INT_MAX && rate == std::floor(rate);
}

}  // namespace

void AudioFile::SndfileCloser::operator()(SNDFILE* file) const
{
    sf_close(file);
}

AudioFile::AudioFile(
    SndfileHandle file, Access access, const AudioStreamBasicDescription& format, bool samplesAreShorts)
    : m_file(std::move(file))
    , m_access(access)
    , m_dataFormat(format)
    , m_samplesAreShorts(samplesAreShorts)
{
}

AudioFile::~AudioFile() = default;

std::unique_ptr<AudioFile> AudioFile::create(const std::string& path, const AudioStreamBasicDescription& format)
{
    if (!isSixteenBitSignedPCM(format) || !isWholeSampleRate(format.mSampleRate))
        return nullptr;
    SF_INFO info {};
    info.samplerate = static_cast<int>(format.mSampleRate);
    info.channels = static_cast<int>(format.mChannelsPerFrame);
    // The file keeps the caller's byte order, as the platform's file would.
    info.format = SF_FORMAT_CAF | SF_FORMAT_PCM_16 | (isBigEndian(format) ? SF_ENDIAN_BIG : SF_ENDIAN_LITTLE);
    SndfileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
        return nullptr;
    return std::unique_ptr<AudioFile>(new AudioFile(std::move(file), Access::Write, format, true));
}

std::unique_ptr<AudioFile> AudioFile::open(const std::string& path)
{
    SF_INFO info {};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file || info.channels < 1 || static_cast<std::uint32_t>(info.channels) > kMaxChannels || info.samplerate < 1)
        return nullptr;
    const auto format = linearPCM16(
        info.samplerate, static_cast<std::uint32_t>(info.channels), std::endian::native, PCMPacking::Packed);
    // libsndfile hands 16-bit PCM over as it is stored. It does not scale
    // float data into 16-bit values on its own, so every other encoding is
    // read as normalised floats and scaled here.
    const bool samplesAreShorts = (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16;
    std::unique_ptr<AudioFile> opened(new AudioFile(std::move(file), Access::Read, format, samplesAreShorts));
    opened->m_packetCount = info.frames;
    return opened;
}

// Seeks only when the packet is not where libsndfile already stands, which
// is the common case of packets read or written one run after another. A
// file being written may seek anywhere from 0 on, past its end included; a
// file being read only up to its end.
bool AudioFile::moveTo(std::int64_t packet)
{
    if (packet == m_position)
        return true;
    if (packet < 0 || sf_seek(m_file.get(), packet, SEEK_SET) != packet)
        return false;
    m_position = packet;
    return true;
}

std::uint32_t AudioFile::writePackets(std::int64_t start, std::uint32_t count, const void* data)
{
    if (!m_file || m_access != Access::Write || !data || count == 0 || !moveTo(start))
        return 0;
    const std::uint32_t channels = m_dataFormat.mChannelsPerFrame;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::vector<std::int16_t> samples(std::size_t {std::min(count, kChunkPackets)} * channels);
    std::uint32_t written = 0;
    while (written < count) {
        const std::uint32_t packets = std::min(count - written, kChunkPackets);
        const std::uint8_t* chunk = bytes + std::size_t {written} * m_dataFormat.mBytesPerPacket;
        const std::endian order = isBigEndian(m_dataFormat) ? std::endian::big : std::endian::little;
        for (std::size_t i = 0; i < std::size_t {packets} * channels; ++i)
            samples[i] = PcmBytes::sampleAt(chunk + 2 * i, order);
        const auto done = static_cast<std::uint32_t>(
            std::max<sf_count_t>(sf_writef_short(m_file.get(), samples.data(), packets), 0));
        written += done;
        m_position += done;
        if (done < packets)
            break;
    }
    return written;
}

std::uint32_t AudioFile::readShorts(std::uint32_t count, std::int16_t* samples)
{
    if (m_samplesAreShorts)
        return static_cast<std::uint32_t>(std::max<sf_count_t>(sf_readf_short(m_file.get(), samples, count), 0));
    std::vector<float> values(std::size_t {count} * m_dataFormat.mChannelsPerFrame);
    const sf_count_t got = std::max<sf_count_t>(sf_readf_float(m_file.get(), values.data(), count), 0);
    std::transform(
        values.begin(), values.begin() + got * m_dataFormat.mChannelsPerFrame, samples, PcmBytes::sampleFromFloat);
    return static_cast<std::uint32_t>(got);
}

std::uint32_t AudioFile::readPackets(std::int64_t start, std::uint32_t count, void* data, std::uint32_t* bytesRead)
{
    if (bytesRead)
        *bytesRead = 0;
    if (!m_file || m_access != Access::Read || !data || count == 0 || !moveTo(start))
        return 0;
    const std::uint32_t packetBytes = m_dataFormat.mBytesPerPacket;
    // The byte count must fit the caller's 32-bit answer.
    count = std::min(count, UINT32_MAX / packetBytes);
    auto* bytes = static_cast<std::uint8_t*>(data);
    // Samples land in an aligned buffer first: the caller's need not be.
    std::vector<std::int16_t> samples(std::size_t {std::min(count, kChunkPackets)} * m_dataFormat.mChannelsPerFrame);
    std::uint32_t read = 0;
    while (read < count) {
        const std::uint32_t packets = std::min(count - read, kChunkPackets);
        const std::uint32_t got = readShorts(packets, samples.data());
        std::memcpy(bytes + std::size_t {read} * packetBytes, samples.data(), std::size_t {got} * packetBytes);
        read += got;
        m_position += got;
        if (got < packets)
            break;
    }
    if (bytesRead)
        *bytesRead = read * packetBytes;
    return read;
}

// libsndfile writes the header's final frame count when the file is closed.
void AudioFile::close()
{
    m_file.reset();
}
