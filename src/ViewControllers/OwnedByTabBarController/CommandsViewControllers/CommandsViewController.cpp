#include "ViewControllers/OwnedByTabBarController/CommandsViewControllers/CommandsViewController.h"

#include "AudioManagers/AudioPlayer.h"
#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "Platform/Audio/AudioDevice.h"
#include "TrainAndRecognize/ZRTrainController.h"

#include <QPointer>
#include <algorithm>

CommandsViewController::CommandsViewController(const ScreenServices& services, QObject* parent)
    : TableViewController(parent)
    , m_services(services)
{
    setTitle(qtTrId("tabBarComandsTitle"));
}

CommandsViewController::~CommandsViewController() = default;

void CommandsViewController::loadView()
{
    setLeftBarButton(qtTrId("deleteAllButton"), [this] { clickedDeleteAllBarButton(); });
    TableViewController::loadView();
}

void CommandsViewController::clickedDeleteAllBarButton()
{
    createDeleteAllActionSheet();
}

bool CommandsViewController::hasSystemSection() const
{
    return m_services.commandList.numberOfSystemCommands() > 0;
}

int CommandsViewController::numberOfSectionsInTableView() const
{
    return hasSystemSection() ? 2 : 1;
}

QString CommandsViewController::titleForHeaderInSection(int section) const
{
    if (!hasSystemSection())
        return QString::fromLatin1(kPhoneCommandsHeader);
    return section == 0 ? qtTrId("confirmationsSectionTitle") : qtTrId("contactsSectionTitle");
}

int CommandsViewController::numberOfRowsInSection(int section) const
{
    if (hasSystemSection() && section == 0)
        return m_services.commandList.numberOfSystemCommands();
    return static_cast<int>(m_services.commandList.count());
}

std::shared_ptr<ZRCommand> CommandsViewController::commandOfRow(int section, int row) const
{
    if (hasSystemSection() && section == 0)
        return m_services.commandList.systemCommandAtIndex(row);
    return m_services.commandList.commandAtIndex(static_cast<std::size_t>(row));
}

TableViewCell CommandsViewController::cellForRowAtIndexPath(int section, int row) const
{
    const std::shared_ptr<ZRCommand> command = commandOfRow(section, row);
    TableViewCell cell;
    cell.tag = command->commandID();
    cell.text = command->name();
    cell.detailText = command->phoneNumber();
    cell.secondDetailText = qtTrId("commandsSampleCountText", command->numberOfSamples());
    cell.accessory = TableViewCell::Accessory::DisclosureIndicator;
    return cell;
}

void CommandsViewController::didSelectRowAtIndexPath(int section, int row)
{
    // Identifiers of system and phone commands overlap: the section says
    // which list the row's tag belongs to.
    const int commandID = shownCell(section, row)->tag;
    const bool systemRow = hasSystemSection() && section == 0;
    m_selectedCommand = systemRow ? m_services.commandList.systemCommandForID(commandID)
                                  : m_services.commandList.commandForID(commandID);
    if (m_selectedCommand)
        createCommandOptionsActionSheet();
}

void CommandsViewController::createCommandOptionsActionSheet()
{
    const auto sheet = ActionSheet::create(qtTrId("optionsAlertSheetText").arg(m_selectedCommand->name()), this,
        qtTrId("actionsheetCancel"), {}, {qtTrId("actionsAdd"), qtTrId("actionsPlay"), qtTrId("actionsDelete")});
    sheet->setDestructiveButtonIndex(DeleteButton);
    sheet->setTag(OptionsSheet);
    sheet->show(m_services.popupHost);
}

void CommandsViewController::createDeleteActionSheet()
{
    const QString name = m_selectedCommand->name();
    const auto sheet = ActionSheet::create(qtTrId("deleteConfirmationText").arg(name), this,
        qtTrId("deleteButtonCancel"), qtTrId("deleteButtonConfirm").arg(name), {});
    sheet->setTag(DeleteSheet);
    sheet->show(m_services.popupHost);
}

void CommandsViewController::createDeleteAllActionSheet()
{
    const auto sheet = ActionSheet::create(
        qtTrId("deleteAllConfirmationText"), this, qtTrId("deleteButtonCancel"), qtTrId("deleteAllButtonConfirm"), {});
    sheet->setTag(DeleteAllSheet);
    sheet->show(m_services.popupHost);
}

void CommandsViewController::actionSheetClickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex)
{
    const bool destructive = buttonIndex == actionSheet.destructiveButtonIndex();
    switch (actionSheet.tag()) {
    case OptionsSheet:
        if (buttonIndex == AddButton)
            trainCommand(m_selectedCommand, this);
        else if (buttonIndex == PlayButton)
            playSelectedCommand();
        else if (buttonIndex == DeleteButton)
            createDeleteActionSheet();
        break;
    case DeleteSheet:
        if (destructive) {
            m_services.commandList.removeCommand(*m_selectedCommand);
            m_services.commandList.turnConfirmationsOffUnlessSystemCommandsTrained();
            reloadData();
        } else {
            createCommandOptionsActionSheet();
        }
        break;
    case DeleteAllSheet:
        if (destructive) {
            m_services.commandList.removeAllCommands();
            m_services.commandList.turnConfirmationsOffUnlessSystemCommandsTrained();
            reloadData();
        }
        break;
    default:
        break;
    }
}

void CommandsViewController::playSelectedCommand()
{
    if (!m_selectedCommand || !m_selectedCommand->sample1())
        return;
    auto player = std::make_unique<AudioPlayer>(m_services.audioDevice);
    AudioPlayer* playing = player.get();
    QPointer<CommandsViewController> self(this);
    player->setStopEvent([self, playing] {
        if (self)
            self->playedSample(playing);
    });
    m_players.push_back(std::move(player));
    playing->playCommandSample(*m_selectedCommand->sample1());
}

void CommandsViewController::playedSample(AudioPlayer* player)
{
    // The player is still inside its own callback: it goes a moment later.
    QPointer<CommandsViewController> self(this);
    m_services.audioDevice.clock().schedule(Clock::Duration(0), [self, player] {
        if (!self)
            return;
        auto& players = self->m_players;
        players.erase(std::remove_if(players.begin(), players.end(),
                          [player](const std::unique_ptr<AudioPlayer>& each) { return each.get() == player; }),
            players.end());
    });
}

void CommandsViewController::trainCommand(
    const std::shared_ptr<ZRCommand>& command, ZRtrainCommandControllerDelegate* delegate)
{
    if (command)
        trainController().trainCommand(command, delegate);
}

ZRTrainController& CommandsViewController::trainController()
{
    if (!m_trainController) {
        m_trainController
            = std::make_unique<ZRTrainController>(m_services.popupHost, m_services.audioDevice, m_services.commandList);
    }
    return *m_trainController;
}

void CommandsViewController::trainedCommand(const std::shared_ptr<ZRCommand>&)
{
    reloadData();
}
