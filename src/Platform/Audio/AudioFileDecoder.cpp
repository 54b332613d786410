#include "Platform/Audio/AudioFileDecoder.h"

#include "Platform/Audio/PcmBytes.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace {

constexpr sf_count_t kChunkFrames = 4096;

// The best converter costs milliseconds per file. A fuzzer needs as many
// runs a second as it can get and hunts for faults in how the file is read
// and handed over, not in libsamplerate's filters, so fuzzing builds take
// the cheapest one: the same calls, only the filter differs.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
constexpr int kConverter = SRC_LINEAR;
#else
constexpr int kConverter = SRC_SINC_BEST_QUALITY;
#endif

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

AudioFileDecoder::Result failure(const std::string& path, const std::string& why)
{
    return {{}, "cannot read '" + path + "': " + why};
}

// Reads every frame, interleaved, in chunks: the header's frame count is
// not trusted, so a lying or truncated file cannot make us over-allocate.
// Nothing when the file holds more than kMaxSamples.
template <typename Sample, typename ReadFunction>
std::optional<std::vector<Sample>> readAll(SNDFILE* file, int channels, ReadFunction readFrames)
{
    std::vector<Sample> data;
    std::vector<Sample> chunk(static_cast<std::size_t>(kChunkFrames) * channels);
    sf_count_t got = 0;
    while ((got = readFrames(file, chunk.data(), kChunkFrames)) > 0) {
        if (data.size() + static_cast<std::size_t>(got * channels) > AudioFileDecoder::kMaxSamples)
            return std::nullopt;
        data.insert(data.end(), chunk.begin(), chunk.begin() + got * channels);
    }
    return data;
}

std::vector<float> mixDown(const std::vector<float>& interleaved, int channels)
{
    if (channels == 1)
        return interleaved;
    std::vector<float> mono(interleaved.size() / channels);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += interleaved[i * channels + c];
        mono[i] = sum / static_cast<float>(channels);
    }
    return mono;
}

}  // namespace

AudioFileDecoder::Result AudioFileDecoder::decode(const std::string& path, int sampleRate)
{
    SF_INFO info {};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        return failure(path, sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1)
        return failure(path, "no audio channels or no sample rate");

    const bool passThrough
        = info.channels == 1 && info.samplerate == sampleRate && (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16;
    const std::string tooLong = "longer than an utterance can be";
    if (passThrough) {
        std::optional<std::vector<std::int16_t>> samples = readAll<std::int16_t>(file.get(), 1, sf_readf_short);
        return samples ? Result {std::move(*samples), {}} : failure(path, tooLong);
    }

    const std::optional<std::vector<float>> interleaved = readAll<float>(file.get(), info.channels, sf_readf_float);
    if (!interleaved)
        return failure(path, tooLong);
    std::vector<float> mono = mixDown(*interleaved, info.channels);
    if (info.samplerate != sampleRate && !mono.empty()) {
        const double ratio = static_cast<double>(sampleRate) / info.samplerate;
        if (src_is_valid_ratio(ratio) == 0)
            return failure(path, "cannot convert a sample rate of " + std::to_string(info.samplerate) + " Hz");
        std::vector<float> converted(static_cast<std::size_t>(std::ceil(mono.size() * ratio)) + 1);
        SRC_DATA request {};
        request.data_in = mono.data();
        request.input_frames = static_cast<long>(mono.size());
        request.data_out = converted.data();
        request.output_frames = static_cast<long>(converted.size());
        request.src_ratio = ratio;
        const int error = src_simple(&request, kConverter, 1);
        if (error != 0)
            return failure(path, src_strerror(error));
        converted.resize(static_cast<std::size_t>(request.output_frames_gen));
        mono = std::move(converted);
    }

    std::vector<std::int16_t> samples(mono.size());
    std::transform(mono.begin(), mono.end(), samples.begin(), PcmBytes::sampleFromFloat);
    return {std::move(samples), {}};
}
