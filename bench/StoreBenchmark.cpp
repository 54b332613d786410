// Loading and saving a store of 1,000 phone commands of three samples each,
// as the application does at start and after every change: prints of real
// speech (the spoken digit recordings, about half a second each) and of
// synthetic 2 s utterances (125 frames).

#include "BenchmarkData.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/Fsdd.h"
#include "support/TemporaryDirectory.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <plist/plist.h>

namespace {

using Prints = std::vector<std::shared_ptr<ZRVoicePrint>>;

constexpr std::size_t kCommands = 1000;

Prints printsFor(benchmark::State& state)
{
    if (state.range(0) == 0) {
        const Prints& speech = BenchmarkData::realSpeechPrints();
        return Prints(
            speech.begin(), speech.begin() + static_cast<std::ptrdiff_t>(std::min(speech.size(), 3 * kCommands)));
    }
    Prints prints;
    for (std::size_t i = 0; i < 3 * kCommands; ++i)
        prints.push_back(BenchmarkData::syntheticPrint(125, static_cast<std::uint32_t>(i)));
    return prints;
}

// The store's file in a Documents directory of its own.
class StoreFile {
public:
    explicit StoreFile(const QByteArray& archive)
    {
        qputenv("ZARNETH_DOCUMENTS", QByteArray::fromStdString(m_documents.path().string()));
        QFile file(ZRCommandList::createCommandListFileURL());
        file.open(QIODevice::WriteOnly);
        file.write(archive);
    }

private:
    TemporaryDirectory m_documents;
};

void describe(benchmark::State& state, const QByteArray& archive, const Prints& prints)
{
    state.counters["commands"] = static_cast<double>((prints.size() + 2) / 3);
    state.counters["fileBytes"] = static_cast<double>(archive.size());
    state.SetLabel(state.range(0) == 0 ? "real speech" : "2 s prints");
}

void BM_StoreLoad(benchmark::State& state)
{
    const Prints prints = printsFor(state);
    const QByteArray archive = BenchmarkData::archiveOf(prints);
    const StoreFile file(archive);
    std::size_t loaded = 0;
    for (auto _ : state) {
        const ZRCommandList store = ZRCommandList::loadFromFile();
        loaded = store.count();
        benchmark::DoNotOptimize(loaded);
    }
    if (3 * loaded < prints.size())
        state.SkipWithError("the store did not load");
    describe(state, archive, prints);
}
BENCHMARK(BM_StoreLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// libplist's node model reading the same file: what loading cost before
// the store had a reader of its own (the decoding of the nodes came on top).
void BM_StoreLoadNodeModel(benchmark::State& state)
{
    const Prints prints = printsFor(state);
    const QByteArray archive = BenchmarkData::archiveOf(prints);
    for (auto _ : state) {
        plist_t root = nullptr;
        plist_from_bin(archive.constData(), static_cast<std::uint32_t>(archive.size()), &root);
        benchmark::DoNotOptimize(root);
        plist_free(root);
    }
    describe(state, archive, prints);
}
BENCHMARK(BM_StoreLoadNodeModel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_StoreSave(benchmark::State& state)
{
    const Prints prints = printsFor(state);
    const QByteArray archive = BenchmarkData::archiveOf(prints);
    const StoreFile file(archive);
    const ZRCommandList store = ZRCommandList::loadFromFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(store.saveToFile());
    describe(state, archive, prints);
}
BENCHMARK(BM_StoreSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// libplist's writer on the same file's nodes: what saving cost before the
// store had a writer of its own (building the nodes came on top).
void BM_StoreSaveNodeModel(benchmark::State& state)
{
    const Prints prints = printsFor(state);
    const QByteArray archive = BenchmarkData::archiveOf(prints);
    plist_t root = nullptr;
    plist_from_bin(archive.constData(), static_cast<std::uint32_t>(archive.size()), &root);
    for (auto _ : state) {
        char* bytes = nullptr;
        std::uint32_t length = 0;
        plist_to_bin(root, &bytes, &length);
        benchmark::DoNotOptimize(bytes);
        plist_to_bin_free(bytes);
    }
    plist_free(root);
    describe(state, archive, prints);
}
BENCHMARK(BM_StoreSaveNodeModel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
