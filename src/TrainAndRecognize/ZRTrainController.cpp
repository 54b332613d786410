#include "TrainAndRecognize/ZRTrainController.h"

#include "AudioManagers/AudioFileRecorder.h"
#include "AudioManagers/AudioPlayer.h"
#include "AudioManagers/AudioVoicePrintRecorder.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/Popups/PopupHost.h"
#include "Platform/Popups/ProgressView.h"
#include "Platform/System/Log.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"
#include "Platform/Time/RepeatingTimer.h"
#include "TrainAndRecognize/UtteranceTicks.h"
#include "TrainAndRecognize/ZRtrainCommandControllerDelegate.h"

namespace {

constexpr double kProgressCenterY = 70;

}  // namespace

ZRTrainController::ZRTrainController(PopupHost& viewController, AudioDevice& device, ZRCommandList& commandList)
    : m_viewController(viewController)
    , m_device(device)
    , m_commandList(commandList)
{
}

ZRTrainController::~ZRTrainController()
{
    if (m_recordTimer)
        m_recordTimer->invalidate();
    m_viewController.endDialogue(this);
}

void ZRTrainController::trainCommand(
    const std::shared_ptr<ZRCommand>& command, ZRtrainCommandControllerDelegate* delegate)
{
    if (!command) {
        Log::write(QStringLiteral("ERROR ZRTrainController:trainCommand: command object == nil"));
        return;
    }
    // While a training or a recognition runs (also while it only plays a
    // sound, with nothing on screen), another training is not started: it
    // would take this one's command and sample.
    if (!m_viewController.beginDialogue(this))
        return;
    m_delegate = delegate;
    m_command = command;
    showInstructionsAlertView();
}

void ZRTrainController::showInstructionsAlertView()
{
    // What is about to be trained: a contact's name and number, or a system
    // command's name and what system commands are for.
    const QString detail
        = m_command->type() == ZRCommandTypePhone ? m_command->phoneNumber() : qtTrId("infoDetailText");
    const QString instructions = qtTrId("infoText").arg(m_command->name(), detail);
    const auto sheet
        = ActionSheet::create(instructions, this, qtTrId("actionsheetDontRecord"), {}, {qtTrId("actionsheetRecord")});
    sheet->setTag(InstructionsSheet);
    sheet->show(m_viewController);
}

void ZRTrainController::actionSheetClickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex)
{
    if (actionSheet.tag() == InstructionsSheet) {
        if (buttonIndex == 0)
            trainCommandCreateProgressView();
        else
            trainCommandRollback();
    } else if (actionSheet.tag() == ConfirmSheet) {
        if (buttonIndex == 1) {
            trainCommandRollback();
        } else if (buttonIndex == 0) {
            // The tip that a command takes up to three samples shows after
            // the first three samples ever kept.
            UserDefaults defaults = UserDefaults::standardUserDefaults();
            const int tipsLeft = defaults.objectForKey(SettingsKey::UpTo3SampleInfoCount).toInt();
            if (tipsLeft >= 1) {
                defaults.setInteger(tipsLeft - 1, SettingsKey::UpTo3SampleInfoCount);
                show3SamplesAlertView();
                defaults.synchronize();
            } else {
                trainCommandFinished();
            }
        }
    }
}

void ZRTrainController::alertViewClickedButtonAtIndex(AlertView& alertView, int)
{
    if (alertView.tag() == TipAlert)
        trainCommandFinished();
}

void ZRTrainController::trainCommandCreateProgressView()
{
    createSpeakNowProgressView();
}

void ZRTrainController::createSpeakNowProgressView()
{
    if (!m_progressView)
        m_progressView = std::make_unique<ProgressView>();
    m_progressView->setProgress(0);
    const auto alert = AlertView::create(qtTrId("trainSpeakNowTitle"), {}, this, {}, {});
    alert->setTag(SpeakNowAlert);
    alert->show(m_viewController);
}

void ZRTrainController::didPresentAlertView(AlertView& alertView)
{
    if (alertView.tag() != SpeakNowAlert)
        return;
    m_progressView->setCenter(alertView.frameWidth() / 2, kProgressCenterY);
    alertView.addSubview(m_progressView.get());
    m_infoView = std::static_pointer_cast<AlertView>(alertView.shared_from_this());
    trainCommandAskForInput();
}

