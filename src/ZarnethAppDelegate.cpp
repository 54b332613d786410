#include "ZarnethAppDelegate.h"

#include "DataModel/ZRCommandList.h"
#include "Platform/Contacts/AddressBook.h"
#include "Platform/System/DefaultSettings.h"
#include "Platform/System/Log.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/TelephoneURL.h"
#include "Platform/System/UrlOpener.h"
#include "Platform/System/UserDefaults.h"
#include "ViewControllers/Kit/QuickPopupHost.h"
#include "ViewControllers/RootViewController.h"

#include <QQmlApplicationEngine>
#include <QUrl>
#include <QVariantMap>

// Registers the types of the Zarneth QML module (generated from the
// controllers' QML_ELEMENT macros).
void qml_register_types_Zarneth();

namespace {

// Where the Zarneth QML module lies among the resources, and its window.
constexpr auto kQmlImportPath = "qrc:/qt/qml";
constexpr auto kMainQml = "qrc:/qt/qml/Zarneth/Main.qml";

}  // namespace

ZarnethAppDelegate::ZarnethAppDelegate(AudioDevice& device, QObject* parent)
    : QObject(parent)
    , m_device(device)
{
}

ZarnethAppDelegate::~ZarnethAppDelegate()
{
    // The window goes first: its views refer to the controllers.
    m_window.reset();
}

void ZarnethAppDelegate::applicationDidFinishLaunching()
{
    setupDefaults();
    m_leavingToDialNumber = false;

    // The screens share the command store; the dial screen needs it at once.
    // The contacts are read in the background meanwhile.
    m_popupHost = std::make_unique<QuickPopupHost>();
    m_addressBook = std::make_unique<AddressBook>();
    m_rootViewController = std::make_unique<RootViewController>(
        ScreenServices {*this, *m_popupHost, m_device, ZRCommandList::sharedCommandList(), *m_addressBook});
    m_window = std::make_unique<QQmlApplicationEngine>();
    // The module is linked into this program, with no plugin: the reference
    // keeps its registration, which runs when QML first imports Zarneth.
    volatile auto registration = &qml_register_types_Zarneth;
    Q_UNUSED(registration);
    m_window->addImportPath(QLatin1String(kQmlImportPath));
    m_window->setInitialProperties(
        {{QStringLiteral("rootViewController"), QVariant::fromValue(m_rootViewController.get())},
            {QStringLiteral("popupHost"), QVariant::fromValue(m_popupHost.get())}});
    m_rootViewController->loadView();
    m_window->load(QUrl(QLatin1String(kMainQml)));
}

void ZarnethAppDelegate::setupDefaults()
{
    DefaultSettings::setupDefaults();
}

void ZarnethAppDelegate::exitToPhone(const QString& phoneNumber)
{
    m_leavingToDialNumber = true;
    const QUrl url(TelephoneURL::forNumber(phoneNumber));
    if (UrlOpener::open(url))
        return;
    // Nothing dialled, so this run does not end by dialling.
    m_leavingToDialNumber = false;
    emit dialFailed(phoneNumber);
}

void ZarnethAppDelegate::exitToNestrivo()
{
    m_leavingToDialNumber = false;
    UrlOpener::open(QUrl(QString::fromLatin1(kMakerSite)));
}

void ZarnethAppDelegate::applicationWillTerminate()
{
    Log::write(QStringLiteral("running applicationWillTerminate"));
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(m_leavingToDialNumber, SettingsKey::Dialing);
    defaults.synchronize();
    ZRCommandList::sharedCommandList().saveToFile();
}
