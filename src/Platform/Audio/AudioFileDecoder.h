#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads an audio file of any format libsndfile knows (WAV, CAF, AIFF, FLAC,
// ...) as mono 16-bit samples at a chosen rate. A file that already is mono
// 16-bit PCM at that rate is passed through sample for sample; anything else
// is mixed down to one channel, resampled and rounded to 16 bits.
class AudioFileDecoder {
public:
    struct Result {
        std::vector<std::int16_t> samples;
        std::string error;  // empty on success

        bool ok() const { return error.empty(); }
    };

    // Files are read whole, so the length is bounded: more samples (all
    // channels together) than this are refused rather than read. A small
    // compressed file of silence could otherwise decode to gigabytes.
    static constexpr std::size_t kMaxSamples = std::size_t {1} << 24;

    static Result decode(const std::string& path, int sampleRate);
};
