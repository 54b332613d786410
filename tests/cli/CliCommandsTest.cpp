// zarneth-cli's commands, each run in a fresh process as a user or a script
// runs them, in a world of the test's own: a Documents folder and settings,
// a virtual microphone that says jackson's digits in virtual time, and
// nobody at the keyboard.

#include "Platform/System/UserDefaults.h"
#include "support/TestData.h"
#include "support/VoiceScene.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

using nlohmann::json;

class CliTest : public ::testing::Test {
protected:
    ProcessRun cli(const std::vector<std::string>& arguments) const { return m_scene.cli(arguments); }

    // A command on the virtual device, whose microphone says the digit
    // (take 2; digit -1: nothing).
    ProcessRun spoken(int digit, std::vector<std::string> command, int take = 2) const
    {
        command.insert(
            command.begin(), {"--audio", "virtual", "--mic", m_scene.utterance(digit, digit < 0 ? -1 : take)});
        return cli(command);
    }

    json listed() const { return json::parse(cli({"list", "--json"}).out); }
    QString documentsFile(const QString& name) const { return m_scene.storage().documentsFile(name); }
    QStringList sampleFiles() const
    {
        return QDir(m_scene.storage().documents()).entryList({"sample*.aif"}, QDir::Files, QDir::Name);
    }

    VoiceScene m_scene {ZARNETH_CLI};
};

TEST_F(CliTest, TheStoreFileHasTheLayoutAnIndependentReaderExpects)
{
    m_scene.trainContact(4);
    ASSERT_EQ(
        cli({"train", "--name", "Jürgen Müller", "--number", "+49 (170) 123-4567", m_scene.utterance(7, 0)}).status, 0);
    m_scene.trainSystemCommand("cancel", 9);

    const ProcessRun checked = ProcessRun::of("python3",
        {TestData::file("archives/check_archive.py").string(), documentsFile("/samcomandlist").toStdString()});
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
    EXPECT_EQ(std::tuple(ours["IDCounter"], ours["commands"][1]["name"], ours["system"][2]["samples"].size()),
        std::tuple(json(2), json("Jürgen Müller"), std::size_t {2}));
}

TEST_F(CliTest, AFourthSampleReplacesTheOldestAndTheNameStays)
{
    m_scene.trainContact(1);
    QStringList firstThree;
    for (const std::string& said : {m_scene.utterance(1, 2), Fsdd::recording(1, "theo", 0).string()}) {
        firstThree = sampleFiles();
        ASSERT_EQ(cli({"train", "--name", "ignored", "--number", "+49 170 001", said}).status, 0);
    }
    const json command = listed()["commands"][0];
    EXPECT_EQ(std::tuple(command["name"], command["samples"].size()), std::tuple(json("Digit 1"), std::size_t {3}))
        << "an existing command keeps its name";
    const QStringList now = sampleFiles();
    ASSERT_EQ(firstThree.size(), 3);
    // The oldest file is gone, the two others are kept.
    EXPECT_EQ(
        std::tuple(now.size(), now.contains(firstThree[0]), now.contains(firstThree[1]), now.contains(firstThree[2])),
        std::tuple(3, false, true, true));
}

TEST_F(CliTest, DeletingRemovesCommandsAndTheirFiles)
{
    m_scene.trainContact(2);
    m_scene.trainContact(3);
    m_scene.trainSystemCommand("accept", 5);
    // Commands, system command types, sample files, and whether the store says it has data.
    const auto state = [&] {
        const json listing = listed();
        return std::tuple(listing["commands"].size(), listing["system"][0]["type"].get<int>(), sampleFiles().size(),
            UserDefaults::standardUserDefaults().boolForKey("CommandListHasData"));
    };
    EXPECT_EQ(state(), std::tuple(2u, 1, 6, true));
    EXPECT_EQ(cli({"delete", "0"}).status, 0);
    EXPECT_EQ(state(), std::tuple(1u, 1, 4, true));
    EXPECT_EQ(cli({"delete", "--system", "accept"}).status, 0);
    EXPECT_EQ(state(), std::tuple(1u, 0, 2, true));
    EXPECT_EQ(cli({"delete", "--all"}).status, 0);
    EXPECT_EQ(state(), std::tuple(0u, 0, 0, false));

    ASSERT_EQ(cli({"train", "--name", "Again", "--number", "1", m_scene.utterance(2, 0)}).status, 0);
    EXPECT_EQ(listed()["commands"][0]["id"], 2) << "identifiers are not reused";
    EXPECT_EQ(listed()["commands"][0]["name"], "Again");
}

