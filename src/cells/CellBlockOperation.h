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
// _Clear, _Delete, _Insert) over `range` for the cell of `frame`; true when
// records were added, removed or moved, so that the layout must follow.
bool runCellBlockOperation(indCellHandler &frame, std::int32_t command,
                           const CellBlockRange &range);
