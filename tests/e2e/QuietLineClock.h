#pragma once

#include "LineLedger.h"

#include "platform/TickClock.h"

#include <cstdint>

namespace e2e {

// The clock the program's time-outs read while an end-to-end test runs: it
// moves only while nothing is on its way between the program and the radio,
// so that a time-out means the radio stays silent, never that the machine
// was too busy to carry its answer in time. Each reading while the line is
// quiet is one step of the clone driver's timer; the driver's time-outs then
// pass in about their real time when a radio really is silent.
//
// The driver also waits in busy loops that give the radio no chance to run;
// a clock that stood still there would never let them end. Readings that
// come one after another without a round of the radio in between are such a
// loop, and move the clock by a millisecond each.
//
// Installs itself for its lifetime and puts the previous clock back when
// destroyed.
class QuietLineClock final : public TickClock
{
public:
    static constexpr std::uint32_t kQuietStepMs = 10;
    static constexpr std::uint32_t kBusyLoopStepMs = 1;
    // More readings than one step of the driver takes between two rounds of
    // the radio.
    static constexpr int kBusyLoopReadings = 64;

    explicit QuietLineClock(const LineLedger &ledger);
    ~QuietLineClock() override;
    QuietLineClock(const QuietLineClock &) = delete;
    QuietLineClock &operator=(const QuietLineClock &) = delete;

    std::uint32_t nowMs() override;

private:
    const LineLedger &ledger_;
    TickClock *previous_;
    std::uint32_t now_ = 0;
    std::uint64_t radioStepsSeen_ = 0;
    int readingsSinceRadioStep_ = 0;
};

} // namespace e2e
