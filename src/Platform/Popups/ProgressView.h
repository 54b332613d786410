#pragma once

#include <functional>

class Popup;

// A progress bar shown inside a sheet or an alert.
class ProgressView {
public:
    ProgressView() = default;
    ~ProgressView();
    ProgressView(const ProgressView&) = delete;
    ProgressView& operator=(const ProgressView&) = delete;

    float progress() const { return m_progress; }
    void setProgress(float progress);
    double centerX() const { return m_centerX; }
    double centerY() const { return m_centerY; }
    void setCenter(double x, double y);

    // The sheet or alert it is shown in; nullptr when in none.
    Popup* superview() const { return m_superview; }
    void removeFromSuperview();

    // Told of every change, by whatever draws the bar.
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

private:
    friend class Popup;

    void changed();

    float m_progress = 0.0f;
    double m_centerX = 0;
    double m_centerY = 0;
    Popup* m_superview = nullptr;
    std::function<void()> m_observer;
};
