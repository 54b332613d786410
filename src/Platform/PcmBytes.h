#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

// 16-bit signed samples as the bytes of a stream in a given byte order,
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

    static std::vector<std::uint8_t> bigEndian(std::span<const std::int16_t> samples)
    {
        return fromSamples(samples, std::endian::big);
    }

    static std::vector<std::uint8_t> littleEndian(std::span<const std::int16_t> samples)
    {
        return fromSamples(samples, std::endian::little);
    }
};
