#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The in-memory recording format of an utterance: 16-bit signed samples,
// high byte first, whatever the byte order of the machine.
class BigEndianSamples {
public:
    static std::vector<std::uint8_t> bytesOf(std::span<const std::int16_t> samples)
    {
        std::vector<std::uint8_t> bytes;
        bytes.reserve(samples.size() * 2);
        for (std::int16_t sample : samples) {
            const auto value = static_cast<std::uint16_t>(sample);
            bytes.push_back(static_cast<std::uint8_t>(value >> 8));
            bytes.push_back(static_cast<std::uint8_t>(value & 0xff));
        }
        return bytes;
    }
};
