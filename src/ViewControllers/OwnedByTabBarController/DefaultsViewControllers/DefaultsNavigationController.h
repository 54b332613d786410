#pragma once

#include "ViewControllers/Kit/NavigationController.h"

// The settings tab.
class DefaultsNavigationController : public NavigationController {
    Q_OBJECT

public:
    explicit DefaultsNavigationController(
        std::shared_ptr<ViewController> rootViewController, QObject* parent = nullptr);
};
