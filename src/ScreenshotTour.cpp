#include "ScreenshotTour.h"

#include "AudioManagers/UtteranceFile.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Contacts/AddressBook.h"
#include "Platform/Popups/ActionSheet.h"
#include "Platform/Popups/AlertView.h"
#include "Platform/Popups/ProgressView.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "TrainAndRecognize/ZRTrainController.h"
#include "ViewControllers/Kit/NavigationController.h"
#include "ViewControllers/Kit/QuickPopupHost.h"
#include "ViewControllers/MainViewController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsMainController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"
#include "ViewControllers/OwnedByTabBarController/CommandsViewControllers/CommandsViewController.h"
#include "ViewControllers/OwnedByTabBarController/DefaultsViewControllers/DefaultsViewController.h"
#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpViewController.h"
#include "ViewControllers/RootViewController.h"
#include "ViewControllers/TabBarController.h"
#include "ZarnethAppDelegate.h"

#include <QEventLoop>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTimer>
#include <algorithm>

namespace {

QQuickWindow* windowOf(ZarnethAppDelegate& application)
{
    const auto roots = application.window()->rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow*>(roots.first());
}

}  // namespace

ScreenshotTour::ScreenshotTour(ZarnethAppDelegate& application, VirtualAudioDevice& device, const QString& directory)
    : m_application(application)
    , m_device(device)
    , m_directory(directory)
{
    m_directory.mkpath(QStringLiteral("."));
}

bool ScreenshotTour::run()
{
    QQuickWindow* window = windowOf(m_application);
    if (!window)
        return false;
    // Twice the point size, so the pictures are sharp.
    window->resize(640, 960);
    settle(300);

    showMainScreen(false, false);
    shoot(QStringLiteral("main-unconfigured"));
    showMainScreenWithoutMicrophone();
    shoot(QStringLiteral("main-no-microphone"));
    showMainScreen(true, true);
    shoot(QStringLiteral("main"));

    showSheet(ZRRecognizeController::SpeakNowSheet, 0.35f);
    shoot(QStringLiteral("sheet-speak-now"));
    showSheet(ZRRecognizeController::AcceptRepeatCancelSheet, 0.6f);
    shoot(QStringLiteral("sheet-accept-repeat-cancel"));
    showSheet(ZRRecognizeController::RepeatCancelSheet, 0.8f);
    shoot(QStringLiteral("sheet-repeat-cancel"));
    closePopups();
    showTrainingPopups();

    const auto dialFailed = AlertView::create(qtTrId("dialFailedTitle"),
        qtTrId("dialFailedText").arg("+49 170 1234567"), nullptr, qtTrId("actionsheetOK"), {});
    dialFailed->show(*m_application.popupHost());
    settle();
    shoot(QStringLiteral("alert-dial-failed"));
    closePopups();

    loadExampleData();
    flipToTabs();
    shoot(QStringLiteral("tabs-contacts"));
    showContacts();
    selectTab(TabBarController::CommandsTab);
    showCommands();
    selectTab(TabBarController::DefaultsTab);
    shoot(QStringLiteral("tabs-settings"));
    auto* settings = qobject_cast<DefaultsViewController*>(static_cast<NavigationController*>(
        m_application.rootViewController()->tabBarController()->selectedViewController())
                                                               ->topViewController());
    settings->confirmationSwitchAction(true);  // locked: nothing is trained
    settle();
    shoot(QStringLiteral("alert-confirmations-locked"));
    closePopups();
    selectTab(TabBarController::HelpTab);
    settle(1500);  // the help page: from the network, or the bundled copy
    shoot(QStringLiteral("tabs-help"));
    auto* help = static_cast<NavigationController*>(
        m_application.rootViewController()->tabBarController()->selectedViewController());
    qobject_cast<HelpViewController*>(help->topViewController())->clickedAboutBarButton();
    settle();
    shoot(QStringLiteral("tabs-about"));
    return m_allSaved;
}

void ScreenshotTour::shoot(const QString& name)
{
    settle();
    const QImage picture = windowOf(m_application)->grabWindow();
    if (!picture.save(m_directory.filePath(name + QStringLiteral(".png"))))
        m_allSaved = false;
}

void ScreenshotTour::settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void ScreenshotTour::showMainScreen(bool hasData, bool dialing)
{
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(hasData, SettingsKey::CommandListHasData);
    defaults.setBool(dialing, SettingsKey::Dialing);
    defaults.synchronize();
    m_application.rootViewController()->mainViewController()->loadView();
}

void ScreenshotTour::showMainScreenWithoutMicrophone()
{
    // Trained names and no microphone: the screen says what is missing
    // where it would otherwise start listening.
    m_device.setMicrophoneConnected(false);
    showMainScreen(true, false);
    m_device.setMicrophoneConnected(true);
}

void ScreenshotTour::showSheet(int tag, float progress)
{
    // The sheets as the recognition dialogue builds them, frozen mid-way.
    closePopups();
    static ProgressView bar;
    bar.setProgress(progress);
    std::shared_ptr<ActionSheet> sheet;
    if (tag == ZRRecognizeController::SpeakNowSheet) {
        sheet = ActionSheet::create(qtTrId("speakNowTitle"), nullptr, qtTrId("stopRecognize"), {}, {});
    } else if (tag == ZRRecognizeController::RepeatCancelSheet) {
        sheet = ActionSheet::create(
            qtTrId("sayRepeatCancel"), nullptr, qtTrId("stopRecognize"), {}, {qtTrId("repeatRecognize")});
    } else {
        sheet = ActionSheet::create(qtTrId("sayAcceptRepeatCancel"), nullptr, qtTrId("stopRecognize"), {},
            {qtTrId("acceptRecognize"), qtTrId("repeatRecognize")});
    }
    sheet->setTag(tag);
    sheet->addSubview(&bar);
    sheet->show(*m_application.popupHost());
}

