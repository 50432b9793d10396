#include "platform/cmcTick.h"
#include "platform/ManualTickClock.h"

#include <gtest/gtest.h>

namespace {

TEST(cmcTick, NeverStartedHasNothingRemaining)
{
    ManualTickClock clock(500);
    cmcTick countdown;
    EXPECT_EQ(countdown.Remaining(), 0u);
}

TEST(cmcTick, CountsDownAcrossAWrapOfTheClock)
{
    struct Case {
        std::uint32_t startMs;
        std::uint32_t duration;
        std::uint32_t elapsed;
        std::uint32_t remaining;
    } cases[] = {
        {1000, 300, 0, 300},          {1000, 300, 299, 1},
        {1000, 300, 300, 0},          {1000, 300, 5000, 0},
        {0xFFFFFFF0u, 100, 0x20, 68}, // the clock wraps to 0x10 meanwhile
        {0xFFFFFFFFu, 100, 1, 99},    {42, 0, 0, 0},
    };
    for (const auto &c : cases) {
        ManualTickClock clock(c.startMs);
        cmcTick countdown;
        countdown.Start(c.duration);
        clock.advance(c.elapsed);
        EXPECT_EQ(countdown.Remaining(), c.remaining)
            << c.startMs << " +" << c.elapsed << " of " << c.duration;
    }
}

TEST(cmcTick, RunningOutDisarmsUntilTheNextStart)
{
    ManualTickClock clock(0);
    cmcTick countdown;
    countdown.Start(100);
    clock.set(100);
    EXPECT_EQ(countdown.Remaining(), 0u);
    clock.set(50); // would be 50 left if the countdown were still armed
    EXPECT_EQ(countdown.Remaining(), 0u);
    countdown.Start(10);
    EXPECT_EQ(countdown.Remaining(), 10u);
}

TEST(cmcTick, BusyWaitPollsUntilItsTimeIsUp)
{
    ManualTickClock clock(0xFFFFFF00u, 7);
    cmcTick::busyWait(300);
    // Start reading plus one reading per 7 ms step until 300 ms have passed.
    EXPECT_EQ(clock.readings(), 1u + (300 + 6) / 7);
}

TEST(cmcTick, BusyWaitEndsOnTheSystemClock)
{
    cmcTick::busyWait(2);
    SUCCEED();
}

TEST(TickClock, ManualClocksNestAndRestoreTheSystemClock)
{
    TickClock &system = TickClock::current();
    {
        ManualTickClock outer(10);
        EXPECT_EQ(&TickClock::current(), &outer);
        {
            ManualTickClock inner(20);
            EXPECT_EQ(TickClock::current().nowMs(), 20u);
        }
        EXPECT_EQ(TickClock::current().nowMs(), 10u);
    }
    EXPECT_EQ(&TickClock::current(), &system);
}

} // namespace
