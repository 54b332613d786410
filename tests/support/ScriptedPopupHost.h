#pragma once

#include "Platform/Popups/Popup.h"
#include "Platform/Popups/PopupHost.h"
#include "Platform/Popups/ProgressView.h"
#include "Platform/Time/Clock.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The screen of a dialogue test: popups are presented at once, through the
// clock; buttons are pressed by the test, or by answers given in advance.
// Everything that happens is written down.
class ScriptedPopupHost : public PopupHost {
public:
    explicit ScriptedPopupHost(Clock& clock)
        : m_clock(clock)
    {
    }

    void present(std::shared_ptr<Popup> popup) override
    {
        m_onScreen.push_back(popup);
        m_clock.schedule(Clock::Duration(0), [this, popup] {
            if (std::ranges::find(m_onScreen, popup) == m_onScreen.end())
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
    void dismiss(Popup& popup, int) override
    {
        std::erase_if(m_onScreen, [&popup](const auto& shown) { return shown.get() == &popup; });
    }

    // The popup on screen (the latest shown), or nullptr.
    Popup* onScreen() const { return m_onScreen.empty() ? nullptr : m_onScreen.back().get(); }
    // Presses a button of the popup on screen.
    void press(int index)
    {
        if (m_onScreen.empty())
            return;
        const std::shared_ptr<Popup> popup = m_onScreen.back();
        m_onScreen.pop_back();
        popup->clicked(index);
    }
    // Presses button `index` when a popup of this kind and tag is presented
    // next; answers given for the same popup are used one per presentation.
    void answer(Popup::Kind kind, int tag, int index) { m_answers[{kind, tag}].push_back(index); }
    void forgetAnswers() { m_answers.clear(); }

    // "sheet 0", "alert 3": every popup presented, in order.
    const std::vector<std::string>& presented() const { return m_presented; }
    // Every value the progress bars of the popups took, in order (a test
    // may clear them between dialogues).
    std::vector<float>& progress() { return m_progress; }

private:
    void watchProgress(ProgressView* bar)
    {
        if (bar)
            bar->setObserver([this, bar] {
                if (m_progress.empty() || m_progress.back() != bar->progress())
                    m_progress.push_back(bar->progress());
            });
    }

    Clock& m_clock;
    std::vector<std::shared_ptr<Popup>> m_onScreen;
    std::map<std::pair<Popup::Kind, int>, std::deque<int>> m_answers;
    std::vector<std::string> m_presented;
    std::vector<float> m_progress;
};