void ScreenshotTour::showTrainingPopups()
{
    const auto instructions = ActionSheet::create(qtTrId("infoText").arg("Anna Schmidt", "+49 170 1234567"), nullptr,
        qtTrId("actionsheetDontRecord"), {}, {qtTrId("actionsheetRecord")});
    instructions->show(*m_application.popupHost());
    shoot(QStringLiteral("sheet-train-instructions"));
    closePopups();

    static ProgressView bar;
    bar.setProgress(0.5f);
    const auto speakNow = AlertView::create(qtTrId("trainSpeakNowTitle"), {}, nullptr, {}, {});
    speakNow->addSubview(&bar);
    speakNow->show(*m_application.popupHost());
    shoot(QStringLiteral("alert-train-speak-now"));
    closePopups();

    const auto confirm = ActionSheet::create(
        qtTrId("confirmText"), nullptr, qtTrId("actionSheetDontSave"), {}, {qtTrId("actionSheetSaveSample")});
    confirm->show(*m_application.popupHost());
    shoot(QStringLiteral("sheet-train-confirm"));
    closePopups();

    const auto tip = AlertView::create(qtTrId("tipTitle"), qtTrId("tipText"), nullptr, qtTrId("actionsheetOK"), {});
    tip->show(*m_application.popupHost());
    shoot(QStringLiteral("alert-train-tip"));
    closePopups();
}

void ScreenshotTour::loadExampleData()
{
    // Names and control words trained from the bundled example utterances,
    // as the training dialogue would have kept them.
    struct Example {
        std::int32_t type;
        const char* name;
        const char* number;
        std::vector<const char*> files;
    };
    const std::vector<Example> examples = {
        {ZRCommandTypeAccept, "sysCommAccept", nullptr, {"accept.wav"}},
        {ZRCommandTypeCancel, "sysCommCancel", nullptr, {"cancel.wav"}},
        {ZRCommandTypePhone, "Anna Schmidt", "+49 170 1234567", {"anna.wav", "anna-again.wav"}},
        {ZRCommandTypePhone, "Ben Miller", "0170 7654321", {"ben.wav"}},
        {ZRCommandTypePhone, "Jürgen Weiß", "+49 30 9876543", {"juergen.wav"}},
    };
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    for (const Example& example : examples) {
        const auto command = ZRCommand::initForCommandType(example.type, store);
        const bool system = example.type != ZRCommandTypePhone;
        command->setName(system ? qtTrId(example.name) : QString::fromUtf8(example.name));
        command->setPhoneNumber(system ? QString() : QString::fromLatin1(example.number));
        for (const char* file : example.files) {
            const std::string path = (BundleResources::directory() + "/examples/" + file).toStdString();
            std::string error;
            const std::optional<UtteranceFile> utterance = UtteranceFile::read(path, &error);
            if (!utterance || !utterance->addAsSampleOf(command, store))
                m_allSaved = false;
        }
    }
    store.saveToFile();
}

void ScreenshotTour::showContacts()
{
    TabBarController& tabs = *m_application.rootViewController()->tabBarController();
    ActionsNavigationController& actions = *tabs.actionsNavigationController();
    auto* menu = qobject_cast<ActionsMainController*>(actions.rootViewController());
    menu->selectRow(0, ActionsMainController::ContactsRow);
    AddressBook& addressBook = *m_application.addressBook();
    for (int waited = 0; addressBook.isLoading() && waited < 5000; waited += 100)
        settle(100);
    settle(400);
    shoot(QStringLiteral("contacts-list"));

    // The first contact with more than one number, to show the choice.
    const QList<Contact> contacts = addressBook.contacts();
    const auto person = std::find_if(
        contacts.begin(), contacts.end(), [](const Contact& contact) { return contact.phoneNumbers.size() > 1; });
    if (person != contacts.end()) {
        actions.pickPerson(*person);
        settle(400);
        shoot(QStringLiteral("contacts-person"));
    }
    actions.popToRootViewControllerAnimated(false);
    menu->selectRow(0, ActionsMainController::SystemCommandsRow);
    settle(400);
    shoot(QStringLiteral("system-commands"));
    actions.popToRootViewControllerAnimated(false);
}

void ScreenshotTour::showCommands()
{
    shoot(QStringLiteral("commands"));
    auto& navigation = static_cast<NavigationController&>(
        *m_application.rootViewController()->tabBarController()->selectedViewController());
    auto* commands = qobject_cast<CommandsViewController*>(navigation.topViewController());
    commands->selectRow(1, 0);
    shoot(QStringLiteral("sheet-commands-options"));
    closePopups();
    commands->createDeleteActionSheet();
    shoot(QStringLiteral("sheet-commands-delete"));
    closePopups();
    commands->createDeleteAllActionSheet();
    shoot(QStringLiteral("sheet-commands-delete-all"));
    closePopups();
}

void ScreenshotTour::closePopups()
{
    QuickPopupHost& host = *m_application.popupHost();
    while (host.visible())
        host.dismissTop();
    settle();
}

void ScreenshotTour::flipToTabs()
{
    m_application.rootViewController()->flipViews();
    settle(1300);  // the flip takes a second
}

void ScreenshotTour::selectTab(int index)
{
    m_application.rootViewController()->tabBarController()->selectTab(index);
    settle();
}
