#pragma once

#include "ViewControllers/Kit/ViewController.h"

// The first tab: no screen of its own; selecting it flips back to the dial
// screen.
class BackToMainController : public ViewController {
    Q_OBJECT

public:
    explicit BackToMainController(QObject* parent = nullptr);

    bool hidesBottomBarWhenPushed() const { return true; }
};
