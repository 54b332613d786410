#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/AboutViewController.h"

#include "ZarnethAppDelegate.h"

AboutViewController::AboutViewController(const ScreenServices& services, QObject* parent)
    : ViewController(parent)
    , m_services(services)
{
    setTabBarImage(QStringLiteral("about.png"));
    setPage(QStringLiteral("AboutPage.qml"));
}

QString AboutViewController::about1Text() const
{
    return qtTrId("about1Text");
}

QString AboutViewController::about2Text() const
{
    return qtTrId("about2Text");
}

void AboutViewController::clickedNestrivoURL()
{
    m_services.application.exitToNestrivo();
}
