#include "support/TestData.h"

#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/Audio/PcmBytes.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <fstream>

namespace TestData {

std::filesystem::path file(const std::string& name)
{
    return std::filesystem::path(ZARNETH_TEST_DATA_DIR) / name;
}

std::filesystem::path example(const std::string& name)
{
    return std::filesystem::path(ZARNETH_EXAMPLES_DIR) / name;
}

std::vector<std::int16_t> samplesOf(const std::filesystem::path& path)
{
    AudioFileDecoder::Result audio = AudioFileDecoder::decode(path.string(), 8000);
    EXPECT_TRUE(audio.ok()) << audio.error;
    return std::move(audio.samples);
}

ZRVoicePrint voicePrintOf(const std::vector<std::int16_t>& samples)
{
    ZRVoicePrint print;
    EXPECT_EQ(print.calculateVoicePrint(PcmBytes::bigEndian(samples)), ZRVoicePrint::kCalculated);
    return print;
}

void writeWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples)
{
    SF_INFO info {};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_write_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}

const nlohmann::json& golden()
{
    static const nlohmann::json values = [] {
        std::ifstream in(file("golden-prints.json"));
        return nlohmann::json::parse(in);
    }();
    return values;
}

std::vector<std::int16_t> nonzeroNoise(std::size_t count, std::uint32_t seed)
{
    std::vector<std::int16_t> samples(count);
    std::uint32_t state = seed;
    for (std::int16_t& sample : samples) {
        state = state * 1664525u + 1013904223u;
        const int value = static_cast<int>(state >> 20) - 2048;  // -2048 ... 2047
        sample = static_cast<std::int16_t>(value == 0 ? 1 : value);
    }
    return samples;
}

std::vector<std::int16_t> inQuietRoom(const std::vector<std::int16_t>& speech, std::size_t before, std::size_t after)
{
    std::vector<std::int16_t> hiss = nonzeroNoise(before + after, 9);
    for (std::int16_t& sample : hiss)
        sample = static_cast<std::int16_t>(sample / 128 == 0 ? 1 : sample / 128);  // about -50 dB
    std::vector<std::int16_t> utterance(hiss.begin(), hiss.begin() + before);
    utterance.insert(utterance.end(), speech.begin(), speech.end());
    utterance.insert(utterance.end(), hiss.begin() + before, hiss.end());
    return utterance;
}

}  // namespace TestData
