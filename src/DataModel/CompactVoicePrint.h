#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <vector>

// A voice print in the layouts the fast comparison reads, prepared once when
// a print is computed, restored or set. Values are 16-bit.
//
// As the print a frame is compared against, it is kept in blocks of eight
// frames: the 16 elements of a frame are taken as 8 pairs, and a block holds
// pair 0 of its eight frames side by side, then pair 1, and so on (frame f's
// pair p at lanes 2(f mod 8) and 2(f mod 8) + 1 of the block's pair p). One
// aligned vector load thus brings one pair of eight consecutive frames,
// ready for a 16-bit multiply-add, at a fixed offset within the block. The
// print on the other side is read a frame at a time, so its frames are also
// kept one after the other.
//
// It also keeps what the comparison's overflow guard needs: whether every
// value fits the 16-bit lanes, and bounds on the frames' lengths and on each
// element's range.
class CompactVoicePrint {
public:
    // Blocks and lengths start on a cache line, so that vector loads are
    // aligned and none straddles two lines.
    template <class T> struct CacheLineAllocator {
        using value_type = T;
        static constexpr std::align_val_t kAlignment {64};
        CacheLineAllocator() = default;
        template <class U> CacheLineAllocator(const CacheLineAllocator<U>&) { }
        T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), kAlignment)); }
        void deallocate(T* p, std::size_t) { ::operator delete(p, kAlignment); }
        bool operator==(const CacheLineAllocator&) const { return true; }
    };

    static constexpr int kFrameSize = 16;
    static constexpr int kPairs = kFrameSize / 2;
    static constexpr int kBlockFrames = 8;
    static constexpr int kBlockValues = kBlockFrames * kFrameSize;
    // The values kept: the difference of any two still fits in 16 bits.
    static constexpr std::int32_t kMinValue = -16384;
    static constexpr std::int32_t kMaxValue = 16383;

    CompactVoicePrint() = default;
    // `values` holds frames of 16 integers; a trailing partial frame is ignored.
    explicit CompactVoicePrint(std::span<const std::int32_t> values);

    int frames() const { return m_frames; }
    // Whether every value lies within kMinValue ... kMaxValue; only then are
    // the layouts filled.
    bool fits() const { return m_fits; }
    // Frame f: its 16 values.
    const std::int16_t* frame(int f) const { return m_frameValues.data() + static_cast<std::size_t>(f) * kFrameSize; }
    // The block of frames 8b ... 8b + 7 (frames past the last are zero).
    const std::int16_t* block(int b) const { return m_blocks.data() + static_cast<std::size_t>(b) * kBlockValues; }
    // The squared length of every frame (0 past the last), modulo 2^32:
    // with it a distance is |a|² + |b|² - 2 a·b, one multiply-add per pair.
    const std::uint32_t* squaredLengths() const { return m_squaredLengths.data(); }
    // Bit p is set when pair p holds a nonzero value in some frame.
    unsigned nonzeroPairs() const { return m_nonzeroPairs; }
    // Bytes held on the heap.
    std::size_t byteCount() const
    {
        return (m_frameValues.capacity() + m_blocks.capacity()) * sizeof(std::int16_t)
            + m_squaredLengths.capacity() * sizeof(std::uint32_t);
    }

    // An upper bound of the squared distance between any frame of a and any
    // frame of b: the smaller of the bound from the frames' lengths and the
    // bound from each element's range. The largest value when either print
    // does not fit.
    static std::uint64_t localDistanceBound(const CompactVoicePrint& a, const CompactVoicePrint& b);

private:
    int m_frames = 0;
    bool m_fits = true;
    unsigned m_nonzeroPairs = 0;
    std::uint64_t m_lengthCeiling = 0;  // no frame is longer (Euclidean)
    std::array<std::int32_t, kFrameSize> m_lowest {};
    std::array<std::int32_t, kFrameSize> m_highest {};
    std::vector<std::int16_t> m_frameValues;
    std::vector<std::int16_t, CacheLineAllocator<std::int16_t>> m_blocks;
    std::vector<std::uint32_t, CacheLineAllocator<std::uint32_t>> m_squaredLengths;
};
