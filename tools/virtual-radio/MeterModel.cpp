#include "MeterModel.h"

#include <algorithm>
#include <cstdlib>

namespace vradio {

namespace {

std::uint8_t byteAt(const std::vector<std::uint8_t> &memory, int address)
{
    return address >= 0 && static_cast<std::size_t>(address) < memory.size()
               ? memory[static_cast<std::size_t>(address)]
               : 0;
}

std::uint8_t meanOf(const std::vector<std::uint8_t> &memory, int first, int second)
{
    return static_cast<std::uint8_t>((byteAt(memory, first) + byteAt(memory, second)) / 2);
}

} // namespace

int MeterModel::filterCentre(std::uint8_t item) { return 90 + 5 * item; }

std::uint8_t MeterModel::reading(const std::vector<std::uint8_t> &memory, std::uint8_t meter) const
{
    switch (meter) {
    case kFilterMeter: {
        const int offCentre = std::abs(byteAt(memory, filterItem_) - filterCentre(filterItem_));
        return static_cast<std::uint8_t>(std::max(0, 200 - 2 * std::max(0, offCentre - 10)));
    }
    case 5:
        return meanOf(memory, 20, 24);
    case 6:
        return meanOf(memory, 19, 23);
    default:
        return byteAt(memory, meter);
    }
}

} // namespace vradio
