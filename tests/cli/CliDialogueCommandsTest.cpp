// zarneth-cli's spoken dialogues and settings, each run in a fresh process
// as a user or a script runs them: the virtual microphone says george's
// digits in virtual time, nobody sits at the keyboard.

#include "support/TestData.h"
#include "support/VoiceScene.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

using nlohmann::json;

class CliDialogueCommandsTest : public ::testing::Test {
protected:
    ProcessRun cli(const std::vector<std::string>& arguments) const { return m_scene.cli(arguments); }

    // A command on the virtual device, whose microphone says `said`, one
    // file per recording.
    ProcessRun spoken(const std::vector<std::string>& said, const std::vector<std::string>& command) const
    {
        std::vector<std::string> arguments {"--audio", "virtual"};
        for (const std::string& file : said) {
            arguments.push_back("--mic");
            arguments.push_back(file);
        }
        arguments.insert(arguments.end(), command.begin(), command.end());
        return cli(arguments);
    }

    std::string utterance(int digit, int take) const { return m_scene.utterance(digit, take); }
    json listed() const { return json::parse(cli({"list", "--json"}).out); }

    VoiceScene m_scene {ZARNETH_CLI};
};

constexpr const char* kSayAName = "[Say a name]  0: Stop\n";

TEST_F(CliDialogueCommandsTest, ListenDeliversTheTrainedContactOrNothing)
{
    SKIP_WITHOUT_FSDD();
    m_scene.trainContact(3);
    const ProcessRun heard = spoken({utterance(3, 5)}, {"listen"});
    EXPECT_EQ(heard.status, 0) << heard.err;
    EXPECT_EQ(
        heard.out, std::string(kSayAName) + "name: Digit 3\nnumber: +49 170 003\nidentifier: 0\nurl: tel:+49170003\n");

    const ProcessRun silent = spoken({utterance(0, -1)}, {"listen"});
    EXPECT_EQ(silent.status, 1) << silent.err;
    EXPECT_EQ(silent.out, std::string(kSayAName) + "not recognised\n");
}

TEST_F(CliDialogueCommandsTest, WithConfirmationsTheContactIsAcceptedOrCancelledByVoice)
{
    SKIP_WITHOUT_FSDD();
    m_scene.trainContact(3);
    m_scene.trainSystemCommand("accept", 7);
    m_scene.trainSystemCommand("repeat", 8);
    m_scene.trainSystemCommand("cancel", 9);
    ASSERT_EQ(cli({"settings", "Confirmations", "on"}).status, 0);

    const ProcessRun accepted = spoken({utterance(3, 5), utterance(7, 5)}, {"listen"});
    EXPECT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_TRUE(accepted.out.starts_with(std::string(kSayAName)
        + "[Say “accept”, “repeat” or “cancel”.]  0: Accept  1: Repeat  2: Stop\nname: Digit 3\n"))
        << accepted.out;

    const ProcessRun cancelled = spoken({utterance(3, 5), utterance(9, 5)}, {"listen"});
    EXPECT_EQ(cancelled.status, 1);
    EXPECT_TRUE(cancelled.out.ends_with("2: Stop\nnot recognised\n")) << cancelled.out;
}

