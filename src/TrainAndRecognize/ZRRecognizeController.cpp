#include "TrainAndRecognize/ZRRecognizeController.h"

#include "AudioManagers/AudioPlayer.h"
#include "AudioManagers/AudioVoicePrintRecorder.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/Popups/PopupHost.h"
#include "Platform/Popups/ProgressView.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"
#include "Platform/Time/RepeatingTimer.h"
#include "TrainAndRecognize/UtteranceTicks.h"
#include "TrainAndRecognize/ZRRecognizeControllerDelegate.h"

namespace {

using namespace std::chrono_literals;

constexpr Clock::Duration kPauseBeforeSample = 500ms;
constexpr Clock::Duration kPauseAfterOutcome = 1s;
constexpr int kBlackOpaqueStyle = 2;
constexpr double kProgressCenterY = 50;

}  // namespace

ZRRecognizeController::ZRRecognizeController(PopupHost& viewController, AudioDevice& device, ZRCommandList& commandList)
    : m_viewController(viewController)
    , m_device(device)
    , m_commandList(commandList)
{
}

ZRRecognizeController::~ZRRecognizeController()
{
    stopRunningAudio();
    m_viewController.endDialogue(this);
}

int ZRRecognizeController::promptFor(int spoken, int beep)
{
    return UserDefaults::standardUserDefaults().boolForKey(SettingsKey::VoiceGuide) ? spoken : beep;
}

bool ZRRecognizeController::confirmations()
{
    return UserDefaults::standardUserDefaults().boolForKey(SettingsKey::Confirmations);
}

void ZRRecognizeController::recognizeWithDelegate(ZRRecognizeControllerDelegate* delegate)
{
    // Another dialogue has the microphone and the screen: this one does
    // not start, and so has nothing to report.
    if (!m_viewController.beginDialogue(this))
        return;
    m_delegate = delegate;
    m_recognizeIsCancelled = false;
    createSpeakNowProgressViewWithTag(SpeakNowSheet);
}

void ZRRecognizeController::createSpeakNowProgressViewWithTag(int tag)
{
    if (!m_progressView)
        m_progressView = std::make_unique<ProgressView>();
    m_progressView->setProgress(0);

    std::shared_ptr<ActionSheet> sheet;
    switch (tag) {
    case SpeakNowSheet:
        sheet = ActionSheet::create(qtTrId("speakNowTitle"), this, qtTrId("stopRecognize"), {}, {});
        break;
    case RepeatCancelSheet:
        sheet = ActionSheet::create(
            qtTrId("sayRepeatCancel"), this, qtTrId("stopRecognize"), {}, {qtTrId("repeatRecognize")});
        break;
    default:
        sheet = ActionSheet::create(qtTrId("sayAcceptRepeatCancel"), this, qtTrId("stopRecognize"), {},
            {qtTrId("acceptRecognize"), qtTrId("repeatRecognize")});
        break;
    }
    sheet->setTag(tag);
    sheet->setActionSheetStyle(kBlackOpaqueStyle);
    m_progressView->setCenter(m_viewController.frameWidth() / 2, kProgressCenterY);
    sheet->addSubview(m_progressView.get());
    // The sheet comes back when it is on screen.
    sheet->show(m_viewController);
}

void ZRRecognizeController::didPresentActionSheet(ActionSheet& actionSheet)
{
    m_infoView = std::static_pointer_cast<ActionSheet>(actionSheet.shared_from_this());
    switch (actionSheet.tag()) {
    case SpeakNowSheet:
        recognizeAskForInput();
        break;
    case RepeatCancelSheet:
        recognizeAskForRepeatCancelInput();
        break;
    case AcceptRepeatCancelSheet:
        recognizeAskForAcceptRepeatCancelInput();
        break;
    default:
        break;
    }
}

