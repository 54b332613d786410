#pragma once

class ZRVoicePrint;

// The distance of one print from another, taken every way the project can
// take it, which must agree to the last bit: the application's comparison,
// the plain double-precision table that the fast comparison stands in for,
// and the banded integer comparison with each set of row kernels this
// processor runs. A search's early stop is checked as well: below its bound
// it is exact, otherwise it reports at least the bound. A disagreement is
// printed and aborts, so that libFuzzer keeps the input.
class DistanceOracle {
public:
    static double checkedDistance(const ZRVoicePrint& from, const ZRVoicePrint& to);
};
