// The portable implementation of the banded comparison, and the choice of
// the fastest one this processor runs.

#include "DataModel/DtwRowKernels.h"

#include "DataModel/DtwBandLoop.h"

namespace {

constexpr int kBlockFrames = kDtwBlockFrames;

struct PortableRows {
    // d[j] = squared distance of row frame i from column frame j, for the
    // blocks of eight columns that hold lo ... hi.
    static void localDistances(const BandedComparison& c, int i, int lo, int hi, std::uint32_t* d)
    {
        const std::int16_t* frame = c.frames + 16 * static_cast<std::size_t>(i);
        for (int j = lo - lo % kBlockFrames; j <= hi; j += kBlockFrames) {
            const std::int16_t* block = c.blocks + static_cast<std::size_t>(j / kBlockFrames) * kDtwBlockValues;
            std::uint32_t sum[kBlockFrames] = {};
            for (int p = 0; p < c.pairCount; ++p) {
                const int a0 = frame[2 * p];
                const int a1 = frame[2 * p + 1];
                const std::int16_t* lanes = block + 2 * kBlockFrames * p;
                for (int l = 0; l < kBlockFrames; ++l) {
                    // Differences of values within ±2^14 fit in 16 bits; two squares in 31.
                    const int d0 = a0 - lanes[2 * l];
                    const int d1 = a1 - lanes[2 * l + 1];
                    sum[l] += static_cast<std::uint32_t>(d0 * d0 + d1 * d1);
                }
            }
            for (int l = 0; l < kBlockFrames; ++l)
                d[j + l] = sum[l];
        }
    }

    // g0[j] = d0[j] + min(g2[j - 1] + d1[j], g1[j - 1], g1[j - 2] + d0[j - 1])
    // for j = lo ... hi: rows i - 2, i - 1 and i of the costs, rows i - 1 and
    // i of the local distances. Returns the smallest g0[j].
    static std::uint32_t recursion(const std::uint32_t* g2, const std::uint32_t* g1, const std::uint32_t* d1,
        const std::uint32_t* d0, int lo, int hi, std::uint32_t* g0)
    {
        std::uint32_t rowMin = kUnreached;
        for (int j = lo; j <= hi; ++j) {
            std::uint32_t predecessor = g2[j - 1] + d1[j];
            predecessor = g1[j - 1] < predecessor ? g1[j - 1] : predecessor;
            predecessor = g1[j - 2] + d0[j - 1] < predecessor ? g1[j - 2] + d0[j - 1] : predecessor;
            g0[j] = predecessor + d0[j];
            rowMin = g0[j] < rowMin ? g0[j] : rowMin;
        }
        return rowMin;
    }
};

BandedOutcome comparePortable(BandedComparison& comparison)
{
    return bandLoop<PortableRows>(comparison);
}

const DtwKernels kPortable {comparePortable, "portable"};

}  // namespace

#if defined(__x86_64__)
// DtwRowKernelsAvx2.cpp, compiled for AVX2.
BandedOutcome compareAvx2(BandedComparison& comparison);
#endif

const DtwKernels& portableKernels()
{
    return kPortable;
}

const DtwKernels* avx2Kernels()
{
#if defined(__x86_64__)
    static const DtwKernels avx2 {compareAvx2, "avx2"};
    static const bool supported = __builtin_cpu_supports("avx2");
    return supported ? &avx2 : nullptr;
#else
    return nullptr;
#endif
}

const DtwKernels& bestKernels()
{
    static const DtwKernels& best = avx2Kernels() ? *avx2Kernels() : portableKernels();
    return best;
}
