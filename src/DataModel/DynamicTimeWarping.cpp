#include "DataModel/DynamicTimeWarping.h"

#include <cstddef>
#include <vector>

namespace {

// An n × m matrix of doubles, row i for frame i of the first sequence.
class Matrix {
public:
    Matrix(int rows, int columns)
        : m_columns(static_cast<std::size_t>(columns))
        , m_cells(static_cast<std::size_t>(rows) * m_columns)
    {
    }
    double& operator()(int i, int j) { return m_cells[static_cast<std::size_t>(i) * m_columns + j]; }

private:
    std::size_t m_columns;
    std::vector<double> m_cells;
};

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
    const double BIG = kNoMatchDistance;
    if (n < 2 || m < 2)
        return BIG;

    Matrix D(n, m);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < m; ++j)
            D(i, j) = Distance(p, i, q, j, dim);

    // Every path starts at (0, 0) and takes the diagonal step to (1, 1).
    Matrix G(n, m);
    G(0, 0) = D(0, 0);
    for (int j = 1; j < m; ++j)
        G(0, j) = BIG;
    G(1, 0) = BIG;
    G(1, 1) = G(0, 0) + D(1, 1);
    for (int j = 2; j < m; ++j)
        G(1, j) = BIG;

    for (int i = 2; i < n; ++i) {
        G(i, 0) = BIG;
        G(i, 1) = G(i - 1, 0) + D(i, 1);
        for (int j = 2; j < m; ++j) {
            const double d = D(i, j);
            const double a = G(i - 2, j - 1) + D(i - 1, j) + d;    // two frames of p against one of q
            const double b = d + G(i - 1, j - 1);                  // diagonal
            const double c = d + (G(i - 1, j - 2) + D(i, j - 1));  // one frame of p against two of q
            // Ties go to c before b, and to b or c before a.
            if (a < b && a < c)
                G(i, j) = a;
            else if (b < c)
                G(i, j) = b;
            else
                G(i, j) = c;
        }
    }
    return G(n - 1, m - 1);
}
