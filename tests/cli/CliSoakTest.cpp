// A long day of use: commands trained and names recognised, each by a fresh
// zarneth-cli as a script runs it, then the same recognitions in one process
// through the store. The archive must come out whole and unchanged by the
// recognitions, both ways must give the same answers, and memory must not
// grow from one recognition to the next. Twenty commands and forty
// recognitions on the shipped recordings, two hundred and a thousand on the
// full set.

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/IsolatedStorage.h"
#include "support/ProcessRun.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#ifdef __SANITIZE_ADDRESS__
// From the sanitizer's run-time library (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#define HEAP_IN_USE() __sanitizer_get_current_allocated_bytes()
#else
#include <malloc.h>
#define HEAP_IN_USE() mallinfo2().uordblks
#endif

namespace {

// What `recognize` says of command k.
std::string answerFor(std::size_t k)
{
    const std::string n = std::to_string(k);
    return "name: Contact " + n + "\nnumber: +1 555 1" + n + "\nidentifier: " + n + "\nurl: tel:+15551" + n + "\n";
}

// What it said but the distance, "" for "not recognised".
std::string answerOf(const ProcessRun& run)
{
    if (run.status != 0)
        return run.status == 1 && run.out == "not recognised\n" ? "" : "failed: " + run.err;
    std::string answer = run.out;
    if (const auto at = answer.find("distance: "); at != std::string::npos)
        answer.erase(at, answer.find('\n', at) + 1 - at);
    return answer;
}

TEST(CliSoakTest, ManyCommandsAndRecognitionsLeaveTheStoreWholeAndMemoryFlat)
{
    IsolatedStorage storage;
    const QString storeFile = storage.documentsFile("/samcomandlist");
    // Every step-th recording is trained, the next ones (up to five) are said.
    const std::vector<std::filesystem::path> recordings = Fsdd::all();
    const std::size_t step = std::max<std::size_t>(3, recordings.size() / 200);
    std::vector<std::filesystem::path> said;
    for (std::size_t i = 0, k = 0; i + step <= recordings.size(); i += step, ++k) {
        const std::string n = std::to_string(k);
        const ProcessRun run = ProcessRun::of(
            ZARNETH_CLI, {"train", "--name", "Contact " + n, "--number", "+1 555 1" + n, recordings[i].string()});
        ASSERT_EQ(run.status, 0) << "command " << k << ": " << run.err;
        for (std::size_t j = 1; j < std::min<std::size_t>(step, 6); ++j)
            said.push_back(recordings[i + j]);
    }
    const QByteArray archive = IsolatedStorage::contentsOf(storeFile);

    // Through the program (each answer a trained command or none: the store's own below).
    std::vector<std::string> answers;
    for (const auto& recording : said)
        answers.push_back(answerOf(ProcessRun::of(ZARNETH_CLI, {"recognize", recording.string()})));
    EXPECT_LT(10 * std::ranges::count(answers, ""), std::ssize(answers))
        << "the few left out are too short or too long to align";
    EXPECT_EQ(IsolatedStorage::contentsOf(storeFile), archive) << "recognising writes nothing";

    // In one process through the store: the same answers, and the heap after
    // the last as after the first half (scratch space has grown by then).
    ZRCommandList store = ZRCommandList::loadFromFile();
    std::size_t heapAfterWarmUp = 0;
    for (std::size_t r = 0; r < said.size(); ++r) {
        const ZRVoicePrint print = TestData::voicePrintOf(TestData::samplesOf(said[r]));
        const std::shared_ptr<ZRSample> sample = store.findPhoneTypeSampleForVoicePrint(&print);
        const std::shared_ptr<ZRCommand> command = sample ? store.commandForID(sample->commandID()) : nullptr;
        EXPECT_EQ(command ? answerFor(command->commandID()) : "", answers[r]) << said[r];
        if (r == said.size() / 2)
            heapAfterWarmUp = HEAP_IN_USE();
    }
    EXPECT_LE(HEAP_IN_USE(), heapAfterWarmUp + 64 * 1024) << "bytes";
}

}  // namespace
