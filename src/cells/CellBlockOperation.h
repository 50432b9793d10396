#pragma once

#include <cstdint>

class indCellHandler;

// The records a context-menu block command works on: a record kind and its
// usable rows, first to last inclusive (first > last: none).
struct CellBlockRange {
    std::int32_t kind = 0;
    std::int32_t first = 0;
    std::int32_t last = -1;
};

// Runs a block command (CL_PMenu_Copy, _Paste, _CarryUp, _CarryDown,
// _Clear, _Delete, _Insert) over `range` for the cell of `frame`: the
// selected rows when the capsule carries a selection, else the cell's row.
// Questions and refusals go to the user; the selection and cursor the sheet
// should show afterwards go into the capsule. True when the working image
// changed, so that the layout must follow.
bool runCellBlockOperation(indCellHandler &frame, std::int32_t command,
                           const CellBlockRange &range);
