#include "Platform/Time/SystemClock.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>

SystemClock::SystemClock()
{
    m_elapsed.start();
}

SystemClock::~SystemClock()
{
    for (const auto& [id, timer] : m_timers)
        delete timer;
}

Clock::Duration SystemClock::now() const
{
    return std::chrono::duration_cast<Duration>(std::chrono::nanoseconds(m_elapsed.nsecsElapsed()));
}

Clock::TimerId SystemClock::schedule(Duration delay, Task task)
{
    const TimerId id = ++m_lastTimer;
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, task = std::move(task)] {
        // Forget the timer before running the task, which may schedule more.
        const auto entry = m_timers.find(id);
        if (entry == m_timers.end())
            return;
        entry->second->deleteLater();
        m_timers.erase(entry);
        task();
    });
    m_timers.emplace(id, timer);
    // Qt refuses a negative interval, and the task would never run.
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(std::max(delay, Duration(0)));
    timer->start(static_cast<int>(milliseconds.count()));
    return id;
}

void SystemClock::cancel(TimerId timer)
{
    const auto entry = m_timers.find(timer);
    if (entry == m_timers.end())
        return;
    entry->second->stop();
    entry->second->deleteLater();
    m_timers.erase(entry);
}

void SystemClock::sleep(Duration duration)
{
    QThread::usleep(static_cast<unsigned long>(duration.count()));
}

bool SystemClock::runUntil(const std::function<bool()>& done, Duration timeout)
{
    bool timedOut = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&timedOut] { timedOut = true; });
    deadline.start(static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(timeout).count()));
    QEventLoop loop;
    while (!done() && !timedOut)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}
