#pragma once

#include "ViewControllers/ScreenServices.h"
#include "ViewControllers/ViewController.h"

// The contacts and actions menu.
class ActionsMainController : public ViewController {
    Q_OBJECT

public:
    explicit ActionsMainController(const ScreenServices& services, QObject* parent = nullptr);

private:
    ScreenServices m_services;
};
