#include "DataModel/ZRCommand.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/System/UserDefaults.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "TrainAndRecognize/ZRTrainController.h"
#include "TrainAndRecognize/ZRtrainCommandControllerDelegate.h"
#include "support/DialogueFixture.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>

namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;
using Commands = std::vector<std::shared_ptr<ZRCommand>>;

class TrainingDialogueTest : public DialogueFixture, public ZRtrainCommandControllerDelegate {
protected:
    void SetUp() override
    {
        DialogueFixture::SetUp();
        setTipsLeft(3);
    }
    void trainedCommand(const std::shared_ptr<ZRCommand>& command) override { m_trained.push_back(command); }

    static void setTipsLeft(int count)
    {
        UserDefaults defaults = UserDefaults::standardUserDefaults();
        defaults.setInteger(count, "UpTo3SampleInfoCount");
        defaults.synchronize();
    }
    static int tipsLeft() { return UserDefaults::standardUserDefaults().integerForKey("UpTo3SampleInfoCount"); }

    // Answers a training in advance: record or not, keep or not; the tip is
    // dismissed when it shows.
    void answer(bool record = true, bool keep = true)
    {
        m_screen.forgetAnswers();
        m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, record ? 0 : 1);
        m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, keep ? 0 : 1);
        m_screen.answer(Popup::Kind::Alert, ZRTrainController::TipAlert, 0);
    }

    // One training of `command`, hearing `digit`, answered in advance.
    void train(const std::shared_ptr<ZRCommand>& command, int digit, bool record = true, bool keep = true)
    {
        say(digit);
        answer(record, keep);
        m_controller.trainCommand(command, this);
        m_clock.runUntil([this] { return m_controller.command() == nullptr; }, 60s);
    }

    std::shared_ptr<ZRCommand> newContact(int digit)
    {
        auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, m_store);
        command->setName(QStringLiteral("Digit %1").arg(digit));
        command->setPhoneNumber(QStringLiteral("0170 %1").arg(digit));
        return command;
    }

    QStringList sampleFiles() const { return QDir(m_storage.documents()).entryList({"sample*.aif"}, QDir::Files); }

    Commands m_trained;
    ZRTrainController m_controller {m_screen, m_device, m_store};
};

TEST_F(TrainingDialogueTest, AFirstSampleIsRecordedPlayedBackKeptAndStoredWhateverTheVoiceGuide)
{
    setVoiceGuide(false);
    const auto contact = newContact(3);
    const std::string said = say(3);
    m_controller.trainCommand(contact, this);
    m_clock.advance(0ms);
    ASSERT_NE(m_screen.onScreen(), nullptr);
    EXPECT_EQ(m_screen.onScreen()->title(), qtTrId("infoText").arg("Digit 3", "0170 3"));
    EXPECT_EQ(m_screen.onScreen()->buttonTitles(),
        QStringList({qtTrId("actionsheetRecord"), qtTrId("actionsheetDontRecord")}));
    m_screen.press(0);
    m_clock.runUntil([this] { return m_screen.presented().back() == "sheet 2"; }, 60s);
    EXPECT_EQ(heard(), (Names {"speak-now", "you-said", "sample"}));
    // Eighty ticks fill the bar: 1/80 ... 80/80.
    ASSERT_EQ(m_screen.progress().size(), 80u);
    EXPECT_EQ(m_screen.progress().back(), 1.0f);
    m_screen.press(0);  // keep
    m_clock.advance(0ms);
    ASSERT_NE(m_screen.onScreen(), nullptr);
    EXPECT_EQ(m_screen.onScreen()->tag(), ZRTrainController::TipAlert);
    EXPECT_EQ(tipsLeft(), 2);
    EXPECT_TRUE(m_trained.empty()) << "not before the tip is answered";
    m_screen.press(0);

    EXPECT_EQ(m_screen.presented(), (Names {"sheet 0", "alert 1", "sheet 2", "alert 3"}));
    ASSERT_EQ(m_trained, Commands {contact});
    EXPECT_EQ(m_store.commandForPhoneNumber("0170 3"), contact);
    EXPECT_EQ(contact->numberOfSamples(), 1);
    EXPECT_EQ(sampleFiles().size(), 1);
    EXPECT_TRUE(QFile::exists(contact->sample1()->filePath()));
    // The sample is what was said: its print is the print of the utterance.
    EXPECT_EQ(
        contact->sample1()->voicePrint()->voicePrint(), TestData::voicePrintOf(TestData::samplesOf(said)).voicePrint());
}

