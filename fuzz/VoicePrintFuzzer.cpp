// Any bytes as an utterance: ZRVoicePrint::calculateVoicePrint() reads them
// as 16-bit big-endian samples at 8000 Hz, as the recorder hands them over.
// The print must keep its layout, and comparing it with a fixed print must
// give the same distance every way it can be taken (DistanceOracle). The
// same bytes read as a stored print, 32-bit values as an archive may hold
// any, are compared with both: the overflow guard of the fast comparison
// only meets such values there.

#include "DataModel/ZRVoicePrint.h"
#include "DistanceOracle.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void broken(const char* what)
{
    std::fprintf(stderr, "VoicePrintFuzzer: %s\n", what);
    std::abort();
}

// Half a second of a voiced sound between two stretches of quiet noise: a
// print of twenty frames, trimmed to the speech.
std::vector<std::uint8_t> syntheticUtterance()
{
    constexpr int kRate = 8000;
    constexpr double kPi = 3.14159265358979323846;
    std::vector<std::uint8_t> bytes;
    unsigned noise = 1;
    for (int i = 0; i < kRate / 2; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const bool voiced = t > 0.1 && t < 0.4;
        noise = noise * 1103515245u + 12345u;
        double value = static_cast<double>(noise >> 16 & 0xff) - 128.0;
        if (voiced)
            value += 8000 * std::sin(2 * kPi * 150 * t) + 4000 * std::sin(2 * kPi * (700 + 800 * t) * t);
        const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(sample >> 8));
        bytes.push_back(static_cast<std::uint8_t>(sample & 0xff));
    }
    return bytes;
}

const ZRVoicePrint& fixedPrint()
{
    static const ZRVoicePrint print = [] {
        ZRVoicePrint computed;
        computed.calculateVoicePrint(syntheticUtterance());
        return computed;
    }();
    return print;
}

// Whole frames, and in each the elements a print always leaves at 0.
void checkLayout(const ZRVoicePrint& print)
{
    if (print.count() % ZRVoicePrint::kFrameSize != 0)
        broken("a computed print holds a partial frame");
    for (std::size_t frame = 0; frame < print.count(); frame += ZRVoicePrint::kFrameSize) {
        for (const std::size_t element : {0, 14, 15}) {
            if (print.objectAtIndex(frame + element) != 0)
                broken("a computed print sets element 0, 14 or 15 of a frame");
        }
    }
}

ZRVoicePrint storedPrint(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::int32_t> values(size / 4);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::uint8_t* b = data + 4 * i;
        values[i] = static_cast<std::int32_t>(
            std::uint32_t {b[0]} << 24 | std::uint32_t {b[1]} << 16 | std::uint32_t {b[2]} << 8 | b[3]);
    }
    return ZRVoicePrint(std::move(values));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    ZRVoicePrint computed;
    const int status = computed.calculateVoicePrint(bytes);
    if (status != (size == 0 ? ZRVoicePrint::kEmptyData : ZRVoicePrint::kCalculated))
        broken("calculateVoicePrint returned the wrong status");
    checkLayout(computed);
    DistanceOracle::checkedDistance(computed, fixedPrint());
    DistanceOracle::checkedDistance(fixedPrint(), computed);

    const ZRVoicePrint stored = storedPrint(data, size);
    DistanceOracle::checkedDistance(stored, fixedPrint());
    DistanceOracle::checkedDistance(computed, stored);
    return 0;
}
