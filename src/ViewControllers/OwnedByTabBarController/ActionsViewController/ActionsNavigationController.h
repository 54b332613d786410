#pragma once

#include "ViewControllers/NavigationController.h"
#include "ViewControllers/ScreenServices.h"

// The contacts and actions tab.
class ActionsNavigationController : public NavigationController {
    Q_OBJECT

public:
    ActionsNavigationController(
        std::unique_ptr<ViewController> topViewController, const ScreenServices& services, QObject* parent = nullptr);

private:
    ScreenServices m_services;
};
