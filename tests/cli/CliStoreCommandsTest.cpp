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

    // A take of a digit as the microphone would deliver it, with a moment
    // of quiet room before and after.
    std::string digit(int digit, int take, const char* speaker = "george") const
    {
        const std::string name = std::to_string(digit) + "_" + speaker + "_" + std::to_string(take) + ".wav";
        const std::filesystem::path path = m_utterances / name;
        if (!std::filesystem::exists(path))
            TestData::writeWav(path, TestData::inQuietRoom(TestData::samplesOf(Fsdd::recording(name)), 2000, 2000));
        return path.string();
    }

    // Trains digit d of george from three takes under the number "+49 170 00d".
    void trainDigit(int d) const
    {
        const ProcessRun run = cli({"train", "--name", "Digit " + std::to_string(d), "--number",
            "+49 170 00" + std::to_string(d), digit(d, 0), digit(d, 1), digit(d, 2)});
        ASSERT_EQ(run.status, 0) << run.err;
    }

    json listed() const
    {
        const ProcessRun run = cli({"list", "--json"});
        EXPECT_EQ(run.status, 0) << run.err;
        return json::parse(run.out);
    }

    QStringList sampleFiles() const
    {
        return QDir(m_storage.documents()).entryList({"sample*.aif"}, QDir::Files, QDir::Name);
    }

    QByteArray storeBytes() const { return IsolatedStorage::contentsOf(m_storage.documentsFile("/samcomandlist")); }

    IsolatedStorage m_storage;
    TemporaryDirectory m_utterances;
};

TEST_F(CliStoreCommandsTest, TrainedDigitsAreRecognisedFromOtherTakes)
{
    SKIP_WITHOUT_FSDD();
    for (int d = 0; d < 10; ++d)
        trainDigit(d);

    int right = 0;
    for (int d = 0; d < 10; ++d) {
        for (int take = 3; take < 8; ++take) {
            const ProcessRun run = cli({"recognize", digit(d, take)});
            ASSERT_EQ(run.status, 0) << run.err;
            if (run.out.starts_with("name: Digit " + std::to_string(d) + "\n")) {
                ++right;
                EXPECT_NE(run.out.find("\nurl: tel:+4917000" + std::to_string(d) + "\n"), std::string::npos) << run.out;
            }
        }
    }
    EXPECT_GE(right, 45) << "of 50";
}

TEST_F(CliStoreCommandsTest, TheStoreFileHasTheLayoutAnIndependentReaderExpects)
{
    SKIP_WITHOUT_FSDD();
    trainDigit(4);
    ASSERT_EQ(cli({"train", "--name", "Jürgen Müller", "--number", "+49 (170) 123-4567", digit(7, 0)}).status, 0);
    ASSERT_EQ(cli({"train", "--system", "cancel", digit(9, 0, "theo"), digit(9, 1, "theo")}).status, 0);

    const ProcessRun checked = ProcessRun::of("python3",
        {TestData::file("archives/check_archive.py").string(),
            m_storage.documentsFile("/samcomandlist").toStdString()});
    ASSERT_EQ(checked.status, 0) << checked.err;
    const json independent = json::parse(checked.out);
    const json ours = listed();

    EXPECT_EQ(ours["IDCounter"], independent["IDCounter"]);
    EXPECT_EQ(ours["IDCounter"], 2);
    for (const char* list : {"commands", "system"}) {
        ASSERT_EQ(ours[list].size(), independent[list].size()) << list;
        for (std::size_t i = 0; i < ours[list].size(); ++i) {
            const json& mine = ours[list][i];
            const json& theirs = independent[list][i];
            for (const char* key : {"id", "type", "name", "number"})
                EXPECT_EQ(mine[key], theirs[key]) << list << " " << i << " " << key;
            ASSERT_EQ(mine["samples"].size(), theirs["samples"].size());
            for (std::size_t s = 0; s < mine["samples"].size(); ++s) {
                EXPECT_EQ(mine["samples"][s]["file"], theirs["samples"][s]["file"]);
                EXPECT_EQ(mine["samples"][s]["frames"].get<std::size_t>(), theirs["samples"][s]["print"].size() / 16);
            }
        }
    }
    EXPECT_EQ(ours["commands"][1]["name"], "Jürgen Müller");
    EXPECT_EQ(ours["system"][2]["samples"].size(), 2u);
}

