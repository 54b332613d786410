#include "ViewControllers/OwnedByTabBarController/BackToMainController.h"

BackToMainController::BackToMainController(QObject* parent)
    : ViewController(parent)
{
    setTitle(qtTrId("tabBarMainTitle"));
    setTabBarImage(QStringLiteral("main.png"));
}