void ZRRecognizeController::actionSheetClickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex)
{
    // The sheet has gone by itself.
    m_infoView = nullptr;
    const int tag = actionSheet.tag();
    if (tag == SpeakNowSheet && buttonIndex == 0) {
        m_recognizeIsCancelled = true;
        cancel();
        return;
    }
    const bool repeatCancel = tag == RepeatCancelSheet && (buttonIndex == 0 || buttonIndex == 1);
    const bool acceptRepeatCancel = tag == AcceptRepeatCancelSheet && buttonIndex >= 0 && buttonIndex <= 2;
    if (!repeatCancel && !acceptRepeatCancel)
        return;
    m_getConfirmationIsCancelled = true;
    // Button indexes: accept (only on the accept sheet), repeat, stop.
    const int outcome = repeatCancel ? buttonIndex + 1 : buttonIndex;
    if (outcome == 0)
        accept();
    else if (outcome == 1)
        repeat();
    else
        cancel();
}

void ZRRecognizeController::playPrompt(int prompt, void (ZRRecognizeController::*step)())
{
    m_player = std::make_unique<AudioPlayer>(m_device);
    m_player->addTarget(this, step);
    m_player->playSystemSample(prompt);
}

void ZRRecognizeController::startRecording(void (ZRRecognizeController::*tick)(RepeatingTimer&))
{
    m_player = nullptr;
    m_recorder = std::make_unique<AudioVoicePrintRecorder>(m_device);
    m_recorder->record();
    m_timerFireCount = 0;
    m_recordTimer = RepeatingTimer::scheduled(
        m_device.clock(), UtteranceTicks::RecordTick, [this, tick](RepeatingTimer& timer) { (this->*tick)(timer); });
}

void ZRRecognizeController::countTick(RepeatingTimer& timer, bool cancelled, void (ZRRecognizeController::*stop)())
{
    ++m_timerFireCount;
    if (cancelled) {
        timer.invalidate();
    } else if (m_timerFireCount >= UtteranceTicks::MaxUtteranceTicks) {
        timer.invalidate();
        (this->*stop)();
    }
    const float progress = static_cast<float>(m_timerFireCount) / UtteranceTicks::MaxUtteranceTicks;
    if (progress <= 1.0f && m_progressView)
        m_progressView->setProgress(progress);
}

std::shared_ptr<ZRVoicePrint> ZRRecognizeController::stopRecordingAndCloseSheet()
{
    if (m_recorder)
        m_recorder->stop();
    closeInfoView();
    return m_recorder ? m_recorder->voicePrint() : nullptr;
}

void ZRRecognizeController::playNotRecognizedThen(void (ZRRecognizeController::*step)())
{
    playPrompt(promptFor(AudioPlayer::NotRecognized, AudioPlayer::Beep2), step);
}

// The main utterance. Every step but the timer's does nothing once the
// user has stopped the dialogue.

void ZRRecognizeController::recognizeAskForInput()
{
    if (m_recognizeIsCancelled)
        return;
    playPrompt(promptFor(AudioPlayer::SpeakNow, AudioPlayer::Beep1), &ZRRecognizeController::recognizeStartRecording);
}

void ZRRecognizeController::recognizeStartRecording()
{
    if (m_recognizeIsCancelled)
        return;
    m_recorder = nullptr;
    startRecording(&ZRRecognizeController::recordTimerFired);
}

void ZRRecognizeController::recordTimerFired(RepeatingTimer& timer)
{
    countTick(timer, m_recognizeIsCancelled, &ZRRecognizeController::recognizeStopRecording);
}

void ZRRecognizeController::recognizeStopRecording()
{
    if (m_recognizeIsCancelled)
        return;
    const std::shared_ptr<ZRVoicePrint> print = stopRecordingAndCloseSheet();
    m_foundSample = m_commandList.findPhoneTypeSampleForVoicePrint(print.get());
    m_recorder = nullptr;
    if (m_foundSample)
        playPrompt(
            promptFor(AudioPlayer::YouSaid, AudioPlayer::Beep1), &ZRRecognizeController::recognizeStoppedPlayTouSaid);
    else
        playNotRecognizedThen(&ZRRecognizeController::recognizeStoppedPlayNotRecognized);
}