TEST_F(CliStoreCommandsTest, AFourthSampleReplacesTheOldest)
{
    SKIP_WITHOUT_FSDD();
    trainDigit(1);
    const QStringList firstThree = sampleFiles();
    ASSERT_EQ(firstThree.size(), 3);
    ASSERT_EQ(cli({"train", "--name", "ignored", "--number", "+49 170 001", digit(1, 3)}).status, 0);

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
    SKIP_WITHOUT_FSDD();
    trainDigit(2);
    trainDigit(3);
    ASSERT_EQ(cli({"train", "--system", "accept", digit(5, 0)}).status, 0);
    const auto hasData = [] { return UserDefaults::standardUserDefaults().boolForKey("CommandListHasData"); };
    EXPECT_TRUE(hasData());

    EXPECT_EQ(cli({"delete", "0"}).status, 0);
    EXPECT_EQ(listed()["commands"].size(), 1u);
    EXPECT_EQ(sampleFiles().size(), 4);
    EXPECT_EQ(cli({"delete", "--system", "accept"}).status, 0);
    EXPECT_EQ(listed()["system"][0]["type"], 0);
    EXPECT_EQ(sampleFiles().size(), 3);
    EXPECT_TRUE(hasData());
    EXPECT_EQ(cli({"delete", "--all"}).status, 0);
    EXPECT_TRUE(sampleFiles().isEmpty());
    EXPECT_FALSE(hasData());

    ASSERT_EQ(cli({"train", "--name", "Again", "--number", "1", digit(2, 0)}).status, 0);
    EXPECT_EQ(listed()["commands"][0]["id"], 2) << "identifiers are not reused";
}

TEST_F(CliStoreCommandsTest, BadInputChangesNothing)
{
    SKIP_WITHOUT_FSDD();
    trainDigit(6);
    const QByteArray before = storeBytes();
    const QStringList files = sampleFiles();
    const std::string notAudio = m_storage.documents().toStdString() + "/../notes.wav";
    IsolatedStorage::touch(QString::fromStdString(notAudio), "text");

    const std::vector<std::vector<std::string>> refused = {
        {"train", "--name", "X", "--number", "2", digit(8, 0), "/nonexistent.wav"},
        {"train", "--name", "X", "--number", "2", notAudio},
        {"train", "--name", "X", digit(8, 0)},
        {"train", "--system", "hello", digit(8, 0)},
        {"train", "--system", "accept", "--name", "X", digit(8, 0)},
        {"train", "--name", "X", "--number", "2"},
        {"delete", "17"},
        {"delete", "--system", "repeat"},
        {"delete", "seven"},
        {"delete"},
        {"recognize", "/nonexistent.wav"},
        {"list", "--yaml"},
    };
    for (const auto& arguments : refused) {
        const ProcessRun run = cli(arguments);
        EXPECT_EQ(run.status, 2) << arguments[1];
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(run.err.starts_with("zarneth-cli: ")) << run.err;
    }
    EXPECT_EQ(storeBytes(), before);
    EXPECT_EQ(sampleFiles(), files);
}

TEST_F(CliStoreCommandsTest, AnUndecodableStoreIsSetAsideAndTheProgramStartsEmpty)
{
    IsolatedStorage::touch(m_storage.documentsFile("/samcomandlist"), "bplist00 but nothing after it");
    const ProcessRun first = cli({"list", "--json"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(json::parse(first.out)["commands"].empty());
    EXPECT_NE(first.err.find("ERROR"), std::string::npos) << "one line says why";

    const ProcessRun trained
        = cli({"train", "--name", "Anna", "--number", "0170 1", TestData::example("anna.wav").string()});
    ASSERT_EQ(trained.status, 0) << trained.err;
    QFile aside(m_storage.documentsFile("/samcomandlist.unreadable"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), "bplist00 but nothing after it") << "kept for whoever wants to look at it";
    EXPECT_EQ(listed()["commands"].size(), 1u);
}

TEST_F(CliStoreCommandsTest, NothingTrainedIsNotRecognised)
{
    const ProcessRun run = cli({"recognize", TestData::example("anna.wav").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "not recognised\n");
    EXPECT_FALSE(QFile::exists(m_storage.documentsFile("/samcomandlist"))) << "recognising changes nothing";
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
    EXPECT_EQ(recognised.out.substr(0, recognised.out.find('\n')), "name: Anna");
    EXPECT_NE(recognised.out.find("url: tel:01701\n"), std::string::npos);
}

}  // namespace
