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
using Results = std::vector<std::shared_ptr<ZRCommand>>;

class RecognitionDialogueTest : public DialogueFixture, public ZRRecognizeControllerDelegate {
protected:
    void recognizedCommand(const std::shared_ptr<ZRCommand>& command) override
    {
        m_results.push_back(command);
        m_resultAt = m_clock.now();
    }

    // Runs a dialogue to its result (or for at most a minute of clock time),
    // after the microphone has been given `said`.
    void recognize(const std::vector<int>& said = {})
    {
        m_results.clear();
        m_device.speaker().clear();
        for (int digit : said)
            say(digit);
        m_controller.recognizeWithDelegate(this);
        m_clock.runUntil([this] { return !m_results.empty(); }, 60s);
    }

    Results m_results;
    Clock::Duration m_resultAt {0};
    ZRRecognizeController m_controller {m_screen, m_device, m_store};
};

TEST_F(RecognitionDialogueTest, ASpokenContactIsPlayedBackAndReturned)
{
    trainDigit(ZRCommandTypePhone, 3);
    const auto four = trainDigit(ZRCommandTypePhone, 4);
    recognize({4});

    EXPECT_EQ(m_results, Results {four});
    EXPECT_EQ(m_screen.presented(), Names {"sheet 0"});
    EXPECT_EQ(heard(), (Names {"speak-now", "you-said", "sample"}));
    EXPECT_EQ(startOf(2) - endOf(1), 500ms) << "a pause between you-said and the sample";
    EXPECT_EQ(m_resultAt, endOf(2));
    // Eighty ticks, 1/80 ... 80/80, never beyond.
    const std::vector<float>& progress = m_screen.progress();
    ASSERT_EQ(progress.size(), 80u);
    EXPECT_EQ(progress.front(), 1.0f / 80);
    EXPECT_EQ(progress.back(), 1.0f);
    EXPECT_EQ(*std::max_element(progress.begin(), progress.end()), 1.0f);
    EXPECT_EQ(m_screen.onScreen(), nullptr);
}

// A whole dialogue: what the speaker plays, which sheets show, and whether
// the contact (digit 6) comes back. Answers are said, or pressed on the
// accept/repeat/cancel sheet as soon as it shows.
struct Dialogue {
    const char* name;
    bool voiceGuide;
    bool confirmations;
    bool trainSystem;
    bool contact;
    std::vector<int> said;
    Names heard;
    Names sheets;
    bool returnsContact;
    std::vector<int> buttons = {};
    bool withoutPrompts = false;
};

constexpr int A = DialogueFixture::kAcceptDigit;
constexpr int R = DialogueFixture::kRepeatDigit;
constexpr int C = DialogueFixture::kCancelDigit;
const Names kTwoSheets {"sheet 0", "sheet 2"};
const Names kFourSheets {"sheet 0", "sheet 2", "sheet 0", "sheet 2"};

const Dialogue kDialogues[] = {
    {"NoMatch", true, false, false, false, {5}, {"speak-now", "not-recognized"}, {"sheet 0"}, false},
    {"NoMatchRepeatedThenCancelled", true, true, true, false, {1, R, 1, C},
        {"speak-now", "not-recognized", "say-repeat-cancel", "speak-now", "not-recognized", "say-repeat-cancel"},
        {"sheet 0", "sheet 1", "sheet 0", "sheet 1"}, false},
    {"NoMatchAndNoAnswerMatches", true, true, false, false, {1, R},
        {"speak-now", "not-recognized", "say-repeat-cancel", "not-recognized"}, {"sheet 0", "sheet 1"}, false},
    {"Accepted", true, true, true, true, {6, A}, {"speak-now", "you-said", "sample", "say-accept-etc"}, kTwoSheets,
        true},
    {"RepeatedThenCancelled", true, true, true, true, {6, R, 6, C},
        {"speak-now", "you-said", "sample", "say-accept-etc", "speak-now", "you-said", "sample", "say-accept-etc"},
        kFourSheets, false},
    // A button pressed as the sheet shows cuts its prompt off: not heard.
    {"RepeatThenAcceptPressed", true, true, true, true, {6, 6}, {}, kFourSheets, true, {1, 0}},
    {"StopPressed", true, true, true, true, {6, 6}, {}, kTwoSheets, false, {2}},
    {"WithoutVoiceGuide", false, false, false, true, {6}, {"beep1", "beep1", "sample"}, {"sheet 0"}, true},
    {"NoMatchWithoutVoiceGuide", false, false, false, false, {6}, {"beep1", "beep2"}, {"sheet 0"}, false},
    {"CancelledWithoutPrompts", true, true, true, true, {6, R, 6, C}, {"sample", "sample"}, kFourSheets, false, {},
        true},
};

