// zarneth-cli's store commands, each run in a fresh process as a user or a
// script runs them, on a Documents folder and settings of the test's own.

#include "Platform/System/UserDefaults.h"
#include "support/IsolatedStorage.h"
#include "support/ProcessRun.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

using nlohmann::json;

class CliStoreCommandsTest : public ::testing::Test {
protected:
    static ProcessRun cli(std::vector<std::string> arguments) { return ProcessRun::of(ZARNETH_CLI, arguments); }

    static std::string digit(int digit, int take, const char* speaker = "jackson")
    {
        return Fsdd::recording(digit, speaker, take).string();
    }

    // Trains digit d from takes 0 and 1 under the name "Digit d" and the
    // number "+49 170 00d".
    static void trainDigit(int d)
    {
        const ProcessRun run = cli({"train", "--name", "Digit " + std::to_string(d), "--number",
            "+49 170 00" + std::to_string(d), digit(d, 0), digit(d, 1)});
        ASSERT_EQ(run.status, 0) << run.err;
    }

    json listed() const { return json::parse(cli({"list", "--json"}).out); }
    QStringList sampleFiles() const
    {
        return QDir(m_storage.documents()).entryList({"sample*.aif"}, QDir::Files, QDir::Name);
    }

    IsolatedStorage m_storage;
};

TEST_F(CliStoreCommandsTest, TheStoreFileHasTheLayoutAnIndependentReaderExpects)
{
    trainDigit(4);
    ASSERT_EQ(cli({"train", "--name", "Jürgen Müller", "--number", "+49 (170) 123-4567", digit(7, 0)}).status, 0);
    ASSERT_EQ(cli({"train", "--system", "cancel", digit(9, 0, "theo"), digit(9, 1, "theo")}).status, 0);

    const ProcessRun checked = ProcessRun::of("python3",
        {TestData::file("archives/check_archive.py").string(),
            m_storage.documentsFile("/samcomandlist").toStdString()});
    ASSERT_EQ(checked.status, 0) << checked.err;
    // The same commands and samples, field by field; a print is 16 numbers a frame.
    json independent = json::parse(checked.out);
    for (const char* list : {"commands", "system"})
        for (json& command : independent[list])
            for (json& sample : command["samples"])
                sample = {{"file", sample["file"]}, {"frames", sample["print"].size() / 16}};
    json ours = listed();
    for (json& slot : ours["system"])
        slot.erase("slot");  // the list names the slots; the reader knows them by place
    EXPECT_EQ(ours, independent);
    EXPECT_EQ(ours["IDCounter"], 2);
    EXPECT_EQ(ours["commands"][1]["name"], "Jürgen Müller");
    EXPECT_EQ(ours["system"][2]["samples"].size(), 2u);
}

TEST_F(CliStoreCommandsTest, AFourthSampleReplacesTheOldestAndTheNameStays)
{
    trainDigit(1);
    ASSERT_EQ(cli({"train", "--name", "ignored", "--number", "+49 170 001", digit(1, 2)}).status, 0);
    const QStringList firstThree = sampleFiles();
    ASSERT_EQ(firstThree.size(), 3);
    ASSERT_EQ(cli({"train", "--name", "ignored", "--number", "+49 170 001", digit(1, 0, "theo")}).status, 0);

    const json command = listed()["commands"][0];
    EXPECT_EQ(command["name"], "Digit 1") << "an existing command keeps its name";
    EXPECT_EQ(command["samples"].size(), 3u);
    const QStringList now = sampleFiles();
    EXPECT_EQ(now.size(), 3);
    EXPECT_FALSE(now.contains(firstThree.front())) << "the oldest file is gone";
    EXPECT_TRUE(now.contains(firstThree[1]) && now.contains(firstThree[2]));
}

TEST_F(CliStoreCommandsTest, DeletingRemovesCommandsAndTheirFiles)
{
    trainDigit(2);
    trainDigit(3);
    ASSERT_EQ(cli({"train", "--system", "accept", digit(5, 0)}).status, 0);
    const auto hasData = [] { return UserDefaults::standardUserDefaults().boolForKey("CommandListHasData"); };
    EXPECT_TRUE(hasData());

    EXPECT_EQ(cli({"delete", "0"}).status, 0);
    EXPECT_EQ(listed()["commands"].size(), 1u);
    EXPECT_EQ(sampleFiles().size(), 3);
    EXPECT_EQ(cli({"delete", "--system", "accept"}).status, 0);
    EXPECT_EQ(listed()["system"][0]["type"], 0);
    EXPECT_EQ(sampleFiles().size(), 2);
    EXPECT_TRUE(hasData());
    EXPECT_EQ(cli({"delete", "--all"}).status, 0);
    EXPECT_TRUE(sampleFiles().isEmpty());
    EXPECT_FALSE(hasData());

    ASSERT_EQ(cli({"train", "--name", "Again", "--number", "1", digit(2, 0)}).status, 0);
    EXPECT_EQ(listed()["commands"][0]["id"], 2) << "identifiers are not reused";
    EXPECT_EQ(listed()["commands"][0]["name"], "Again");
}

TEST_F(CliStoreCommandsTest, AnUndecodableStoreIsSetAsideAndTheProgramStartsEmpty)
{
    const std::string anna = TestData::example("anna.wav").string();
    const ProcessRun nothing = cli({"recognize", anna});
    EXPECT_EQ(nothing.status, 1);
    EXPECT_EQ(nothing.out, "not recognised\n");
    EXPECT_FALSE(QFile::exists(m_storage.documentsFile("/samcomandlist"))) << "recognising changes nothing";

    IsolatedStorage::touch(m_storage.documentsFile("/samcomandlist"), "bplist00 but nothing after it");
    const ProcessRun first = cli({"list", "--json"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(json::parse(first.out)["commands"].empty());
    EXPECT_NE(first.err.find("ERROR"), std::string::npos) << "one line says why";

    ASSERT_EQ(cli({"train", "--name", "Anna", "--number", "0170 1", anna}).status, 0);
    EXPECT_EQ(IsolatedStorage::contentsOf(m_storage.documentsFile("/samcomandlist.unreadable")),
        "bplist00 but nothing after it")
        << "kept for whoever wants to look at it";
    EXPECT_EQ(listed()["commands"].size(), 1u);
}

TEST_F(CliStoreCommandsTest, TheDocumentsOptionChoosesTheFolder)
{
    TemporaryDirectory elsewhere;
    const ProcessRun run = cli({"--documents", elsewhere.path().string(), "train", "--name", "Anna", "--number",
        "0170 1", TestData::example("anna.wav").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "samcomandlist"));
    EXPECT_FALSE(QFile::exists(m_storage.documentsFile("/samcomandlist")));
    const ProcessRun recognised
        = cli({"--documents", elsewhere.path().string(), "recognize", TestData::example("anna-again.wav").string()});
    EXPECT_TRUE(recognised.out.starts_with("name: Anna\n")) << recognised.out;
    EXPECT_NE(recognised.out.find("url: tel:01701\n"), std::string::npos);
}

}  // namespace
