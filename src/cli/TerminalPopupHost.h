#pragma once

#include "Platform/Popups/Popup.h"
#include "Platform/Popups/PopupHost.h"
#include "Platform/Time/Clock.h"

#include <QSocketNotifier>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The dialogues' sheets and alerts in a terminal: each popup is written as
// one line when it is shown, "[title] message  0: button  1: button", and a
// button is pressed by typing its number and Enter, or by the host itself
// where an answer was given in advance. Every press is written as
// "> button".
class TerminalPopupHost : public PopupHost {
public:
    TerminalPopupHost(Clock& clock, std::ostream& out);
    ~TerminalPopupHost() override;

    void present(std::shared_ptr<Popup> popup) override;
    void dismiss(Popup& popup, int index) override;

    // Presses button `index` whenever a popup of this kind and tag is shown.
    void answer(Popup::Kind kind, int tag, int index);
    // Lets lines typed on `fd` press the buttons of the popup on screen;
    // needs the Qt event loop, so a system clock.
    void readKeys(int fd);

private:
    void show(const std::shared_ptr<Popup>& popup);
    void writeLine(const Popup& popup);
    void readTyped();
    void pressTyped(const std::string& line);
    // Takes the popup on screen away, then tells it of the press.
    void press(int index);

    Clock& m_clock;
    std::ostream& m_out;
    std::vector<std::shared_ptr<Popup>> m_onScreen;
    std::vector<Clock::TimerId> m_pending;
    std::weak_ptr<Popup> m_lastShown;
    std::map<std::pair<Popup::Kind, int>, int> m_answers;
    std::unique_ptr<QSocketNotifier> m_keys;
    std::string m_typed;
};
