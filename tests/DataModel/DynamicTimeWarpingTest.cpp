// The alignment of two prints: the fast comparison held to the double tables
// bit for bit, on every pair of short lengths (empty, one frame, the slope
// limits, 3:1) and on random and real prints, whichever row kernels run and
// wherever the double-precision fallback takes over; and early stopping.

#include "DataModel/DynamicTimeWarping.h"

#include "DataModel/CompactVoicePrint.h"
#include "DataModel/DtwRowKernels.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kDim = ZRVoicePrint::kFrameSize;

// How the values of a random print are drawn. Speech: elements 1 ... 13
// within ±300, the others 0, as the front end makes them. Coarse: within ±2,
// so many equal paths and ties. Repeated: one frame over and over. LaneEdge:
// at the edges of the 16-bit layout, too far apart for 32-bit costs. Wide:
// beyond the 16-bit layout. Huge: anywhere in 32 bits.
enum class Shape { Speech, AllSixteen, Coarse, Repeated, LaneEdge, Wide, Huge };

ZRVoicePrint randomPrint(int frames, Shape shape, std::mt19937& random)
{
    constexpr std::int64_t kSpread[] = {300, 255, 2, 255, 0, 40000, std::int64_t {1} << 31};
    const std::int64_t spread = kSpread[static_cast<int>(shape)];
    std::uniform_int_distribution<std::int64_t> value(-spread, spread - (shape == Shape::Huge));
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t k = i % kDim;
        if (shape == Shape::Repeated && i >= kDim)
            values[i] = values[k];
        else if (shape == Shape::LaneEdge)
            values[i] = random() % 2 ? CompactVoicePrint::kMaxValue : CompactVoicePrint::kMinValue;
        else if (shape != Shape::Speech || (k >= 1 && k <= 13))
            values[i] = static_cast<std::int32_t>(value(random));
    }
    return ZRVoicePrint(std::move(values));
}

const auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };

// The double tables over every cell, with the length test in front: exact
// for any values, and held to the Python model by ReferenceValuesTest.
double tableDistance(const ZRVoicePrint& a, const ZRVoicePrint& b)
{
    const auto n = static_cast<int>(a.count() / kDim), m = static_cast<int>(b.count() / kDim);
    if (n > 3 * m || m > 3 * n)
        return kNoMatchDistance;
    return DTW(a.voicePrint().data(), n, b.voicePrint().data(), m, kDim);
}

// Compares a with b through the engine and through every kernel directly;
// returns whether the integers sufficed (the banded path answered).
bool expectTableDistance(const ZRVoicePrint& a, const ZRVoicePrint& b)
{
    const double exact = tableDistance(a, b);
    const auto n = a.count() / kDim, m = b.count() / kDim;
    EXPECT_EQ(bits(a.distanceFromVoicePrint(&b)), bits(exact)) << n << " × " << m << " frames";
    if (n > 3 * m || m > 3 * n)
        return true;  // the length test answers before any table
    bool banded = false;
    for (const DtwKernels* kernel : {&portableKernels(), avx2Kernels()}) {
        const auto fast = kernel ? BandedDTW(a.compactVoicePrint(), b.compactVoicePrint(), kNoMatchDistance, *kernel)
                                 : std::nullopt;
        banded |= fast.has_value();
        EXPECT_EQ(bits(fast.value_or(exact)), bits(exact)) << kernel->name << ", " << n << " × " << m << " frames";
    }
    return banded;
}

