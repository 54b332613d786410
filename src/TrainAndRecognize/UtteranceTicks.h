#pragma once

#include "Platform/Time/Clock.h"

#include <chrono>

// Every dialogue records an utterance for 80 ticks of a 25 ms timer: two
// seconds, with the progress bar filled one tick at a time.
struct UtteranceTicks {
    static constexpr Clock::Duration RecordTick = std::chrono::milliseconds(25);
    static constexpr int MaxUtteranceTicks = 80;
};