TEST_F(TrainingDialogueTest, DeclinedSamplesLeaveNoTraceTheTipShowsThriceAndAFourthSampleReplacesTheOldest)
{
    const auto contact = newContact(5);
    QStringList kept;
    for (const auto& [record, keep] :
        {std::pair(true, true), {false, true}, {true, false}, {true, true}, {true, true}, {true, true}}) {
        train(contact, 5, record, keep);
        if (record && keep)
            kept.append(contact->sample1()->filePath());
    }
    const Names& popups = m_screen.presented();
    EXPECT_EQ(std::count(popups.begin(), popups.end(), "alert 1"), 5) << "no Speak Now alert when declined at once";
    EXPECT_EQ(std::count(popups.begin(), popups.end(), "alert 3"), 3);
    EXPECT_EQ(tipsLeft(), 0);
    EXPECT_EQ(m_trained.size(), 4u);
    EXPECT_EQ(m_store.count(), 1u) << "added to the store once";
    EXPECT_EQ(
        QStringList({contact->sample1()->filePath(), contact->sample2()->filePath(), contact->sample3()->filePath()}),
        QStringList({kept[3], kept[2], kept[1]}));
    EXPECT_EQ(sampleFiles().size(), 3) << "neither the declined recordings' files nor the oldest are left";
    EXPECT_FALSE(QFile::exists(kept[0]));
    // Every kept sample is in the file at once, not only at the end of the run.
    EXPECT_EQ(ZRCommandList::loadFromFile().commandAtIndex(0)->sample1()->filePath(), kept[3]);
}

TEST_F(TrainingDialogueTest, NoCommandIsLoggedAndASystemCommandIsExplainedAndTrainedEvenWithoutItsPrompts)
{
    const LogCapture log;
    m_controller.trainCommand(nullptr, this);
    m_clock.advance(1s);
    EXPECT_EQ(log.lines(), QStringList("ERROR ZRTrainController:trainCommand: command object == nil"));
    EXPECT_TRUE(m_screen.presented().empty());

    const ScopedEnvironment noPrompts("ZARNETH_RESOURCES", (m_utterances / "nothing-here").string());
    setTipsLeft(0);
    auto accept = ZRCommand::initForCommandType(ZRCommandTypeAccept, m_store);
    accept->setName("Accept");
    say(kAcceptDigit);
    m_controller.trainCommand(accept, this);
    m_clock.advance(0ms);
    EXPECT_EQ(m_screen.onScreen()->title(), qtTrId("infoText").arg("Accept", qtTrId("infoDetailText")));
    answer();
    m_screen.press(0);
    m_clock.runUntil([this] { return !m_trained.empty(); }, 60s);
    EXPECT_EQ(heard(), Names {"sample"});
    EXPECT_EQ(log.errors().count("ERROR soundfile not available"), 2);
    EXPECT_EQ(m_store.commandForSystemCommandType(ZRCommandTypeAccept), accept);
    EXPECT_EQ(m_screen.presented(), (Names {"sheet 0", "alert 1", "sheet 2"})) << "no tip at 0";
}

TEST_F(TrainingDialogueTest, NoSecondDialogueStartsWhileATrainingPlaysItsSample)
{
    const auto first = newContact(3);
    const auto second = newContact(4);
    // The contacts screen and the commands screen each train with their own
    // controller, on one screen; the dial screen recognises on it too.
    ZRTrainController otherScreen(m_screen, m_device, m_store);
    ZRRecognizeController dialScreen(m_screen, m_device, m_store);
    say(3);
    answer();
    m_controller.trainCommand(first, this);
    m_clock.runUntil([this] { return m_device.speaker().playedSounds().size() == 2; }, 60s);
    ASSERT_EQ(m_screen.onScreen(), nullptr) << "nothing covers the screen now";

    m_controller.trainCommand(second, this);
    otherScreen.trainCommand(second, this);
    dialScreen.recognizeWithDelegate(nullptr);
    m_clock.runUntil([this] { return !m_trained.empty(); }, 60s);
    EXPECT_EQ(m_screen.presented(), (Names {"sheet 0", "alert 1", "sheet 2", "alert 3"})) << "nothing else started";
    EXPECT_EQ(m_trained, Commands {first});
    EXPECT_EQ(first->sample1()->commandID(), first->commandID());
    EXPECT_EQ(second->numberOfSamples(), 0);
}

}  // namespace
