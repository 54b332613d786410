#include "DataModel/DynamicTimeWarping.h"

#include "DataModel/CompactVoicePrint.h"
#include "DataModel/DtwRowKernels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

constexpr double BIG = kNoMatchDistance;

// Rows of doubles reused by DTW on this thread.
std::vector<double>& doubleRows(std::size_t size)
{
    thread_local std::vector<double> rows;
    if (rows.size() < size)
        rows.resize(size);
    return rows;
}

// Whether the end cell (n - 1, m - 1) can be reached from (1, 1) with the
// steps (1, 1), (2, 1) and (1, 2).
bool endReachable(long long n, long long m)
{
    return n >= 2 && m >= 2 && n - 2 <= 2 * (m - 2) && m - 2 <= 2 * (n - 2);
}

// Rolling rows of the banded comparison: three of costs and three of local
// distances, each with room before column 0 and after column m - 1 for the
// reads at j - 2 and the vector overrun. Kept per thread, so that a search
// allocates nothing once it has seen prints of this length.
void provideRows(BandedComparison& comparison)
{
    constexpr int kLead = 8;
    const auto width = static_cast<std::size_t>(kLead + comparison.m + 16);
    thread_local std::vector<std::uint32_t> cells;
    if (cells.size() < 6 * width)
        cells.resize(6 * width);
    for (std::size_t r = 0; r < 3; ++r) {
        comparison.cost[r] = cells.data() + r * width + kLead;
        comparison.local[r] = cells.data() + (3 + r) * width + kLead;
    }
}

// The integer every cost must reach before a comparison may stop early;
// never reached when the bound is beyond the integer range.
std::uint32_t abandonThreshold(double bound)
{
    if (!(bound < static_cast<double>(kUnreached)))
        return ~0u;
    return bound <= 0 ? 0u : static_cast<std::uint32_t>(std::ceil(bound));
}

// Whether local distances below `localBound` summed along any path of an
// n × m comparison stay below kUnreached, with room for kUnreached plus two
// of them.
bool integersSuffice(std::uint64_t localBound, int n, int m)
{
    // A path visits at most one cell per antidiagonal: n + m - 1 cells.
    const std::uint64_t cells = static_cast<std::uint64_t>(n) + static_cast<std::uint64_t>(m) - 1;
    return localBound < kUnreached / 2 && localBound <= (kUnreached - 1) / cells;
}

}  // namespace

double Distance(const std::int32_t* p, int i, const std::int32_t* q, int j, int dim)
{
    const std::int32_t* x = p + static_cast<std::ptrdiff_t>(i) * dim;
    const std::int32_t* y = q + static_cast<std::ptrdiff_t>(j) * dim;
    double sum = 0;
    for (int k = 0; k < dim; ++k) {
        // Widened first: the difference of two 32-bit values may not fit in 32 bits.
        const double d = static_cast<double>(static_cast<std::int64_t>(x[k]) - y[k]);
        sum += d * d;
    }
    return sum;
}

double DTW(const std::int32_t* p, int n, const std::int32_t* q, int m, int dim)
{
    if (n < 2 || m < 2)
        return BIG;

    // Rows i - 2, i - 1 and i of the cost table and rows i - 1 and i of the
    // local distances; every cell is computed with the same additions, in the
    // same order, as over whole tables, so huge values round alike too.
    const auto width = static_cast<std::size_t>(m);
    double* rows = doubleRows(5 * width).data();
    const auto G = [&](int i) { return rows + static_cast<std::size_t>(i % 3) * width; };
    const auto D = [&](int i) { return rows + static_cast<std::size_t>(3 + i % 2) * width; };
    const auto localRow = [&](int i) {
        for (int j = 0; j < m; ++j)
            D(i)[j] = Distance(p, i, q, j, dim);
    };

    // Every path starts at (0, 0) and takes the diagonal step to (1, 1).
    localRow(0);
    localRow(1);
    G(0)[0] = D(0)[0];
    std::fill(G(0) + 1, G(0) + m, BIG);
    std::fill(G(1), G(1) + m, BIG);
    G(1)[1] = G(0)[0] + D(1)[1];

    for (int i = 2; i < n; ++i) {
        localRow(i);
        const double* g2 = G(i - 2);
        const double* g1 = G(i - 1);
        const double* d1 = D(i - 1);
        const double* d0 = D(i);
        double* g0 = G(i);
        g0[0] = BIG;
        g0[1] = BIG + d0[1];
        for (int j = 2; j < m; ++j) {
            const double d = d0[j];
            const double a = g2[j - 1] + d1[j] + d;        // two frames of p against one of q
            const double b = d + g1[j - 1];                // diagonal
            const double c = d + (g1[j - 2] + d0[j - 1]);  // one frame of p against two of q
            // Ties go to c before b, and to b or c before a.
            if (a < b && a < c)
                g0[j] = a;
            else if (b < c)
                g0[j] = b;
            else
                g0[j] = c;
        }
    }
    return G(n - 1)[m - 1];
}

std::optional<double> BandedDTW(const CompactVoicePrint& p, const CompactVoicePrint& q, double bound)
{
    return BandedDTW(p, q, bound, bestKernels());
}

std::optional<double> BandedDTW(
    const CompactVoicePrint& p, const CompactVoicePrint& q, double bound, const DtwKernels& kernels)
{
    static_assert(CompactVoicePrint::kBlockFrames == kDtwBlockFrames);
    static_assert(CompactVoicePrint::kBlockValues == kDtwBlockValues);
    const int n = p.frames();
    const int m = q.frames();
    if (n < 2 || m < 2)
        return BIG;
    if (!integersSuffice(CompactVoicePrint::localDistanceBound(p, q), n, m))
        return std::nullopt;
    // With local distances this small, 1e30 plus any of them is 1e30 again:
    // a cell no path reaches costs exactly 1e30 in doubles.
    if (!endReachable(n, m))
        return BIG;

    BandedComparison comparison {};
    comparison.frames = p.frame(0);
    comparison.frameLengths = p.squaredLengths();
    comparison.blocks = q.block(0);
    comparison.lengths = q.squaredLengths();
    comparison.n = n;
    comparison.m = m;
    // Pairs past the last nonzero one in either print add nothing to any distance.
    const unsigned nonzeroPairs = p.nonzeroPairs() | q.nonzeroPairs();
    while (nonzeroPairs >> comparison.pairCount)
        ++comparison.pairCount;
    comparison.threshold = abandonThreshold(bound);
    provideRows(comparison);
    return static_cast<double>(kernels.compare(comparison).cost);
}
