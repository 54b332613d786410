#include "LiteralEngine.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"

#include <cstddef>
#include <vector>

namespace {

using Literal::Match;

constexpr double BIG = 1e30;
constexpr int kDim = 16;

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

// Visits the command's samples newest first; only a strictly smaller
// distance replaces the best.
void evaluate(Match& best, const ZRVoicePrint& utterance, const ZRCommand& command)
{
    for (const std::shared_ptr<ZRSample>& sample : {command.sample1(), command.sample2(), command.sample3()}) {
        const double d = Literal::distanceFromVoicePrint(utterance, sample ? sample->voicePrint().get() : nullptr);
        if (d < best.distance) {
            best.distance = d;
            best.sample = sample;
        }
    }
}

Match searchSlots(const ZRCommandList& store, const ZRVoicePrint* utterance, bool includingAccept)
{
    Match best;
    if (!utterance)
        return best;
    for (const std::shared_ptr<ZRCommand>& slot : store.embeddedSystemList()) {
        const std::int32_t type = slot->type();
        if (type == ZRCommandTypeRepeat || type == ZRCommandTypeCancel
            || (includingAccept && type == ZRCommandTypeAccept))
            evaluate(best, *utterance, *slot);
    }
    return best;
}

}  // namespace

namespace Literal {

double Distance(const std::int32_t* p, int i, const std::int32_t* q, int j, int dim)
{
    double sum = 0;
    for (int k = 0; k < dim; ++k) {
        const double d = static_cast<double>(static_cast<std::int64_t>(p[i * dim + k]) - q[j * dim + k]);
        sum += d * d;
    }
    return sum;
}

double DTW(const std::int32_t* p, int n, const std::int32_t* q, int m, int dim)
{
    if (n < 2 || m < 2)
        return BIG;
    Matrix D(n, m);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < m; ++j)
            D(i, j) = Distance(p, i, q, j, dim);

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
            const double a = G(i - 2, j - 1) + D(i - 1, j) + d;
            const double b = d + G(i - 1, j - 1);
            const double c = d + (G(i - 1, j - 2) + D(i, j - 1));
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

double distanceFromVoicePrint(const ZRVoicePrint& receiver, const ZRVoicePrint* other)
{
    if (other == nullptr)
        return BIG;
    const std::vector<std::int32_t> p = receiver.voicePrint();
    const std::vector<std::int32_t> q = other->voicePrint();
    const auto n = static_cast<long long>(p.size() / kDim);
    const auto m = static_cast<long long>(q.size() / kDim);
    if (n > 3 * m || m > 3 * n)
        return BIG;
    return DTW(p.data(), static_cast<int>(n), q.data(), static_cast<int>(m), kDim);
}

Match findPhoneTypeSampleForVoicePrint(const ZRCommandList& store, const ZRVoicePrint* utterance)
{
    Match best;
    if (!utterance)
        return best;
    for (const std::shared_ptr<ZRCommand>& command : store.embeddedList()) {
        if (command->type() == ZRCommandTypePhone)
            evaluate(best, *utterance, *command);
    }
    return best;
}

Match findRepeatCancelTypeSampleForVoicePrint(const ZRCommandList& store, const ZRVoicePrint* utterance)
{
    return searchSlots(store, utterance, false);
}

Match findAcceptRepeatCancelTypeSampleForVoicePrint(const ZRCommandList& store, const ZRVoicePrint* utterance)
{
    return searchSlots(store, utterance, true);
}

}  // namespace Literal
