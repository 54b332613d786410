#pragma once

#include "ViewControllers/Kit/NavigationController.h"

// The help tab.
class HelpNavigationController : public NavigationController {
    Q_OBJECT

public:
    explicit HelpNavigationController(std::shared_ptr<ViewController> rootViewController, QObject* parent = nullptr);
};
