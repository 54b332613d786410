#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsMainController.h"

ActionsMainController::ActionsMainController(const ScreenServices& services, QObject* parent)
    : ViewController(parent)
    , m_services(services)
{
    setTitle(qtTrId("tabBarActionsTitle"));
    setPage(QStringLiteral("qrc:/qml/PlaceholderPage.qml"));
}
