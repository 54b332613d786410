#pragma once

// The loop over the rows of a banded comparison, shared by the
// implementations in DtwRowKernels*.cpp. Each of them is compiled for its
// own instruction set and includes this file: everything here has internal
// linkage and uses no library function, so that no code built for one
// instruction set is ever shared with another.

#include "DataModel/DtwRowKernels.h"

namespace {

inline int smaller(int a, int b)
{
    return a < b ? a : b;
}

inline int larger(int a, int b)
{
    return a > b ? a : b;
}

// The columns of row i that lie on some path from (1, 1) to (n - 1, m - 1):
// within slopes 1/2 and 2 of both corners. Row 0 holds the start only.
struct Band {
    int n;
    int m;

    int lo(int i) const { return i == 0 ? 0 : larger(1 + i / 2, m - 1 - 2 * (n - 1 - i)); }
    int hi(int i) const { return i == 0 ? 0 : smaller(2 * i - 1, m - 1 - (n - i) / 2); }
};

// Marks the cells around a row's band that later rows read as unreached.
inline void closeBand(std::uint32_t* cost, int lo, int hi)
{
    cost[lo - 2] = cost[lo - 1] = kUnreached;
    cost[hi + 1] = cost[hi + 2] = cost[hi + 3] = kUnreached;
}

inline void rotate(std::uint32_t** rows)
{
    std::uint32_t* oldest = rows[0];
    rows[0] = rows[1];
    rows[1] = rows[2];
    rows[2] = oldest;
}

// Rows provides
//   static void localDistances(const BandedComparison&, int i, int lo, int hi, std::uint32_t* d);
//   static std::uint32_t recursion(g2, g1, d1, d0, lo, hi, g0);  // returns the row's smallest cost
// as DtwRowKernels.cpp describes them.
template <class Rows> BandedOutcome bandLoop(BandedComparison& c)
{
    const Band band {c.n, c.m};
    // cost[0], cost[1], cost[2]: rows i - 2, i - 1, i; local[0 ... 2]: rows
    // i - 1, i, i + 1. Row i's local distances serve row i (from lo - 1) and
    // row i + 1's two-against-one step (up to its hi); they are computed a
    // row ahead, so that the costs never wait for distances just stored.
    const auto localRow = [&](int i, std::uint32_t* d) {
        const int localHi = i + 1 < c.n ? larger(band.hi(i), band.hi(i + 1)) : band.hi(i);
        Rows::localDistances(c, i, larger(band.lo(i) - 1, 0), localHi, d);
    };
    localRow(0, c.local[1]);
    std::uint32_t previousMin = 0;
    for (int i = 0;; ++i) {
        if (i + 1 < c.n)
            localRow(i + 1, c.local[2]);
        const int lo = band.lo(i);
        const int hi = band.hi(i);
        std::uint32_t* cost = c.cost[2];
        std::uint32_t rowMin = 0;
        if (i == 0)
            rowMin = cost[0] = c.local[1][0];
        else if (i == 1)
            rowMin = cost[1] = c.cost[1][0] + c.local[1][1];
        else
            rowMin = Rows::recursion(c.cost[0], c.cost[1], c.local[0], c.local[1], lo, hi, cost);
        closeBand(cost, lo, hi);

        if (i > 0 && rowMin >= c.threshold && previousMin >= c.threshold)
            return {rowMin < previousMin ? rowMin : previousMin, true};
        if (i + 1 == c.n)
            return {cost[c.m - 1], false};
        previousMin = rowMin;
        rotate(c.cost);
        rotate(c.local);
    }
}

}  // namespace
