#include "bindings/FlexLabelBindings.h"

#include "cells/CellLabels.h"
#include "cells/cmcCellObj.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <string>

namespace {

// The entry's own text, as the selection sheet wrote it.
bool showCellText(CellCodecCall &call)
{
    call.frame.SetOutput(call.frame.cell.GetText());
    return false;
}

// The value plus the display offset, right-aligned in the row's width.
bool showNumber(CellCodecCall &call)
{
    std::string text = std::to_string(call.value + call.params.offset);
    if (text.size() < static_cast<std::size_t>(call.params.width))
        text.insert(0, static_cast<std::size_t>(call.params.width) - text.size(), ' ');
    call.frame.SetOutput(text);
    return false;
}

// Below a growing list the row one past its last entry offers a new entry;
// rows further down hold nothing.
void newEntryBelowList(indCellHandler &frame, const CellBinding &row, std::int32_t)
{
    const int count = frame.record.listCount(row.params.table);
    if (frame.index == count)
        frame.SetOutput(mainTextDatabase().GetFirstLine("GI_NewChTitle"));
    else if (frame.index > count)
        frame.SetOutput({});
}

constexpr CellBinding staticText(std::int32_t label,
                                 std::int32_t lastLabel = CellBinding::kSameLabel)
{
    return {.label = label, .lastLabel = lastLabel, .codec = showCellText};
}

constexpr CellBinding entryNumber(std::int32_t label, std::int32_t lastLabel, int listKind)
{
    return {.label = label,
            .lastLabel = lastLabel,
            .storage = CellStorage::cellIndex(),
            .codec = showNumber,
            .params = {.offset = 1, .width = 3, .table = listKind},
            .rule = listKind != 0 ? newEntryBelowList : nullptr,
            .flags = CellBinding::kShowsOnEmptyRow};
}

const CellBinding kRows[] = {
    staticText(Flex0, Flex2),
    staticText(FlexDtcs, FlexKeyOpt),
    staticText(FlexZoneSel),
    staticText(FlexCHSel),
    staticText(FlexRxCodeAUX),
    entryNumber(Flex_Language_ChNo, CellBinding::kSameLabel, 0),
    entryNumber(Flex_InvIDList_ChNo, CellBinding::kSameLabel, datCh::kKindDigInd),
    entryNumber(Flex_TgIDList_ChNo, CellBinding::kSameLabel, datCh::kKindDigTg),
    entryNumber(Flex_Dpmr_CallList_ChNo, Flex_Dpmr_CallList_ChNo_Grp, datCh::kKindDpmrId),
    entryNumber(FlexZoneSelNum, CellBinding::kSameLabel, 0),
    entryNumber(FlexCHSelNum, CellBinding::kSameLabel, 0),
};

} // namespace

std::span<const CellBinding> flexLabelBindings() { return kRows; }
