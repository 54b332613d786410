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

    // Answers one training in advance: record or not, keep or not; the tip
    // is dismissed when it shows.
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

TEST_F(TrainingDialogueTest, AFirstSampleOfANewContactIsRecordedKeptAndStored)
{
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
    ASSERT_FALSE(m_screen.progress().empty());
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
    EXPECT_EQ(contact->numberOfSamples(), 1);
    EXPECT_EQ(m_store.commandForPhoneNumber("0170 3"), contact);
    EXPECT_TRUE(QFile::exists(contact->sample1()->filePath()));
    // The sample is what was said: its print is the print of the utterance.
    EXPECT_EQ(
        contact->sample1()->voicePrint()->voicePrint(), TestData::voicePrintOf(TestData::samplesOf(said)).voicePrint());
}

TEST_F(TrainingDialogueTest, DecliningAtEitherSheetKeepsEverythingAsItWas)
{
    const auto contact = trainDigit(ZRCommandTypePhone, 4);
    const auto samplesBefore = std::vector {contact->sample1(), contact->sample2(), contact->sample3()};
    const QStringList filesBefore = sampleFiles();

    train(contact, 4, false);
    EXPECT_EQ(m_screen.presented(), Names {"sheet 0"}) << "no Speak Now alert";
    train(contact, 4, true, false);
    EXPECT_EQ(m_screen.presented(), (Names {"sheet 0", "sheet 0", "alert 1", "sheet 2"}));

    EXPECT_TRUE(m_trained.empty());
    EXPECT_EQ(std::vector({contact->sample1(), contact->sample2(), contact->sample3()}), samplesBefore);
    EXPECT_EQ(sampleFiles(), filesBefore) << "the declined recording's file is gone";
    EXPECT_EQ(tipsLeft(), 3);
}

TEST_F(TrainingDialogueTest, TheTipShowsForTheFirstThreeKeptSamplesAndAFourthReplacesTheOldest)
{
    const auto contact = newContact(5);
    for (int take = 0; take < 4; ++take)
        train(contact, 5);
    EXPECT_EQ(tipsLeft(), 0);
    EXPECT_EQ(std::count(m_screen.presented().begin(), m_screen.presented().end(), "alert 3"), 3);
    EXPECT_EQ(m_trained.size(), 4u);
    EXPECT_EQ(contact->numberOfSamples(), 3);
    EXPECT_EQ(sampleFiles().size(), 3) << "the oldest file went with its sample";
    EXPECT_EQ(m_store.count(), 1u) << "added to the store once";
    // Every kept sample is in the file at once, not only at the end of the run.
    const ZRCommandList saved = ZRCommandList::loadFromFile();
    ASSERT_EQ(saved.count(), 1u);
    EXPECT_EQ(saved.commandAtIndex(0)->sample1()->fileName(), contact->sample1()->fileName());
}

TEST_F(TrainingDialogueTest, SystemCommandsAreExplainedAndPromptsAreSpokenWhateverTheVoiceGuide)
{
    setVoiceGuide(false);
    setTipsLeft(0);
    auto accept = ZRCommand::initForCommandType(ZRCommandTypeAccept, m_store);
    accept->setName("Accept");
    say(7);
    m_controller.trainCommand(accept, this);
    m_clock.advance(0ms);
    EXPECT_EQ(m_screen.onScreen()->title(), qtTrId("infoText").arg("Accept", qtTrId("infoDetailText")));
    m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, 0);
    m_screen.press(0);
    m_clock.runUntil([this] { return !m_trained.empty(); }, 60s);
    EXPECT_EQ(heard(), (Names {"speak-now", "you-said", "sample"}));
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
    m_controller.trainCommand(first, this);
    m_clock.advance(0ms);
    m_screen.press(0);
    m_clock.runUntil([this] { return heard().size() == 2; }, 60s);
    ASSERT_EQ(m_screen.onScreen(), nullptr) << "nothing covers the screen now";

    m_controller.trainCommand(second, this);
    otherScreen.trainCommand(second, this);
    dialScreen.recognizeWithDelegate(nullptr);
    m_clock.advance(0ms);
    EXPECT_EQ(m_screen.presented(), (Names {"sheet 0", "alert 1"})) << "nothing else started";

    answer();
    m_clock.runUntil([this] { return !m_trained.empty(); }, 60s);
    EXPECT_EQ(m_trained, Commands {first});
    EXPECT_EQ(first->sample1()->commandID(), first->commandID());
    EXPECT_EQ(second->numberOfSamples(), 0);
    EXPECT_EQ(sampleFiles().size(), 1);

    // Once it has ended, the other screen trains.
    say(4);
    answer();
    otherScreen.trainCommand(second, this);
    m_clock.runUntil([this] { return m_trained.size() == 2; }, 60s);
    EXPECT_EQ(second->numberOfSamples(), 1);
}

TEST_F(TrainingDialogueTest, NoCommandIsLoggedAndWithoutItsPromptsATrainingStillRecordsAndKeeps)
{
    const LogCapture log;
    m_controller.trainCommand(nullptr, this);
    m_clock.advance(1s);
    EXPECT_EQ(log.lines(), QStringList("ERROR ZRTrainController:trainCommand: command object == nil"));
    EXPECT_TRUE(m_screen.presented().empty());

    const ScopedEnvironment noPrompts("ZARNETH_RESOURCES", (m_utterances / "nothing-here").string());
    const auto contact = newContact(5);
    train(contact, 5);
    EXPECT_EQ(m_trained, Commands {contact});
    EXPECT_EQ(contact->numberOfSamples(), 1);
    EXPECT_TRUE(log.errors().contains("ERROR soundfile not available"));
}

}  // namespace
