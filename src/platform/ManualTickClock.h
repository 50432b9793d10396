#pragma once

#include "platform/TickClock.h"

// A clock that moves only when told to, for stepping time-outs
// deterministically. It installs itself for its lifetime and puts the
// previous clock back when destroyed, so nest instances like scopes.
//
// A busy wait polls the clock until its time is up and would spin forever
// on a clock that never moves; give such code a step, which advances the
// clock after every reading.
class ManualTickClock final : public TickClock
{
public:
    explicit ManualTickClock(std::uint32_t startMs = 0, std::uint32_t stepPerReading = 0);
    ~ManualTickClock() override;
    ManualTickClock(const ManualTickClock &) = delete;
    ManualTickClock &operator=(const ManualTickClock &) = delete;

    std::uint32_t nowMs() override;

    void advance(std::uint32_t ms) { now_ += ms; }
    void set(std::uint32_t ms) { now_ = ms; }
    void setStepPerReading(std::uint32_t ms) { step_ = ms; }
    std::uint32_t readings() const { return readings_; }

private:
    TickClock *previous_;
    std::uint32_t now_;
    std::uint32_t step_;
    std::uint32_t readings_ = 0;
};
