// The fast comparison against the literal tables: every distance must come
// out with the same bits, whichever row kernels run, wherever the integers
// suffice and wherever the double-precision fallback takes over.

#include "DataModel/CompactVoicePrint.h"
#include "DataModel/DtwRowKernels.h"
#include "DataModel/DynamicTimeWarping.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/Fsdd.h"
#include "support/LiteralEngine.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr int kDim = ZRVoicePrint::kFrameSize;

// How the values of a random print are drawn.
enum class Shape {
    Speech,      // elements 1 ... 13 within ±300, the others 0, as the front end makes them
    AllSixteen,  // all 16 elements within ±255
    Coarse,      // elements within ±2: many equal paths, so many ties
    Repeated,    // one frame over and over
    LaneEdge,    // at the edges of the 16-bit layout: too far apart for 32-bit costs
    Wide,        // beyond the 16-bit layout
    Huge,        // anywhere in 32 bits
};

std::vector<std::int32_t> randomValues(int frames, Shape shape, std::mt19937& random)
{
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    const auto uniform = [&random](std::int64_t lo, std::int64_t hi) {
        return static_cast<std::int32_t>(std::uniform_int_distribution<std::int64_t>(lo, hi)(random));
    };
    for (int f = 0; f < frames; ++f) {
        for (int k = 0; k < kDim; ++k) {
            std::int32_t& value = values[static_cast<std::size_t>(f) * kDim + k];
            switch (shape) {
            case Shape::Speech:
                value = k >= 1 && k <= 13 ? uniform(-300, 300) : 0;
                break;
            case Shape::AllSixteen:
                value = uniform(-255, 255);
                break;
            case Shape::Coarse:
                value = uniform(-2, 2);
                break;
            case Shape::Repeated:
                value = f == 0 ? uniform(-255, 255) : values[k];
                break;
            case Shape::LaneEdge:
                value = uniform(0, 1) ? CompactVoicePrint::kMaxValue : CompactVoicePrint::kMinValue;
                break;
            case Shape::Wide:
                value = uniform(-40000, 40000);
                break;
            case Shape::Huge:
                value = uniform(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
                break;
            }
        }
    }
    return values;
}

std::uint64_t bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

std::vector<const DtwKernels*> everyKernel()
{
    std::vector<const DtwKernels*> kernels {&portableKernels()};
    if (const DtwKernels* avx2 = avx2Kernels())
        kernels.push_back(avx2);
    return kernels;
}

// Compares a with b through the engine and through every kernel directly;
// returns whether the integers sufficed (the banded path answered).
bool expectLiteralDistance(const ZRVoicePrint& a, const ZRVoicePrint& b)
{
    const double literal = Literal::distanceFromVoicePrint(a, &b);
    EXPECT_EQ(bits(a.distanceFromVoicePrint(&b)), bits(literal))
        << a.count() / kDim << " × " << b.count() / kDim << " frames: " << a.distanceFromVoicePrint(&b) << " vs "
        << literal;
    const auto n = a.count() / kDim;
    const auto m = b.count() / kDim;
    if (n > 3 * m || m > 3 * n)
        return true;  // the length test answers before any table
    bool banded = false;
    for (const DtwKernels* kernels : everyKernel()) {
        const std::optional<double> fast
            = BandedDTW(a.compactVoicePrint(), b.compactVoicePrint(), kNoMatchDistance, *kernels);
        if (fast) {
            banded = true;
            EXPECT_EQ(bits(*fast), bits(literal)) << kernels->name << ", " << n << " × " << m << " frames";
        }
    }
    return banded;
}

TEST(BandedDtwTest, EveryKernelGivesTheLiteralDistanceOnRandomPrints)
{
    std::mt19937 random(20240601);
    const Shape shapes[]
        = {Shape::Speech, Shape::AllSixteen, Shape::Coarse, Shape::Repeated, Shape::LaneEdge, Shape::Wide, Shape::Huge};
    int comparisons = 0;
    int banded = 0;
    for (int round = 0; round < 12000; ++round) {
        const Shape shape = shapes[round % std::size(shapes)];
        const int n = std::uniform_int_distribution<int>(0, 70)(random);
        // Mostly lengths that can be matched, some beyond the slope or the length test.
        const int m = std::uniform_int_distribution<int>(std::max(0, n / 2 - 3), n * 2 + 3)(random);
        const ZRVoicePrint a(randomValues(n, shape, random));
        const ZRVoicePrint b(randomValues(m, round % 5 == 0 ? Shape::Speech : shape, random));
        banded += expectLiteralDistance(a, b);
        ++comparisons;
    }
    EXPECT_GE(comparisons, 10000);
    EXPECT_GT(banded, comparisons / 2) << "the integer path must carry most comparisons";
}

TEST(BandedDtwTest, EveryPairOfShortLengthsMeetsTheBandEdges)
{
    // 0 and 1 frames, ends just inside and just outside the slope limits
    // (10 against 18 and 19 frames), and the length test's 3:1.
    std::mt19937 random(7);
    for (int n = 0; n <= 30; ++n) {
        for (int m = 0; m <= 30; ++m) {
            const ZRVoicePrint a(randomValues(n, Shape::Speech, random));
            const ZRVoicePrint b(randomValues(m, Shape::Coarse, random));
            EXPECT_TRUE(expectLiteralDistance(a, b));
            EXPECT_TRUE(expectLiteralDistance(b, a));
        }
    }
}

TEST(BandedDtwTest, AComparisonStopsEarlyOnlyWhenItCannotEndBelowTheBound)
{
    std::mt19937 random(99);
    int stoppedEarly = 0;
    for (int round = 0; round < 2000; ++round) {
        const int n = std::uniform_int_distribution<int>(2, 60)(random);
        const int m = std::uniform_int_distribution<int>(n / 2 + 1, 2 * n - 1)(random);
        const ZRVoicePrint a(randomValues(n, round % 2 ? Shape::Speech : Shape::Coarse, random));
        const ZRVoicePrint b(randomValues(m, Shape::Speech, random));
        const double exact = Literal::distanceFromVoicePrint(a, &b);
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
    EXPECT_GT(stoppedEarly, 1000);

    // A bound between two integers: costs are whole numbers, so every row
    // must reach the next one up before the comparison may stop. A print
    // against itself with its last frame nudged costs 0 on every row but
    // the last.
    std::vector<std::int32_t> values = randomValues(30, Shape::Speech, random);
    const ZRVoicePrint print(values);
    values[values.size() - 2] += 1;
    const ZRVoicePrint nudged(values);
    EXPECT_EQ(print.distanceFromVoicePrintBelow(&nudged, 0.5), 1.0);
    EXPECT_EQ(print.distanceFromVoicePrintBelow(&nudged, 1.5), 1.0);
    EXPECT_GE(print.distanceFromVoicePrintBelow(&nudged, 1.0), 1.0);
}

TEST(BandedDtwTest, ValuesOrLengthsTheIntegersCannotHoldGoToTheDoubleTable)
{
    std::mt19937 random(5);
    const auto expectFallback = [](const ZRVoicePrint& a, const ZRVoicePrint& b) {
        EXPECT_FALSE(BandedDTW(a.compactVoicePrint(), b.compactVoicePrint()).has_value());
        EXPECT_EQ(bits(a.distanceFromVoicePrint(&b)), bits(Literal::distanceFromVoicePrint(a, &b)));
    };
    // At the edges of the 16-bit lanes, and beyond them.
    expectFallback(ZRVoicePrint(randomValues(20, Shape::LaneEdge, random)),
        ZRVoicePrint(randomValues(25, Shape::LaneEdge, random)));
    expectFallback(
        ZRVoicePrint(randomValues(20, Shape::Wide, random)), ZRVoicePrint(randomValues(20, Shape::Speech, random)));

    // Long prints: distances that fit, summed along 2047 cells, would not.
    std::vector<std::int32_t> loud(1024 * kDim, 0);
    std::vector<std::int32_t> quiet(1024 * kDim, 0);
    for (std::size_t f = 0; f < 1024; ++f) {
        for (int k = 1; k <= 13; ++k)
            loud[f * kDim + k] = 500;
        quiet[f * kDim + 1] = -500;
    }
    expectFallback(ZRVoicePrint(loud), ZRVoicePrint(quiet));

    // Local distances so large that 1e30 plus one of them is no longer
    // 1e30: an end no path reaches costs a little more than 1e30, exactly as
    // the double tables round it.
    const ZRVoicePrint huge(randomValues(10, Shape::Huge, random));
    const ZRVoicePrint far(randomValues(19, Shape::Huge, random));
    const double literal = Literal::distanceFromVoicePrint(huge, &far);
    EXPECT_GT(literal, 1e30);
    EXPECT_EQ(bits(huge.distanceFromVoicePrint(&far)), bits(literal));
}

TEST(BandedDtwTest, RealSpeechPrintsGiveTheLiteralDistance)
{
    SKIP_WITHOUT_FSDD();
    std::vector<ZRVoicePrint> prints;
    for (const char* speaker : {"george", "jackson", "theo", "yweweler"}) {
        for (int digit = 0; digit < 10; ++digit) {
            for (int take = 0; take < 2; ++take)
                prints.push_back(TestData::voicePrintOf(TestData::samplesOf(Fsdd::recording(digit, speaker, take))));
        }
    }
    for (const ZRVoicePrint& a : prints) {
        for (const ZRVoicePrint& b : prints)
            EXPECT_TRUE(expectLiteralDistance(a, b)) << "speech must never need the double tables";
    }
}

}  // namespace
