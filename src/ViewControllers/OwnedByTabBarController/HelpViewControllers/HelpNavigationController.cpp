#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpNavigationController.h"

HelpNavigationController::HelpNavigationController(std::shared_ptr<ViewController> rootViewController, QObject* parent)
    : NavigationController(std::move(rootViewController), parent)
{
    setTitle(qtTrId("tabBarHelpTitle"));
    setTabBarImage(QStringLiteral("help.png"));
}
