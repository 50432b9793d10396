#include "cells/CellBinding.h"

#include "cells/CellIdentifiers.h"
#include "cells/indCellHandler.h"
#include "platform/FatalError.h"

#include <string>

namespace {

[[noreturn]] void failShapes(std::int32_t label)
{
    const std::string_view name = cellLabelName(label);
    platform::fatalError(
        platform::formatText("The cell binding of '%s' cannot be used.",
                             name.empty() ? std::to_string(label) : std::string(name)));
}

} // namespace

void CellBinding::RunValue(indCellHandler &frame, const CellBinding &row)
{
    const bool bytes = row.storage.HoldsBytes();
    if (bytes != row.codec.TakesBytes())
        failShapes(row.label);
    const std::int32_t position = row.PositionOf(frame.label);
    CodecRequest request = frame.Request();
    if (row.context.kind != CellStorage::Kind::None)
        request.context = row.context.Load(frame, position);

    std::int32_t value = 0;
    CodecAnswer answer;
    if (bytes) {
        const CellBytes stored = row.storage.LoadBytes(frame, position);
        answer = row.codec(CellCodec::Bytes(stored), request);
    } else {
        value = row.storage.Load(frame, position);
        answer = row.codec(value, request);
    }
    frame.CarryOut(answer);
    if (answer.value && !bytes) {
        value = *answer.value;
        row.storage.Store(frame, value, position);
        frame.WidenRedraw(row.redrawOnChange);
    } else if (answer.bytes && bytes) {
        row.storage.StoreBytes(frame, *answer.bytes, position);
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
