#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class ZRCommandList;
class ZRSample;
class ZRVoicePrint;

// The voice-print distance and the three command searches written exactly as
// the literal algorithm reads: two whole n × m tables of doubles per
// comparison, every cell filled, every comparison made in full. It shares no
// code with the engine: the benchmarks measure the engine against it, and
// check on the way that both give the same results.
namespace Literal {

double Distance(const std::int32_t* p, int i, const std::int32_t* q, int j, int dim);
double DTW(const std::int32_t* p, int n, const std::int32_t* q, int m, int dim);
// The receiver's distance from another print: 1e30 for none, or for frame
// counts more than three times apart.
double distanceFromVoicePrint(const ZRVoicePrint& receiver, const ZRVoicePrint* other);

// What a search leaves behind: the chosen sample (none when nothing is
// below 1e30) and the best distance.
struct Match {
    std::shared_ptr<ZRSample> sample;
    double distance = 1e30;
};

Match findPhoneTypeSampleForVoicePrint(const ZRCommandList& store, const ZRVoicePrint* utterance);
Match findRepeatCancelTypeSampleForVoicePrint(const ZRCommandList& store, const ZRVoicePrint* utterance);
Match findAcceptRepeatCancelTypeSampleForVoicePrint(const ZRCommandList& store, const ZRVoicePrint* utterance);

}  // namespace Literal
