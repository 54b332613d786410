#include "TrainAndRecognize/ZRRecognizeController.h"
#include "TrainAndRecognize/ZRRecognizeControllerDelegate.h"
#include "TrainAndRecognize/ZRTrainController.h"
#include "TrainAndRecognize/ZRtrainCommandControllerDelegate.h"
#include "support/DialogueFixture.h"
#include "support/LogCapture.h"

#include <QDir>
#include <QFile>

namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;
using Commands = std::vector<std::shared_ptr<ZRCommand>>;

// Trainings and recognitions, each with its own controller on the one screen.
class DialogueTest : public DialogueFixture,
                     public ZRtrainCommandControllerDelegate,
                     public ZRRecognizeControllerDelegate {
protected:
    void trainedCommand(const std::shared_ptr<ZRCommand>& command) override { m_trained.push_back(command); }
    void recognizedCommand(const std::shared_ptr<ZRCommand>& command) override { m_results.push_back(command); }

    static void setTipsLeft(int tips) { UserDefaults::standardUserDefaults().setInteger(tips, "UpTo3SampleInfoCount"); }
    static int tipsLeft() { return UserDefaults::standardUserDefaults().integerForKey("UpTo3SampleInfoCount"); }
    QString titleOnScreen() const { return m_screen.onScreen() ? m_screen.onScreen()->title() : ""; }

    // Runs a recognition to its result (or for at most a minute of clock
    // time), after the microphone has been given `said`; the clock then
    // stands at the time of the result.
    void recognize(const std::vector<int>& said)
    {
        const std::size_t results = m_results.size();
        for (int digit : said)
            say(digit);
        m_recognizer.recognizeWithDelegate(this);
        m_clock.runUntil([&] { return m_results.size() > results; }, 60s);
    }

    Commands m_trained, m_results;
    ZRTrainController m_trainer {m_screen, m_device, m_store};
    ZRRecognizeController m_recognizer {m_screen, m_device, m_store};
};

TEST_F(DialogueTest, ATrainingExplainsItsCommandRecordsPlaysBackAndKeepsWhateverTheVoiceGuideWhileNoOtherDialogueStarts)
{
    const LogCapture log;
    m_trainer.trainCommand(nullptr, this);  // logged, and nothing shows
    // A system command is explained by what system commands are for; declined.
    const auto accept = ZRCommand::initForCommandType(ZRCommandTypeAccept, m_store);
    accept->setName("Accept");
    m_trainer.trainCommand(accept, this);
    EXPECT_EQ(titleOnScreen(), qtTrId("infoText").arg("Accept", qtTrId("infoDetailText")));
    m_clock.advance(0ms);
    m_screen.press(1);

    setVoiceGuide(false);
    setTipsLeft(3);
    const auto contact = ZRCommand::initForCommandType(ZRCommandTypePhone, m_store);
    contact->setName("Digit 3");
    contact->setPhoneNumber("0170 3");
    const std::string said = say(3);
    m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, 0);
    m_trainer.trainCommand(contact, this);
    EXPECT_EQ(titleOnScreen(), qtTrId("infoText").arg("Digit 3", "0170 3"));
    m_clock.advance(0ms);
    m_screen.press(0);

    // While "you said" plays, nothing covers the screen; the contacts and the
    // commands screen each train with their own controller, the dial screen
    // recognises: none of them starts (any popup they showed is counted below).
    m_clock.runUntil([this] { return m_device.speaker().playedSounds().size() == 2; }, 60s);
    ASSERT_EQ(m_screen.onScreen(), nullptr);
    ZRTrainController otherScreen(m_screen, m_device, m_store);
    m_trainer.trainCommand(accept, this);
    otherScreen.trainCommand(accept, this);
    m_recognizer.recognizeWithDelegate(this);

    m_clock.runUntil([this] { return m_screen.presented().back() == "alert 3"; }, 60s);
    EXPECT_EQ(heard(), "speak-now you-said sample");
    // The sample file holds the two seconds recorded, at 44100 Hz.
    std::vector<std::int16_t> recorded = AudioFileDecoder::decode(said, 44100).samples;
    recorded.resize(88200, 0);
    EXPECT_EQ(m_device.speaker().playedSounds()[2].samples, recorded);
    // Eighty ticks fill the bar: 1/80 ... 80/80.
    ASSERT_EQ(m_screen.progress().size(), 80u);
    EXPECT_EQ(m_screen.progress().back(), 1.0f);
    EXPECT_EQ(tipsLeft(), 2);
    EXPECT_TRUE(m_trained.empty()) << "not before the tip is answered";
    m_screen.press(0);

    EXPECT_EQ(m_screen.presented(), (Names {"sheet 0", "sheet 0", "alert 1", "sheet 2", "alert 3"}));
    EXPECT_EQ(log.errors(), QStringList("ERROR ZRTrainController:trainCommand: command object == nil"));
    EXPECT_EQ(std::pair(m_trained, m_results), std::pair(Commands {contact}, Commands {}));
    EXPECT_EQ(m_store.commandForPhoneNumber("0170 3"), contact);
    ASSERT_EQ(contact->numberOfSamples(), 1);
    // The sample is what was said: its print is the print of the utterance.
    EXPECT_EQ(
        contact->sample1()->voicePrint()->voicePrint(), TestData::voicePrintOf(TestData::samplesOf(said)).voicePrint());
}

