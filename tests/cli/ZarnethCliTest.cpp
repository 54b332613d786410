#include "cli/ZarnethCli.h"

#include "Platform/Popups/ActionSheet.h"
#include "Platform/Time/SystemClock.h"
#include "cli/CliContext.h"
#include "cli/ContactsReport.h"
#include "cli/TerminalPopupHost.h"
#include "support/IsolatedStorage.h"
#include "support/ProcessRun.h"
#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <fstream>
#include <sstream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using nlohmann::json;
using namespace std::chrono_literals;

// The command run in this process.
ProcessRun run(std::vector<std::string> arguments)
{
    std::ostringstream out, err;
    const int status = ZarnethCli(out, err).run(arguments);
    return {status, 0, out.str(), err.str()};
}

// The golden entries made from a recording as it is, without anything
// put before or after it.
bool plain(const json& entry)
{
    return !entry["file"].is_null() && entry["prefix"].empty() && entry["suffix_zeros"] == 0;
}

TEST(ZarnethCliTest, PrintAndDistanceGiveTheReferenceValuesToTheLastBitAndUnusableArgumentsChangeNothing)
{
    TemporaryDirectory folder;
    TestData::writeWav(folder / "silent.wav", {});
    const ProcessRun silent = run({"print", "--json", (folder / "silent.wav").string()});
    EXPECT_EQ(std::tuple(silent.status, silent.out), std::tuple(0, "{\"status\":10,\"frames\":0,\"print\":[]}\n"))
        << "nothing to print: status 10";

    // One plain recording compared in full; the distances below cover every golden pair.
    const json& entry = *std::find_if(TestData::golden()["prints"].begin(), TestData::golden()["prints"].end(), plain);
    const ProcessRun outcome = run({"print", "--json", Fsdd::recording(entry["file"]).string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(json::parse(outcome.out),
        json({{"status", entry["status"]}, {"frames", entry["print"].size() / 16}, {"print", entry["print"]}}));

    const json& golden = TestData::golden();
    int compared = 0;
    for (const json& pair : golden["distances"]) {
        const json& a = golden["prints"][pair["a"].get<std::size_t>()];
        const json& b = golden["prints"][pair["b"].get<std::size_t>()];
        if (!plain(a) || !plain(b))
            continue;
        const ProcessRun outcome
            = run({"distance", Fsdd::recording(a["file"]).string(), Fsdd::recording(b["file"]).string()});
        const double expected = std::strtod(pair["distance"].get<std::string>().c_str(), nullptr);  // float.hex()
        EXPECT_EQ(std::strtod(outcome.out.c_str(), nullptr), expected) << outcome.out;
        EXPECT_EQ(outcome.out == "1e+30\n", expected == 1e30) << outcome.out;
        ++compared;
    }
    EXPECT_GT(compared, 0);
    // Distances of real prints are whole numbers; a fraction reads back exactly too.
    EXPECT_EQ(std::strtod(CliContext::formatDistance(0.1 + 0.2).c_str(), nullptr), 0.1 + 0.2);

    // Every command refuses what it cannot use in one line on stderr, with
    // nothing on stdout and the store and its sample files as they were.
    IsolatedStorage storage;
    const std::string anna = TestData::example("anna.wav").string();
    ASSERT_EQ(run({"train", "--name", "Anna", "--number", "0170 1", anna}).status, 0);
    const auto stored = [&storage] {
        return std::make_pair(IsolatedStorage::contentsOf(storage.documentsFile("/samcomandlist")),
            QDir(storage.documents()).entryList(QDir::Files, QDir::Name));
    };
    const auto before = stored();
    const std::string text = (folder / "readme.wav").string();
    std::ofstream(text) << "not a sound\n";
    const std::string missing = (folder / "missing.wav").string();
    const struct {
        std::vector<std::string> arguments;
        std::string mentioning;
    } rows[] = {{{}, "no command"}, {{"dial"}, "unknown command 'dial'"}, {{"print"}, "print takes one audio file"},
        {{"distance", anna}, "distance takes two audio files"}, {{"print", text}, text},
        {{"distance", anna, missing}, missing}, {{"train", "--name", "X", "--number", "2", anna, missing}, missing},
        {{"train", "--name", "X", anna}, ""},
        {{"train", "--system", "hello", anna}, "--system takes accept, repeat or cancel"},
        {{"train", "--system", "accept", "--name", "X", anna}, ""}, {{"train", "--name", "X", "--number", "2"}, ""},
        {{"delete", "17"}, "17"}, {{"delete", "--system", "repeat"}, "repeat"},
        {{"delete", "seven"}, "delete takes an identifier"}, {{"recognize", missing}, missing},
        {{"list", "--yaml"}, "list takes only --json"},
        {{"settings", "Volume"}, "settings knows Confirmations and VoiceGuide"},
        {{"settings", "VoiceGuide", "loud"}, "a setting is on or off"},
        {{"listen", "--call"}, "listen takes only --dial"}, {{"train-voice", "--name", "X"}, ""},
        {{"train-voice", "--system", "accept", "take.wav"}, ""},
        {{"--audio", "virtual", "play", "/nonexistent.caf"}, "/nonexistent.caf"},
        {{"--audio", "loud", "play", "beep1"}, "--audio takes system or virtual"}, {{"--mic", "a.wav", "record"}, ""},
        {{"--audio", "virtual", "record", "--seconds", "ten"}, "--seconds takes a length above 0"},
        {{"--audio", "virtual", "record", "--loud"}, "record takes --seconds S"}};
    for (const auto& row : rows) {
        const ProcessRun outcome = run(row.arguments);
        SCOPED_TRACE(outcome.err);
        EXPECT_EQ(std::tuple(outcome.status, outcome.out, outcome.err.starts_with("zarneth-cli: "),
                      std::ranges::count(outcome.err, '\n'), outcome.err.find(row.mentioning) != std::string::npos),
            std::tuple(ZarnethCli::kUnusable, "", true, 1, true));
    }
    EXPECT_EQ(stored(), before);
}

TEST(ContactsReportTest, WritesTheBookAsTextAndJsonAndTheSkippedFilesApart)
{
    const auto written = [](const ContactsReport& report) {
        std::ostringstream text, json, skipped;
        report.writeText(text);
        report.writeJson(json);
        report.writeSkipped(skipped);
        return std::tuple(text.str(), json::parse(json.str()), skipped.str());
    };
    EXPECT_EQ(written(ContactsReport({}, {})), std::tuple("no contacts\n", json::array(), ""));
    // Kinds follow the first type that says where; labels are shown as written.
    const QList<ContactPhone> phones = {{"+49 170 1", {"voice", "cell", "home"}}, {"030 2", {"pref", "work"}},
        {"030 3", {"fax"}, "Büro"}, {"030 4", {"home"}}};
    const ContactsReport report({{"", "", "", "Jürgen Weiß", phones, "/c/a.vcf"}, {"", "", "", "Dora", {}, "/c/b.vcf"}},
        {{"/c/x.vcf", "no vCard in it"}, {"/c/y.vcf", "no contact with a phone number"}});
    EXPECT_EQ(written(report),
        std::tuple("Jürgen Weiß\n  +49 170 1  mobile\n  030 2  work\n  030 3  other  \"Büro\"\n  030 4  home\nDora\n",
            json::parse(
                R"([{"name":"Jürgen Weiß","file":"/c/a.vcf","numbers":[)"
                R"({"number":"+49 170 1","kind":"mobile","label":""},{"number":"030 2","kind":"work","label":""},)"
                R"({"number":"030 3","kind":"other","label":"Büro"},{"number":"030 4","kind":"home","label":""}]},)"
                R"({"name":"Dora","file":"/c/b.vcf","numbers":[]}])"),
            "skipped /c/x.vcf: no vCard in it\nskipped /c/y.vcf: no contact with a phone number\n"));
}

struct Sheets : ActionSheetDelegate {
    void didPresentActionSheet(ActionSheet&) override { ++presented; }
    void actionSheetClickedButtonAtIndex(ActionSheet&, int index) override { pressed.push_back(index); }
    int presented = 0;
    std::vector<int> pressed;
};

// The keyboard side of the terminal host, which the shell's own runs never
// reach: they have no terminal. A pipe stands in for it, in real time on
// the Qt event loop, as at a terminal.
TEST(TerminalPopupHostTest, ATypedNumberPressesThatButtonOfTheSheetOnScreen)
{
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);  // lives as long as the process
    SystemClock clock;
    std::ostringstream out;
    TerminalPopupHost host(clock, out);
    int keyboard[2];
    ASSERT_EQ(pipe(keyboard), 0);
    host.readKeys(keyboard[0]);
    Sheets sheets;
    // Types the text and lets the host read all of it.
    const auto type = [&](const std::string& text) {
        ASSERT_EQ(write(keyboard[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        int unread = 0;
        clock.runUntil([&] { return ioctl(keyboard[0], FIONREAD, &unread) == 0 && unread == 0; }, 10s);
    };
    const auto showSheet = [&] {
        auto sheet = ActionSheet::create("Say it", &sheets, "Stop", {}, {"Accept", "Repeat"});
        const int before = sheets.presented;
        sheet->show(host);
        clock.runUntil([&] { return sheets.presented > before; }, 10s);
        return sheet;
    };

    type("0\n");  // nothing on screen yet
    showSheet();
    type("3\nrepeat\n 1");
    EXPECT_TRUE(sheets.pressed.empty()) << "no such button, no number, no Enter yet";
    type("\n0\n");
    EXPECT_EQ(sheets.pressed, std::vector<int> {1}) << "the sheet has gone after the first press";
    EXPECT_EQ(out.str(), "[Say it]  0: Accept  1: Repeat  2: Stop\n> Repeat\n");

    // A sheet the dialogue took away takes no keys.
    showSheet()->dismissWithClickedButtonIndex(-1, true);
    type("2\n");
    EXPECT_EQ(sheets.pressed, std::vector<int> {1});
    close(keyboard[0]);
    close(keyboard[1]);
}

}  // namespace
