#include "platform/ManualTickClock.h"

ManualTickClock::ManualTickClock(std::uint32_t startMs, std::uint32_t stepPerReading)
    : previous_(TickClock::install(this)), now_(startMs), step_(stepPerReading)
{}

ManualTickClock::~ManualTickClock() { TickClock::install(previous_); }

std::uint32_t ManualTickClock::nowMs()
{
    const std::uint32_t reading = now_;
    now_ += step_;
    ++readings_;
    return reading;
}
