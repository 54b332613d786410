#pragma once

#include <cstdint>

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
// sequence of fewer than two frames.
double DTW(const std::int32_t* p, int n, const std::int32_t* q, int m, int dim);
