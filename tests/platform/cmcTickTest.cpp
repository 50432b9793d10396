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

// The wait reads the clock once to start and then until the time is up, so
// the readings tell exactly how long it waited on a clock that moves a fixed
// step per reading: never less than asked, and not a step more.
TEST(cmcTick, BusyWaitPollsUntilItsTimeIsUp)
{
    struct Case {
        std::uint32_t startMs;
        std::uint32_t stepMs;
        std::uint32_t waitMs;
        std::uint32_t polls; // readings after the start
    } cases[] = {
        {0, 7, 300, 43},           // 43 * 7 = 301, the first step past 300
        {0, 10, 300, 30},          // exactly on time
        {0xFFFFFF00u, 7, 300, 43}, // the clock wraps during the wait
        {0xFFFFFFFFu, 1, 2, 2},    // wraps right after the start
        {5, 500, 300, 1},          // one step covers the whole wait
        {5, 1, 0, 1},              // nothing to wait: one look and done
        {0, 0x10000, 0xFFFFF, 16}, // a long wait in big steps
    };
    for (const Case &c : cases) {
        ManualTickClock clock(c.startMs, c.stepMs);
        cmcTick::busyWait(c.waitMs);
        EXPECT_EQ(clock.readings(), 1u + c.polls)
            << c.waitMs << " ms in steps of " << c.stepMs << " from " << c.startMs;
    }
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
