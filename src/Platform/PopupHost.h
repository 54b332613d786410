#pragma once

#include <memory>

class Popup;

// What shows sheets and alerts: the application's screen (QML components),
// a terminal, or a test's script. It keeps a popup while it is on screen,
// tells the popup once it is presented, and when a button is pressed tells
// it and takes it away by itself.
class PopupHost {
public:
    virtual ~PopupHost() = default;

    virtual void present(std::shared_ptr<Popup> popup) = 0;
    // Takes a popup away from code, as if its button `index` were pressed
    // (-1: none), without telling its delegate.
    virtual void dismiss(Popup& popup, int index) = 0;
    // Width of the host view, in the 320 × 480 point space.
    virtual double frameWidth() const { return 320; }
};
