#include "DistanceOracle.h"

#include "DataModel/DtwRowKernels.h"
#include "DataModel/DynamicTimeWarping.h"
#include "DataModel/ZRVoicePrint.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

[[noreturn]] void disagree(const char* what, double expected, double found)
{
    std::fprintf(stderr, "DistanceOracle: %s gave %.17g where %.17g was due\n", what, found, expected);
    std::abort();
}

void expectSame(const char* what, double expected, double found)
{
    if (found != expected)
        disagree(what, expected, found);
}

long long framesOf(const ZRVoicePrint& print)
{
    return static_cast<long long>(print.count() / ZRVoicePrint::kFrameSize);
}

// The plain table over whole frames; a trailing partial frame is not compared.
double tableDistance(const ZRVoicePrint& from, const ZRVoicePrint& to)
{
    return DTW(from.voicePrint().data(), static_cast<int>(framesOf(from)), to.voicePrint().data(),
        static_cast<int>(framesOf(to)), ZRVoicePrint::kFrameSize);
}

// Whenever the integers suffice, every set of kernels must give the
// table's value. Returns whether they sufficed.
bool checkKernels(const ZRVoicePrint& from, const ZRVoicePrint& to, double table)
{
    bool banded = false;
    for (const DtwKernels* kernels : {&portableKernels(), avx2Kernels()}) {
        if (!kernels)
            continue;
        const auto found = BandedDTW(from.compactVoicePrint(), to.compactVoicePrint(), kNoMatchDistance, *kernels);
        if (found)
            expectSame(kernels->name, table, *found);
        banded = found.has_value();
    }
    return banded;
}

// A bound above the distance must leave it exact; one at or below it may
// stop the comparison, which then reports no less than the bound.
void checkBounds(const ZRVoicePrint& from, const ZRVoicePrint& to, double distance)
{
    if (!(distance > 0 && distance < kNoMatchDistance))
        return;
    const double above = std::nextafter(distance, std::numeric_limits<double>::infinity());
    expectSame("a search bounded above the distance", distance, from.distanceFromVoicePrintBelow(&to, above));
    for (const double bound : {distance, distance / 2}) {
        const double found = from.distanceFromVoicePrintBelow(&to, bound);
        if (found < bound)
            disagree("a search that stopped early, below its bound", bound, found);
    }
}

}  // namespace

double DistanceOracle::checkedDistance(const ZRVoicePrint& from, const ZRVoicePrint& to)
{
    const long long n = framesOf(from);
    const long long m = framesOf(to);
    const double distance = from.distanceFromVoicePrint(&to);
    // Lengths more than three times apart are never compared.
    if (n > 3 * m || m > 3 * n) {
        expectSame("distanceFromVoicePrint of lengths far apart", kNoMatchDistance, distance);
        return distance;
    }
    const double table = tableDistance(from, to);
    expectSame("distanceFromVoicePrint", table, distance);
    // Only the integer comparison stops early; the table ignores a bound.
    if (checkKernels(from, to, table))
        checkBounds(from, to, distance);
    return distance;
}
