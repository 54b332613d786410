#pragma once

#include <cstddef>
#include <cstdint>

// The banded recursion of BandedDTW, one whole comparison per call, in
// unsigned 32-bit integers. A cell no path reaches holds kUnreached; the
// caller's overflow guard keeps every local distance below kUnreached / 2
// and every path cost below kUnreached, so that kUnreached plus two local
// distances still fits.
//
// Each implementation is compiled for its own instruction set, with the
// loop over rows and its row kernels inlined together; every one gives the
// same integers.
inline constexpr std::uint32_t kUnreached = 0x80000000u;

// The column print's layout (CompactVoicePrint): blocks of eight frames, 128 values each.
inline constexpr int kDtwBlockFrames = 8;
inline constexpr int kDtwBlockValues = 128;

struct BandedComparison {
    // The print of the rows: frame i's 16 values and its squared length.
    const std::int16_t* frames;
    const std::uint32_t* frameLengths;
    // The print of the columns, in blocks of eight frames (CompactVoicePrint).
    const std::int16_t* blocks;
    const std::uint32_t* lengths;
    int n;  // rows, at least 2
    int m;  // columns, at least 2; the end cell is reachable
    // Pairs 0 ... pairCount - 1 are read; the others are zero in both prints.
    int pairCount;
    // The comparison stops once two consecutive rows cost this or more everywhere.
    std::uint32_t threshold;
    // Three rows of costs and three of local distances, each pointing at
    // column 0 with 8 cells before it and m + 16 after it.
    std::uint32_t* cost[3];
    std::uint32_t* local[3];
};

struct BandedOutcome {
    std::uint32_t cost;  // the distance; when stopped, a lower bound of it at or above the threshold
    bool stopped;
};

struct DtwKernels {
    BandedOutcome (*compare)(BandedComparison& comparison);
    const char* name;
};

// Plain C++ that compilers vectorise where they can: every processor.
const DtwKernels& portableKernels();
// AVX2 intrinsics, or nullptr where the build or the processor has none.
const DtwKernels* avx2Kernels();
// The fastest this processor runs.
const DtwKernels& bestKernels();
