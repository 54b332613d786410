#pragma once

#include "ViewControllers/ScreenServices.h"
#include "ViewControllers/ViewController.h"

// The list of trained commands.
class CommandsViewController : public ViewController {
    Q_OBJECT

public:
    explicit CommandsViewController(const ScreenServices& services, QObject* parent = nullptr);

    // Shows the store as it is now.
    void reloadData();
    int reloadCount() const { return m_reloads; }

signals:
    void dataReloaded();

private:
    ScreenServices m_services;
    int m_reloads = 0;
};
