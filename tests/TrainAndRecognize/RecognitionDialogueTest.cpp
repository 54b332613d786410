#include "DataModel/ZRCommand.h"
#include "DataModel/ZRSample.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "TrainAndRecognize/ZRRecognizeControllerDelegate.h"
#include "support/DialogueFixture.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"

#include <QFile>
#include <optional>

namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

class RecognitionDialogueTest : public DialogueFixture, public ZRRecognizeControllerDelegate {
protected:
    void recognizedCommand(const std::shared_ptr<ZRCommand>& command) override
    {
        m_results.push_back(command);
        m_resultAt = m_clock.now();
    }

    // Runs a dialogue to its result (or for at most a minute of clock time).
    void recognize()
    {
        m_controller.recognizeWithDelegate(this);
        m_clock.runUntil([this] { return !m_results.empty(); }, 60s);
    }

    std::vector<std::shared_ptr<ZRCommand>> m_results;
    Clock::Duration m_resultAt {0};
    ZRRecognizeController m_controller {m_screen, m_device, m_store};
};

TEST_F(RecognitionDialogueTest, ASpokenContactIsPlayedBackAndReturned)
{
    trainDigit(ZRCommandTypePhone, 3);
    const auto four = trainDigit(ZRCommandTypePhone, 4);
    say(4);
    recognize();

    ASSERT_EQ(m_results.size(), 1u);
    EXPECT_EQ(m_results[0], four);
    EXPECT_EQ(m_screen.presented(), Names {"sheet 0"});
    EXPECT_EQ(heard(), (Names {"speak-now", "you-said", "sample"}));
    EXPECT_EQ(startOf(2) - endOf(1), 500ms) << "a pause between you-said and the sample";
    EXPECT_EQ(m_resultAt, endOf(2));
    // Eighty ticks, up to exactly 1.0 and never beyond.
    EXPECT_EQ(m_screen.progress().back(), 1.0f);
    EXPECT_EQ(*std::max_element(m_screen.progress().begin(), m_screen.progress().end()), 1.0f);
    EXPECT_EQ(m_screen.progress().size(), 80u) << "1/80 ... 80/80";
    EXPECT_EQ(m_screen.progress().front(), 1.0f / 80);
    EXPECT_EQ(m_screen.onScreen(), nullptr);
}

TEST_F(RecognitionDialogueTest, WithoutTheVoiceGuideEveryPromptIsABeep)
{
    setVoiceGuide(false);
    trainDigit(ZRCommandTypePhone, 2);
    say(2);
    recognize();
    EXPECT_EQ(heard(), (Names {"beep1", "beep1", "sample"}));

    // Not recognised: the other beep.
    m_store.removeAllCommands();
    m_device.speaker().clear();
    m_results.clear();
    say(2);
    recognize();
    EXPECT_EQ(heard(), (Names {"beep1", "beep2"}));
    EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {nullptr});
}

TEST_F(RecognitionDialogueTest, NothingRecognisedWithoutConfirmationsEndsWithNothing)
{
    say(5);
    recognize();
    EXPECT_EQ(heard(), (Names {"speak-now", "not-recognized"}));
    ASSERT_EQ(m_results.size(), 1u);
    EXPECT_EQ(m_results[0], nullptr);
}

TEST_F(RecognitionDialogueTest, NothingRecognisedWithConfirmationsAsksToRepeatOrCancel)
{
    setConfirmations(true);
    trainSystemCommands();
    const auto contact = trainDigit(ZRCommandTypePhone, 1);
    m_store.removeCommand(*contact);  // nothing to recognise

    // Repeat by voice: a second main utterance follows, after a second.
    say(1);
    say(kRepeatDigit);
    say(1);
    say(kCancelDigit);
    recognize();
    EXPECT_EQ(m_screen.presented(), (Names {"sheet 0", "sheet 1", "sheet 0", "sheet 1"}));
    EXPECT_EQ(heard(),
        (Names {
            "speak-now", "not-recognized", "say-repeat-cancel", "speak-now", "not-recognized", "say-repeat-cancel"}));
    // Cancel by voice ends with nothing, a second after the answer.
    ASSERT_EQ(m_results.size(), 1u);
    EXPECT_EQ(m_results[0], nullptr);
    EXPECT_EQ(m_resultAt - endOf(5), 2s + 1s) << "two seconds of answer, then the pause";
}

TEST_F(RecognitionDialogueTest, AnUnrecognisedAnswerEndsWithoutAskingAgain)
{
    setConfirmations(true);
    say(1);
    say(kRepeatDigit);  // no system command is trained: nothing can match
    recognize();
    EXPECT_EQ(m_screen.presented(), (Names {"sheet 0", "sheet 1"}));
    EXPECT_EQ(heard(), (Names {"speak-now", "not-recognized", "say-repeat-cancel", "not-recognized"}));
    EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {nullptr});
}

TEST_F(RecognitionDialogueTest, AMatchIsAcceptedRepeatedOrCancelledByVoice)
{
    setConfirmations(true);
    trainSystemCommands();
    const auto contact = trainDigit(ZRCommandTypePhone, 6);

    say(6);
    say(kAcceptDigit);
    recognize();
    EXPECT_EQ(heard(), (Names {"speak-now", "you-said", "sample", "say-accept-etc"}));
    EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {contact});

    m_results.clear();
    m_device.speaker().clear();
    say(6);
    say(kRepeatDigit);
    say(6);
    say(kCancelDigit);
    recognize();
    EXPECT_EQ(heard(),
        (Names {
            "speak-now", "you-said", "sample", "say-accept-etc", "speak-now", "you-said", "sample", "say-accept-etc"}));
    EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {nullptr});
}

