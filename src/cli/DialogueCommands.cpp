#include "cli/DialogueCommands.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/System/DefaultSettings.h"
#include "Platform/System/TelephoneURL.h"
#include "Platform/System/UrlOpener.h"
#include "Platform/Time/Clock.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "TrainAndRecognize/ZRTrainController.h"
#include "cli/DialogueOutcome.h"
#include "cli/TerminalPopupHost.h"
#include "cli/ZarnethCli.h"

#include <QUrl>
#include <chrono>
#include <ostream>
#include <unistd.h>

namespace {

// Far longer than any spoken dialogue; a virtual clock passes it at once
// when a dialogue hangs.
constexpr Clock::Duration kLongestDialogue = std::chrono::minutes(5);

// The buttons of the training dialogue's sheets and tip.
constexpr int kRecordButton = 0;
constexpr int kDontRecordButton = 1;
constexpr int kKeepButton = 0;
constexpr int kOkButton = 0;

}  // namespace

int DialogueCommands::listen(Arguments arguments)
{
    const bool dialling = arguments.size() == 1 && arguments[0] == "--dial";
    if (!arguments.empty() && !dialling)
        return m_cli.usageError("listen takes only --dial");

    // The dialogue reads "Confirmations" and "VoiceGuide" as the application
    // sets them up at launch.
    DefaultSettings::setupDefaults();
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    AudioDevice& device = m_cli.audioDevice();
    TerminalPopupHost host(device.clock(), m_cli.out());
    answerFromTheKeyboard(host);
    DialogueOutcome outcome;
    ZRRecognizeController dialogue(host, device, store);
    dialogue.recognizeWithDelegate(&outcome);
    if (!device.clock().runUntil([&outcome] { return outcome.recognitionEnded(); }, kLongestDialogue))
        return m_cli.failure("the recognition dialogue did not end", ZarnethCli::kWriteFailed);

    // The dialogue ends after its last search, which may have been for a
    // spoken "accept": no distance to show.
    const ZRCommand* command = outcome.recognized().get();
    const int status = m_cli.writeRecognized(command, std::nullopt);
    return command && dialling ? dial(*command) : status;
}

int DialogueCommands::dial(const ZRCommand& command)
{
    const QString url = TelephoneURL::forNumber(command.phoneNumber());
    if (!UrlOpener::open(QUrl(url)))
        return m_cli.failure("nothing took " + url.toStdString() + " to dial it", ZarnethCli::kWriteFailed);
    m_cli.out() << "dialled " << url.toStdString() << '\n';
    return ZarnethCli::kSuccess;
}

int DialogueCommands::trainVoice(Arguments arguments)
{
    const std::optional<CliContext::Training> training = m_cli.trainingIn(arguments, "train-voice");
    if (!training)
        return ZarnethCli::kUnusable;

    DefaultSettings::setupDefaults();
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    const std::shared_ptr<ZRCommand> command = training->commandIn(store);
    AudioDevice& device = m_cli.audioDevice();
    TerminalPopupHost host(device.clock(), m_cli.out());
    if (training->keep) {
        host.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, kRecordButton);
        host.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, kKeepButton);
        host.answer(Popup::Kind::Alert, ZRTrainController::TipAlert, kOkButton);
    } else if (!answerFromTheKeyboard(host)) {
        // Nobody would hear the prompt or judge the recording.
        host.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, kDontRecordButton);
    }
    DialogueOutcome outcome;
    ZRTrainController dialogue(host, device, store);
    dialogue.trainCommand(command, &outcome);
    // The dialogue lets go of the command when it keeps or drops the sample.
    if (!device.clock().runUntil([&dialogue] { return dialogue.command() == nullptr; }, kLongestDialogue)) {
        if (dialogue.sample())
            dialogue.sample()->clearSampleFile();
        return m_cli.failure("the training dialogue did not end", ZarnethCli::kWriteFailed);
    }

    if (!outcome.trained()) {
        m_cli.out() << "not trained\n";
        return ZarnethCli::kNotRecognised;
    }
    // A sample added to a command already in the store is not saved by the
    // dialogue.
    return m_cli.saveTrained(*command);
}

bool DialogueCommands::answerFromTheKeyboard(TerminalPopupHost& host) const
{
    // Keys come through the Qt event loop, which only the system device's
    // clock runs; a virtual dialogue is over before anyone could type.
    if (m_cli.virtualAudio() || !isatty(STDIN_FILENO))
        return false;
    host.readKeys(STDIN_FILENO);
    return true;
}
