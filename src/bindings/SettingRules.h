#pragma once

#include "cells/CellBinding.h"
#include "cells/indCellHandler.h"

#include <cstdint>

// Small rules shared by the tables of the radio-wide settings.
namespace setting_rules {

// A number the radio stored outside the range the cell offers: the value is
// shown as it is, with the warning mark, until it is changed.
template <std::int32_t Minimum, std::int32_t Maximum>
void outsideRange(indCellHandler &frame, const CellBinding &, std::int32_t value)
{
    if (value < Minimum || value > Maximum)
        frame.SetWarning();
}

// Settings the radio keeps nothing for (a check or an information page of
// its set mode): "----" in silver; keys change nothing.
void runNothingKept(indCellHandler &frame, const CellBinding &row);

} // namespace setting_rules
