#include "bindings/FlexLabelBindings.h"

#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "codecs/DisplayCodecs.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <string>

namespace {

// Below a growing list the row one past its last entry offers a new entry;
// rows further down hold nothing.
void newEntryBelowList(indCellHandler &frame, const CellBinding &row, std::int32_t)
{
    const int count = frame.record.listCount(row.argument);
    if (frame.index == count)
        frame.SetOutput(mainTextDatabase().GetFirstLine("GI_NewChTitle"));
    else if (frame.index > count)
        frame.SetOutput({});
}

CellBinding staticText(std::int32_t label, std::int32_t lastLabel = CellBinding::kSameLabel)
{
    return {.label = label, .lastLabel = lastLabel, .codec = cellText()};
}

// Entries count from 1; the row's argument is the growing list they number.
CellBinding numbered(std::int32_t label, std::int32_t lastLabel, int listKind)
{
    return {.label = label,
            .lastLabel = lastLabel,
            .storage = CellStorage::cellIndex(),
            .codec = entryNumber(1, 3),
            .argument = listKind,
            .rule = listKind != 0 ? newEntryBelowList : nullptr,
            .flags = CellBinding::kShowsOnEmptyRow};
}

const CellBinding kRows[] = {
    staticText(Flex0, Flex2),
    staticText(FlexDtcs, FlexKeyOpt),
    staticText(FlexZoneSel),
    staticText(FlexCHSel),
    staticText(FlexRxCodeAUX),
    numbered(Flex_Language_ChNo, CellBinding::kSameLabel, 0),
    numbered(Flex_InvIDList_ChNo, CellBinding::kSameLabel, datCh::kKindDigInd),
    numbered(Flex_TgIDList_ChNo, CellBinding::kSameLabel, datCh::kKindDigTg),
    numbered(Flex_Dpmr_CallList_ChNo, Flex_Dpmr_CallList_ChNo_Grp, datCh::kKindDpmrId),
    numbered(FlexZoneSelNum, CellBinding::kSameLabel, 0),
    numbered(FlexCHSelNum, CellBinding::kSameLabel, 0),
};

} // namespace

std::span<const CellBinding> flexLabelBindings() { return kRows; }
