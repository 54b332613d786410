#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

// Time for everything that waits on the main thread: the audio devices'
// pacing, the dialogues' timers and pauses. The system clock runs in real
// time on the Qt event loop; a virtual clock lets tests and shell runs go
// through seconds of audio in an instant.
class Clock {
public:
    using Duration = std::chrono::microseconds;
    using Task = std::function<void()>;
    using TimerId = std::uint64_t;

    virtual ~Clock() = default;

    // Time since the clock was made.
    virtual Duration now() const = 0;
    // Runs `task` once on the main thread after `delay` (at once, when the
    // loop is free, for a delay of zero or less); tasks due at the same time
    // run in the order they were scheduled.
    virtual TimerId schedule(Duration delay, Task task) = 0;
    // A task that has not run yet never will.
    virtual void cancel(TimerId timer) = 0;
    // Blocks the main thread: nothing else runs meanwhile.
    virtual void sleep(Duration duration) = 0;
    // Runs the main loop until `done` holds or `timeout` has passed;
    // returns whether `done` holds.
    virtual bool runUntil(const std::function<bool()>& done, Duration timeout) = 0;
};
