#include "cli/ZarnethCli.h"

#include "support/TemporaryDirectory.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

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
    ZarnethCli cli(out, err);
    const int status = cli.run(arguments);
    return {status, out.str(), err.str()};
}

std::string example(const char* name)
{
    return TestData::example(name).string();
}

// A failure is one line on stderr and nothing on stdout.
void expectUnusable(const Outcome& outcome, const std::string& mentioning)
{
    EXPECT_EQ(outcome.status, ZarnethCli::kUnusable);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err.rfind("zarneth-cli: ", 0), 0u) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(mentioning), std::string::npos) << outcome.err;
}

TEST(ZarnethCliTest, PrintJsonGivesTheReferencePrintOfARecording)
{
    SKIP_WITHOUT_FSDD();
    int compared = 0;
    for (const json& entry : TestData::golden()["prints"]) {
        const bool plain = !entry["file"].is_null() && entry["prefix"].empty() && entry["suffix_zeros"] == 0;
        if (!plain)
            continue;
        const Outcome outcome = run({"print", "--json", Fsdd::recording(entry["file"]).string()});
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        const json printed = json::parse(outcome.out);
        EXPECT_EQ(printed["status"], 0);
        EXPECT_EQ(printed["frames"], entry["print"].size() / 16);
        EXPECT_EQ(printed["print"], entry["print"]) << entry["file"];
        ++compared;
    }
    EXPECT_GE(compared, 20);
}

TEST(ZarnethCliTest, PrintOfAnEmptyRecordingReportsStatusTen)
{
    TemporaryDirectory folder;
    const std::string path = (folder / "silent.wav").string();
    // A valid WAV header with no samples.
    const unsigned char header[44] = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,
        0, 1, 0, 1, 0, 0x40, 0x1f, 0, 0, 0x80, 0x3e, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 0, 0, 0, 0};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(header), sizeof header);
    const Outcome outcome = run({"print", "--json", path});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "{\"status\":10,\"frames\":0,\"print\":[]}\n");
}

TEST(ZarnethCliTest, DistanceIsPrintedToTheLastBit)
{
    const Outcome same = run({"distance", example("anna.wav"), example("anna.wav")});
    EXPECT_EQ(same.out, "0\n");

    const Outcome near = run({"distance", example("anna.wav"), example("anna-again.wav")});
    const Outcome far = run({"distance", example("anna.wav"), example("ben.wav")});
    ASSERT_EQ(near.status, 0);
    ASSERT_EQ(far.status, 0);
    EXPECT_LT(std::stod(near.out), std::stod(far.out)) << "the same name should be nearer than another";
    EXPECT_EQ(run({"distance", example("ben.wav"), example("anna.wav")}).out, far.out);

    SKIP_WITHOUT_FSDD();
    const json& golden = TestData::golden();
    for (const json& pair : golden["distances"]) {
        const json& a = golden["prints"][pair["a"].get<std::size_t>()];
        const json& b = golden["prints"][pair["b"].get<std::size_t>()];
        if (a["file"].is_null() || b["file"].is_null() || !a["prefix"].empty() || !b["prefix"].empty()
            || a["suffix_zeros"] != 0 || b["suffix_zeros"] != 0)
            continue;
        const Outcome outcome
            = run({"distance", Fsdd::recording(a["file"]).string(), Fsdd::recording(b["file"]).string()});
        const double expected = TestData::fromHex(pair["distance"]);
        EXPECT_EQ(std::strtod(outcome.out.c_str(), nullptr), expected) << outcome.out;
        if (expected == 1e30) {
            EXPECT_EQ(outcome.out, "1e+30\n");
        }
    }
}

TEST(ZarnethCliTest, UnusableArgumentsAreRefused)
{
    expectUnusable(run({}), "no command");
    expectUnusable(run({"dial"}), "unknown command 'dial'");
    expectUnusable(run({"print"}), "print takes one audio file");
    expectUnusable(run({"print", "--json"}), "print takes one audio file");
    expectUnusable(run({"print", example("anna.wav"), example("ben.wav")}), "print takes one audio file");
    expectUnusable(run({"distance", example("anna.wav")}), "distance takes two audio files");
}

TEST(ZarnethCliTest, UnreadableFilesAreRefusedByName)
{
    TemporaryDirectory folder;
    const std::string text = (folder / "readme.wav").string();
    std::ofstream(text) << "not a sound\n";
    const std::string missing = (folder / "missing.wav").string();

    expectUnusable(run({"print", text}), text);
    expectUnusable(run({"print", "--json", missing}), missing);
    expectUnusable(run({"distance", example("anna.wav"), missing}), missing);
    expectUnusable(run({"distance", text, example("anna.wav")}), text);
}

}  // namespace
