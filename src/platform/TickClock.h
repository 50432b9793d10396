#pragma once

#include <cstdint>

// The millisecond clock behind every countdown. It runs monotonically and
// wraps modulo 2^32; countdowns only ever subtract two readings, so a wrap is
// harmless. The system clock is used unless a test installs another one.
class TickClock
{
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t nowMs() = 0;

    // The clock countdowns read now.
    static TickClock &current();
    // Makes countdowns read the given clock (nullptr: the system clock
    // again); returns the clock that was installed before, nullptr for the
    // system clock.
    static TickClock *install(TickClock *clock);
};
