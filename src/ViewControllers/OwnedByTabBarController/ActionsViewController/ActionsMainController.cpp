#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsMainController.h"

#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/SystemCommandsController.h"

ActionsMainController::ActionsMainController(const ScreenServices& services, QObject* parent)
    : TableViewController(parent)
    , m_services(services)
{
    setTitle(qtTrId("mainViewTitle"));
    setBackBarButtonTitle(qtTrId("aboutBackButtonText"));
}

void ActionsMainController::clickedPersonListBackButton()
{
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}

int ActionsMainController::numberOfRowsInSection(int) const
{
    return 2;
}

TableViewCell ActionsMainController::cellForRowAtIndexPath(int, int row) const
{
    TableViewCell cell;
    cell.text = row == ContactsRow ? qtTrId("mainTableContacts") : qtTrId("mainTableSysComms");
    cell.accessory = TableViewCell::Accessory::DisclosureIndicator;
    return cell;
}

void ActionsMainController::didSelectRowAtIndexPath(int, int row)
{
    auto* actions = qobject_cast<ActionsNavigationController*>(navigationController());
    if (!actions)
        return;
    if (row == ContactsRow) {
        actions->pushViewController(actions->pickerViewController(), true);
        // The contact list shows no button of its own on the right.
        actions->pickerViewController()->setRightBarButton(QString(), nullptr);
    } else if (row == SystemCommandsRow) {
        auto systemCommands = std::make_shared<SystemCommandsController>(m_services);
        systemCommands->setTitle(qtTrId("sysCommViewTitle"));
        actions->pushViewController(std::move(systemCommands), true);
    }
}
