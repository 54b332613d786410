#include "ViewControllers/OwnedByTabBarController/CommandsViewControllers/CommandsViewController.h"

CommandsViewController::CommandsViewController(const ScreenServices& services, QObject* parent)
    : ViewController(parent)
    , m_services(services)
{
    setTitle(qtTrId("tabBarComandsTitle"));
    setPage(QStringLiteral("qrc:/qml/PlaceholderPage.qml"));
}

void CommandsViewController::reloadData()
{
    ++m_reloads;
    emit dataReloaded();
}
