#include "Platform/Audio/AudioFile.h"

#include "Platform/Audio/PcmBytes.h"
#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <tuple>

namespace {

using Samples = std::vector<std::int16_t>;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kAudioFormatMPEG4AAC = 0x61616320;  // 'aac '
constexpr auto kSampleFileFormat = linearPCM16(44100, 1, std::endian::little, PCMPacking::Packed);

// Whether the file ends with these bytes: libsndfile puts the data last.
bool endsWith(const std::string& path, const Bytes& bytes)
{
    std::ifstream in(path, std::ios::binary);
    const Bytes file {std::istreambuf_iterator<char>(in), {}};
    return file.size() >= bytes.size() && std::equal(bytes.begin(), bytes.end(), file.end() - bytes.size());
}

// Every sample, read `chunk` packets at a time.
Samples readAll(AudioFile& file, std::uint32_t chunk = 4096)
{
    const std::uint32_t channels = file.dataFormat().mChannelsPerFrame;
    Samples all, buffer(std::size_t {chunk} * channels);
    std::int64_t start = 0;
    std::uint32_t bytes = 0;
    while (std::uint32_t got = file.readPackets(start, chunk, buffer.data(), &bytes)) {
        EXPECT_EQ(bytes, got * 2 * channels);
        all.insert(all.end(), buffer.begin(), buffer.begin() + got * channels);
        start += got;
    }
    return all;
}

class AudioFileTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    TemporaryDirectory m_folder;
};

TEST_F(AudioFileTest, ARecordingWrittenInBuffersReadsBackAsTheSameCafFile)
{
    const Samples samples = TestData::nonzeroNoise(88200);
    const Bytes bytes = PcmBytes::fromSamples(samples, std::endian::little);
    auto recording = AudioFile::create(path("sample1.aif"), kSampleFileFormat);
    ASSERT_TRUE(recording);
    for (std::uint32_t packet = 0; packet < 88200; packet += 32768) {  // 65536-byte buffers, the last one partly full
        const auto count = std::min<std::uint32_t>(32768, 88200 - packet);
        ASSERT_EQ(recording->writePackets(packet, count, bytes.data() + 2 * packet), count);
    }
    recording->close();

    SF_INFO info {};
    sf_close(sf_open(path("sample1.aif").c_str(), SFM_READ, &info));
    EXPECT_EQ(info.format & ~SF_FORMAT_ENDMASK, SF_FORMAT_CAF | SF_FORMAT_PCM_16);
    EXPECT_EQ(std::tuple(info.frames, info.samplerate, info.channels), std::tuple(88200, 44100, 1));
    EXPECT_TRUE(endsWith(path("sample1.aif"), Bytes(bytes.end() - 64, bytes.end())));

    auto player = AudioFile::open(path("sample1.aif"));
    ASSERT_TRUE(player);
    EXPECT_EQ(player->dataFormat(), linearPCM16(44100, 1, std::endian::native, PCMPacking::Packed));
    EXPECT_EQ(player->packetSizeUpperBound(), 2u);
    Samples chunk(22050);
    for (std::int64_t start : {0, 22050, 44100, 66150, 66150}) {  // the last chunk twice, as when replayed
        EXPECT_EQ(player->readPackets(start, 22050, chunk.data()), 22050u);
        EXPECT_TRUE(std::equal(chunk.begin(), chunk.end(), samples.begin() + start)) << start;
    }
    std::uint32_t bytesRead = 1;
    EXPECT_EQ(player->readPackets(88200, 22050, chunk.data(), &bytesRead), 0u);
    EXPECT_EQ(bytesRead, 0u);
}

TEST_F(AudioFileTest, BigEndianStereoIsStoredBigEndianAndReadBackNative)
{
    const Samples samples = TestData::nonzeroNoise(5000);
    const Bytes bytes = PcmBytes::fromSamples(samples, std::endian::big);
    auto file = AudioFile::create(path("big.caf"), linearPCM16(8000, 2, std::endian::big, PCMPacking::Unpacked));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->packetSizeUpperBound(), 4u);
    EXPECT_EQ(file->writePackets(0, 2500, bytes.data()), 2500u);
    file.reset();

    EXPECT_TRUE(endsWith(path("big.caf"), Bytes(bytes.end() - 64, bytes.end())));
    auto reopened = AudioFile::open(path("big.caf"));
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->dataFormat(), linearPCM16(8000, 2, std::endian::native, PCMPacking::Packed));
    EXPECT_EQ(readAll(*reopened, 333), samples);
}

