#include "ViewControllers/MainViewController.h"

#include "DataModel/ZRCommand.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/Popups/AlertView.h"
#include "Platform/Popups/PopupHost.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "ZarnethAppDelegate.h"

MainViewController::MainViewController(const ScreenServices& services, QObject* parent)
    : ViewController(parent)
    , m_services(services)
{
    setTitle(qtTrId("tabBarMainTitle"));
    setTabBarImage(QStringLiteral("main.png"));
    connect(&services.application, &ZarnethAppDelegate::dialFailed, this, &MainViewController::dialFailed);
}

MainViewController::~MainViewController() = default;

void MainViewController::loadView()
{
    const UserDefaults defaults = UserDefaults::standardUserDefaults();
    if (!defaults.boolForKey(SettingsKey::CommandListHasData)) {
        setConfigureInfoLabelHidden(false);
        setScreenButtonHidden(true);
        setTapInfoLabelHidden(true);
        return;
    }
    setConfigureInfoLabelHidden(true);
    if (defaults.boolForKey(SettingsKey::Dialing)) {
        // The last run dialled: wait for a tap instead of listening at once.
        setScreenButtonHidden(false);
        setTapInfoLabelHidden(false);
        return;
    }
    setScreenButtonHidden(true);
    setTapInfoLabelHidden(true);
    listen();
}

ZRRecognizeController& MainViewController::recognizeController()
{
    if (!m_recognizeController) {
        m_recognizeController = std::make_unique<ZRRecognizeController>(
            m_services.popupHost, m_services.audioDevice, m_services.commandList);
    }
    return *m_recognizeController;
}

void MainViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    // A device problem is looked for afresh on the next listen: the
    // microphone may have been plugged in meanwhile.
    setDeviceProblemText(QString());
}

void MainViewController::clickedScreenButton()
{
    // A training started from the tabs may still be playing its sample.
    if (m_services.popupHost.dialogueRunning())
        return;
    setScreenButtonHidden(true);
    setTapInfoLabelHidden(true);
    listen();
}

void MainViewController::listen()
{
    // Recording silence, or talking to nobody, helps no one: say what is
    // missing and wait for the next tap.
    const AudioDevice& device = m_services.audioDevice;
    setDeviceProblemText(!device.hasInput() ? qtTrId("noMicrophoneText")
            : !device.hasOutput()           ? qtTrId("noSpeakerText")
                                            : QString());
    if (!m_deviceProblemText.isEmpty()) {
        setScreenButtonHidden(false);
        return;
    }
    recognizeController().recognizeWithDelegate(this);
}

QString MainViewController::deviceProblemText() const
{
    return m_deviceProblemText;
}

void MainViewController::setDeviceProblemText(const QString& text)
{
    if (m_deviceProblemText == text)
        return;
    m_deviceProblemText = text;
    emit deviceProblemTextChanged();
}

void MainViewController::recognizedCommand(const std::shared_ptr<ZRCommand>& command)
{
    if (command && command->type() == ZRCommandTypePhone) {
        m_services.application.exitToPhone(command->phoneNumber());
        return;
    }
    setScreenButtonHidden(false);
    setTapInfoLabelHidden(false);
}

void MainViewController::dialFailed(const QString& phoneNumber)
{
    setScreenButtonHidden(false);
    setTapInfoLabelHidden(false);
    const auto alert = AlertView::create(
        qtTrId("dialFailedTitle"), qtTrId("dialFailedText").arg(phoneNumber), nullptr, qtTrId("actionsheetOK"), {});
    alert->show(m_services.popupHost);
}

QString MainViewController::tapLabelText() const
{
    return qtTrId("tapLabelText");
}

QString MainViewController::configureLabelText() const
{
    return qtTrId("configureLabelText");
}

void MainViewController::setScreenButtonHidden(bool hidden)
{
    if (m_screenButtonHidden == hidden)
        return;
    m_screenButtonHidden = hidden;
    emit screenButtonHiddenChanged();
}

void MainViewController::setTapInfoLabelHidden(bool hidden)
{
    if (m_tapInfoLabelHidden == hidden)
        return;
    m_tapInfoLabelHidden = hidden;
    emit tapInfoLabelHiddenChanged();
}

void MainViewController::setConfigureInfoLabelHidden(bool hidden)
{
    if (m_configureInfoLabelHidden == hidden)
        return;
    m_configureInfoLabelHidden = hidden;
    emit configureInfoLabelHiddenChanged();
}
