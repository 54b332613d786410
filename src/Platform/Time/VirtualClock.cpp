#include "Platform/Time/VirtualClock.h"

Clock::TimerId VirtualClock::schedule(Duration delay, Task task)
{
    const TimerId id = ++m_lastTimer;
    const Key key {m_now + std::max(delay, Duration(0)), id};
    m_tasks.emplace(key, std::move(task));
    m_keys.emplace(id, key);
    return id;
}

void VirtualClock::cancel(TimerId timer)
{
    const auto key = m_keys.find(timer);
    if (key == m_keys.end())
        return;
    m_tasks.erase(key->second);
    m_keys.erase(key);
}

void VirtualClock::sleep(Duration duration)
{
    m_now += duration;
}

bool VirtualClock::runNextTaskDueBy(Duration limit)
{
    if (m_tasks.empty() || m_tasks.begin()->first.first > limit)
        return false;
    auto next = m_tasks.begin();
    m_now = std::max(m_now, next->first.first);
    Task task = std::move(next->second);
    m_keys.erase(next->first.second);
    m_tasks.erase(next);
    task();
    return true;
}

void VirtualClock::advance(Duration duration)
{
    const Duration end = m_now + duration;
    while (runNextTaskDueBy(end)) { }
    m_now = std::max(m_now, end);
}

bool VirtualClock::runUntil(const std::function<bool()>& done, Duration timeout)
{
    const Duration end = m_now + timeout;
    while (!done()) {
        if (!runNextTaskDueBy(end)) {
            m_now = std::max(m_now, end);
            return done();
        }
    }
    return true;
}
