#pragma once

#include "ViewControllers/Kit/TableViewController.h"
#include "ViewControllers/ScreenServices.h"

// The contacts and actions menu: the contact list, and the system
// commands.
class ActionsMainController : public TableViewController {
    Q_OBJECT

public:
    enum Row { ContactsRow = 0, SystemCommandsRow = 1 };

    explicit ActionsMainController(const ScreenServices& services, QObject* parent = nullptr);

    void clickedPersonListBackButton();

    int numberOfRowsInSection(int section) const override;
    TableViewCell cellForRowAtIndexPath(int section, int row) const override;
    void didSelectRowAtIndexPath(int section, int row) override;

private:
    ScreenServices m_services;
};