TEST_F(RecognitionDialogueTest, TheSheetButtonsAcceptRepeatAndCancel)
{
    setConfirmations(true);
    trainSystemCommands();
    const auto contact = trainDigit(ZRCommandTypePhone, 6);
    const struct {
        int button;
        std::shared_ptr<ZRCommand> result;
        Names sheets;
    } cases[] = {{0, contact, {"sheet 0", "sheet 2"}}, {1, contact, {"sheet 0", "sheet 2", "sheet 0", "sheet 2"}},
        {2, nullptr, {"sheet 0", "sheet 2"}}};
    for (const auto& c : cases) {
        ScriptedPopupHost screen(m_clock);
        ZRRecognizeController controller(screen, m_device, m_store);
        // Pressed as soon as the sheet shows; after a repeat, accept.
        screen.answer(Popup::Kind::ActionSheet, ZRRecognizeController::AcceptRepeatCancelSheet, c.button);
        screen.answer(Popup::Kind::ActionSheet, ZRRecognizeController::AcceptRepeatCancelSheet, 0);
        say(6);
        say(6);
        m_results.clear();
        controller.recognizeWithDelegate(this);
        m_clock.runUntil([this] { return !m_results.empty(); }, 60s);
        EXPECT_EQ(screen.presented(), c.sheets) << "button " << c.button;
        EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {c.result}) << "button " << c.button;
    }
}

TEST_F(RecognitionDialogueTest, TheStopButtonDuringTheFirstPromptRecordsNothing)
{
    trainDigit(ZRCommandTypePhone, 4);
    say(4);
    m_controller.recognizeWithDelegate(this);
    m_clock.advance(300ms);  // speak-now is playing
    m_screen.press(0);
    m_clock.advance(2s);
    ASSERT_EQ(m_results.size(), 1u);
    EXPECT_EQ(m_results[0], nullptr);
    EXPECT_EQ(m_resultAt, 300ms + 1s);
    EXPECT_EQ(m_controller.recorder(), nullptr);
    EXPECT_EQ(heard(), Names {"speak-now"});
    EXPECT_LT(endOf(0), 400ms) << "the prompt was cut off";
}

TEST_F(RecognitionDialogueTest, StoppedDuringTheRecordingItLeavesNothingBehindForTheNextDialogue)
{
    const auto four = trainDigit(ZRCommandTypePhone, 4);
    say(4);
    say(4);
    m_controller.recognizeWithDelegate(this);
    m_clock.runUntil([this] { return m_controller.recorder() != nullptr; }, 60s);
    m_clock.advance(500ms);
    m_screen.press(0);
    ASSERT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {nullptr});

    // Listening again at once: the stopped recording's timer must not count
    // into this one and end it early.
    m_results.clear();
    m_device.speaker().clear();
    recognize();
    EXPECT_EQ(heard(), (Names {"speak-now", "you-said", "sample"}));
    EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {four});
}

TEST_F(RecognitionDialogueTest, ASampleFileCutOrLostBehindTheStoresBackIsLoggedAndTheDialogueEnds)
{
    const auto four = trainDigit(ZRCommandTypePhone, 4);
    const std::vector<std::shared_ptr<ZRSample>> samples {four->sample1(), four->sample2(), four->sample3()};
    const auto damageEvery = [&](const auto& damage) {
        for (const auto& sample : samples)
            damage(sample->filePath());
    };
    const auto recognizeFour = [&] {
        m_results.clear();
        m_device.speaker().clear();
        say(4);
        recognize();
        EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {four}) << "the print is in the store";
        EXPECT_EQ(m_screen.onScreen(), nullptr);
    };

    // Cut short, cut inside the header, gone: nothing to play, said once in
    // the log, and the dialogue goes on.
    for (const auto& damage :
        {+[](const QString& path) { QFile::resize(path, QFile(path).size() / 2); },
            +[](const QString& path) { QFile::resize(path, 10); }, +[](const QString& path) { QFile::remove(path); }}) {
        damageEvery(damage);
        LogCapture log;
        recognizeFour();
        EXPECT_EQ(heard(), (Names {"speak-now", "you-said"}));
        EXPECT_EQ(log.errors(), QStringList("ERROR soundfile not available"));
    }
}

TEST_F(RecognitionDialogueTest, WithoutItsPromptsADialogueStillAsksListensAndEnds)
{
    setConfirmations(true);
    trainSystemCommands();
    const auto contact = trainDigit(ZRCommandTypePhone, 6);
    const ScopedEnvironment noPrompts("ZARNETH_RESOURCES", (m_utterances / "nothing-here").string());
    const LogCapture log;

    say(6);
    say(kAcceptDigit);
    recognize();
    EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {contact});

    // Repeated, then cancelled.
    m_results.clear();
    say(6);
    say(kRepeatDigit);
    say(6);
    say(kCancelDigit);
    recognize();
    EXPECT_EQ(m_results, std::vector<std::shared_ptr<ZRCommand>> {nullptr});
    EXPECT_FALSE(log.errors().isEmpty()) << "the missing prompts are logged";
}

}  // namespace
