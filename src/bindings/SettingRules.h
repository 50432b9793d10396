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

// A setting the radio ignores while another one is off keeps its value and
// still takes keys, but is shown in silver. `Applies(frame, row.argument)`
// tells whether it counts now; the switch redraws it (redrawsAll).
template <bool (*Applies)(const indCellHandler &, std::int32_t)>
void silverUnlessApplies(indCellHandler &frame, const CellBinding &row, std::int32_t)
{
    if (frame.IsDraw() && !Applies(frame, row.argument))
        frame.ShowSilver();
}

// Settings the radio keeps nothing for (a check or an information page of
// its set mode): "----" in silver; keys change nothing.
void runNothingKept(indCellHandler &frame, const CellBinding &row);

} // namespace setting_rules
