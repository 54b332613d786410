#include "ViewControllers/OwnedByTabBarController/ActionsViewController/SystemCommandsController.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"

#include <array>

namespace {

constexpr std::array<std::int32_t, 3> kRowTypes = {ZRCommandTypeAccept, ZRCommandTypeRepeat, ZRCommandTypeCancel};

}  // namespace

SystemCommandsController::SystemCommandsController(const ScreenServices& services, QObject* parent)
    : TableViewController(parent)
    , m_services(services)
{
    setTitle(qtTrId("sysCommViewTitle"));
}

std::int32_t SystemCommandsController::typeOfRow(int row)
{
    return kRowTypes.at(static_cast<std::size_t>(row));
}

void SystemCommandsController::loadView()
{
    setRightBarButton(qtTrId("actionsNavBarRecordButton"), [this] { clickedSystemCommandsRecordBarButton(); });
    TableViewController::loadView();
}

void SystemCommandsController::viewWillAppear(bool animated)
{
    TableViewController::viewWillAppear(animated);
    reloadData();
}

void SystemCommandsController::clickedSystemCommandsRecordBarButton()
{
    trainSystemCommand(ZRCommandTypeAccept);
}

int SystemCommandsController::numberOfRowsInSection(int) const
{
    return static_cast<int>(kRowTypes.size());
}

TableViewCell SystemCommandsController::cellForRowAtIndexPath(int, int row) const
{
    const std::int32_t type = typeOfRow(row);
    TableViewCell cell;
    cell.text = ZRCommand::titleOfSystemCommandType(type);
    cell.accessory = m_services.commandList.hasSystemCommandSampleOfType(type)
        ? TableViewCell::Accessory::Checkmark
        : TableViewCell::Accessory::DisclosureIndicator;
    return cell;
}

void SystemCommandsController::didSelectRowAtIndexPath(int, int row)
{
    trainSystemCommand(typeOfRow(row));
}

void SystemCommandsController::trainSystemCommand(std::int32_t type)
{
    // A trained word keeps the name it was made with, whatever the texts
    // say today.
    const auto command = m_services.commandList.commandToTrainForSystemCommandType(type);
    if (auto* actions = qobject_cast<ActionsNavigationController*>(navigationController()))
        actions->trainCommand(command, this);
}

void SystemCommandsController::trainedCommand(const std::shared_ptr<ZRCommand>&)
{
    reloadData();
}
