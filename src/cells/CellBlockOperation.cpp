#include "cells/CellBlockOperation.h"

// The block operations (copy, paste, carry up and down, clear, delete,
// insert, and the bank table moves before carrying) are not part of this
// build yet. Until they are, a block command changes nothing: the records,
// the clipboard and the layout stay as they are, and the caller sees that
// nothing moved.
bool runCellBlockOperation(indCellHandler &frame, std::int32_t command, const CellBlockRange &range)
{
    (void)frame;
    (void)command;
    (void)range;
    return false;
}
