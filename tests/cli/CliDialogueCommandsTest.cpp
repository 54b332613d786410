// zarneth-cli's spoken dialogues and settings, each run in a fresh process
// as a user or a script runs them: the virtual microphone says jackson's
// digits in virtual time, nobody sits at the keyboard.

#include "support/TestData.h"
#include "support/VoiceScene.h"

#include <gtest/gtest.h>

namespace {

using nlohmann::json;

class CliDialogueCommandsTest : public ::testing::Test {
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

    std::size_t samplesOfFirst() const
    {
        return json::parse(cli({"list", "--json"}).out)["commands"][0]["samples"].size();
    }

    VoiceScene m_scene {ZARNETH_CLI};
};

constexpr const char* kSayAName = "[Say a name]  0: Stop\n";

TEST_F(CliDialogueCommandsTest, ListenDeliversTheTrainedContactOrNothingAndDialsItWhenAsked)
{
    m_scene.trainContact(3);
    m_scene.trainContact(6);
    const ProcessRun heard = spoken(3, {"listen"});
    EXPECT_EQ(heard.status, 0) << heard.err;
    EXPECT_EQ(
        heard.out, std::string(kSayAName) + "name: Digit 3\nnumber: +49 170 003\nidentifier: 0\nurl: tel:+49170003\n");
    const ProcessRun silent = spoken(-1, {"listen"});
    EXPECT_EQ(silent.status, 1) << silent.err;
    EXPECT_EQ(silent.out, std::string(kSayAName) + "not recognised\n");

    // The tel: URL goes to the opener; when it fails, nothing is dialled.
    m_scene.useUrlOpener(0);
    const ProcessRun dialled = spoken(6, {"listen", "--dial"});
    EXPECT_EQ(dialled.status, 0) << dialled.err;
    EXPECT_TRUE(dialled.out.ends_with("url: tel:+49170006\ndialled tel:+49170006\n")) << dialled.out;
    EXPECT_EQ(m_scene.opened(), std::vector<std::string> {"tel:+49170006"});
    m_scene.useUrlOpener(1);
    const ProcessRun refused = spoken(6, {"listen", "--dial"});
    EXPECT_EQ(refused.status, 3);
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
    EXPECT_EQ(refused.out.find("dialled"), std::string::npos) << refused.out;
}

TEST_F(CliDialogueCommandsTest, TrainVoiceKeepsOneSampleEachTimeOnlyWhenAskedTo)
{
    const std::vector<std::string> trainFive = {"train-voice", "--name", "Digit 5", "--number", "+49 170 005"};
    std::vector<std::string> keep = trainFive;
    keep.push_back("--keep");

    const ProcessRun first = spoken(5, keep, 0);
    ASSERT_EQ(first.status, 0) << first.err;
    // Every sheet and alert on a line, and what the host pressed by itself.
    EXPECT_EQ(first.out.find("[Record a sample of “Digit 5” (+49 170 005)?"), 0u) << first.out;
    EXPECT_NE(first.out.find("  0: Record  1: Not now\n> Record\n[Speak Now]\n[Keep this sample?]  0: Keep  1: "
                             "Discard\n> Keep\n[Tip] A name can have up to three samples."),
        std::string::npos)
        << first.out;
    EXPECT_TRUE(first.out.ends_with("0: OK\n> OK\ntrained Digit 5 (+49 170 005), identifier 0, 1 sample\n"))
        << first.out;

    const ProcessRun second = spoken(5, keep, 1);
    EXPECT_TRUE(second.out.ends_with("trained Digit 5 (+49 170 005), identifier 0, 2 samples\n")) << second.out;
    EXPECT_EQ(samplesOfFirst(), 2u);

    // Nobody to answer: the instructions are declined and nothing changes.
    const ProcessRun declined = spoken(5, trainFive);
    EXPECT_EQ(declined.status, 1);
    EXPECT_TRUE(declined.out.ends_with("> Not now\nnot trained\n")) << declined.out;
    EXPECT_EQ(samplesOfFirst(), 2u);

    // The samples the dialogue kept tell the contact from another one.
    m_scene.trainContact(3);
    EXPECT_NE(spoken(5, {"listen"}).out.find("name: Digit 5\n"), std::string::npos);
}

TEST_F(CliDialogueCommandsTest, ConfirmationsCanBeOnOnlyWhileTheSystemCommandsAreTrained)
{
    EXPECT_EQ(cli({"settings"}).out, "Confirmations: off\nVoiceGuide: on\n");
    EXPECT_EQ(cli({"settings", "VoiceGuide", "off"}).out, "VoiceGuide: off\n");
    EXPECT_EQ(cli({"settings", "VoiceGuide"}).out, "VoiceGuide: off\n");

    m_scene.trainSystemCommand("accept", 7);
    m_scene.trainSystemCommand("repeat", 8);
    const ProcessRun locked = cli({"settings", "Confirmations", "on"});
    EXPECT_EQ(locked.status, 2);
    EXPECT_EQ(std::count(locked.err.begin(), locked.err.end(), '\n'), 1) << locked.err;
    EXPECT_EQ(cli({"settings", "Confirmations"}).out, "Confirmations: off\n");

    const ProcessRun cancel = spoken(9, {"train-voice", "--system", "cancel", "--keep"});
    EXPECT_TRUE(cancel.out.ends_with("trained Cancel, identifier 2, 1 sample\n")) << cancel.out;
    EXPECT_EQ(cli({"settings", "Confirmations", "yes"}).out, "Confirmations: on\n");

    // As on the trained-commands screen: without cancel there are no confirmations.
    EXPECT_EQ(cli({"delete", "--system", "cancel"}).out, "deleted cancel\nConfirmations: off\n");
    EXPECT_EQ(cli({"settings"}).out, "Confirmations: off\nVoiceGuide: off\n");
}

}  // namespace
