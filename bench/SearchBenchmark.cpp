// The phone search over 30, 300 and 3,000 stored samples, beside the literal
// search in the same run, for real speech (the spoken digit recordings) and
// for synthetic 2 s prints; and the memory a stored sample takes.

#include "BenchmarkData.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "LiteralEngine.h"
#include "support/Fsdd.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

using Prints = std::vector<std::shared_ptr<ZRVoicePrint>>;

struct SearchCase {
    std::shared_ptr<ZRCommandList> store;
    std::shared_ptr<ZRVoicePrint> utterance;
};

const SearchCase& realSpeechCase(std::size_t samples)
{
    static std::map<std::size_t, SearchCase> cases;
    SearchCase& found = cases[samples];
    if (!found.store) {
        const Prints& all = BenchmarkData::realSpeechPrints();
        found.store = BenchmarkData::storeOf(Prints(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(samples)));
        found.utterance = BenchmarkData::realSpeechUtterance();
    }
    return found;
}

// 2 s prints of 100 to 125 frames; the utterance is a close variant of one
// stored in the middle of the list.
const SearchCase& syntheticCase(std::size_t samples)
{
    static std::map<std::size_t, SearchCase> cases;
    SearchCase& found = cases[samples];
    if (!found.store) {
        Prints prints;
        for (std::size_t i = 0; i < samples; ++i)
            prints.push_back(
                BenchmarkData::syntheticPrint(100 + static_cast<int>(i % 26), static_cast<std::uint32_t>(i)));
        found.store = BenchmarkData::storeOf(prints);
        std::vector<std::int32_t> values = prints[samples / 2]->voicePrint();
        for (std::size_t k = 1; k < values.size(); k += 7)
            values[k] += 3;
        found.utterance = std::make_shared<ZRVoicePrint>(std::move(values));
    }
    return found;
}

template <class Search> void measureSearch(benchmark::State& state, const SearchCase& search, Search find)
{
    std::shared_ptr<ZRSample> sample;
    for (auto _ : state) {
        sample = find(*search.store, search.utterance.get());
        benchmark::DoNotOptimize(sample.get());
    }
    // Both searches must choose alike; a difference is no result at all.
    const Literal::Match literal = Literal::findPhoneTypeSampleForVoicePrint(*search.store, search.utterance.get());
    if (sample != literal.sample)
        state.SkipWithError("the search chose another sample than the literal one");
    state.counters["samples"] = static_cast<double>(state.range(0));
    state.counters["distance"] = literal.distance;
}

std::shared_ptr<ZRSample> fast(ZRCommandList& store, const ZRVoicePrint* utterance)
{
    return store.findPhoneTypeSampleForVoicePrint(utterance);
}

std::shared_ptr<ZRSample> literal(ZRCommandList& store, const ZRVoicePrint* utterance)
{
    return Literal::findPhoneTypeSampleForVoicePrint(store, utterance).sample;
}

// Stores larger than the shipped sixty recordings need the whole dataset.
bool enoughSpeech(benchmark::State& state)
{
    if (BenchmarkData::realSpeechPrints().size() >= static_cast<std::size_t>(state.range(0)))
        return true;
    state.SkipWithError("needs the whole spoken digit dataset in $ZARNETH_FSDD");
    return false;
}

void BM_Search(benchmark::State& state)
{
    if (enoughSpeech(state))
        measureSearch(state, realSpeechCase(static_cast<std::size_t>(state.range(0))), fast);
}
BENCHMARK(BM_Search)->Arg(30)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_SearchLiteral(benchmark::State& state)
{
    if (enoughSpeech(state))
        measureSearch(state, realSpeechCase(static_cast<std::size_t>(state.range(0))), literal);
}
BENCHMARK(BM_SearchLiteral)->Arg(30)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_SearchSynthetic(benchmark::State& state)
{
    measureSearch(state, syntheticCase(static_cast<std::size_t>(state.range(0))), fast);
}
BENCHMARK(BM_SearchSynthetic)->Arg(30)->Arg(300)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_SearchSyntheticLiteral(benchmark::State& state)
{
    measureSearch(state, syntheticCase(static_cast<std::size_t>(state.range(0))), literal);
}
BENCHMARK(BM_SearchSyntheticLiteral)->Arg(30)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

// Preparing a stored 2 s sample (125 frames); the counters give the bytes it
// holds, with the compact layout and as the literal version holds it (the
// values alone), and the scratch one comparison of two such prints needs.
void BM_SampleMemory(benchmark::State& state)
{
    const std::vector<std::int32_t> values = BenchmarkData::syntheticPrint(125, 1)->voicePrint();
    ZRVoicePrint print;
    for (auto _ : state) {
        print.setVoicePrint(values);
        benchmark::DoNotOptimize(print.compactVoicePrint().frames());
    }
    const double valueBytes = static_cast<double>(print.voicePrint().capacity() * sizeof(std::int32_t));
    state.counters["bytes"]
        = sizeof(ZRVoicePrint) + valueBytes + static_cast<double>(print.compactVoicePrint().byteCount());
    state.counters["literalBytes"] = sizeof(std::vector<std::int32_t>) + valueBytes;
    state.counters["scratchBytes"] = 6.0 * (125 + 24) * sizeof(std::uint32_t);
    state.counters["literalScratchBytes"] = 2.0 * 125 * 125 * sizeof(double);
}
BENCHMARK(BM_SampleMemory)->Unit(benchmark::kMicrosecond);

}  // namespace
