#include "sheets/SheetTextDump.h"

#include "cells/cmcCellCapsule.h"
#include "sheets/SheetLayout.h"

#include <algorithm>

namespace {

std::string flattened(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return text;
}

} // namespace

std::vector<std::string> SheetTextDump::Rows(SheetLayout &layout)
{
    const std::uint8_t printing = layout.Printing() ? cmcCellCapsule::kStatePrinting : 0;
    cmcCellCapsule capsule;
    cmcCellObj look;
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(layout.RowCount()));
    for (int row = 0; row < layout.RowCount(); ++row) {
        std::string line;
        for (int col = 0; col < layout.ColCount(); ++col) {
            if (col > 0)
                line += '\t';
            line += flattened(layout.CellText(col, row, capsule, look, printing));
            if ((capsule.stateBits & cmcCellCapsule::kStateError) != 0)
                line += kErrorMark;
            else if ((capsule.stateBits & cmcCellCapsule::kStateWarning) != 0)
                line += kWarningMark;
        }
        rows.push_back(std::move(line));
    }
    return rows;
}
