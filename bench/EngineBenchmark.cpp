// The voice-print engine's two costs per utterance, each beside the literal
// algorithm in the same run: computing its print once, and comparing it
// with a trained sample.

#include "BenchmarkData.h"
#include "DataModel/ZRVoicePrint.h"
#include "LiteralEngine.h"
#include "LiteralVoicePrint.h"
#include "Platform/Audio/PcmBytes.h"
#include "support/Fsdd.h"

#include <benchmark/benchmark.h>

namespace {

void BM_VoicePrint(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = PcmBytes::bigEndian(BenchmarkData::twoSecondsOfSpeech("jackson", 2));
    ZRVoicePrint print;
    for (auto _ : state) {
        print.calculateVoicePrint(bytes);
        benchmark::DoNotOptimize(print.voicePrint().data());
    }
    state.counters["frames"] = static_cast<double>(print.count() / ZRVoicePrint::kFrameSize);
}
BENCHMARK(BM_VoicePrint)->Unit(benchmark::kMicrosecond);

void BM_VoicePrintLiteral(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = PcmBytes::bigEndian(BenchmarkData::twoSecondsOfSpeech("jackson", 2));
    std::vector<std::int32_t> print;
    for (auto _ : state) {
        print = Literal::voicePrintOf(bytes);
        benchmark::DoNotOptimize(print.data());
    }
    state.counters["frames"] = static_cast<double>(print.size() / ZRVoicePrint::kFrameSize);
}
BENCHMARK(BM_VoicePrintLiteral)->Unit(benchmark::kMicrosecond);

// A print of exactly 125 frames (2 s) of one person's continuous speech.
ZRVoicePrint printOf125Frames(const char* speaker, int take)
{
    std::vector<std::int16_t> speech = BenchmarkData::twoSecondsOfSpeech(speaker, take);
    const std::vector<std::int16_t> more = BenchmarkData::twoSecondsOfSpeech(speaker, take + 1);
    speech.insert(speech.end(), more.begin(), more.begin() + 1000);
    std::vector<std::int32_t> values = BenchmarkData::printOf(speech)->voicePrint();
    values.resize(125 * ZRVoicePrint::kFrameSize);
    return ZRVoicePrint(std::move(values));
}

template <class Compare> void measureDtw(benchmark::State& state, Compare compare)
{
    const ZRVoicePrint spoken = printOf125Frames("theo", 0);
    const ZRVoicePrint trained = printOf125Frames("theo", 1);
    double distance = 0;
    for (auto _ : state) {
        distance = compare(spoken, trained);
        benchmark::DoNotOptimize(distance);
    }
    state.counters["frames"] = static_cast<double>(spoken.count() / ZRVoicePrint::kFrameSize);
    state.counters["otherFrames"] = static_cast<double>(trained.count() / ZRVoicePrint::kFrameSize);
    state.counters["distance"] = distance;
}

void BM_DTW(benchmark::State& state)
{
    measureDtw(state, [](const ZRVoicePrint& a, const ZRVoicePrint& b) { return a.distanceFromVoicePrint(&b); });
}
BENCHMARK(BM_DTW)->Unit(benchmark::kMicrosecond);

void BM_DTWLiteral(benchmark::State& state)
{
    measureDtw(
        state, [](const ZRVoicePrint& a, const ZRVoicePrint& b) { return Literal::distanceFromVoicePrint(a, &b); });
}
BENCHMARK(BM_DTWLiteral)->Unit(benchmark::kMicrosecond);

}  // namespace
