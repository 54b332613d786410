#pragma once

#include "Platform/Popups/ActionSheet.h"
#include "Platform/Popups/AlertView.h"
#include "Platform/Time/Clock.h"

#include <chrono>
#include <memory>

class AudioDevice;
class AudioFileRecorder;
class AudioPlayer;
class AudioVoicePrintRecorder;
class PopupHost;
class ProgressView;
class RepeatingTimer;
class ZRCommand;
class ZRCommandList;
class ZRSample;
class ZRtrainCommandControllerDelegate;

// Records one new sample for one command: instructions the user may
// decline, a "Speak Now" alert with a progress bar, the speak-now prompt,
// two seconds recorded at once into the sample's file and into a voice
// print, "you said" and the new recording, and the choice to keep it. A kept
// sample joins the command (newest three kept), a command trained for the
// first time joins the store, and the delegate is told; a declined sample is
// deleted. Spoken prompts are used whatever "VoiceGuide" says. A training
// owns the host's screen from the instructions to its end; while another
// dialogue owns it, none starts.
class ZRTrainController : public ActionSheetDelegate, public AlertViewDelegate {
public:
    enum ViewTag { InstructionsSheet = 0, SpeakNowAlert = 1, ConfirmSheet = 2, TipAlert = 3 };

    ZRTrainController(PopupHost& viewController, AudioDevice& device, ZRCommandList& commandList);
    ~ZRTrainController() override;

    void trainCommand(const std::shared_ptr<ZRCommand>& command, ZRtrainCommandControllerDelegate* delegate);

    void actionSheetClickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex) override;
    void didPresentActionSheet(ActionSheet&) override { }
    void alertViewClickedButtonAtIndex(AlertView& alertView, int buttonIndex) override;
    void didPresentAlertView(AlertView& alertView) override;

    // For the screens and tests: what the dialogue holds now.
    ZRCommand* command() const { return m_command.get(); }
    ZRSample* sample() const { return m_sample.get(); }
    ProgressView* progressView() const { return m_progressView.get(); }
    AlertView* infoView() const { return m_infoView.get(); }

private:
    void showInstructionsAlertView();
    void trainCommandCreateProgressView();
    void createSpeakNowProgressView();
    void trainCommandAskForInput();
    void trainCommandStartRecording();
    void recordTimerFired(RepeatingTimer& timer);
    void trainCommandStopRecording();
    void trainCommandPlayRecordedSample();
    void trainCommandStoppedSamplePlayBack();
    void showConfirmAlertView();
    void show3SamplesAlertView();
    void trainCommandRollback();
    void trainCommandFinished();

    PopupHost& m_viewController;
    AudioDevice& m_device;
    ZRCommandList& m_commandList;
    int m_timerFireCount = 0;
    ZRtrainCommandControllerDelegate* m_delegate = nullptr;
    std::unique_ptr<ProgressView> m_progressView;
    std::shared_ptr<AlertView> m_infoView;
    std::unique_ptr<AudioFileRecorder> m_fileRecorder;
    std::unique_ptr<AudioVoicePrintRecorder> m_voicePrintRecorder;
    std::unique_ptr<AudioPlayer> m_player;
    std::shared_ptr<ZRSample> m_sample;
    std::shared_ptr<ZRCommand> m_command;
    std::shared_ptr<RepeatingTimer> m_recordTimer;
};
