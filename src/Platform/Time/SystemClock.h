#pragma once

#include "Platform/Time/Clock.h"

#include <QElapsedTimer>
#include <map>

class QTimer;

// Real time on the Qt event loop of the main thread.
class SystemClock : public Clock {
public:
    SystemClock();
    ~SystemClock() override;

    Duration now() const override;
    TimerId schedule(Duration delay, Task task) override;
    void cancel(TimerId timer) override;
    void sleep(Duration duration) override;
    bool runUntil(const std::function<bool()>& done, Duration timeout) override;

private:
    QElapsedTimer m_elapsed;
    TimerId m_lastTimer = 0;
    std::map<TimerId, QTimer*> m_timers;
};
