#pragma once

#include "TrainAndRecognize/ZRtrainCommandControllerDelegate.h"
#include "ViewControllers/Kit/TableViewController.h"
#include "ViewControllers/ScreenServices.h"

#include <cstdint>

// The three spoken control words, accept, repeat and cancel: a row each,
// checked once trained. Selecting a row (or the record button, for accept)
// trains that word through the tab's training dialogue; an untrained word
// gets a new command named after it, which joins the store with its first
// kept sample.
class SystemCommandsController : public TableViewController, public ZRtrainCommandControllerDelegate {
    Q_OBJECT

public:
    explicit SystemCommandsController(const ScreenServices& services, QObject* parent = nullptr);

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void clickedSystemCommandsRecordBarButton();

    int numberOfRowsInSection(int section) const override;
    TableViewCell cellForRowAtIndexPath(int section, int row) const override;
    void didSelectRowAtIndexPath(int section, int row) override;

    void trainedCommand(const std::shared_ptr<ZRCommand>& command) override;

    // The command type of each row, and the key of its title.
    static std::int32_t typeOfRow(int row);

private:
    void trainSystemCommand(std::int32_t type);

    ScreenServices m_services;
};
