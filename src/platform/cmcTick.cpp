#include "platform/cmcTick.h"

#include "platform/TickClock.h"

#include <thread>

// A countdown on another system would raise the system timer resolution to
// 1 ms for its lifetime. The monotonic clock here already counts whole
// milliseconds, so construction and destruction have nothing to do.
cmcTick::cmcTick() = default;

cmcTick::~cmcTick() = default;

void cmcTick::Start(std::uint32_t ms)
{
    duration_ = ms;
    start_ = TickClock::current().nowMs();
    armed_ = true;
}

std::uint32_t cmcTick::Remaining()
{
    if (!armed_)
        return 0;
    // Unsigned subtraction: a wrap of the clock between the readings still
    // gives the true elapsed time.
    const std::uint32_t elapsed = TickClock::current().nowMs() - start_;
    if (elapsed < duration_)
        return duration_ - elapsed;
    armed_ = false;
    return 0;
}

void cmcTick::busyWait(std::uint32_t ms)
{
    cmcTick countdown;
    countdown.Start(ms);
    while (countdown.Remaining() != 0)
        std::this_thread::yield();
}
