// The sample files (16-bit CAF, written and read back by AudioFile) and the
// decoder that reads any sound file libsndfile knows at the rate asked for.

#include "Platform/Audio/AudioFile.h"

#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/Audio/PcmBytes.h"
#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>

namespace {

using Samples = std::vector<std::int16_t>;
using Bytes = std::vector<std::uint8_t>;

constexpr auto kSampleFileFormat = linearPCM16(44100, 1, std::endian::little, PCMPacking::Packed);

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

    // Writes interleaved frames with libsndfile; returns the file's path.
    template <typename Sample>
    std::string write(const std::string& name, int format, int rate, int channels, const std::vector<Sample>& data)
    {
        SF_INFO info {0, rate, channels, format, 0, 0};
        SNDFILE* file = sf_open(path(name).c_str(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
        if constexpr (std::is_same_v<Sample, float>)
            sf_writef_float(file, data.data(), static_cast<sf_count_t>(data.size() / channels));
        else
            sf_writef_short(file, data.data(), static_cast<sf_count_t>(data.size() / channels));
        sf_close(file);
        return path(name);
    }

    TemporaryDirectory m_folder;
};

TEST_F(AudioFileTest, SixteenBitRecordingsAreWrittenAsCafInTheirByteOrderAndAnyReadableFileReadsBackNative)
{
    // The sample files' format, and big-endian stereo as the engine's queue has it.
    for (const auto& [format, order, rate, channels] : {std::tuple(kSampleFileFormat, std::endian::little, 44100, 1u),
             std::tuple(linearPCM16(8000, 2, std::endian::big, PCMPacking::Unpacked), std::endian::big, 8000, 2u)}) {
        SCOPED_TRACE(channels);
        const Samples samples = TestData::nonzeroNoise(44100 * channels * 2);
        const Bytes bytes = PcmBytes::fromSamples(samples, order);
        const auto packets = static_cast<std::uint32_t>(samples.size() / channels);
        std::ofstream(path("sample1.aif"), std::ios::app) << std::string(500000, 'x');  // an old file, replaced
        auto recording = AudioFile::create(path("sample1.aif"), format);
        ASSERT_TRUE(recording);
        EXPECT_EQ(recording->packetSizeUpperBound(), 2 * channels);
        const Bytes noise = PcmBytes::fromSamples(TestData::nonzeroNoise(500 * channels, 2), order);
        EXPECT_EQ(recording->writePackets(0, 500, noise.data()), 500u);  // a recording restarted on the same file
        EXPECT_EQ(recording->writePackets(-1, 1, noise.data()), 0u);
        for (std::uint32_t packet = 0; packet < packets; packet += 32768) {  // the last buffer partly full
            const auto count = std::min<std::uint32_t>(32768, packets - packet);
            ASSERT_EQ(recording->writePackets(packet, count, bytes.data() + 2 * channels * packet), count);
        }
        recording->close();
        EXPECT_FALSE(recording->isOpen());
        EXPECT_EQ(recording->writePackets(packets, 1, noise.data()), 0u) << "closed";

        SF_INFO info {};
        sf_close(sf_open(path("sample1.aif").c_str(), SFM_READ, &info));
        EXPECT_EQ(std::tuple(info.format & ~SF_FORMAT_ENDMASK, info.frames, info.samplerate, info.channels),
            std::tuple(SF_FORMAT_CAF | SF_FORMAT_PCM_16, packets, rate, int(channels)));
        std::ifstream in(path("sample1.aif"), std::ios::binary);  // libsndfile puts the data last
        EXPECT_TRUE(
            std::string(std::istreambuf_iterator<char>(in), {}).ends_with(std::string(bytes.end() - 64, bytes.end())));

        auto player = AudioFile::open(path("sample1.aif"));
        ASSERT_TRUE(player);
        EXPECT_EQ(player->dataFormat(), linearPCM16(rate, channels, std::endian::native, PCMPacking::Packed));
        EXPECT_EQ(readAll(*player, 22050), samples);
        Samples again(100 * channels);  // back to a packet already read, as when replayed
        EXPECT_EQ(player->readPackets(packets - 100, 100, again.data()), 100u);
        EXPECT_TRUE(std::equal(again.begin(), again.end(), samples.end() - again.size()));
        EXPECT_EQ(player->writePackets(0, 1, again.data()), 0u) << "opened to be read";
        player->close();
        EXPECT_EQ(player->readPackets(0, 1, again.data()), 0u) << "closed";
    }

    // Only 16-bit signed integers are written, and any readable file opens
    // at its own rate and channels.
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
    const Samples aiff = TestData::nonzeroNoise(3000);
    auto file = AudioFile::open(write("in", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 8000, 2, aiff));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->dataFormat(), linearPCM16(8000, 2, std::endian::native, PCMPacking::Packed));
    EXPECT_EQ(readAll(*file, 64), aiff);
}

TEST_F(AudioFileTest, DecoderGivesEveryFormatAtTheRequestedRateResamplesOtherRatesAndRefusesUnreadableOrOverlongFiles)
{
    Samples every, stereo;  // every 16-bit value, both extremes included
    std::vector<float> asFloat;
    for (int value = -32768; value <= 32767 + 6; value += 7) {
        const auto sample = static_cast<std::int16_t>(std::min(value, 32767));
        every.push_back(sample);
        asFloat.push_back(sample / 32768.0f);
        stereo.insert(stereo.end(), {sample, sample});
    }
    const auto at8000 = [](const std::string& path) { return AudioFileDecoder::decode(path, 8000).samples; };
    for (const std::string& path : {write("a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, every),
             write("a.aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 8000, 1, every),
             write("a.caf", SF_FORMAT_CAF | SF_FORMAT_PCM_16 | SF_ENDIAN_BIG, 8000, 1, every),
             write("f.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 1, asFloat),
             write("s.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, stereo)})
        EXPECT_EQ(at8000(path), every) << path;

    // Stereo is mixed down and out-of-range floats are clipped.
    EXPECT_EQ(at8000(write("m.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2,
                  Samples {1000, 3000, -32768, -32768, 32767, 32767})),
        (Samples {2000, -32768, 32767}));
    EXPECT_EQ(at8000(write("l.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 1, std::vector {2.0f, -2.0f, NAN, 0.5f})),
        (Samples {32767, -32768, 0, 16384}));

    // Down for the engine at 8000 Hz, and up for the file recorder at 44100 Hz.
    for (auto [from, to, hz] : {std::tuple(16000, 8000, 440), std::tuple(44100, 8000, 440),
             std::tuple(48000, 8000, 440), std::tuple(11025, 8000, 440), std::tuple(8000, 44100, 300)}) {
        Samples sine(static_cast<std::size_t>(from));  // a second
        for (std::size_t i = 0; i < sine.size(); ++i)
            sine[i] = static_cast<std::int16_t>(std::lround(10000 * std::sin(2 * M_PI * hz * i / from)));
        const auto decoded
            = AudioFileDecoder::decode(write("r.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, from, 1, sine), to);
        ASSERT_TRUE(decoded.ok()) << decoded.error;
        EXPECT_NEAR(static_cast<double>(decoded.samples.size()), to, 2) << from << " Hz";
        int crossings = 0;
        for (std::size_t i = 1; i < decoded.samples.size(); ++i)
            crossings += (decoded.samples[i - 1] < 0) != (decoded.samples[i] < 0);
        EXPECT_NEAR(crossings, 2 * hz, 2) << from << " Hz";
    }

    // Unreadable files are named in the error; silence compresses to almost
    // nothing: a small file, a huge decoding, refused.
    std::ofstream(path("notes.wav")) << "this is not audio\n";
    std::ofstream {path("empty.wav")};
    const Samples silence(AudioFileDecoder::kMaxSamples + 1, 0);
    const std::string tooLong = "longer than an utterance can be";
    const std::pair<std::string, std::string> refused[] = {{path("notes.wav"), path("notes.wav")},
        {path("empty.wav"), path("empty.wav")}, {path("missing.wav"), path("missing.wav")}, {path(""), path("")},
        {write("8000.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, silence), tooLong},
        {write("44100.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1, silence), tooLong}};
    for (const auto& [file, mentioning] : refused) {
        const auto decoded = AudioFileDecoder::decode(file, 8000);
        EXPECT_NE(decoded.error.find(mentioning), std::string::npos) << decoded.error;
        EXPECT_TRUE(decoded.samples.empty());
    }
    EXPECT_LT(std::filesystem::file_size(path("44100.flac")), 1u << 20) << "a small file";

    // A truncated file gives what is there.
    const Samples samples = TestData::nonzeroNoise(8000);
    const std::string truncated = write("t.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, samples);
    std::filesystem::resize_file(truncated, 44 + 2 * 3000);  // the header says 8000 frames; 3000 remain
    const auto decoded = AudioFileDecoder::decode(truncated, 8000);
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(decoded.samples, Samples(samples.begin(), samples.begin() + 3000));
}

}  // namespace