TEST_F(AudioFileTest, WritesReplaceTheOldFileAndLandAtTheirPacketIndex)
{
    std::ofstream(path("old.caf")) << std::string(100000, 'x');
    auto file = AudioFile::create(path("old.caf"), kSampleFileFormat);
    ASSERT_TRUE(file);
    auto write = [&](std::int64_t start, std::size_t count, std::int16_t value) {
        return file->writePackets(
            start, count, PcmBytes::fromSamples(Samples(count, value), std::endian::little).data());
    };
    EXPECT_EQ(write(0, 100, 1), 100u);
    EXPECT_EQ(write(0, 50, 2), 50u);  // a recording restarted on the same file
    EXPECT_EQ(write(150, 10, 3), 10u);
    EXPECT_EQ(write(-1, 10, 4), 0u);
    file->close();
    file->close();
    EXPECT_FALSE(file->isOpen());
    EXPECT_EQ(write(160, 10, 4), 0u);

    Samples expected(50, 2);
    expected.resize(100, 1);
    expected.resize(150, 0);
    expected.resize(160, 3);
    auto reopened = AudioFile::open(path("old.caf"));
    ASSERT_TRUE(reopened);
    EXPECT_EQ(readAll(*reopened), expected);
    EXPECT_EQ(reopened->writePackets(0, 1, expected.data()), 0u);
    reopened->close();
    EXPECT_EQ(reopened->readPackets(0, 1, expected.data()), 0u);
}

TEST_F(AudioFileTest, RefusesFormatsOtherThanSixteenBitSignedIntegersAndUnreadableFiles)
{
    auto changed = [](auto change) {
        auto format = kSampleFileFormat;
        change(format);
        return format;
    };
    for (const auto& format : {changed([](auto& f) { f.mFormatFlags |= kAudioFormatFlagIsFloat; }),
             changed([](auto& f) { f.mBitsPerChannel = 8, f.mBytesPerFrame = f.mBytesPerPacket = 1; }),
             changed([](auto& f) { f.mFormatID = kAudioFormatMPEG4AAC; }),
             changed([](auto& f) { f.mBytesPerPacket = 4; }), changed([](auto& f) { f.mSampleRate = 44100.5; }),
             linearPCM16(44100, 0, std::endian::little, PCMPacking::Packed)})
        EXPECT_FALSE(AudioFile::create(path("refused.caf"), format)) << format.mFormatFlags;
    EXPECT_FALSE(std::filesystem::exists(path("refused.caf")));
    EXPECT_FALSE(AudioFile::create(path("missing/folder.caf"), kSampleFileFormat));

    std::ofstream(path("garbage.caf")) << "caff, or so it says";
    std::ofstream(path("empty.caf"));
    for (const char* name : {"missing.caf", "garbage.caf", "empty.caf"})
        EXPECT_FALSE(AudioFile::open(path(name))) << name;
}

TEST_F(AudioFileTest, OtherFilesOpenAsNativeSixteenBitFramesAtTheirOwnRateAndChannels)
{
    const Samples samples = TestData::nonzeroNoise(3000);
    std::vector<float> floats(samples.begin(), samples.end());
    std::for_each(floats.begin(), floats.end(), [](float& value) { value /= 32768; });
    for (auto [format, rate, channels] : {std::tuple(SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 8000, 2),
             std::tuple(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 16000, 1)}) {
        SF_INFO info {0, rate, channels, format, 0, 0};
        SNDFILE* out = sf_open(path("in").c_str(), SFM_WRITE, &info);
        ASSERT_TRUE(out) << sf_strerror(nullptr);
        const sf_count_t frames = samples.size() / channels;
        if ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT)
            sf_writef_float(out, floats.data(), frames);
        else
            sf_writef_short(out, samples.data(), frames);
        sf_close(out);

        auto file = AudioFile::open(path("in"));
        ASSERT_TRUE(file);
        EXPECT_EQ(file->dataFormat(), linearPCM16(rate, channels, std::endian::native, PCMPacking::Packed));
        EXPECT_EQ(readAll(*file, 64), samples) << std::hex << format;
    }
}

}  // namespace
