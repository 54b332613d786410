#pragma once

#include <cstdint>
#include <optional>

class CompactVoicePrint;
struct DtwKernels;

// Distance between two frame sequences by dynamic time warping with
// slope-constrained local paths: every path starts with the diagonal step
// from (0, 0) to (1, 1) and then advances by (1, 1), (2, 1) or (1, 2) frames.
// The cost is the sum of squared Euclidean frame distances along the best
// path, not normalised by its length.

// The cost of a comparison that cannot be matched.
inline constexpr double kNoMatchDistance = 1e30;

// Squared Euclidean distance between frame i of p and frame j of q, each
// frame holding dim integers.
double Distance(const std::int32_t* p, int i, const std::int32_t* q, int j, int dim);

// p holds n frames and q holds m frames of dim integers each. Returns
// kNoMatchDistance when the end cell cannot be reached, which includes every
// sequence of fewer than two frames. Exact for any values: double-precision
// sums in the order of the literal algorithm, over every cell of the table.
double DTW(const std::int32_t* p, int n, const std::int32_t* q, int m, int dim);

// The value DTW gives for two prints of 16 values per frame, computed in
// 32-bit integers over the cells a path from (1, 1) to the end can use,
// with two rows of costs at a time and no allocation once a thread has
// compared prints of this size.
//
// A comparison inside a search passes the best distance so far as `bound`:
// as soon as two consecutive rows cost `bound` or more everywhere, no path
// can end below it, and the result is a lower bound of the distance that is
// at least `bound`. Below `bound` the result is exact.
//
// Returns nothing when the integers could overflow (values beyond the
// 16-bit layout, or frame distances times path length beyond 31 bits); DTW
// then gives the value.
std::optional<double> BandedDTW(
    const CompactVoicePrint& p, const CompactVoicePrint& q, double bound = kNoMatchDistance);
std::optional<double> BandedDTW(
    const CompactVoicePrint& p, const CompactVoicePrint& q, double bound, const DtwKernels& kernels);
