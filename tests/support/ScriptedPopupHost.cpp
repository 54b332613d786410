#include "support/ScriptedPopupHost.h"

#include "Platform/Popups/ProgressView.h"

#include <algorithm>

void ScriptedPopupHost::present(std::shared_ptr<Popup> popup)
{
    m_onScreen.push_back(popup);
    m_clock.schedule(Clock::Duration(0), [this, popup] {
        if (std::find(m_onScreen.begin(), m_onScreen.end(), popup) == m_onScreen.end())
            return;
        m_presented.push_back(
            (popup->kind() == Popup::Kind::ActionSheet ? "sheet " : "alert ") + std::to_string(popup->tag()));
        // A bar may be added before the popup shows or when it has shown.
        watchProgress(popup->progressView());
        popup->presented();
        watchProgress(popup->progressView());
        std::deque<int>& answers = m_answers[{popup->kind(), popup->tag()}];
        if (!answers.empty() && onScreen() == popup.get()) {
            const int index = answers.front();
            answers.pop_front();
            press(index);
        }
    });
}

void ScriptedPopupHost::watchProgress(ProgressView* bar)
{
    if (!bar)
        return;
    bar->setObserver([this, bar] {
        if (m_progress.empty() || m_progress.back() != bar->progress())
            m_progress.push_back(bar->progress());
    });
}

void ScriptedPopupHost::dismiss(Popup& popup, int)
{
    std::erase_if(m_onScreen, [&popup](const auto& shown) { return shown.get() == &popup; });
}

void ScriptedPopupHost::press(int index)
{
    if (m_onScreen.empty())
        return;
    const std::shared_ptr<Popup> popup = m_onScreen.back();
    m_onScreen.pop_back();
    popup->clicked(index);
}
