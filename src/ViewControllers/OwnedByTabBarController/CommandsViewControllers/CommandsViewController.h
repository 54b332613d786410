#pragma once

#include "Platform/Popups/ActionSheet.h"
#include "TrainAndRecognize/ZRtrainCommandControllerDelegate.h"
#include "ViewControllers/Kit/TableViewController.h"
#include "ViewControllers/ScreenServices.h"

#include <memory>
#include <vector>

class AudioPlayer;
class ZRCommand;
class ZRTrainController;

// Every trained command: the system commands in one section (when any is
// trained), the phone commands in another, each row with the name, the
// number and the count of samples. A row offers to train it again, to play
// its newest sample, or to delete it; a button deletes everything. After a
// deletion that leaves fewer than three system commands, "Confirmations"
// goes off, since the confirmation dialogue needs all three.
class CommandsViewController : public TableViewController,
                               public ActionSheetDelegate,
                               public ZRtrainCommandControllerDelegate {
    Q_OBJECT

public:
    enum SheetTag { DeleteSheet = 0, DeleteAllSheet = 1, OptionsSheet = 2 };
    enum OptionsButton { AddButton = 0, PlayButton = 1, DeleteButton = 2 };
    // The header of the phone commands when no system command is trained.
    static constexpr const char* kPhoneCommandsHeader = "Phone Commands";

    explicit CommandsViewController(const ScreenServices& services, QObject* parent = nullptr);
    ~CommandsViewController() override;

    void loadView() override;
    void clickedDeleteAllBarButton();

    int numberOfSectionsInTableView() const override;
    QString titleForHeaderInSection(int section) const override;
    int numberOfRowsInSection(int section) const override;
    TableViewCell cellForRowAtIndexPath(int section, int row) const override;
    void didSelectRowAtIndexPath(int section, int row) override;

    void createCommandOptionsActionSheet();
    void createDeleteActionSheet();
    void createDeleteAllActionSheet();
    void actionSheetClickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex) override;
    void didPresentActionSheet(ActionSheet&) override { }

    void trainCommand(const std::shared_ptr<ZRCommand>& command, ZRtrainCommandControllerDelegate* delegate);
    ZRTrainController& trainController();
    void trainedCommand(const std::shared_ptr<ZRCommand>& command) override;

    const std::shared_ptr<ZRCommand>& selectedCommand() const { return m_selectedCommand; }
    void setSelectedCommand(const std::shared_ptr<ZRCommand>& command) { m_selectedCommand = command; }
    // The newest player, while one plays.
    AudioPlayer* player() const { return m_players.empty() ? nullptr : m_players.back().get(); }
    std::size_t playingCount() const { return m_players.size(); }

private:
    bool hasSystemSection() const;
    std::shared_ptr<ZRCommand> commandOfRow(int section, int row) const;
    void playSelectedCommand();
    void playedSample(AudioPlayer* player);

    ScreenServices m_services;
    std::shared_ptr<ZRCommand> m_selectedCommand;
    // Every press of play makes a player; each goes only when it has ended.
    std::vector<std::unique_ptr<AudioPlayer>> m_players;
    std::unique_ptr<ZRTrainController> m_trainController;
};