void ZRTrainController::trainCommandAskForInput()
{
    m_player = std::make_unique<AudioPlayer>(m_device);
    m_player->addTarget(this, &ZRTrainController::trainCommandStartRecording);
    m_player->playSystemSample(AudioPlayer::SpeakNow);
}

void ZRTrainController::trainCommandStartRecording()
{
    m_sample = ZRSample::initForCommand(*m_command);
    m_fileRecorder = AudioFileRecorder::initForSample(*m_sample, m_device);
    m_voicePrintRecorder = std::make_unique<AudioVoicePrintRecorder>(m_device);
    m_fileRecorder->record();
    m_voicePrintRecorder->record();
    m_timerFireCount = 0;
    m_recordTimer = RepeatingTimer::scheduled(
        m_device.clock(), UtteranceTicks::RecordTick, [this](RepeatingTimer& timer) { recordTimerFired(timer); });
}

void ZRTrainController::recordTimerFired(RepeatingTimer& timer)
{
    // A training recording always runs its full length.
    ++m_timerFireCount;
    if (m_timerFireCount >= UtteranceTicks::MaxUtteranceTicks) {
        timer.invalidate();
        m_recordTimer = nullptr;
        trainCommandStopRecording();
    }
    const float progress = static_cast<float>(m_timerFireCount) / UtteranceTicks::MaxUtteranceTicks;
    if (progress <= 1.0f && m_progressView)
        m_progressView->setProgress(progress);
}

void ZRTrainController::trainCommandStopRecording()
{
    m_voicePrintRecorder->stop();
    m_fileRecorder->stop();
    m_sample->setVoicePrint(m_voicePrintRecorder->voicePrint());
    m_voicePrintRecorder = nullptr;
    m_fileRecorder = nullptr;
    // The bar is kept for the next recording.
    m_progressView->removeFromSuperview();
    if (m_infoView)
        m_infoView->dismissWithClickedButtonIndex(0, true);
    m_infoView = nullptr;
    m_player = std::make_unique<AudioPlayer>(m_device);
    m_player->addTarget(this, &ZRTrainController::trainCommandPlayRecordedSample);
    m_player->playSystemSample(AudioPlayer::YouSaid);
}

void ZRTrainController::trainCommandPlayRecordedSample()
{
    m_player = std::make_unique<AudioPlayer>(m_device);
    m_player->addTarget(this, &ZRTrainController::trainCommandStoppedSamplePlayBack);
    m_player->playCommandSample(*m_sample);
}

void ZRTrainController::trainCommandStoppedSamplePlayBack()
{
    m_player = nullptr;
    showConfirmAlertView();
}

void ZRTrainController::showConfirmAlertView()
{
    const auto sheet = ActionSheet::create(
        qtTrId("confirmText"), this, qtTrId("actionSheetDontSave"), {}, {qtTrId("actionSheetSaveSample")});
    sheet->setTag(ConfirmSheet);
    sheet->show(m_viewController);
}

void ZRTrainController::show3SamplesAlertView()
{
    const auto alert = AlertView::create(qtTrId("tipTitle"), qtTrId("tipText"), this, qtTrId("actionsheetOK"), {});
    alert->setTag(TipAlert);
    alert->show(m_viewController);
}

void ZRTrainController::trainCommandRollback()
{
    if (m_sample)
        m_sample->clearSampleFile();
    m_sample = nullptr;
    m_command = nullptr;
    m_viewController.endDialogue(this);
}

void ZRTrainController::trainCommandFinished()
{
    const bool isNew = m_command->sample1() == nullptr;
    m_command->setSample(m_sample);
    m_sample = nullptr;
    // A new command joins the store, which saves itself; a further sample
    // is saved now too, not only when the application ends, so that a
    // killed application neither loses it nor leaves its file behind.
    if (isNew)
        m_commandList.addCommand(m_command);
    else
        m_commandList.saveToFile();
    m_progressView = nullptr;
    m_infoView = nullptr;
    const std::shared_ptr<ZRCommand> command = std::move(m_command);
    m_viewController.endDialogue(this);
    if (m_delegate)
        m_delegate->trainedCommand(command);
}
