#include "DataModel/DynamicTimeWarping.h"

#include "DataModel/ZRVoicePrint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr int kDim = ZRVoicePrint::kFrameSize;

// A print of `frames` frames with varied values within ±255 in elements 1 ... 13.
ZRVoicePrint randomPrint(int frames, std::uint32_t seed)
{
    std::vector<std::int32_t> values(static_cast<std::size_t>(frames) * kDim, 0);
    for (int f = 0; f < frames; ++f) {
        for (int m = 1; m <= 13; ++m) {
            seed = seed * 1664525u + 1013904223u;
            values[f * kDim + m] = static_cast<std::int32_t>(seed >> 23) - 255;
        }
    }
    return ZRVoicePrint(std::move(values));
}

double local(const ZRVoicePrint& a, int i, const ZRVoicePrint& b, int j)
{
    return Distance(a.voicePrint().data(), i, b.voicePrint().data(), j, kDim);
}

TEST(DynamicTimeWarpingTest, IdenticalPrintsAreZeroApart)
{
    const ZRVoicePrint a = randomPrint(40, 1);
    const ZRVoicePrint copy(a.voicePrint());
    EXPECT_EQ(a.distanceFromVoicePrint(&copy), 0.0);
}

TEST(DynamicTimeWarpingTest, LocalDistanceIsTheExactSquaredDifferenceOfEveryElement)
{
    const std::vector<std::int32_t> p = {1, 2, 3, 4, 10, 20};
    const std::vector<std::int32_t> q = {0, 0, 0, 7, 7, 7};
    EXPECT_EQ(Distance(p.data(), 0, q.data(), 1, 3), 36.0 + 25.0 + 16.0);
    EXPECT_EQ(Distance(p.data(), 1, q.data(), 0, 3), 16.0 + 100.0 + 400.0);

    // The difference of two 32-bit values does not fit in 32 bits.
    const std::vector<std::int32_t> highest = {std::numeric_limits<std::int32_t>::max()};
    const std::vector<std::int32_t> lowest = {std::numeric_limits<std::int32_t>::min()};
    EXPECT_EQ(Distance(highest.data(), 0, lowest.data(), 0, 1), 4294967295.0 * 4294967295.0);
}

TEST(DynamicTimeWarpingTest, TwoFramePrintsCostTheirDiagonal)
{
    const ZRVoicePrint a = randomPrint(2, 3);
    const ZRVoicePrint b = randomPrint(2, 4);
    EXPECT_EQ(a.distanceFromVoicePrint(&b), local(a, 0, b, 0) + local(a, 1, b, 1));
}

TEST(DynamicTimeWarpingTest, UnevenPairsFollowTheOnlyPathThroughTheSlantedStep)
{
    // 4 frames against 3: (0,0) → (1,1) → (3,2) through (2,2).
    const ZRVoicePrint four = randomPrint(4, 5);
    const ZRVoicePrint three = randomPrint(3, 6);
    const double expected
        = local(four, 0, three, 0) + local(four, 1, three, 1) + local(four, 2, three, 2) + local(four, 3, three, 2);
    EXPECT_EQ(four.distanceFromVoicePrint(&three), expected);
    // And mirrored: (0,0) → (1,1) → (2,3) through (2,2).
    const double mirrored
        = local(three, 0, four, 0) + local(three, 1, four, 1) + local(three, 2, four, 2) + local(three, 2, four, 3);
    EXPECT_EQ(three.distanceFromVoicePrint(&four), mirrored);
}

TEST(DynamicTimeWarpingTest, ChoosesTheCheaperOfTwoPaths)
{
    // 5 frames against 4 reach (4,3) either through (3,2) or through (3,3);
    // the two paths differ only in that cell. Make each one cheaper in turn.
    std::vector<std::int32_t> p(5 * kDim, 0);
    std::vector<std::int32_t> q(4 * kDim, 0);
    p[3 * kDim + 1] = 10;  // frame 3 of p
    for (int cheaperColumn : {2, 3}) {
        q[2 * kDim + 1] = cheaperColumn == 2 ? 9 : 0;
        q[3 * kDim + 1] = cheaperColumn == 3 ? 9 : 0;
        const ZRVoicePrint a(p);
        const ZRVoicePrint b(q);
        const double common = local(a, 0, b, 0) + local(a, 1, b, 1) + local(a, 2, b, 2) + local(a, 4, b, 3);
        EXPECT_EQ(a.distanceFromVoicePrint(&b), common + local(a, 3, b, cheaperColumn))
            << "through (3," << cheaperColumn << ")";
        EXPECT_EQ(a.distanceFromVoicePrint(&b), common + 1.0);
    }
}

TEST(DynamicTimeWarpingTest, SlopeConstraintDecidesWhichLengthsMatch)
{
    const ZRVoicePrint ten = randomPrint(10, 7);
    const ZRVoicePrint eighteen = randomPrint(18, 8);
    const ZRVoicePrint nineteen = randomPrint(19, 9);
    const ZRVoicePrint thirtyOne = randomPrint(31, 10);
    EXPECT_LT(ten.distanceFromVoicePrint(&eighteen), kNoMatchDistance);
    EXPECT_LT(eighteen.distanceFromVoicePrint(&ten), kNoMatchDistance);
    EXPECT_EQ(ten.distanceFromVoicePrint(&nineteen), kNoMatchDistance);  // 17 > 2·8
    EXPECT_EQ(nineteen.distanceFromVoicePrint(&ten), kNoMatchDistance);
    EXPECT_EQ(ten.distanceFromVoicePrint(&thirtyOne), kNoMatchDistance);  // more than 3 times longer
    EXPECT_EQ(thirtyOne.distanceFromVoicePrint(&ten), kNoMatchDistance);
}

TEST(DynamicTimeWarpingTest, OrderOfArgumentsDoesNotMatter)
{
    for (int n : {2, 3, 7, 30, 64}) {
        for (int m : {2, 5, 30, 61, 125}) {
            const ZRVoicePrint a = randomPrint(n, static_cast<std::uint32_t>(n * 1000 + m));
            const ZRVoicePrint b = randomPrint(m, static_cast<std::uint32_t>(m * 1000 + n));
            EXPECT_EQ(a.distanceFromVoicePrint(&b), b.distanceFromVoicePrint(&a)) << n << " vs " << m;
        }
    }
}

TEST(DynamicTimeWarpingTest, NoPrintOrTooFewFramesIsNoMatch)
{
    const ZRVoicePrint empty {std::vector<std::int32_t> {}};
    const ZRVoicePrint one = randomPrint(1, 11);
    const ZRVoicePrint three = randomPrint(3, 12);
    EXPECT_EQ(three.distanceFromVoicePrint(nullptr), kNoMatchDistance);
    EXPECT_EQ(empty.distanceFromVoicePrint(&empty), kNoMatchDistance);
    EXPECT_EQ(empty.distanceFromVoicePrint(&three), kNoMatchDistance);
    EXPECT_EQ(one.distanceFromVoicePrint(&one), kNoMatchDistance);
    EXPECT_EQ(one.distanceFromVoicePrint(&three), kNoMatchDistance);
    EXPECT_EQ(three.distanceFromVoicePrint(&one), kNoMatchDistance);
}

}  // namespace
