#include "cli/TerminalPopupHost.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <unistd.h>

TerminalPopupHost::TerminalPopupHost(Clock& clock, std::ostream& out)
    : m_clock(clock)
    , m_out(out)
{
}

TerminalPopupHost::~TerminalPopupHost()
{
    // A presentation still due would reach a host that is gone.
    for (const Clock::TimerId timer : m_pending)
        m_clock.cancel(timer);
}

void TerminalPopupHost::present(std::shared_ptr<Popup> popup)
{
    m_onScreen.push_back(popup);
    // The dialogue goes on from presented(), so that must come after
    // present() has returned, as on a screen.
    m_pending.push_back(m_clock.schedule(Clock::Duration(0), [this, popup] { show(popup); }));
}

void TerminalPopupHost::show(const std::shared_ptr<Popup>& popup)
{
    if (std::find(m_onScreen.begin(), m_onScreen.end(), popup) == m_onScreen.end())
        return;
    writeLine(*popup);
    m_lastShown = popup;
    popup->presented();
    const auto answer = m_answers.find({popup->kind(), popup->tag()});
    if (answer != m_answers.end() && !m_onScreen.empty() && m_onScreen.back() == popup)
        press(answer->second);
}

void TerminalPopupHost::writeLine(const Popup& popup)
{
    // One line each, whatever line breaks a text holds.
    m_out << '[' << popup.title().simplified().toStdString() << ']';
    if (!popup.message().isEmpty())
        m_out << ' ' << popup.message().simplified().toStdString();
    for (int i = 0; i < popup.buttonTitles().size(); ++i)
        m_out << "  " << i << ": " << popup.buttonTitles()[i].toStdString();
    // Someone may be reading it now, before answering.
    m_out << std::endl;
}

void TerminalPopupHost::dismiss(Popup& popup, int)
{
    std::erase_if(m_onScreen, [&popup](const auto& shown) { return shown.get() == &popup; });
}

void TerminalPopupHost::answer(Popup::Kind kind, int tag, int index)
{
    m_answers[{kind, tag}] = index;
}

void TerminalPopupHost::readKeys(int fd)
{
    m_keys = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_keys.get(), &QSocketNotifier::activated, m_keys.get(), [this] { readTyped(); });
}

void TerminalPopupHost::readTyped()
{
    char buffer[256];
    const ssize_t count = ::read(static_cast<int>(m_keys->socket()), buffer, sizeof buffer);
    if (count <= 0) {
        // At the end of the input the notifier would fire again and again.
        m_keys->setEnabled(false);
        return;
    }
    m_typed.append(buffer, static_cast<std::size_t>(count));
    for (std::size_t end = m_typed.find('\n'); end != std::string::npos; end = m_typed.find('\n')) {
        const std::string line = m_typed.substr(0, end);
        m_typed.erase(0, end + 1);
        pressTyped(line);
    }
}

void TerminalPopupHost::pressTyped(const std::string& line)
{
    // Anything but the number of a button of the popup on screen is ignored,
    // such as keys typed while no popup shows or into one without buttons.
    const std::string text = QString::fromStdString(line).trimmed().toStdString();
    int index = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (error != std::errc() || end != text.data() + text.size() || m_onScreen.empty())
        return;
    // Nobody can have answered a popup not written yet.
    if (m_onScreen.back() != m_lastShown.lock())
        return;
    if (index >= 0 && index < m_onScreen.back()->buttonTitles().size())
        press(index);
}

void TerminalPopupHost::press(int index)
{
    const std::shared_ptr<Popup> popup = m_onScreen.back();
    m_onScreen.pop_back();
    if (index >= 0 && index < popup->buttonTitles().size())
        m_out << "> " << popup->buttonTitles()[index].toStdString() << std::endl;
    popup->clicked(index);
}
