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

// The columns of row i that lie on some path from (1, 1) to (n - 1, m - 1):
// within slopes 1/2 and 2 of both corners. Row 0 holds the start only.
struct Band {
    int n;
    int m;

    int lo(int i) const { return i == 0 ? 0 : std::max(1 + i / 2, m - 1 - 2 * (n - 1 - i)); }
    int hi(int i) const { return i == 0 ? 0 : std::min(2 * i - 1, m - 1 - (n - i) / 2); }
};

// Rolling rows of the banded comparison: three of costs and three of local
// distances, each with room before column 0 and after column m - 1 for the
// reads at j - 2 and the vector overrun. Kept per thread, so that a search
// allocates nothing once it has seen prints of this length.
class BandRows {
public:
    static constexpr int kLead = 8;

    explicit BandRows(int m)
    {
        const auto width = static_cast<std::size_t>(kLead + m + 16);
        thread_local std::vector<std::uint32_t> cells;
        if (cells.size() < 6 * width)
            cells.resize(6 * width);
        for (std::size_t r = 0; r < 3; ++r) {
            m_cost[r] = cells.data() + r * width + kLead;
            m_local[r] = cells.data() + (3 + r) * width + kLead;
        }
    }
    // Pointers at column 0 of rows i - 2, i - 1 and i, and of the local
    // distances of rows i - 1, i and i + 1.
    std::uint32_t* cost(int back) const { return m_cost[2 - back]; }
    std::uint32_t* local(int ahead) const { return m_local[1 + ahead]; }
    // Moves on to row i + 1: the oldest rows are reused.
    void advance()
    {
        std::rotate(m_cost.begin(), m_cost.begin() + 1, m_cost.end());
        std::rotate(m_local.begin(), m_local.begin() + 1, m_local.end());
    }

private:
    std::array<std::uint32_t*, 3> m_cost {};
    std::array<std::uint32_t*, 3> m_local {};
};

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

// Marks the cells around row i's band that later rows read as unreached.
void closeBand(std::uint32_t* cost, int lo, int hi)
{
    cost[lo - 2] = cost[lo - 1] = kUnreached;
    cost[hi + 1] = cost[hi + 2] = cost[hi + 3] = kUnreached;
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
    return BandedDTW(p, q, bound, bestRowKernels());
}

std::optional<double> BandedDTW(
    const CompactVoicePrint& p, const CompactVoicePrint& q, double bound, const DtwRowKernels& kernels)
{
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

    // Pairs past the last nonzero one in either print add nothing to any distance.
    const unsigned nonzeroPairs = p.nonzeroPairs() | q.nonzeroPairs();
    int pairCount = 0;
    while (nonzeroPairs >> pairCount)
        ++pairCount;

    const Band band {n, m};
    const std::uint32_t threshold = abandonThreshold(bound);
    BandRows rows(m);
    // Row i's local distances serve row i (from lo - 1) and row i + 1's
    // two-against-one step (up to its hi). They are computed a row ahead, so
    // that the costs never wait for distances just stored.
    const auto localRow = [&](int i, std::uint32_t* d) {
        const int localHi = i + 1 < n ? std::max(band.hi(i), band.hi(i + 1)) : band.hi(i);
        kernels.localDistances(p.frame(i), p.squaredLengths()[i], pairCount, q.block(0), q.squaredLengths(),
            std::max(band.lo(i) - 1, 0), localHi, d);
    };
    localRow(0, rows.local(0));
    std::uint32_t previousMin = 0;
    for (int i = 0; i < n; ++i) {
        if (i + 1 < n)
            localRow(i + 1, rows.local(1));
        const int lo = band.lo(i);
        const int hi = band.hi(i);
        std::uint32_t* cost = rows.cost(0);
        std::uint32_t rowMin = 0;
        if (i == 0)
            rowMin = cost[0] = rows.local(0)[0];
        else if (i == 1)
            rowMin = cost[1] = rows.cost(1)[0] + rows.local(0)[1];
        else
            rowMin = kernels.recursion(rows.cost(2), rows.cost(1), rows.local(-1), rows.local(0), lo, hi, cost);
        closeBand(cost, lo, hi);

        if (i > 0 && rowMin >= threshold && previousMin >= threshold)
            return static_cast<double>(std::min(rowMin, previousMin));
        previousMin = rowMin;
        if (i + 1 < n)
            rows.advance();
    }
    return static_cast<double>(rows.cost(0)[m - 1]);
}
