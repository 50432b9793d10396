#include "cells/CellBinding.h"

#include "cells/indCellHandler.h"

void CellBinding::RunValue(indCellHandler &frame, const CellBinding &row)
{
    const std::int32_t position = row.PositionOf(frame.label);
    std::int32_t value = row.storage.Load(frame, position);
    const CodecAnswer answer = row.codec(value, frame.Request());
    frame.CarryOut(answer);
    if (answer.value) {
        value = *answer.value;
        row.storage.Store(frame, value, position);
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
