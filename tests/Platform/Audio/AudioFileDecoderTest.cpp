#include "Platform/Audio/AudioFileDecoder.h"

#include "support/TemporaryDirectory.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>

namespace {

using Samples = std::vector<std::int16_t>;

class AudioFileDecoderTest : public ::testing::Test {
protected:
    // Writes interleaved frames with libsndfile; returns the file's path.
    template <typename Sample>
    std::string write(const std::string& name, int format, int rate, int channels, const std::vector<Sample>& data)
    {
        const std::string path = (m_folder / name).string();
        SF_INFO info {0, rate, channels, format, 0, 0};
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
        if constexpr (std::is_same_v<Sample, float>)
            sf_writef_float(file, data.data(), static_cast<sf_count_t>(data.size() / channels));
        else
            sf_writef_short(file, data.data(), static_cast<sf_count_t>(data.size() / channels));
        sf_close(file);
        return path;
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

TEST_F(AudioFileDecoderTest, EveryFormatAndChannelCountAtTheRequestedRateGivesTheSameSamplesUntouched)
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
}

TEST_F(AudioFileDecoderTest, OtherRatesAreResampledKeepingPitchAndLength)
{
    // Down for the engine at 8000 Hz, and up for the file recorder at 44100 Hz.
    for (auto [from, to, hz] : {std::tuple(16000, 8000, 440), std::tuple(44100, 8000, 440),
             std::tuple(48000, 8000, 440), std::tuple(11025, 8000, 440), std::tuple(8000, 44100, 300)}) {
        const auto decoded = AudioFileDecoder::decode(
            write("r.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, from, 1, sine(from, hz, 1)), to);
        ASSERT_TRUE(decoded.ok()) << decoded.error;
        EXPECT_NEAR(static_cast<double>(decoded.samples.size()), to, 2) << from << " Hz";
        EXPECT_NEAR(zeroCrossings(decoded.samples), 2 * hz, 2) << from << " Hz";
    }
}

TEST_F(AudioFileDecoderTest, UnreadableAndOverlongFilesAreReportedByNameAndTruncatedOnesGiveWhatIsThere)
{
    const std::string text = (m_folder / "notes.wav").string();
    std::ofstream(text) << "this is not audio\n";
    const std::string empty = (m_folder / "empty.wav").string();
    std::ofstream {empty};
    for (const std::string& path : {text, empty, (m_folder / "missing.wav").string(), m_folder.path().string()}) {
        const auto decoded = AudioFileDecoder::decode(path, 8000);
        EXPECT_NE(decoded.error.find(path), std::string::npos) << decoded.error;
        EXPECT_TRUE(decoded.samples.empty());
    }

    // Silence compresses to almost nothing: a small file, a huge decoding.
    const Samples silence(AudioFileDecoder::kMaxSamples + 1, 0);
    for (const int rate : {8000, 44100}) {
        const std::string path = write("long.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, rate, 1, silence);
        ASSERT_LT(std::filesystem::file_size(path), 1u << 20);
        const auto decoded = AudioFileDecoder::decode(path, 8000);
        EXPECT_NE(decoded.error.find("longer than an utterance can be"), std::string::npos) << rate << " Hz";
        EXPECT_TRUE(decoded.samples.empty());
    }

    const Samples samples = sine(8000, 200, 1.0);
    const std::string path = write("t.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, samples);
    std::filesystem::resize_file(path, 44 + 2 * 3000);  // the header says 8000 frames; 3000 remain
    const auto decoded = AudioFileDecoder::decode(path, 8000);
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(decoded.samples, Samples(samples.begin(), samples.begin() + 3000));
}

}  // namespace