class DialogueTest : public RecognitionDialogueTest, public ::testing::WithParamInterface<Dialogue> { };

TEST_P(DialogueTest, PlaysShowsAndReturns)
{
    const Dialogue& row = GetParam();
    setVoiceGuide(row.voiceGuide);
    setConfirmations(row.confirmations);
    if (row.trainSystem)
        trainSystemCommands();
    const auto contact = row.contact ? trainDigit(ZRCommandTypePhone, 6) : nullptr;
    for (int button : row.buttons)
        m_screen.answer(Popup::Kind::ActionSheet, ZRRecognizeController::AcceptRepeatCancelSheet, button);
    std::optional<ScopedEnvironment> noPrompts;
    if (row.withoutPrompts)
        noPrompts.emplace("ZARNETH_RESOURCES", (m_utterances / "nothing-here").string());
    const LogCapture log;
    recognize(row.said);
    if (!row.heard.empty()) {
        EXPECT_EQ(heard(), row.heard);
    }
    EXPECT_EQ(m_screen.presented(), row.sheets);
    EXPECT_EQ(m_results, Results {row.returnsContact ? contact : nullptr});
    EXPECT_EQ(log.errors().contains("ERROR soundfile not available"), row.withoutPrompts);
    // An answer takes two seconds; a cancelled dialogue ends a second later.
    if (row.said.back() == C) {
        EXPECT_EQ(m_resultAt - endOf(m_device.speaker().playedSounds().size() - 1), 3s);
    }
}

INSTANTIATE_TEST_SUITE_P(Recognition, DialogueTest, ::testing::ValuesIn(kDialogues),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecognitionDialogueTest, TheStopButtonEndsWithNothingAndLeavesNothingForTheNextDialogue)
{
    const auto four = trainDigit(ZRCommandTypePhone, 4);
    say(4);
    m_controller.recognizeWithDelegate(this);
    m_clock.advance(300ms);  // speak-now is playing
    m_screen.press(0);
    m_clock.advance(2s);
    EXPECT_EQ(m_results, Results {nullptr});
    EXPECT_EQ(m_resultAt, 300ms + 1s);
    EXPECT_EQ(m_controller.recorder(), nullptr);
    EXPECT_EQ(heard(), Names {"speak-now"});
    EXPECT_LT(endOf(0), 400ms) << "the prompt was cut off";

    // Stopped while recording, then listening again at once: the stopped
    // recording's timer must not count into the new one and end it early.
    m_results.clear();
    m_controller.recognizeWithDelegate(this);
    m_clock.runUntil([this] { return m_controller.recorder() != nullptr; }, 60s);
    m_clock.advance(500ms);
    m_screen.press(0);
    ASSERT_EQ(m_results, Results {nullptr});
    recognize({4});
    EXPECT_EQ(heard(), (Names {"speak-now", "you-said", "sample"}));
    EXPECT_EQ(m_results, Results {four});
}

TEST_F(RecognitionDialogueTest, ASampleFileCutOrLostBehindTheStoresBackIsLoggedAndTheDialogueGoesOn)
{
    const auto four = trainDigit(ZRCommandTypePhone, 4);
    for (const auto& damage :
        {+[](const QString& path) { QFile::resize(path, QFile(path).size() / 2); },
            +[](const QString& path) { QFile::resize(path, 10); }, +[](const QString& path) { QFile::remove(path); }}) {
        for (const auto& sample : {four->sample1(), four->sample2(), four->sample3()})
            damage(sample->filePath());
        LogCapture log;
        recognize({4});
        EXPECT_EQ(m_results, Results {four}) << "the print is in the store";
        EXPECT_EQ(m_screen.onScreen(), nullptr);
        EXPECT_EQ(heard(), (Names {"speak-now", "you-said"}));
        EXPECT_EQ(log.errors(), QStringList("ERROR soundfile not available"));
    }
}

}  // namespace