TEST_F(CliDialogueCommandsTest, DiallingHandsTheTelUrlToTheOpener)
{
    SKIP_WITHOUT_FSDD();
    m_scene.trainContact(4);
    m_scene.useUrlOpener(0);
    const ProcessRun dialled = spoken({utterance(4, 5)}, {"listen", "--dial"});
    EXPECT_EQ(dialled.status, 0) << dialled.err;
    EXPECT_TRUE(dialled.out.ends_with("url: tel:+49170004\ndialled tel:+49170004\n")) << dialled.out;
    EXPECT_EQ(m_scene.opened(), std::vector<std::string> {"tel:+49170004"});

    m_scene.useUrlOpener(1);
    const ProcessRun refused = spoken({utterance(4, 5)}, {"listen", "--dial"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_EQ(refused.out.find("dialled"), std::string::npos) << refused.out;
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
}

TEST_F(CliDialogueCommandsTest, TrainVoiceKeepsOneSampleEachTimeOnlyWhenAskedTo)
{
    SKIP_WITHOUT_FSDD();
    const std::vector<std::string> trainFive = {"train-voice", "--name", "Digit 5", "--number", "+49 170 005"};
    std::vector<std::string> keep = trainFive;
    keep.push_back("--keep");

    const ProcessRun first = spoken({utterance(5, 0)}, keep);
    ASSERT_EQ(first.status, 0) << first.err;
    // Every sheet and alert on a line, and what the host pressed by itself.
    EXPECT_TRUE(first.out.starts_with("[Record a sample of “Digit 5” (+49 170 005)?")) << first.out;
    EXPECT_NE(first.out.find("  0: Record  1: Not now\n> Record\n[Speak Now]\n[Keep this sample?]  0: Keep  1: "
                             "Discard\n> Keep\n[Tip] A name can have up to three samples."),
        std::string::npos)
        << first.out;
    EXPECT_TRUE(first.out.ends_with("0: OK\n> OK\ntrained Digit 5 (+49 170 005), identifier 0, 1 sample\n"))
        << first.out;

    const ProcessRun second = spoken({utterance(5, 1)}, keep);
    EXPECT_TRUE(second.out.ends_with("trained Digit 5 (+49 170 005), identifier 0, 2 samples\n")) << second.out;
    EXPECT_EQ(listed()["commands"][0]["samples"].size(), 2u);

    // Nobody to answer: the instructions are declined and nothing changes.
    const ProcessRun declined = spoken({utterance(5, 2)}, trainFive);
    EXPECT_EQ(declined.status, 1);
    EXPECT_TRUE(declined.out.ends_with("> Not now\nnot trained\n")) << declined.out;
    EXPECT_EQ(listed()["commands"][0]["samples"].size(), 2u);

    // The samples the dialogue kept tell the contact from another one.
    m_scene.trainContact(3);
    EXPECT_NE(spoken({utterance(5, 5)}, {"listen"}).out.find("name: Digit 5\n"), std::string::npos);
}

TEST_F(CliDialogueCommandsTest, ConfirmationsCanBeOnOnlyWhileTheSystemCommandsAreTrained)
{
    SKIP_WITHOUT_FSDD();
    EXPECT_EQ(cli({"settings"}).out, "Confirmations: off\nVoiceGuide: on\n");
    EXPECT_EQ(cli({"settings", "VoiceGuide", "off"}).out, "VoiceGuide: off\n");
    EXPECT_EQ(cli({"settings", "VoiceGuide"}).out, "VoiceGuide: off\n");

    m_scene.trainSystemCommand("accept", 7);
    m_scene.trainSystemCommand("repeat", 8);
    const ProcessRun locked = cli({"settings", "Confirmations", "on"});
    EXPECT_EQ(locked.status, 2);
    EXPECT_EQ(std::count(locked.err.begin(), locked.err.end(), '\n'), 1) << locked.err;
    EXPECT_EQ(cli({"settings", "Confirmations"}).out, "Confirmations: off\n");

    const ProcessRun cancel = spoken({utterance(9, 0)}, {"train-voice", "--system", "cancel", "--keep"});
    EXPECT_TRUE(cancel.out.ends_with("trained Cancel, identifier 2, 1 sample\n")) << cancel.out;
    EXPECT_EQ(cli({"settings", "Confirmations", "yes"}).out, "Confirmations: on\n");

    // As on the trained-commands screen: without cancel there are no confirmations.
    EXPECT_EQ(cli({"delete", "--system", "cancel"}).out, "deleted cancel\nConfirmations: off\n");
    EXPECT_EQ(cli({"settings"}).out, "Confirmations: off\nVoiceGuide: off\n");
}

TEST_F(CliDialogueCommandsTest, UnusableArgumentsAreRefused)
{
    for (const std::vector<std::string>& arguments :
        {std::vector<std::string> {"settings", "Volume"}, {"settings", "VoiceGuide", "loud"},
            {"settings", "VoiceGuide", "on", "now"}, {"listen", "--call"}, {"train-voice", "--name", "X"},
            {"train-voice", "--system", "accept", "take.wav"}, {"train-voice", "--system", "hello", "--keep"}}) {
        const ProcessRun run = cli(arguments);
        EXPECT_EQ(run.status, 2) << arguments[0] << " " << arguments[1];
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_FALSE(QFile::exists(m_scene.storage().documentsFile("/samcomandlist")));
}

}  // namespace
