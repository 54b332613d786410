#include "ViewControllers/OwnedByTabBarController/CommandsViewControllers/CommandsNavigationController.h"

CommandsNavigationController::CommandsNavigationController(
    std::shared_ptr<ViewController> rootViewController, QObject* parent)
    : NavigationController(std::move(rootViewController), parent)
{
    setTitle(qtTrId("tabBarComandsTitle"));
    setTabBarImage(QStringLiteral("Commands.png"));
}
