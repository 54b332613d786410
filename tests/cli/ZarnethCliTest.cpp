#include "cli/ZarnethCli.h"

#include "cli/CliContext.h"
#include "support/IsolatedStorage.h"
#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <fstream>
#include <sstream>

namespace {

using nlohmann::json;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = ZarnethCli(out, err).run(arguments);
    return {status, out.str(), err.str()};
}

std::string example(const char* name)
{
    return TestData::example(name).string();
}

// The golden entries made from a recording as it is, without anything
// put before or after it.
bool plain(const json& entry)
{
    return !entry["file"].is_null() && entry["prefix"].empty() && entry["suffix_zeros"] == 0;
}

TEST(ZarnethCliTest, PrintJsonGivesTheReferencePrintOfARecording)
{
    TemporaryDirectory folder;
    TestData::writeWav(folder / "silent.wav", {});
    const Outcome silent = run({"print", "--json", (folder / "silent.wav").string()});
    EXPECT_EQ(silent.status, 0) << silent.err;
    EXPECT_EQ(silent.out, "{\"status\":10,\"frames\":0,\"print\":[]}\n") << "nothing to print: status 10";

    int compared = 0;
    for (const json& entry : TestData::golden()["prints"]) {
        if (!plain(entry))
            continue;
        const Outcome outcome = run({"print", "--json", Fsdd::recording(entry["file"]).string()});
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        const json printed = json::parse(outcome.out);
        EXPECT_EQ(printed["status"], entry["status"]) << entry["file"];
        EXPECT_EQ(printed["frames"], entry["print"].size() / 16);
        EXPECT_EQ(printed["print"], entry["print"]) << entry["file"];
        ++compared;
    }
    EXPECT_GE(compared, 10);
}

TEST(ZarnethCliTest, DistanceIsPrintedToTheLastBit)
{
    const json& golden = TestData::golden();
    int compared = 0;
    for (const json& pair : golden["distances"]) {
        const json& a = golden["prints"][pair["a"].get<std::size_t>()];
        const json& b = golden["prints"][pair["b"].get<std::size_t>()];
        if (!plain(a) || !plain(b))
            continue;
        const Outcome outcome
            = run({"distance", Fsdd::recording(a["file"]).string(), Fsdd::recording(b["file"]).string()});
        const double expected = TestData::fromHex(pair["distance"]);
        EXPECT_EQ(std::strtod(outcome.out.c_str(), nullptr), expected) << outcome.out;
        EXPECT_EQ(outcome.out == "1e+30\n", expected == 1e30) << outcome.out;
        ++compared;
    }
    EXPECT_GT(compared, 0);
    // Distances of real prints are whole numbers; a fraction reads back exactly too.
    EXPECT_EQ(std::strtod(CliContext::formatDistance(0.1 + 0.2).c_str(), nullptr), 0.1 + 0.2);
}

// Every command refuses what it cannot use in one line on stderr, with
// nothing on stdout and the store and its sample files as they were.
TEST(ZarnethCliTest, UnusableArgumentsAndFilesAreRefusedInOneLineAndChangeNothing)
{
    IsolatedStorage storage;
    ASSERT_EQ(run({"train", "--name", "Anna", "--number", "0170 1", example("anna.wav")}).status, 0);
    const auto stored = [&storage] {
        return std::make_pair(IsolatedStorage::contentsOf(storage.documentsFile("/samcomandlist")),
            QDir(storage.documents()).entryList(QDir::Files, QDir::Name));
    };
    const auto before = stored();
    TemporaryDirectory folder;
    const std::string text = (folder / "readme.wav").string();
    std::ofstream(text) << "not a sound\n";
    const std::string missing = (folder / "missing.wav").string();
    const std::string anna = example("anna.wav");
    const struct {
        std::vector<std::string> arguments;
        std::string mentioning;
    } rows[] = {
        {{}, "no command"},
        {{"dial"}, "unknown command 'dial'"},
        {{"print"}, "print takes one audio file"},
        {{"print", anna, example("ben.wav")}, "print takes one audio file"},
        {{"distance", anna}, "distance takes two audio files"},
        {{"print", text}, text},
        {{"print", "--json", missing}, missing},
        {{"distance", anna, missing}, missing},
        {{"train", "--name", "X", "--number", "2", anna, missing}, missing},
        {{"train", "--name", "X", "--number", "2", text}, text},
        {{"train", "--name", "X", anna}, ""},
        {{"train", "--system", "hello", anna}, "--system takes accept, repeat or cancel"},
        {{"train", "--system", "accept", "--name", "X", anna}, ""},
        {{"train", "--name", "X", "--number", "2"}, ""},
        {{"delete", "17"}, "17"},
        {{"delete", "--system", "repeat"}, "repeat"},
        {{"delete", "seven"}, "delete takes an identifier"},
        {{"recognize", missing}, missing},
        {{"list", "--yaml"}, "list takes only --json"},
        {{"settings", "Volume"}, "settings knows Confirmations and VoiceGuide"},
        {{"settings", "VoiceGuide", "loud"}, "a setting is on or off"},
        {{"settings", "VoiceGuide", "on", "now"}, ""},
        {{"listen", "--call"}, "listen takes only --dial"},
        {{"train-voice", "--name", "X"}, ""},
        {{"train-voice", "--system", "accept", "take.wav"}, ""},
        {{"train-voice", "--system", "hello", "--keep"}, "--system takes accept, repeat or cancel"},
        {{"--audio", "virtual", "play", "/nonexistent.caf"}, "/nonexistent.caf"},
        {{"--audio", "virtual", "play", "sing-along"}, "sing-along"},
        {{"--audio", "loud", "play", "beep1"}, "--audio takes system or virtual"},
        {{"--mic", "a.wav", "record"}, ""},
        {{"--audio", "virtual", "record", "--seconds", "0"}, ""},
        {{"--audio", "virtual", "record", "--seconds", "ten"}, "--seconds takes a length above 0"},
        {{"--audio", "virtual", "record", "--loud"}, "record takes --seconds S"},
    };
    for (const auto& row : rows) {
        const Outcome outcome = run(row.arguments);
        SCOPED_TRACE(outcome.err);
        EXPECT_EQ(outcome.status, ZarnethCli::kUnusable);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with("zarneth-cli: "));
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1);
        EXPECT_NE(outcome.err.find(row.mentioning), std::string::npos);
    }
    EXPECT_EQ(stored(), before);
}

}  // namespace
