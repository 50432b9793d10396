#include "QuietLineClock.h"

namespace e2e {

QuietLineClock::QuietLineClock(const LineLedger &ledger)
    : ledger_(ledger), previous_(TickClock::install(this))
{}

QuietLineClock::~QuietLineClock() { TickClock::install(previous_); }

std::uint32_t QuietLineClock::nowMs()
{
    if (ledger_.radioSteps() != radioStepsSeen_) {
        radioStepsSeen_ = ledger_.radioSteps();
        readingsSinceRadioStep_ = 0;
    } else if (readingsSinceRadioStep_ < kBusyLoopReadings) {
        ++readingsSinceRadioStep_;
    }
    if (ledger_.quiet())
        now_ += kQuietStepMs;
    else if (readingsSinceRadioStep_ >= kBusyLoopReadings)
        now_ += kBusyLoopStepMs;
    return now_;
}

} // namespace e2e