TEST_F(CliTest, AnUndecodableStoreIsSetAsideAndTheDocumentsOptionChoosesTheFolder)
{
    const std::string anna = TestData::example("anna.wav").string();
    const ProcessRun nothing = cli({"recognize", anna});
    EXPECT_EQ(std::tuple(nothing.status, nothing.out), std::tuple(1, "not recognised\n"));
    EXPECT_FALSE(QFile::exists(documentsFile("/samcomandlist"))) << "recognising changes nothing";

    IsolatedStorage::touch(documentsFile("/samcomandlist"), "bplist00 but nothing after it");
    const ProcessRun first = cli({"list", "--json"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(json::parse(first.out)["commands"].empty());
    EXPECT_NE(first.err.find("ERROR"), std::string::npos) << "one line says why";

    ASSERT_EQ(cli({"train", "--name", "Anna", "--number", "0170 1", anna}).status, 0);
    EXPECT_EQ(IsolatedStorage::contentsOf(documentsFile("/samcomandlist.unreadable")), "bplist00 but nothing after it")
        << "kept for whoever wants to look at it";

    // --documents chooses another folder.
    TemporaryDirectory elsewhere;
    const std::string documents = elsewhere.path().string();
    ASSERT_EQ(cli({"--documents", documents, "train", "--name", "Ben", "--number", "1", anna}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "samcomandlist"));
    const ProcessRun recognised
        = cli({"--documents", documents, "recognize", TestData::example("anna-again.wav").string()});
    EXPECT_TRUE(recognised.out.starts_with("name: Ben\n")) << recognised.out;
    EXPECT_EQ(listed()["commands"].size(), 1u) << "Anna alone in the default folder";
}

TEST_F(CliTest, RecordingTheVirtualMicrophoneGivesThePrintOfWhatItSaidAndPlayingWaitsForTheEnd)
{
    const std::string out = documentsFile("/recorded.caf").toStdString();
    const ProcessRun recorded = spoken(6, {"record", "--json", "--out", out});
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    EXPECT_EQ(recorded.out, cli({"print", "--json", m_scene.utterance(6, 2)}).out);
    // Two seconds at the sample files' rate.
    const ProcessRun replayed = cli({"--audio", "virtual", "play", out});
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    EXPECT_NE(replayed.out.find("88200 frames at 44100 Hz, from 0 s to 2 s"), std::string::npos) << replayed.out;

    const ProcessRun played = cli({"--audio", "virtual", "play", "you-said"});
    ASSERT_EQ(played.status, 0) << played.err;
    EXPECT_TRUE(played.out.starts_with("played you-said\nvirtual speaker: ")) << played.out;
    EXPECT_NE(played.out.find(" frames at 22050 Hz, from 0 s to "), std::string::npos) << played.out;
}

constexpr const char* kSayAName = "[Say a name]  0: Stop\n";

TEST_F(CliTest, ListenDeliversTheTrainedContactOrNothingAndDialsItWhenAsked)
{
    m_scene.trainContact(3);
    m_scene.trainContact(6);
    const ProcessRun heard = spoken(3, {"listen"}), silent = spoken(-1, {"listen"});
    EXPECT_EQ(std::tuple(heard.status, heard.out),
        std::tuple(
            0, std::string(kSayAName) + "name: Digit 3\nnumber: +49 170 003\nidentifier: 0\nurl: tel:+49170003\n"));
    EXPECT_EQ(std::tuple(silent.status, silent.out), std::tuple(1, std::string(kSayAName) + "not recognised\n"));

    // The tel: URL goes to the opener; when it fails, nothing is dialled.
    m_scene.useUrlOpener(0);
    const ProcessRun dialled = spoken(6, {"listen", "--dial"});
    EXPECT_EQ(std::tuple(dialled.status, m_scene.opened()), std::tuple(0, std::vector<std::string> {"tel:+49170006"}));
    EXPECT_TRUE(dialled.out.ends_with("url: tel:+49170006\ndialled tel:+49170006\n")) << dialled.out << dialled.err;
    m_scene.useUrlOpener(1);
    const ProcessRun refused = spoken(6, {"listen", "--dial"});
    EXPECT_EQ(std::tuple(refused.status, std::ranges::count(refused.err, '\n')), std::tuple(3, 1L)) << refused.err;
    EXPECT_EQ(refused.out.find("dialled"), std::string::npos) << refused.out;
}

TEST_F(CliTest, TrainVoiceKeepsOneSampleEachTimeOnlyWhenAskedTo)
{
    const std::vector<std::string> keep = {"train-voice", "--name", "Digit 5", "--number", "+49 170 005", "--keep"};

    const ProcessRun first = spoken(5, keep, 0);
    ASSERT_EQ(first.status, 0) << first.err;
    // Every sheet and alert on a line, and what the host pressed by itself.
    EXPECT_EQ(first.out,
        "[Record a sample of “Digit 5” (+49 170 005)? After the prompt, say it once, clearly, within two seconds.]"
        "  0: Record  1: Not now\n> Record\n[Speak Now]\n[Keep this sample?]  0: Keep  1: Discard\n> Keep\n"
        "[Tip] A name can have up to three samples. Recording it a few times, perhaps in different places, makes "
        "recognition more reliable.  0: OK\n> OK\ntrained Digit 5 (+49 170 005), identifier 0, 1 sample\n");

    EXPECT_TRUE(spoken(5, keep, 1).out.ends_with("trained Digit 5 (+49 170 005), identifier 0, 2 samples\n"));
    EXPECT_EQ(listed()["commands"][0]["samples"].size(), 2u);

    // Nobody to answer: the instructions are declined and nothing changes.
    const ProcessRun declined = spoken(5, {keep.begin(), keep.end() - 1});  // without --keep
    EXPECT_EQ(declined.status, 1);
    EXPECT_TRUE(declined.out.ends_with("> Not now\nnot trained\n")) << declined.out;
    EXPECT_EQ(listed()["commands"][0]["samples"].size(), 2u);

    // The samples the dialogue kept tell the contact from another one.
    m_scene.trainContact(3);
    EXPECT_NE(spoken(5, {"listen"}).out.find("name: Digit 5\n"), std::string::npos);
}

TEST_F(CliTest, ConfirmationsCanBeOnOnlyWhileTheSystemCommandsAreTrained)
{
    EXPECT_EQ(cli({"settings"}).out, "Confirmations: off\nVoiceGuide: on\n");
    EXPECT_EQ(cli({"settings", "VoiceGuide", "off"}).out, "VoiceGuide: off\n");
    EXPECT_EQ(cli({"settings", "VoiceGuide"}).out, "VoiceGuide: off\n");

    m_scene.trainSystemCommand("accept", 7);
    m_scene.trainSystemCommand("repeat", 8);
    const ProcessRun locked = cli({"settings", "Confirmations", "on"});
    EXPECT_EQ(std::tuple(locked.status, std::ranges::count(locked.err, '\n')), std::tuple(2, 1L)) << locked.err;
    EXPECT_EQ(cli({"settings", "Confirmations"}).out, "Confirmations: off\n");

    const ProcessRun cancel = spoken(9, {"train-voice", "--system", "cancel", "--keep"});
    EXPECT_TRUE(cancel.out.ends_with("trained Cancel, identifier 2, 1 sample\n")) << cancel.out;
    EXPECT_EQ(cli({"settings", "Confirmations", "yes"}).out, "Confirmations: on\n");

    // As on the trained-commands screen: without cancel there are no confirmations.
    EXPECT_EQ(cli({"delete", "--system", "cancel"}).out, "deleted cancel\nConfirmations: off\n");
    EXPECT_EQ(cli({"settings"}).out, "Confirmations: off\nVoiceGuide: off\n");
}

}  // namespace
