#include "cells/CellBinding.h"

#include "cells/indCellHandler.h"

void CellBinding::RunValue(indCellHandler &frame, const CellBinding &row)
{
    std::int32_t value = row.storage.Load(frame);
    CellCodecCall call{frame, frame.capsule, value, row.params};
    const bool changed = row.codec(call);
    if (call.request != 0)
        frame.result = call.request;
    if (changed) {
        row.storage.Store(frame, value);
        frame.WidenRedraw(row.redrawOnChange);
    }
    // A command may have closed the sheet that asked; its cell is gone.
    if (frame.LetGoDone())
        return;
    if (row.rule != nullptr)
        row.rule(frame, row, value);
}

void CellBinding::RunNothing(indCellHandler &frame, const CellBinding &row)
{
    (void)frame;
    (void)row;
}
