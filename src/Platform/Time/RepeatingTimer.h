#pragma once

#include "Platform/Time/Clock.h"

#include <functional>
#include <memory>

// A timer that fires every `interval` of a clock until invalidated. Firing
// times are counted from the start, so they do not drift; ticks that a busy
// main thread held up fire late, back to back, until the timer is on time
// again, so that n ticks always mean n intervals since the start.
class RepeatingTimer : public std::enable_shared_from_this<RepeatingTimer> {
public:
    using Action = std::function<void(RepeatingTimer& timer)>;

    // The timer lives while it is scheduled; the caller may keep a reference.
    static std::shared_ptr<RepeatingTimer> scheduled(Clock& clock, Clock::Duration interval, Action action);

    void invalidate();
    bool isValid() const { return m_valid; }

private:
    RepeatingTimer(Clock& clock, Clock::Duration interval, Action action);

    void scheduleNext();

    Clock& m_clock;
    Clock::Duration m_interval;
    Clock::Duration m_start;
    long long m_fired = 0;
    Action m_action;
    bool m_valid = true;
    Clock::TimerId m_next = 0;
};
