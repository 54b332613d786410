// The voice-print engine's two costs per utterance: computing its print
// once, and comparing it with every trained sample.

#include "DataModel/ZRVoicePrint.h"
#include "Platform/AudioFileDecoder.h"
#include "Platform/PcmBytes.h"
#include "support/Fsdd.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::size_t kTwoSeconds = 16000;

// Two seconds of continuous real speech: one person's takes of the digits,
// back to back.
std::vector<std::int16_t> twoSecondsOfSpeech(const std::string& speaker, int take)
{
    std::vector<std::int16_t> speech;
    for (int digit = 0; speech.size() < kTwoSeconds; digit = (digit + 1) % 10) {
        const auto decoded = AudioFileDecoder::decode(Fsdd::recording(digit, speaker, take).string(), 8000);
        speech.insert(speech.end(), decoded.samples.begin(), decoded.samples.end());
    }
    speech.resize(kTwoSeconds);
    return speech;
}

ZRVoicePrint printOf(const std::vector<std::int16_t>& samples)
{
    ZRVoicePrint print;
    print.calculateVoicePrint(PcmBytes::bigEndian(samples));
    return print;
}

void BM_VoicePrint(benchmark::State& state)
{
    if (Fsdd::directory().empty()) {
        state.SkipWithError("no spoken digit recordings (set ZARNETH_FSDD)");
        return;
    }
    const std::vector<std::uint8_t> bytes = PcmBytes::bigEndian(twoSecondsOfSpeech("jackson", 4));
    ZRVoicePrint print;
    for (auto _ : state) {
        print.calculateVoicePrint(bytes);
        benchmark::DoNotOptimize(print.voicePrint().data());
    }
    state.counters["frames"] = static_cast<double>(print.count() / ZRVoicePrint::kFrameSize);
}
BENCHMARK(BM_VoicePrint)->Unit(benchmark::kMicrosecond);

void BM_DTW(benchmark::State& state)
{
    if (Fsdd::directory().empty()) {
        state.SkipWithError("no spoken digit recordings (set ZARNETH_FSDD)");
        return;
    }
    const ZRVoicePrint spoken = printOf(twoSecondsOfSpeech("theo", 5));
    const ZRVoicePrint trained = printOf(twoSecondsOfSpeech("theo", 6));
    double distance = 0;
    for (auto _ : state) {
        distance = spoken.distanceFromVoicePrint(&trained);
        benchmark::DoNotOptimize(distance);
    }
    state.counters["frames"] = static_cast<double>(spoken.count() / ZRVoicePrint::kFrameSize);
    state.counters["otherFrames"] = static_cast<double>(trained.count() / ZRVoicePrint::kFrameSize);
    state.counters["finite"] = distance < 1e30;
}
BENCHMARK(BM_DTW)->Unit(benchmark::kMicrosecond);

}  // namespace
