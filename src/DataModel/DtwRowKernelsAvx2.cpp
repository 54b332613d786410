// The banded comparison with AVX2 intrinsics. This file alone is compiled
// with -mavx2 (on x86-64), and it is called only where the processor has
// AVX2; it uses nothing with external linkage from any header, so that no
// AVX2 code can stand in for code that other files share.

#if defined(__x86_64__)

#include "DataModel/DtwBandLoop.h"
#include "DataModel/DtwRowKernels.h"

#include <immintrin.h>

namespace {

constexpr int kBlockFrames = kDtwBlockFrames;

__m256i load(const std::uint32_t* cells)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cells));
}

template <int kPairCount> struct Avx2Rows {
    // A block of eight frames at a time, as |a|² + |b|² - 2 a·b: each pair
    // of the row frame is broadcast, multiplied with the same pair of the
    // eight column frames and summed into 32-bit lanes by one multiply-add.
    // The lanes may wrap; the distance, below 2^30, comes out exact modulo
    // 2^32. The pair count is fixed per instance, so the broadcasts stay in
    // registers.
    static void localDistances(const BandedComparison& c, int i, int lo, int hi, std::uint32_t* d)
    {
        const std::int16_t* frame = c.frames + 16 * static_cast<std::size_t>(i);
        __m256i broadcast[kPairCount];
        for (int p = 0; p < kPairCount; ++p) {
            std::int32_t pair = 0;
            __builtin_memcpy(&pair, frame + 2 * p, sizeof pair);
            broadcast[p] = _mm256_set1_epi32(pair);
        }
        const __m256i rowLength = _mm256_set1_epi32(static_cast<int>(c.frameLengths[i]));
        for (int j = lo - lo % kBlockFrames; j <= hi; j += kBlockFrames) {
            const auto* block = reinterpret_cast<const __m256i*>(
                c.blocks + static_cast<std::size_t>(j / kBlockFrames) * kDtwBlockValues);
            __m256i dot = _mm256_setzero_si256();
            for (int p = 0; p < kPairCount; ++p)
                dot = _mm256_add_epi32(dot, _mm256_madd_epi16(broadcast[p], _mm256_load_si256(block + p)));
            const __m256i lengths
                = _mm256_add_epi32(rowLength, _mm256_load_si256(reinterpret_cast<const __m256i*>(c.lengths + j)));
            _mm256_storeu_si256(
                reinterpret_cast<__m256i*>(d + j), _mm256_sub_epi32(lengths, _mm256_slli_epi32(dot, 1)));
        }
    }

    // Eight cells at a time; the lanes past hi are written (the rows have
    // room) but kept out of the minimum.
    static std::uint32_t recursion(const std::uint32_t* g2, const std::uint32_t* g1, const std::uint32_t* d1,
        const std::uint32_t* d0, int lo, int hi, std::uint32_t* g0)
    {
        const __m256i laneOffsets = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
        __m256i rowMin = _mm256_set1_epi32(static_cast<int>(kUnreached));
        for (int j = lo; j <= hi; j += 8) {
            const __m256i twoOne = _mm256_add_epi32(load(g2 + j - 1), load(d1 + j));
            const __m256i diagonal = load(g1 + j - 1);
            const __m256i oneTwo = _mm256_add_epi32(load(g1 + j - 2), load(d0 + j - 1));
            __m256i cost = _mm256_add_epi32(_mm256_min_epu32(_mm256_min_epu32(twoOne, diagonal), oneTwo), load(d0 + j));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(g0 + j), cost);
            if (j + 7 > hi) {
                const __m256i beyond
                    = _mm256_cmpgt_epi32(_mm256_add_epi32(_mm256_set1_epi32(j), laneOffsets), _mm256_set1_epi32(hi));
                cost = _mm256_or_si256(cost, beyond);  // all ones: never the minimum
            }
            rowMin = _mm256_min_epu32(rowMin, cost);
        }
        __m128i half = _mm_min_epu32(_mm256_castsi256_si128(rowMin), _mm256_extracti128_si256(rowMin, 1));
        half = _mm_min_epu32(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(1, 0, 3, 2)));
        half = _mm_min_epu32(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(2, 3, 0, 1)));
        return static_cast<std::uint32_t>(_mm_cvtsi128_si32(half));
    }
};

}  // namespace

BandedOutcome compareAvx2(BandedComparison& comparison)
{
    // No pair counts only when both prints are all zero; one pair gives the same zeros.
    switch (comparison.pairCount) {
    case 0:
    case 1:
        return bandLoop<Avx2Rows<1>>(comparison);
    case 2:
        return bandLoop<Avx2Rows<2>>(comparison);
    case 3:
        return bandLoop<Avx2Rows<3>>(comparison);
    case 4:
        return bandLoop<Avx2Rows<4>>(comparison);
    case 5:
        return bandLoop<Avx2Rows<5>>(comparison);
    case 6:
        return bandLoop<Avx2Rows<6>>(comparison);
    case 7:
        return bandLoop<Avx2Rows<7>>(comparison);
    default:
        return bandLoop<Avx2Rows<8>>(comparison);
    }
}

#endif
