#include "ViewControllers/OwnedByTabBarController/DefaultsViewControllers/DefaultsNavigationController.h"

DefaultsNavigationController::DefaultsNavigationController(
    std::shared_ptr<ViewController> rootViewController, QObject* parent)
    : NavigationController(std::move(rootViewController), parent)
{
    setTitle(qtTrId("tabBarPreferencesTitle"));
    setTabBarImage(QStringLiteral("settings.png"));
}
