#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"

ActionsNavigationController::ActionsNavigationController(
    std::unique_ptr<ViewController> topViewController, const ScreenServices& services, QObject* parent)
    : NavigationController(std::move(topViewController), parent)
    , m_services(services)
{
    setTitle(qtTrId("tabBarActionsTitle"));
    setTabBarImage(QStringLiteral("actions.png"));
}
