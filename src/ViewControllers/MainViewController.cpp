#include "ViewControllers/MainViewController.h"

#include "DataModel/ZRCommand.h"
#include "Platform/AlertView.h"
#include "Platform/UserDefaults.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "ZarnethAppDelegate.h"

MainViewController::MainViewController(
    ZarnethAppDelegate& application, PopupHost& host, AudioDevice& device, ZRCommandList& commandList, QObject* parent)
    : QObject(parent)
    , m_application(application)
    , m_host(host)
    , m_device(device)
    , m_commandList(commandList)
{
    connect(&application, &ZarnethAppDelegate::dialFailed, this, &MainViewController::dialFailed);
}

MainViewController::~MainViewController() = default;

void MainViewController::loadView()
{
    const UserDefaults defaults = UserDefaults::standardUserDefaults();
    if (!defaults.boolForKey(QStringLiteral("CommandListHasData"))) {
        setConfigureInfoLabelHidden(false);
        setScreenButtonHidden(true);
        setTapInfoLabelHidden(true);
        return;
    }
    setConfigureInfoLabelHidden(true);
    if (defaults.boolForKey(QStringLiteral("Dialing"))) {
        // The last run dialled: wait for a tap instead of listening at once.
        setScreenButtonHidden(false);
        setTapInfoLabelHidden(false);
        return;
    }
    setScreenButtonHidden(true);
    setTapInfoLabelHidden(true);
    recognizeController().recognizeWithDelegate(this);
}

ZRRecognizeController& MainViewController::recognizeController()
{
    if (!m_recognizeController)
        m_recognizeController = std::make_unique<ZRRecognizeController>(m_host, m_device, m_commandList);
    return *m_recognizeController;
}

void MainViewController::clickedScreenButton()
{
    setScreenButtonHidden(true);
    setTapInfoLabelHidden(true);
    recognizeController().recognizeWithDelegate(this);
}

void MainViewController::recognizedCommand(const std::shared_ptr<ZRCommand>& command)
{
    if (command && command->type() == ZRCommandTypePhone) {
        m_application.exitToPhone(command->phoneNumber());
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
    alert->show(m_host);
}

QString MainViewController::title() const
{
    return qtTrId("tabBarMainTitle");
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
    emit visibilityChanged();
}

void MainViewController::setTapInfoLabelHidden(bool hidden)
{
    if (m_tapInfoLabelHidden == hidden)
        return;
    m_tapInfoLabelHidden = hidden;
    emit visibilityChanged();
}

void MainViewController::setConfigureInfoLabelHidden(bool hidden)
{
    if (m_configureInfoLabelHidden == hidden)
        return;
    m_configureInfoLabelHidden = hidden;
    emit visibilityChanged();
}
