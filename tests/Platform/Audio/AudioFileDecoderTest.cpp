#include "Platform/Audio/AudioFileDecoder.h"

#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <vector>

namespace {

using Samples = std::vector<std::int16_t>;

class AudioFileDecoderTest : public ::testing::Test {
protected:
    // Writes interleaved frames with libsndfile; returns the file's path.
    template <typename Sample>
    std::string write(const std::string& name, int format, int rate, int channels, const std::vector<Sample>& data)
    {
        const std::string path = (m_folder / name).string();
        SF_INFO info {};
        info.samplerate = rate;
        info.channels = channels;
        info.format = format;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
        if constexpr (std::is_same_v<Sample, float>)
            sf_writef_float(file, data.data(), static_cast<sf_count_t>(data.size() / channels));
        else
            sf_writef_short(file, data.data(), static_cast<sf_count_t>(data.size() / channels));
        sf_close(file);
        return path;
    }

    // Every 16-bit value, both extremes included.
    static Samples everyValue()
    {
        Samples samples;
        for (int value = -32768; value <= 32767; value += 7)
            samples.push_back(static_cast<std::int16_t>(value));
        samples.push_back(32767);
        return samples;
    }

    static Samples sine(int rate, double hz, double seconds)
    {
        Samples samples(static_cast<std::size_t>(rate * seconds));
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::int16_t>(std::lround(10000 * std::sin(2 * M_PI * hz * i / rate)));
        return samples;
    }

    static int zeroCrossings(const Samples& samples)
    {
        int crossings = 0;
        for (std::size_t i = 1; i < samples.size(); ++i)
            crossings += (samples[i - 1] < 0) != (samples[i] < 0);
        return crossings;
    }

    TemporaryDirectory m_folder;
};

TEST_F(AudioFileDecoderTest, MonoSixteenBitAtTheRequestedRatePassesThroughUntouched)
{
    const Samples samples = everyValue();
    for (int format : {SF_FORMAT_WAV | SF_FORMAT_PCM_16, SF_FORMAT_AIFF | SF_FORMAT_PCM_16,
             SF_FORMAT_CAF | SF_FORMAT_PCM_16 | SF_ENDIAN_BIG}) {
        const auto decoded = AudioFileDecoder::decode(write("in", format, 8000, 1, samples), 8000);
        ASSERT_TRUE(decoded.ok()) << decoded.error;
        EXPECT_EQ(decoded.samples, samples) << std::hex << format;
    }
}

TEST_F(AudioFileDecoderTest, OtherSampleFormatsAndChannelCountsBecomeTheSameSamples)
{
    const Samples samples = everyValue();
    std::vector<float> asFloat;
    Samples stereo;
    for (std::int16_t sample : samples) {
        asFloat.push_back(sample / 32768.0f);
        stereo.insert(stereo.end(), {sample, sample});
    }
    const auto fromFloat
        = AudioFileDecoder::decode(write("f.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 1, asFloat), 8000);
    const auto fromStereo
        = AudioFileDecoder::decode(write("s.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, stereo), 8000);
    ASSERT_TRUE(fromFloat.ok() && fromStereo.ok());
    EXPECT_EQ(fromFloat.samples, samples);
    EXPECT_EQ(fromStereo.samples, samples);
}

TEST_F(AudioFileDecoderTest, StereoIsMixedDownAndOutOfRangeFloatsAreClipped)
{
    const Samples stereo = {1000, 3000, -32768, -32768, 32767, 32767};
    const auto mixed
        = AudioFileDecoder::decode(write("s.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 2, stereo), 8000);
    ASSERT_TRUE(mixed.ok());
    EXPECT_EQ(mixed.samples, (Samples {2000, -32768, 32767}));

    const std::vector<float> loud = {2.0f, -2.0f, NAN, 0.5f};
    const auto clipped = AudioFileDecoder::decode(write("f.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8000, 1, loud), 8000);
    ASSERT_TRUE(clipped.ok());
    EXPECT_EQ(clipped.samples, (Samples {32767, -32768, 0, 16384}));
}

TEST_F(AudioFileDecoderTest, OtherRatesAreResampledKeepingPitchAndLength)
{
    for (int rate : {16000, 44100, 48000, 11025}) {
        const auto decoded = AudioFileDecoder::decode(
            write("r.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, 1, sine(rate, 440, 1.0)), 8000);
        ASSERT_TRUE(decoded.ok()) << decoded.error;
        EXPECT_NEAR(static_cast<double>(decoded.samples.size()), 8000, 2) << rate << " Hz";
        EXPECT_NEAR(zeroCrossings(decoded.samples), 880, 2) << rate << " Hz";
    }
    // And up: the file recorder wants 44100 Hz.
    const auto up = AudioFileDecoder::decode(
        write("u.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, sine(8000, 300, 0.5)), 44100);
    ASSERT_TRUE(up.ok());
    EXPECT_NEAR(static_cast<double>(up.samples.size()), 22050, 2);
    EXPECT_NEAR(zeroCrossings(up.samples), 300, 2);
}

TEST_F(AudioFileDecoderTest, UnreadableFilesAreReportedByName)
{
    const std::string text = (m_folder / "notes.wav").string();
    std::ofstream(text) << "this is not audio\n";
    const std::string empty = (m_folder / "empty.wav").string();
    std::ofstream {empty};

    for (const std::string& path : {text, empty, (m_folder / "missing.wav").string(), m_folder.path().string()}) {
        const auto decoded = AudioFileDecoder::decode(path, 8000);
        EXPECT_FALSE(decoded.ok()) << path;
        EXPECT_NE(decoded.error.find(path), std::string::npos) << decoded.error;
        EXPECT_TRUE(decoded.samples.empty());
    }
}

TEST_F(AudioFileDecoderTest, TruncatedFilesGiveWhatIsThere)
{
    const Samples samples = sine(8000, 200, 1.0);
    const std::string path = write("t.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, samples);
    std::filesystem::resize_file(path, 44 + 2 * 3000);  // header says 8000 frames; 3000 remain
    const auto decoded = AudioFileDecoder::decode(path, 8000);
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(decoded.samples, Samples(samples.begin(), samples.begin() + 3000));
}

TEST_F(AudioFileDecoderTest, FilesLongerThanAnUtteranceCanBeAreRefusedUnread)
{
    // Silence compresses to almost nothing: a small file, a huge decoding.
    const Samples silence(AudioFileDecoder::kMaxSamples + 1, 0);
    for (const int rate : {8000, 44100}) {
        const std::string path
            = write("long" + std::to_string(rate) + ".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, rate, 1, silence);
        ASSERT_LT(std::filesystem::file_size(path), 1u << 20);
        const auto decoded = AudioFileDecoder::decode(path, 8000);
        EXPECT_NE(decoded.error.find("longer than an utterance can be"), std::string::npos) << rate << " Hz";
        EXPECT_TRUE(decoded.samples.empty());
    }
}

}  // namespace
