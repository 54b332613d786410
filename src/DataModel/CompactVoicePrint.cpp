#include "DataModel/CompactVoicePrint.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The smallest integer whose square is at least `square`.
std::uint64_t ceilingSquareRoot(std::uint64_t square)
{
    auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(square)));
    while (root * root < square)
        ++root;
    while (root > 0 && (root - 1) * (root - 1) >= square)
        --root;
    return root;
}

std::uint64_t squared(std::int64_t value)
{
    return static_cast<std::uint64_t>(value * value);
}

}  // namespace

CompactVoicePrint::CompactVoicePrint(std::span<const std::int32_t> values)
    : m_frames(static_cast<int>(values.size() / kFrameSize))
{
    const auto used = values.first(static_cast<std::size_t>(m_frames) * kFrameSize);
    m_fits = std::all_of(
        used.begin(), used.end(), [](std::int32_t value) { return value >= kMinValue && value <= kMaxValue; });
    if (!m_fits)
        return;  // compared by the exact double-precision code only

    const auto blocks = static_cast<std::size_t>((m_frames + kBlockFrames - 1) / kBlockFrames);
    m_frameValues.resize(used.size());
    m_blocks.assign(blocks * kBlockValues, 0);
    m_squaredLengths.assign(blocks * kBlockFrames, 0);
    std::uint64_t longest = 0;
    for (int f = 0; f < m_frames; ++f) {
        std::uint64_t length = 0;
        std::int16_t* block = m_blocks.data() + static_cast<std::size_t>(f / kBlockFrames) * kBlockValues;
        for (int k = 0; k < kFrameSize; ++k) {
            const std::size_t index = static_cast<std::size_t>(f) * kFrameSize + k;
            const std::int32_t value = used[index];
            m_lowest[k] = f == 0 ? value : std::min(m_lowest[k], value);
            m_highest[k] = f == 0 ? value : std::max(m_highest[k], value);
            length += squared(value);
            if (value != 0)
                m_nonzeroPairs |= 1u << (k / 2);
            m_frameValues[index] = static_cast<std::int16_t>(value);
            block[(k / 2) * 2 * kBlockFrames + 2 * (f % kBlockFrames) + k % 2] = static_cast<std::int16_t>(value);
        }
        longest = std::max(longest, length);
        m_squaredLengths[static_cast<std::size_t>(f)] = static_cast<std::uint32_t>(length);
    }
    m_lengthCeiling = ceilingSquareRoot(longest);
}

std::uint64_t CompactVoicePrint::localDistanceBound(const CompactVoicePrint& a, const CompactVoicePrint& b)
{
    if (!a.m_fits || !b.m_fits)
        return std::numeric_limits<std::uint64_t>::max();
    // |x - y|² ≤ (|x| + |y|)², and element by element the difference is at
    // most the wider of the two spans between the prints' ranges.
    const std::uint64_t byLength = squared(static_cast<std::int64_t>(a.m_lengthCeiling + b.m_lengthCeiling));
    std::uint64_t byRange = 0;
    for (int k = 0; k < kFrameSize; ++k) {
        const std::int64_t up = static_cast<std::int64_t>(a.m_highest[k]) - b.m_lowest[k];
        const std::int64_t down = static_cast<std::int64_t>(b.m_highest[k]) - a.m_lowest[k];
        byRange += std::max(squared(up), squared(down));
    }
    return std::min(byLength, byRange);
}