TEST(DynamicTimeWarpingTest, EveryKernelGivesTheDistanceOfTheDoubleTablesWhichTakeOverWhereIntegersCannotHoldIt)
{
    std::mt19937 random(20240601);
    int banded = 0;
    for (int round = 0; round < 6000; ++round) {
        const auto shape = static_cast<Shape>(round % 7);
        const int n = std::uniform_int_distribution<int>(0, 70)(random);
        // Mostly lengths that can be matched, some beyond the slope or the length test.
        const int m = std::uniform_int_distribution<int>(std::max(0, n / 2 - 3), n * 2 + 3)(random);
        banded += expectTableDistance(
            randomPrint(n, shape, random), randomPrint(m, round % 5 == 0 ? Shape::Speech : shape, random));
    }
    EXPECT_GT(banded, 3000) << "the integer path must carry most comparisons";

    // Every pair of short lengths: 0 and 1 frame, the slope limits, 3:1.
    for (int n = 0; n <= 30; ++n)
        for (int m = 0; m <= 30; ++m) {
            const ZRVoicePrint a = randomPrint(n, Shape::Speech, random), b = randomPrint(m, Shape::Coarse, random);
            EXPECT_TRUE(expectTableDistance(a, b));
            EXPECT_TRUE(expectTableDistance(b, a));
        }
    // Real speech never needs the double tables; each print against itself too.
    std::vector<ZRVoicePrint> speech;
    for (const auto& recording : Fsdd::all())
        speech.push_back(TestData::voicePrintOf(TestData::samplesOf(recording)));
    for (std::size_t i = 0; i < speech.size(); i += 3)
        for (const ZRVoicePrint& other : speech)
            EXPECT_TRUE(expectTableDistance(speech[i], other));

    // Values or lengths the integers cannot hold go to the double table.
    const auto expectFallback = [](const ZRVoicePrint& a, const ZRVoicePrint& b) {
        EXPECT_FALSE(BandedDTW(a.compactVoicePrint(), b.compactVoicePrint()).has_value());
        EXPECT_EQ(bits(a.distanceFromVoicePrint(&b)), bits(tableDistance(a, b)));
    };
    expectFallback(randomPrint(20, Shape::LaneEdge, random), randomPrint(25, Shape::LaneEdge, random));
    expectFallback(randomPrint(20, Shape::Wide, random), randomPrint(20, Shape::Speech, random));

    // Long prints: distances that fit, summed along 2047 cells, would not.
    std::vector<std::int32_t> loud(1024 * kDim, 0), quiet(1024 * kDim, 0);
    for (std::size_t i = 0; i < loud.size(); ++i) {
        loud[i] = i % kDim >= 1 && i % kDim <= 13 ? 500 : 0;
        quiet[i] = i % kDim == 1 ? -500 : 0;
    }
    expectFallback(ZRVoicePrint(loud), ZRVoicePrint(quiet));

    // So large that 1e30 plus one local distance is no longer 1e30: an end
    // no path reaches costs a little more, exactly as the double tables round it.
    const ZRVoicePrint huge = randomPrint(10, Shape::Huge, random), far = randomPrint(19, Shape::Huge, random);
    EXPECT_GT(tableDistance(huge, far), 1e30);
    EXPECT_EQ(bits(huge.distanceFromVoicePrint(&far)), bits(tableDistance(huge, far)));
}

TEST(DynamicTimeWarpingTest, AComparisonStopsEarlyOnlyWhenItCannotEndBelowTheBound)
{
    std::mt19937 random(99);
    int stoppedEarly = 0;
    for (int round = 0; round < 1000; ++round) {
        const int n = std::uniform_int_distribution<int>(2, 60)(random);
        const int m = std::uniform_int_distribution<int>(n / 2 + 1, 2 * n - 1)(random);
        const ZRVoicePrint a = randomPrint(n, round % 2 ? Shape::Speech : Shape::Coarse, random);
        const ZRVoicePrint b = randomPrint(m, Shape::Speech, random);
        const double exact = tableDistance(a, b);
        for (double bound : {0.0, 1.0, exact - 1, exact, exact + 1, exact / 3, 2 * exact, 1e30}) {
            const double found = a.distanceFromVoicePrintBelow(&b, bound);
            if (exact < bound) {
                EXPECT_EQ(bits(found), bits(exact)) << "bound " << bound;
            } else {
                // Never below the bound, so a search keeps the sample it has.
                EXPECT_GE(found, bound);
                EXPECT_LE(found, exact);
                stoppedEarly += found < exact;
            }
        }
    }
    EXPECT_GT(stoppedEarly, 500);

    // Costs are whole numbers, so with a bound between two integers every
    // row must reach the next one up. A print against itself with its last
    // frame nudged costs 0 on every row but the last.
    std::vector<std::int32_t> values = randomPrint(30, Shape::Speech, random).voicePrint();
    const ZRVoicePrint print(values);
    values[values.size() - 2] += 1;
    const ZRVoicePrint nudged(values);
    EXPECT_EQ(print.distanceFromVoicePrintBelow(&nudged, 0.5), 1.0);
    EXPECT_EQ(print.distanceFromVoicePrintBelow(&nudged, 1.5), 1.0);
    EXPECT_GE(print.distanceFromVoicePrintBelow(&nudged, 1.0), 1.0);
}

}  // namespace
