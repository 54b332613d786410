#include "ZarnethAppDelegate.h"

#include "DataModel/ZRCommandList.h"
#include "Platform/Contacts/AddressBook.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/DefaultSettings.h"
#include "Platform/System/Log.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/TelephoneURL.h"
#include "Platform/System/UrlOpener.h"
#include "Platform/System/UserDefaults.h"
#include "ViewControllers/Kit/QuickPopupHost.h"
#include "ViewControllers/RootViewController.h"

#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QUrl>

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
    m_window->rootContext()->setContextProperty(QStringLiteral("popupHost"), m_popupHost.get());
    m_window->rootContext()->setContextProperty(QStringLiteral("rootViewController"), m_rootViewController.get());
    // Where the pages find the bundled images.
    m_window->rootContext()->setContextProperty(
        QStringLiteral("bundleUrl"), QUrl::fromLocalFile(BundleResources::directory() + QLatin1Char('/')));
    m_rootViewController->loadView();
    m_window->load(QUrl(QStringLiteral("qrc:/qml/Main.qml")));
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
