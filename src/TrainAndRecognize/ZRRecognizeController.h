#pragma once

#include "Platform/Popups/ActionSheet.h"
#include "Platform/Time/Clock.h"

#include <chrono>
#include <memory>

class AudioDevice;
class AudioPlayer;
class AudioVoicePrintRecorder;
class PopupHost;
class ProgressView;
class RepeatingTimer;
class ZRCommandList;
class ZRRecognizeControllerDelegate;
class ZRSample;
class ZRVoicePrint;

// One spoken recognition, from the first prompt to the result: a sheet with
// a progress bar, the speak-now prompt, two seconds of recording, the
// nearest trained phone sample, "you said" and that sample's recording, and,
// with "Confirmations" on, a spoken or pressed accept, repeat or cancel.
// Every step starts on a completion: a sheet presented, a button pressed, a
// sound that ended, the 80th tick of the recording timer. The delegate gets
// exactly one result per dialogue. A dialogue owns the host's screen from
// its start to its result; while another one owns it, none starts.
class ZRRecognizeController : public ActionSheetDelegate {
public:
    enum SheetTag { SpeakNowSheet = 0, RepeatCancelSheet = 1, AcceptRepeatCancelSheet = 2 };

    // The host shows the sheets; the device records, plays and keeps time.
    ZRRecognizeController(PopupHost& viewController, AudioDevice& device, ZRCommandList& commandList);
    ~ZRRecognizeController() override;

    void recognizeWithDelegate(ZRRecognizeControllerDelegate* delegate);

    // The three outcomes of a confirmation; cancel is also the stop button.
    void accept();
    void repeat();
    void cancel();

    void stopRunningAudio();
    void closeInfoView();
    void notifyDelegateForSample(const std::shared_ptr<ZRSample>& sample);
    void createSpeakNowProgressViewWithTag(int tag);

    void didPresentActionSheet(ActionSheet& actionSheet) override;
    void actionSheetClickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex) override;

    // For the screen and tests: what the dialogue holds now.
    ActionSheet* infoView() const { return m_infoView.get(); }
    ProgressView* progressView() const { return m_progressView.get(); }
    AudioPlayer* player() const { return m_player.get(); }
    AudioVoicePrintRecorder* recorder() const { return m_recorder.get(); }

private:
    // The main utterance.
    void recognizeAskForInput();
    void recognizeStartRecording();
    void recordTimerFired(RepeatingTimer& timer);
    void recognizeStopRecording();
    void recognizeStoppedPlayTouSaid();
    void recognizeStoppedPlayRecognizedSample();
    void recognizeStoppedPlayNotRecognized();
    // The repeat / cancel utterance.
    void recognizeAskForRepeatCancelInput();
    void recognizeStartRecordingRepeatCancel();
    void recordRepeatCancelTimerFired(RepeatingTimer& timer);
    void recognizeStopRecordingCancelRepeat();
    void recognizeStoppedPlayNotRecognizedCancelRepeat();
    // The accept / repeat / cancel utterance.
    void recognizeAskForAcceptRepeatCancelInput();
    void recognizeStartRecordingAcceptRepeatCancel();
    void recordAcceptRepeatCancelTimerFired(RepeatingTimer& timer);
    void recognizeStopRecordingAcceptCancelRepeat();
    void recognizeStoppedPlayNotRecognizedAcceptCancelRepeat();

    // A fresh player whose end runs `step`, playing system prompt `prompt`.
    void playPrompt(int prompt, void (ZRRecognizeController::*step)());
    void startRecording(void (ZRRecognizeController::*tick)(RepeatingTimer&));
    void countTick(RepeatingTimer& timer, bool cancelled, void (ZRRecognizeController::*stop)());
    void playNotRecognizedThen(void (ZRRecognizeController::*step)());
    // Stops the recorder, closes the sheet, and gives the recorded print.
    std::shared_ptr<ZRVoicePrint> stopRecordingAndCloseSheet();
    static int promptFor(int spoken, int beep);
    static bool confirmations();

    PopupHost& m_viewController;
    AudioDevice& m_device;
    ZRCommandList& m_commandList;
    bool m_recognizeIsCancelled = false;
    bool m_getConfirmationIsCancelled = false;
    ZRRecognizeControllerDelegate* m_delegate = nullptr;
    int m_timerFireCount = 0;
    std::unique_ptr<ProgressView> m_progressView;
    std::shared_ptr<ActionSheet> m_infoView;
    std::unique_ptr<AudioVoicePrintRecorder> m_recorder;
    std::unique_ptr<AudioPlayer> m_player;
    std::shared_ptr<ZRSample> m_foundSample;
    // Kept so that a stopped dialogue's recording cannot tick into the next.
    std::shared_ptr<RepeatingTimer> m_recordTimer;
};
