// A long day of use: two hundred commands trained and a thousand names
// recognised, each by a fresh zarneth-cli as a script runs it, then the same
// thousand recognitions in one process through the store. The archive must
// come out whole and unchanged by the recognitions, both ways must give the
// same answers, and memory must not grow from one recognition to the next.

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "support/IsolatedStorage.h"
#include "support/ProcessRun.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <array>
#include <cstdio>
#include <regex>

#ifdef __SANITIZE_ADDRESS__
// From the sanitizer's run-time library (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

using nlohmann::json;

constexpr int kCommands = 200;
constexpr int kRecognitions = 1000;
constexpr std::array<const char*, 6> kSpeakers {"george", "jackson", "lucas", "nicolas", "theo", "yweweler"};

// Command k is trained with take k / 60 of digit k % 10 by one of the six
// speakers; recognition r hears take 10 ... 49 of the same kind of utterance.
std::filesystem::path trainedRecording(int k)
{
    return Fsdd::recording(k % 10, kSpeakers[(k / 10) % 6], k / 60);
}

std::filesystem::path spokenRecording(int r)
{
    return Fsdd::recording(r % 10, kSpeakers[(r / 10) % 6], 10 + (r / 60) % 40);
}

std::string numberOf(int k)
{
    char number[32];
    std::snprintf(number, sizeof number, "+1 555 %04d", k);
    return number;
}

std::size_t heapInUse()
{
#ifdef __SANITIZE_ADDRESS__
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

class CliSoakTest : public ::testing::Test {
protected:
    static ProcessRun cli(std::vector<std::string> arguments) { return ProcessRun::of(ZARNETH_CLI, arguments); }

    static constexpr int kNothing = -1;  // "not recognised": the lengths could not be aligned
    static constexpr int kBroken = -2;   // anything else than an answer

    // The command `recognize` named, by the number in its name.
    static int recognisedCommand(const ProcessRun& run)
    {
        if (run.status == 1 && run.out == "not recognised\n")
            return kNothing;
        static const std::regex answer(R"(^name: Contact (\d+)\nnumber: ([^\n]*)\n(?:.*\n)*url: tel:(\S*)\n$)");
        std::smatch match;
        if (run.status != 0 || !std::regex_match(run.out, match, answer))
            return kBroken;
        const int k = std::stoi(match[1]);
        std::string dialled = numberOf(k);
        std::erase(dialled, ' ');
        return match[2] == numberOf(k) && match[3] == dialled ? k : kBroken;
    }

    json checkedArchive() const
    {
        const ProcessRun checked = ProcessRun::of("python3",
            {TestData::file("archives/check_archive.py").string(),
                m_storage.documentsFile("/samcomandlist").toStdString()});
        EXPECT_EQ(checked.status, 0) << checked.err;
        return checked.status == 0 ? json::parse(checked.out) : json();
    }

    IsolatedStorage m_storage;
};

TEST_F(CliSoakTest, TwoHundredCommandsAndAThousandRecognitionsLeaveTheStoreWholeAndMemoryFlat)
{
    SKIP_WITHOUT_FSDD();
    for (int k = 0; k < kCommands; ++k) {
        const ProcessRun run = cli(
            {"train", "--name", "Contact " + std::to_string(k), "--number", numberOf(k), trainedRecording(k).string()});
        ASSERT_EQ(run.status, 0) << "command " << k << ": " << run.err;
    }
    const json trained = checkedArchive();
    ASSERT_EQ(trained["commands"].size(), std::size_t {kCommands});
    for (int k = 0; k < kCommands; ++k) {
        const json& command = trained["commands"][k];
        EXPECT_EQ(command["name"], "Contact " + std::to_string(k));
        EXPECT_EQ(command["number"], numberOf(k));
        ASSERT_EQ(command["samples"].size(), 1u);
        EXPECT_TRUE(QFile::exists(m_storage.documentsFile(QString::fromStdString(command["samples"][0]["file"]))));
    }
    const QByteArray archive = IsolatedStorage::contentsOf(m_storage.documentsFile("/samcomandlist"));

    // Through the program: every answer is a trained command or none, and a
    // trained recording finds itself.
    std::vector<int> answers;
    int recognised = 0;
    for (int r = 0; r < kRecognitions; ++r) {
        const ProcessRun run = cli({"recognize", spokenRecording(r).string()});
        answers.push_back(recognisedCommand(run));
        ASSERT_NE(answers.back(), kBroken) << "recognition " << r << ": " << run.out << run.err;
        recognised += answers.back() >= 0;
        if (r % 100 == 0) {
            const int k = r / 5;
            EXPECT_EQ(recognisedCommand(cli({"recognize", trainedRecording(k).string()})), k);
        }
    }
    EXPECT_GT(recognised, kRecognitions * 9 / 10) << "the few left out are too short or too long to align";
    EXPECT_EQ(IsolatedStorage::contentsOf(m_storage.documentsFile("/samcomandlist")), archive)
        << "recognising writes nothing";
    EXPECT_EQ(checkedArchive(), trained);

    // In one process through the store: the same answers, and the heap after
    // the thousandth as after the hundredth (scratch space has grown by then).
    ZRCommandList store = ZRCommandList::loadFromFile();
    std::size_t heapAfterWarmUp = 0;
    for (int r = 0; r < kRecognitions; ++r) {
        const ZRVoicePrint print = TestData::voicePrintOf(TestData::samplesOf(spokenRecording(r)));
        const std::shared_ptr<ZRSample> sample = store.findPhoneTypeSampleForVoicePrint(&print);
        const std::shared_ptr<ZRCommand> command = sample ? store.commandForID(sample->commandID()) : nullptr;
        EXPECT_EQ(command ? command->name() : QString(),
            answers[r] == kNothing ? QString() : QString("Contact %1").arg(answers[r]))
            << "recognition " << r;
        if (r == 99)
            heapAfterWarmUp = heapInUse();
    }
    EXPECT_LE(heapInUse(), heapAfterWarmUp + 64 * 1024) << "bytes";
}

}  // namespace
