#pragma once

#include <cstdint>

// What the band-pass filter sweep of the adjustment driver needs of the
// model's adjustment state. The model object implements it.
class AdjustSweepHost
{
public:
    virtual ~AdjustSweepHost() = default;

    // The band setting: 0 to 5 while a sweep runs, 7 when none does.
    virtual std::int32_t SweepBand() = 0;
    // True when all bands are adjusted together; the sweep then takes its
    // limits from the "All" texts instead of the "Ind" ones.
    virtual bool SweepAllBands() = 0;
    // The band's three result bytes: best value, last value, best reading.
    virtual std::uint8_t *SweepRecord(std::int32_t band) = 0;
    // Stores a value into the adjustment data byte at the offset, in the
    // working image and in the displayed copy, and has every labelled cell
    // redrawn so the views show it.
    virtual void StoreAdjustValue(std::int32_t offset, std::uint8_t value) = 0;
};
