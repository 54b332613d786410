#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpNavigationController.h"

HelpNavigationController::HelpNavigationController(std::unique_ptr<ViewController> rootViewController, QObject* parent)
    : NavigationController(std::move(rootViewController), parent)
{
    setTitle(qtTrId("tabBarHelpTitle"));
    setTabBarImage(QStringLiteral("help.png"));
}
