#pragma once

#include "support/RunningProcess.h"

#include <string>

// An X server of the test's own with no screen behind it, for the real
// application in a real window, and taps on that window as a mouse makes
// them (xdotool).
class XvfbDisplay {
public:
    // Whether Xvfb and xdotool are installed.
    static bool installed();

    XvfbDisplay();

    bool running() const { return !m_name.empty(); }
    // For $DISPLAY: ":N".
    const std::string& name() const { return m_name; }

    // Clicks at (x, y) of the phone face, in the 320 × 480 points the
    // application lays out and scales to fit its window, which is the
    // visible window called `title`. False when there is no such window.
    bool tap(const std::string& title, double x, double y) const;

private:
    RunningProcess m_server;
    std::string m_name;
};
