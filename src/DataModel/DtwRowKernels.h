#pragma once

#include <cstddef>
#include <cstdint>

// The two inner loops of the banded comparison (BandedDTW), for one row of
// the cost table at a time. Costs are unsigned 32-bit integers; a cell no
// path reaches holds kUnreached, and the comparison's overflow guard keeps
// every local distance below kUnreached / 2 and every path cost below
// kUnreached, so that kUnreached plus two local distances still fits.
//
// Every implementation gives the same integers. They may write up to seven
// cells before `lo` and after `hi` (the callers' rows have room) and read as
// far.
inline constexpr std::uint32_t kUnreached = 0x80000000u;

struct DtwRowKernels {
    // d[j] = squared distance of `frame` (16 values) from frame j of the
    // other print, for j = lo ... hi and the rest of their blocks of eight
    // (from lo rounded down to a multiple of 8). The other print is given by
    // its blocks and the squared lengths of its frames (CompactVoicePrint);
    // frameLength is the squared length of `frame`. Only pairs 0 ...
    // pairCount - 1 are read: the others must be zero in both prints.
    void (*localDistances)(const std::int16_t* frame, std::uint32_t frameLength, int pairCount,
        const std::int16_t* blocks, const std::uint32_t* lengths, int lo, int hi, std::uint32_t* d);
    // g0[j] = d0[j] + min(g2[j - 1] + d1[j], g1[j - 1], g1[j - 2] + d0[j - 1])
    // for j = lo ... hi, where g2, g1 and g0 are the cost rows i - 2, i - 1
    // and i, and d1, d0 the local distances of rows i - 1 and i. Returns the
    // smallest g0[j] of the range.
    std::uint32_t (*recursion)(const std::uint32_t* g2, const std::uint32_t* g1, const std::uint32_t* d1,
        const std::uint32_t* d0, int lo, int hi, std::uint32_t* g0);
    const char* name;
};

// Plain C++ that compilers vectorise where they can: every processor.
const DtwRowKernels& portableRowKernels();
// AVX2 intrinsics, or nullptr where the build or the processor has none.
const DtwRowKernels* avx2RowKernels();
// The fastest this processor runs.
const DtwRowKernels& bestRowKernels();