void ZRRecognizeController::recognizeStoppedPlayTouSaid()
{
    if (m_recognizeIsCancelled)
        return;
    m_device.clock().sleep(kPauseBeforeSample);
    m_player = std::make_unique<AudioPlayer>(m_device);
    m_player->addTarget(this, &ZRRecognizeController::recognizeStoppedPlayRecognizedSample);
    m_player->playCommandSample(*m_foundSample);
}

void ZRRecognizeController::recognizeStoppedPlayRecognizedSample()
{
    if (m_recognizeIsCancelled)
        return;
    m_player = nullptr;
    if (confirmations()) {
        m_getConfirmationIsCancelled = false;
        createSpeakNowProgressViewWithTag(AcceptRepeatCancelSheet);
    } else {
        notifyDelegateForSample(m_foundSample);
    }
}

void ZRRecognizeController::recognizeStoppedPlayNotRecognized()
{
    if (m_recognizeIsCancelled)
        return;
    m_player = nullptr;
    if (confirmations()) {
        m_getConfirmationIsCancelled = false;
        createSpeakNowProgressViewWithTag(RepeatCancelSheet);
    } else {
        notifyDelegateForSample(nullptr);
    }
}

// The repeat / cancel utterance. Every step but the timer's does nothing
// once a button of the sheet was pressed.

void ZRRecognizeController::recognizeAskForRepeatCancelInput()
{
    if (m_getConfirmationIsCancelled)
        return;
    m_player = nullptr;
    playPrompt(promptFor(AudioPlayer::SayRepeatCancel, AudioPlayer::Beep1),
        &ZRRecognizeController::recognizeStartRecordingRepeatCancel);
}

void ZRRecognizeController::recognizeStartRecordingRepeatCancel()
{
    if (m_getConfirmationIsCancelled)
        return;
    m_recorder = nullptr;
    startRecording(&ZRRecognizeController::recordRepeatCancelTimerFired);
}

void ZRRecognizeController::recordRepeatCancelTimerFired(RepeatingTimer& timer)
{
    countTick(timer, m_getConfirmationIsCancelled, &ZRRecognizeController::recognizeStopRecordingCancelRepeat);
}

void ZRRecognizeController::recognizeStopRecordingCancelRepeat()
{
    if (m_getConfirmationIsCancelled)
        return;
    const std::shared_ptr<ZRVoicePrint> print = stopRecordingAndCloseSheet();
    const std::shared_ptr<ZRSample> sample = m_commandList.findRepeatCancelTypeSampleForVoicePrint(print.get());
    m_recorder = nullptr;
    if (!sample) {
        m_player = nullptr;
        playNotRecognizedThen(&ZRRecognizeController::recognizeStoppedPlayNotRecognizedCancelRepeat);
        return;
    }
    const std::shared_ptr<ZRCommand> command = m_commandList.systemCommandForID(sample->commandID());
    if (command && command->type() == ZRCommandTypeRepeat)
        repeat();
    else
        cancel();
}

void ZRRecognizeController::recognizeStoppedPlayNotRecognizedCancelRepeat()
{
    if (m_getConfirmationIsCancelled)
        return;
    m_foundSample = nullptr;
    m_player = nullptr;
    notifyDelegateForSample(nullptr);
}

// The accept / repeat / cancel utterance, under the same flag.

void ZRRecognizeController::recognizeAskForAcceptRepeatCancelInput()
{
    if (m_getConfirmationIsCancelled)
        return;
    m_player = nullptr;
    playPrompt(promptFor(AudioPlayer::SayAcceptEtc, AudioPlayer::Beep1),
        &ZRRecognizeController::recognizeStartRecordingAcceptRepeatCancel);
}

