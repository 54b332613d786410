#pragma once

#include "ViewControllers/Kit/NavigationController.h"

// The trained commands tab.
class CommandsNavigationController : public NavigationController {
    Q_OBJECT

public:
    explicit CommandsNavigationController(
        std::shared_ptr<ViewController> rootViewController, QObject* parent = nullptr);
};