TEST_F(DialogueTest, DeclinedSamplesLeaveNoTraceTheTipShowsThriceAndAFourthSampleReplacesTheOldest)
{
    // Without its prompts, a training goes on.
    const ScopedEnvironment noPrompts("ZARNETH_RESOURCES", (m_utterances / "nothing-here").string());
    const LogCapture log;
    setTipsLeft(3);
    const auto contact = ZRCommand::initForCommandType(ZRCommandTypePhone, m_store);
    QStringList kept;
    for (const auto& [record, keep] :
        {std::pair(true, true), {false, true}, {true, false}, {true, true}, {true, true}, {true, true}}) {
        say(5);
        // Answered in advance; the tip is dismissed when it shows.
        m_screen.forgetAnswers();
        m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, record ? 0 : 1);
        m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, keep ? 0 : 1);
        m_screen.answer(Popup::Kind::Alert, ZRTrainController::TipAlert, 0);
        m_trainer.trainCommand(contact, this);
        m_clock.runUntil([this] { return m_trainer.command() == nullptr; }, 60s);
        if (record && keep)
            kept.append(contact->sample1()->filePath());
    }
    EXPECT_EQ(std::ranges::count(m_screen.presented(), "alert 1"), 5) << "no Speak Now alert when declined at once";
    EXPECT_EQ(std::ranges::count(m_screen.presented(), "alert 3"), 3);
    EXPECT_EQ(tipsLeft(), 0);
    EXPECT_EQ(heard(), "sample sample sample sample sample");
    EXPECT_EQ(log.errors().count("ERROR soundfile not available"), 10);
    EXPECT_EQ(m_trained, Commands(4, contact));
    EXPECT_EQ(m_store.count(), 1u) << "added to the store once";
    EXPECT_EQ(
        QStringList({contact->sample1()->filePath(), contact->sample2()->filePath(), contact->sample3()->filePath()}),
        QStringList({kept[3], kept[2], kept[1]}));
    EXPECT_EQ(QDir(m_storage.documents()).entryList({"sample*.aif"}, QDir::Files).size(), 3)
        << "neither the declined recordings' files nor the oldest are left";
    // Every kept sample is in the file at once, not only at the end of the run.
    EXPECT_EQ(ZRCommandList::loadFromFile().commandAtIndex(0)->sample1()->filePath(), kept[3]);
}

TEST_F(DialogueTest, TheStopButtonEndsARecognitionWithNothingAndASpokenContactIsThenPlayedBackAndReturned)
{
    trainDigit(ZRCommandTypePhone, 3);
    const auto four = trainDigit(ZRCommandTypePhone, 4);
    say(4);
    m_recognizer.recognizeWithDelegate(this);
    m_clock.advance(300ms);  // speak-now is playing
    m_screen.press(0);
    m_clock.runUntil([this] { return !m_results.empty(); }, 2s);  // with nothing: checked below
    EXPECT_EQ(m_clock.now(), 300ms + 1s);
    EXPECT_EQ(m_recognizer.recorder(), nullptr);
    EXPECT_LT(endOf(0), 400ms) << "the prompt was cut off at once";

    // Stopped while recording, then listening again at once: the stopped
    // recording's timer must not count into the new one and end it early.
    m_recognizer.recognizeWithDelegate(this);
    m_clock.runUntil([this] { return m_recognizer.recorder() != nullptr; }, 60s);
    m_clock.advance(500ms);
    m_screen.press(0);
    m_screen.progress().clear();
    recognize({4});
    EXPECT_EQ(m_results, (Commands {nullptr, nullptr, four}));
    EXPECT_EQ(heard(), "speak-now(cut) speak-now speak-now you-said sample");
    EXPECT_EQ(m_device.speaker().playedSounds()[4].start - endOf(3), 500ms) << "a pause before the sample";
    EXPECT_EQ(m_clock.now(), endOf(4));
    // Eighty ticks, 1/80 ... 80/80, never beyond.
    ASSERT_EQ(m_screen.progress().size(), 80u);
    EXPECT_EQ(std::pair(m_screen.progress().front(), m_screen.progress().back()), std::pair(1.0f / 80, 1.0f));
    EXPECT_EQ(m_screen.onScreen(), nullptr);
}

