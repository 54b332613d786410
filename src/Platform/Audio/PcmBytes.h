#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

// 16-bit signed samples and their bytes in a stream of a given byte order,
// whatever the byte order of the machine: utterances are recorded into
// memory high byte first, sample files are written low byte first.
class PcmBytes {
public:
    static std::vector<std::uint8_t> fromSamples(std::span<const std::int16_t> samples, std::endian order)
    {
        std::vector<std::uint8_t> bytes;
        bytes.reserve(samples.size() * 2);
        for (std::int16_t sample : samples) {
            const auto value = static_cast<std::uint16_t>(sample);
            const auto high = static_cast<std::uint8_t>(value >> 8);
            const auto low = static_cast<std::uint8_t>(value & 0xff);
            bytes.push_back(order == std::endian::big ? high : low);
            bytes.push_back(order == std::endian::big ? low : high);
        }
        return bytes;
    }

    // The sample stored in the two bytes at `bytes`.
    static std::int16_t sampleAt(const std::uint8_t* bytes, std::endian order)
    {
        const std::uint8_t high = order == std::endian::big ? bytes[0] : bytes[1];
        const std::uint8_t low = order == std::endian::big ? bytes[1] : bytes[0];
        return static_cast<std::int16_t>(static_cast<std::uint16_t>((high << 8) | low));
    }

    // A sample from a value normalised to [-1, 1): rounded, clipped to 16
    // bits, and 0 for a value that is not a number.
    static std::int16_t sampleFromFloat(float value)
    {
        if (std::isnan(value))
            return 0;
        const float scaled = std::nearbyint(value * 32768.0f);
        return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
    }

    static std::vector<std::uint8_t> bigEndian(std::span<const std::int16_t> samples)
    {
        return fromSamples(samples, std::endian::big);
    }

    static std::vector<std::uint8_t> littleEndian(std::span<const std::int16_t> samples)
    {
        return fromSamples(samples, std::endian::little);
    }
};
