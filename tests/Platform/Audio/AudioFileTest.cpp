#include "Platform/Audio/AudioFile.h"

#include "Platform/Audio/PcmBytes.h"
#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <fstream>
#include <iterator>
#include <tuple>

namespace {

using Samples = std::vector<std::int16_t>;
using Bytes = std::vector<std::uint8_t>;

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

TEST_F(AudioFileTest, ARecordingWrittenInBuffersIsACafFileInItsByteOrderAndReadsBackNative)
{
    // The sample files' format, and big-endian stereo as the engine's queue has it.
    for (const auto& [format, order, rate, channels] : {std::tuple(kSampleFileFormat, std::endian::little, 44100, 1u),
             std::tuple(linearPCM16(8000, 2, std::endian::big, PCMPacking::Unpacked), std::endian::big, 8000, 2u)}) {
        SCOPED_TRACE(channels);
        const Samples samples = TestData::nonzeroNoise(44100 * channels * 2);
        const Bytes bytes = PcmBytes::fromSamples(samples, order);
        const auto packets = static_cast<std::uint32_t>(samples.size() / channels);
        auto recording = AudioFile::create(path("sample1.aif"), format);
        ASSERT_TRUE(recording);
        EXPECT_EQ(recording->packetSizeUpperBound(), 2 * channels);
        for (std::uint32_t packet = 0; packet < packets; packet += 32768) {  // the last buffer partly full
            const auto count = std::min<std::uint32_t>(32768, packets - packet);
            ASSERT_EQ(recording->writePackets(packet, count, bytes.data() + 2 * channels * packet), count);
        }
        recording.reset();

        SF_INFO info {};
        sf_close(sf_open(path("sample1.aif").c_str(), SFM_READ, &info));
        EXPECT_EQ(info.format & ~SF_FORMAT_ENDMASK, SF_FORMAT_CAF | SF_FORMAT_PCM_16);
        EXPECT_EQ(std::tuple(info.frames, info.samplerate, info.channels), std::tuple(packets, rate, int(channels)));
        EXPECT_TRUE(endsWith(path("sample1.aif"), Bytes(bytes.end() - 64, bytes.end())));

        auto player = AudioFile::open(path("sample1.aif"));
        ASSERT_TRUE(player);
        EXPECT_EQ(player->dataFormat(), linearPCM16(rate, channels, std::endian::native, PCMPacking::Packed));
        EXPECT_EQ(readAll(*player, 22050), samples);
        Samples again(100 * channels);  // back to a packet already read, as when replayed
        EXPECT_EQ(player->readPackets(packets - 100, 100, again.data()), 100u);
        EXPECT_TRUE(std::equal(again.begin(), again.end(), samples.end() - again.size()));
    }
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

TEST_F(AudioFileTest, OnlySixteenBitSignedIntegersAreWrittenAndAnyReadableFileOpensAtItsOwnRateAndChannels)
{
    auto refused = kSampleFileFormat, aac = kSampleFileFormat;
    refused.mFormatFlags |= kAudioFormatFlagIsFloat;
    aac.mFormatID = 0x61616320;  // 'aac '
    for (const auto& format : {refused, aac, linearPCM16(44100, 0, std::endian::little, PCMPacking::Packed)})
        EXPECT_FALSE(AudioFile::create(path("refused.caf"), format)) << format.mFormatFlags;
    EXPECT_FALSE(std::filesystem::exists(path("refused.caf")));
    EXPECT_FALSE(AudioFile::create(path("missing/folder.caf"), kSampleFileFormat));
    std::ofstream(path("garbage.caf")) << "caff, or so it says";
    for (const char* name : {"missing.caf", "garbage.caf"})
        EXPECT_FALSE(AudioFile::open(path(name))) << name;

    // Stereo AIFF, as another program may write it (what is not 16-bit PCM
    // is read alike by the player and the decoder: fuzz/AudioFileFuzzer.cpp).
    const Samples samples = TestData::nonzeroNoise(3000);
    SF_INFO info {0, 8000, 2, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 0, 0};
    SNDFILE* out = sf_open(path("in").c_str(), SFM_WRITE, &info);
    ASSERT_TRUE(out) << sf_strerror(nullptr);
    sf_writef_short(out, samples.data(), 1500);
    sf_close(out);
    auto file = AudioFile::open(path("in"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->dataFormat(), linearPCM16(8000, 2, std::endian::native, PCMPacking::Packed));
    EXPECT_EQ(readAll(*file, 64), samples);
}

}  // namespace
