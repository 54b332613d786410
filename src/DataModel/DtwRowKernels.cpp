#include "DataModel/DtwRowKernels.h"

#include "DataModel/CompactVoicePrint.h"

#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr int kBlockFrames = CompactVoicePrint::kBlockFrames;

const std::int16_t* blockOf(const std::int16_t* blocks, int j)
{
    return blocks + static_cast<std::size_t>(j / kBlockFrames) * CompactVoicePrint::kBlockValues;
}

void localDistancesPortable(const std::int16_t* frame, std::uint32_t, int pairCount, const std::int16_t* blocks,
    const std::uint32_t*, int lo, int hi, std::uint32_t* d)
{
    for (int j = lo - lo % kBlockFrames; j <= hi; j += kBlockFrames) {
        const std::int16_t* block = blockOf(blocks, j);
        std::uint32_t sum[kBlockFrames] = {};
        for (int p = 0; p < pairCount; ++p) {
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
        std::copy(sum, sum + kBlockFrames, d + j);
    }
}

std::uint32_t recursionPortable(const std::uint32_t* g2, const std::uint32_t* g1, const std::uint32_t* d1,
    const std::uint32_t* d0, int lo, int hi, std::uint32_t* g0)
{
    std::uint32_t rowMin = kUnreached;
    for (int j = lo; j <= hi; ++j) {
        const std::uint32_t predecessor = std::min(std::min(g2[j - 1] + d1[j], g1[j - 1]), g1[j - 2] + d0[j - 1]);
        g0[j] = predecessor + d0[j];
        rowMin = std::min(rowMin, g0[j]);
    }
    return rowMin;
}

#if defined(__x86_64__)

// A block of eight frames at a time, as |a|² + |b|² - 2 a·b: each pair of
// the frame is broadcast and multiplied with the same pair of the eight
// frames and summed into 32-bit lanes by one multiply-add. The lanes may
// wrap; the distance, below 2^30, comes out exact modulo 2^32. The pair
// count is fixed per instance, so the broadcasts stay in registers.
template <int kPairCount>
__attribute__((target("avx2"))) void localDistancesAvx2(const std::int16_t* frame, std::uint32_t frameLength, int,
    const std::int16_t* blocks, const std::uint32_t* lengths, int lo, int hi, std::uint32_t* d)
{
    __m256i broadcast[kPairCount];
    for (int p = 0; p < kPairCount; ++p) {
        std::int32_t pair = 0;
        __builtin_memcpy(&pair, frame + 2 * p, sizeof pair);
        broadcast[p] = _mm256_set1_epi32(pair);
    }
    const __m256i aLength = _mm256_set1_epi32(static_cast<int>(frameLength));
    for (int j = lo - lo % kBlockFrames; j <= hi; j += kBlockFrames) {
        const auto* block = reinterpret_cast<const __m256i*>(blockOf(blocks, j));
        __m256i dot = _mm256_setzero_si256();
        for (int p = 0; p < kPairCount; ++p)
            dot = _mm256_add_epi32(dot, _mm256_madd_epi16(broadcast[p], _mm256_load_si256(block + p)));
        const __m256i sum = _mm256_add_epi32(aLength, _mm256_load_si256(reinterpret_cast<const __m256i*>(lengths + j)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + j), _mm256_sub_epi32(sum, _mm256_slli_epi32(dot, 1)));
    }
}

void localDistancesAvx2Any(const std::int16_t* frame, std::uint32_t frameLength, int pairCount,
    const std::int16_t* blocks, const std::uint32_t* lengths, int lo, int hi, std::uint32_t* d)
{
    using Instance = decltype(&localDistancesAvx2<1>);
    // No pair counts only when both prints are all zero; one pair gives the same zeros.
    static constexpr Instance instances[] = {localDistancesAvx2<1>, localDistancesAvx2<1>, localDistancesAvx2<2>,
        localDistancesAvx2<3>, localDistancesAvx2<4>, localDistancesAvx2<5>, localDistancesAvx2<6>,
        localDistancesAvx2<7>, localDistancesAvx2<8>};
    instances[pairCount](frame, frameLength, pairCount, blocks, lengths, lo, hi, d);
}

__attribute__((target("avx2"))) __m256i load(const std::uint32_t* cells)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cells));
}

__attribute__((target("avx2"))) std::uint32_t recursionAvx2(const std::uint32_t* g2, const std::uint32_t* g1,
    const std::uint32_t* d1, const std::uint32_t* d0, int lo, int hi, std::uint32_t* g0)
{
    const __m256i laneOffsets = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i last = _mm256_set1_epi32(hi);
    __m256i rowMin = _mm256_set1_epi32(static_cast<int>(kUnreached));
    for (int j = lo; j <= hi; j += 8) {
        const __m256i twoOne = _mm256_add_epi32(load(g2 + j - 1), load(d1 + j));
        const __m256i diagonal = load(g1 + j - 1);
        const __m256i oneTwo = _mm256_add_epi32(load(g1 + j - 2), load(d0 + j - 1));
        __m256i cost = _mm256_add_epi32(_mm256_min_epu32(_mm256_min_epu32(twoOne, diagonal), oneTwo), load(d0 + j));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(g0 + j), cost);
        // Lanes past hi hold no cell of the band: all ones, never the minimum.
        if (j + 7 > hi)
            cost = _mm256_or_si256(cost, _mm256_cmpgt_epi32(_mm256_add_epi32(_mm256_set1_epi32(j), laneOffsets), last));
        rowMin = _mm256_min_epu32(rowMin, cost);
    }
    __m128i half = _mm_min_epu32(_mm256_castsi256_si128(rowMin), _mm256_extracti128_si256(rowMin, 1));
    half = _mm_min_epu32(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(1, 0, 3, 2)));
    half = _mm_min_epu32(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(2, 3, 0, 1)));
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(half));
}

const DtwRowKernels kAvx2 {localDistancesAvx2Any, recursionAvx2, "avx2"};

#endif

const DtwRowKernels kPortable {localDistancesPortable, recursionPortable, "portable"};

}  // namespace

const DtwRowKernels& portableRowKernels()
{
    return kPortable;
}

const DtwRowKernels* avx2RowKernels()
{
#if defined(__x86_64__)
    static const bool supported = __builtin_cpu_supports("avx2");
    return supported ? &kAvx2 : nullptr;
#else
    return nullptr;
#endif
}

const DtwRowKernels& bestRowKernels()
{
    static const DtwRowKernels& best = avx2RowKernels() ? *avx2RowKernels() : portableRowKernels();
    return best;
}
