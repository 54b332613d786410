// A recording is eighty ticks of a repeating timer; a tick that comes late
// must neither stop the timer nor lengthen the recording.

#include "Platform/Time/RepeatingTimer.h"

#include "Platform/Time/SystemClock.h"
#include "Platform/Time/VirtualClock.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// Counts ticks; the first one keeps the main thread busy for `stall`.
struct StalledTicks {
    Clock& clock;
    Clock::Duration stall;
    std::vector<Clock::Duration> times {};

    std::shared_ptr<RepeatingTimer> start(std::size_t ticks)
    {
        return RepeatingTimer::scheduled(clock, 25ms, [this, ticks](RepeatingTimer& timer) {
            times.push_back(clock.now());
            if (times.size() == 1)
                clock.sleep(stall);
            if (times.size() == ticks)
                timer.invalidate();
        });
    }
};

TEST(RepeatingTimerTest, TicksMissedWhileTheMainThreadWasBusyFireAtOnceThenTheGridGoesOnAlsoOnTheQtEventLoop)
{
    VirtualClock clock;
    StalledTicks ticks {clock, 110ms};
    const auto timer = ticks.start(10);
    clock.advance(1s);
    // The first tick at 25 ms held the loop until 135 ms: the ticks due at
    // 50 to 125 ms fire then, back to back, and 150 ms is on time again.
    const std::vector<Clock::Duration> expected {25ms, 135ms, 135ms, 135ms, 135ms, 150ms, 175ms, 200ms, 225ms, 250ms};
    EXPECT_EQ(ticks.times, expected);
    EXPECT_FALSE(timer->isValid());

    // On the Qt event loop, a late timer keeps going.
    SystemClock systemClock;
    StalledTicks late {systemClock, 200ms};
    const auto lateTimer = late.start(20);
    EXPECT_TRUE(systemClock.runUntil([&late] { return late.times.size() == 20; }, 10s))
        << late.times.size() << " ticks";
}

}  // namespace
