#include "bindings/FlexLabelBindings.h"

#include "cells/CellBindingRegistry.h"
#include "cells/CellCategories.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/cmcCellObj.h"
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

// An entry of a list opened from a cell carries the mark that cell would
// show with the entry's value (the entry's index): the opener's own rule
// decides, on the opener's record. The entry keeps its own text and look.
void openerMarkWithEntry(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    const cmcCellCapsule *origin = frame.capsule.origin;
    if (!frame.IsDraw() || origin == nullptr || origin->cell == nullptr)
        return;
    const cmcCellObj &opener = *origin->cell;
    const CellBinding *row = frame.host.Bindings().Find(opener.label);
    if (row == nullptr || row->rule == nullptr)
        return;
    frame.record.decode(cellRecordTable(opener.category), opener.index);
    const std::string text = frame.capsule.outputText;
    const std::uint8_t flags = frame.cell.flags1;
    const auto font = frame.cell.font;
    row->rule(frame, *row, frame.index);
    frame.SetOutput(text);
    frame.cell.flags1 = flags;
    frame.cell.font = font;
}

CellBinding staticText(std::int32_t label, std::int32_t lastLabel = CellBinding::kSameLabel,
                       CellBinding::Rule rule = nullptr)
{
    return {.label = label, .lastLabel = lastLabel, .codec = cellText(), .rule = rule};
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
    staticText(FlexMark, FlexMark2, openerMarkWithEntry),
    staticText(FlexDtcs, FlexKeyOpt),
    staticText(FlexZoneSel),
    staticText(FlexCHSel),
    staticText(FlexRxCodeAUX),
    numbered(Flex_Language_ChNo, CellBinding::kSameLabel, 0),
    numbered(Flex_InvIDList_ChNo, CellBinding::kSameLabel, datCh::kKindDigInd),
    numbered(Flex_TgIDList_ChNo, CellBinding::kSameLabel, datCh::kKindDigTg),
    numbered(Flex_Dpmr_CallList_ChNo, CellBinding::kSameLabel, datCh::kKindDpmrId),
    numbered(FlexZoneSelNum, CellBinding::kSameLabel, 0),
    numbered(FlexCHSelNum, CellBinding::kSameLabel, 0),
};

} // namespace

std::span<const CellBinding> flexLabelBindings() { return kRows; }