// A whole recognition: what the speaker plays, which sheets show, and
// whether the contact (digit 6) comes back. Answers are said, or pressed on
// the accept/repeat/cancel sheet as soon as it shows.
struct Dialogue {
    const char* name;
    bool voiceGuide, confirmations, trainSystem, contact, returnsContact;
    std::vector<int> said;
    const char* heard;
    Names sheets;
    std::vector<int> buttons = {};
    // Prompts missing; the contact's sample files cut behind the store's back.
    bool withoutPrompts = false, samplesCut = false;
};

constexpr int A = DialogueFixture::kAcceptDigit, R = DialogueFixture::kRepeatDigit, C = DialogueFixture::kCancelDigit;
const Names kOneSheet {"sheet 0"}, kTwoSheets {"sheet 0", "sheet 2"},
    kFourSheets {"sheet 0", "sheet 2", "sheet 0", "sheet 2"};

const Dialogue kDialogues[] = {
    {"NoMatch", true, false, false, false, false, {5}, "speak-now not-recognized", kOneSheet},
    {"NoMatchRepeatedThenCancelled", true, true, true, false, false, {1, R, 1, C},
        "speak-now not-recognized say-repeat-cancel speak-now not-recognized say-repeat-cancel",
        {"sheet 0", "sheet 1", "sheet 0", "sheet 1"}},
    {"NoMatchAndNoAnswerMatches", true, true, false, false, false, {1, R},
        "speak-now not-recognized say-repeat-cancel not-recognized", {"sheet 0", "sheet 1"}},
    {"Accepted", true, true, true, true, true, {6, A}, "speak-now you-said sample say-accept-etc", kTwoSheets},
    {"RepeatedThenCancelled", true, true, true, true, false, {6, R, 6, C},
        "speak-now you-said sample say-accept-etc speak-now you-said sample say-accept-etc", kFourSheets},
    // A button pressed as the sheet shows stops its prompt before it plays.
    {"RepeatThenAcceptPressed", true, true, true, true, true, {6, 6},
        "speak-now you-said sample nothing speak-now you-said sample nothing", kFourSheets, {1, 0}},
    {"StopPressed", true, true, true, true, false, {6, 6}, "speak-now you-said sample nothing", kTwoSheets, {2}},
    {"WithoutVoiceGuide", false, false, false, true, true, {6}, "beep1 beep1 sample", kOneSheet},
    {"NoMatchWithoutVoiceGuide", false, false, false, false, false, {6}, "beep1 beep2", kOneSheet},
    {"CancelledWithoutPrompts", true, true, true, true, false, {6, R, 6, C}, "sample sample", kFourSheets, {}, true},
    {"SampleFilesCut", true, false, false, true, true, {6}, "speak-now you-said", kOneSheet, {}, false, true},
};

class RecognitionTest : public DialogueTest, public ::testing::WithParamInterface<Dialogue> { };

TEST_P(RecognitionTest, PlaysShowsAndReturns)
{
    const Dialogue& row = GetParam();
    setVoiceGuide(row.voiceGuide);
    setConfirmations(row.confirmations);
    if (row.trainSystem)
        trainSystemCommands();
    const auto contact = row.contact ? trainDigit(ZRCommandTypePhone, 6) : nullptr;
    for (int button : row.buttons)
        m_screen.answer(Popup::Kind::ActionSheet, ZRRecognizeController::AcceptRepeatCancelSheet, button);
    const ScopedEnvironment prompts("ZARNETH_RESOURCES", row.withoutPrompts ? m_utterances.path().string() : "");
    if (row.samplesCut)
        for (const auto& sample : {contact->sample1(), contact->sample2(), contact->sample3()})
            QFile::resize(sample->filePath(), 10);
    const LogCapture log;
    recognize(row.said);
    EXPECT_EQ(heard(), row.heard);
    EXPECT_EQ(m_screen.presented(), row.sheets);
    EXPECT_EQ(m_results, Commands {row.returnsContact ? contact : nullptr});
    EXPECT_EQ(log.errors().contains("ERROR soundfile not available"), row.withoutPrompts || row.samplesCut);
    // An answer takes two seconds; a cancelled dialogue ends a second later.
    if (row.said.back() == C) {
        EXPECT_EQ(m_clock.now() - endOf(m_device.speaker().playedSounds().size() - 1), 3s);
    }
}

INSTANTIATE_TEST_SUITE_P(Recognition, RecognitionTest, ::testing::ValuesIn(kDialogues),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
