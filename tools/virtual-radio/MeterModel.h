#pragma once

#include <cstdint>
#include <vector>

namespace vradio {

// What the radio's meters read during factory adjustment, worked out from
// the adjustment bytes at the start of its memory so that the automatic
// procedures have something to converge on:
// - meter 2, the band-pass filter level, peaks on a plateau 21 values wide
//   around a centre of its own for each band's filter byte;
// - meters 5 and 6 rise with the mean of the two items each search tunes;
// - any other meter reads the adjustment byte of its own number.
class MeterModel
{
public:
    static constexpr std::uint8_t kFilterMeter = 2;

    // The filter byte last set decides which band meter 2 looks at.
    void filterItemSet(std::uint8_t item) { filterItem_ = item; }

    std::uint8_t reading(const std::vector<std::uint8_t> &memory, std::uint8_t meter) const;

    // The filter setting of an item that reads highest (the plateau's
    // centre); the adjustment tests aim at it.
    static int filterCentre(std::uint8_t item);

private:
    std::uint8_t filterItem_ = 4;
};

} // namespace vradio
