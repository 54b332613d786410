#pragma once

#include "Platform/Time/Clock.h"

#include <map>
#include <utility>

// Time that moves only when told to: tasks run in order of their due time,
// instantly, so that a test or a shell run goes through a recording or a
// whole dialogue without waiting.
class VirtualClock : public Clock {
public:
    Duration now() const override { return m_now; }
    TimerId schedule(Duration delay, Task task) override;
    void cancel(TimerId timer) override;
    // Moves time on without running anything, as a blocked main thread does;
    // tasks that fell due meanwhile run late, at the next advance.
    void sleep(Duration duration) override;
    // Runs due tasks one after the other, moving time to each, until `done`
    // holds or the next task lies beyond the timeout.
    bool runUntil(const std::function<bool()>& done, Duration timeout) override;

    // Runs every task due within `duration` and ends there.
    void advance(Duration duration);
    // Whether any task is waiting.
    bool hasPendingTasks() const { return !m_tasks.empty(); }

private:
    // Ordered by due time, then by scheduling order.
    using Key = std::pair<Duration, TimerId>;

    bool runNextTaskDueBy(Duration limit);

    Duration m_now {0};
    TimerId m_lastTimer = 0;
    std::map<Key, Task> m_tasks;
    std::map<TimerId, Key> m_keys;
};
