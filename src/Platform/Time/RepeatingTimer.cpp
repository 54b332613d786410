#include "Platform/Time/RepeatingTimer.h"

std::shared_ptr<RepeatingTimer> RepeatingTimer::scheduled(Clock& clock, Clock::Duration interval, Action action)
{
    std::shared_ptr<RepeatingTimer> timer(new RepeatingTimer(clock, interval, std::move(action)));
    timer->scheduleNext();
    return timer;
}

RepeatingTimer::RepeatingTimer(Clock& clock, Clock::Duration interval, Action action)
    : m_clock(clock)
    , m_interval(interval)
    , m_start(clock.now())
    , m_action(std::move(action))
{
}

void RepeatingTimer::invalidate()
{
    m_valid = false;
    m_clock.cancel(m_next);
}

void RepeatingTimer::scheduleNext()
{
    // Ticks keep to the grid laid from the start. A tick whose time has
    // passed (the main thread was busy) fires as soon as the loop is free,
    // and so does every tick missed with it, one after the other: the count
    // of ticks keeps measuring the time since the start, which is what a
    // recording's two seconds are counted in.
    const Clock::Duration due = m_start + m_interval * (m_fired + 1);
    // The timer keeps itself alive while it is scheduled.
    m_next = m_clock.schedule(due - m_clock.now(), [self = shared_from_this()] {
        ++self->m_fired;
        self->scheduleNext();
        self->m_action(*self);
    });
}