void ZRRecognizeController::recognizeStartRecordingAcceptRepeatCancel()
{
    if (m_getConfirmationIsCancelled)
        return;
    m_recorder = nullptr;
    startRecording(&ZRRecognizeController::recordAcceptRepeatCancelTimerFired);
}

void ZRRecognizeController::recordAcceptRepeatCancelTimerFired(RepeatingTimer& timer)
{
    countTick(timer, m_getConfirmationIsCancelled, &ZRRecognizeController::recognizeStopRecordingAcceptCancelRepeat);
}

void ZRRecognizeController::recognizeStopRecordingAcceptCancelRepeat()
{
    if (m_getConfirmationIsCancelled)
        return;
    const std::shared_ptr<ZRVoicePrint> print = stopRecordingAndCloseSheet();
    const std::shared_ptr<ZRSample> sample = m_commandList.findAcceptRepeatCancelTypeSampleForVoicePrint(print.get());
    m_recorder = nullptr;
    if (!sample) {
        m_player = nullptr;
        playNotRecognizedThen(&ZRRecognizeController::recognizeStoppedPlayNotRecognizedAcceptCancelRepeat);
        return;
    }
    const std::shared_ptr<ZRCommand> command = m_commandList.systemCommandForID(sample->commandID());
    const std::int32_t type = command ? command->type() : ZRCommandTypeNone;
    if (type == ZRCommandTypeAccept)
        accept();
    else if (type == ZRCommandTypeRepeat)
        repeat();
    else
        cancel();
}

void ZRRecognizeController::recognizeStoppedPlayNotRecognizedAcceptCancelRepeat()
{
    recognizeStoppedPlayNotRecognizedCancelRepeat();
}

// Outcomes.

void ZRRecognizeController::accept()
{
    stopRunningAudio();
    notifyDelegateForSample(m_foundSample);
}

void ZRRecognizeController::repeat()
{
    stopRunningAudio();
    if (m_infoView)
        closeInfoView();
    m_device.clock().sleep(kPauseAfterOutcome);
    m_foundSample = nullptr;
    m_recognizeIsCancelled = false;
    createSpeakNowProgressViewWithTag(SpeakNowSheet);
}

void ZRRecognizeController::cancel()
{
    stopRunningAudio();
    if (m_infoView)
        closeInfoView();
    m_device.clock().sleep(kPauseAfterOutcome);
    notifyDelegateForSample(nullptr);
}

void ZRRecognizeController::stopRunningAudio()
{
    // A completion pending when the user pressed a button never arrives,
    // nor does a tick of the recording it stopped.
    if (m_recordTimer) {
        m_recordTimer->invalidate();
        m_recordTimer = nullptr;
    }
    if (m_player) {
        m_player->addTarget(nullptr, nullptr);
        m_player->stop();
        m_player = nullptr;
    }
    if (m_recorder) {
        m_recorder->addTarget(nullptr, nullptr);
        m_recorder->stop();
        m_recorder = nullptr;
    }
}

void ZRRecognizeController::closeInfoView()
{
    // The bar leaves the sheet but is kept: the tick that stopped the
    // recording still shows it full.
    if (m_progressView)
        m_progressView->removeFromSuperview();
    if (m_infoView)
        m_infoView->dismissWithClickedButtonIndex(-1, true);
    m_infoView = nullptr;
}

void ZRRecognizeController::notifyDelegateForSample(const std::shared_ptr<ZRSample>& sample)
{
    m_player = nullptr;
    m_recorder = nullptr;
    const std::shared_ptr<ZRCommand> command = sample ? m_commandList.commandForID(sample->commandID()) : nullptr;
    m_progressView = nullptr;
    m_infoView = nullptr;
    m_foundSample = nullptr;
    // Ended before the delegate hears of it, so that it may start another.
    m_viewController.endDialogue(this);
    if (m_delegate)
        m_delegate->recognizedCommand(command);
}
