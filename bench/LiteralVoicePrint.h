#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The voice print calculation written as the literal algorithm reads, on the
// engine's public front-end functions: the yardstick the engine's speed is
// measured against.
namespace Literal {

// The print of nonempty 16-bit big-endian samples at 8000 Hz.
std::vector<std::int32_t> voicePrintOf(std::span<const std::uint8_t> data);

}  // namespace Literal
