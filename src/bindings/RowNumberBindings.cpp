#include "bindings/RowNumberBindings.h"

#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <cstdio>

namespace label_cases {

// "bank-position" of a channel row, both counted from 1; the empty row below
// the bank's last channel offers a new channel. The row's argument is the
// base of the cell index (CL_Misc_ChNo_1Base counts channels from 1).
void ChannelRowNumber(indCellHandler &frame, const CellBinding &row)
{
    const std::int32_t channel = frame.index - row.argument;
    if (channel < frame.bankFirst)
        return;
    if (channel > frame.bankLast || frame.bankCount == 0) {
        frame.SetOutput(mainTextDatabase().GetFirstLine("GI_NewChTitle"));
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%d-%3d", static_cast<int>(frame.bank + 1),
                  static_cast<int>(channel - frame.bankFirst + 1));
    frame.SetOutput(text);
}

// A pillar that structures the sheet: a dark bar along the cell's foot.
void QuarterPillar(indCellHandler &frame, const CellBinding &)
{
    if (frame.IsDraw())
        frame.capsule.lowerBar = true;
}

} // namespace label_cases

namespace {

CellBinding rowNumber(std::int32_t label, std::int32_t indexBase)
{
    return {.label = label,
            .run = label_cases::ChannelRowNumber,
            .argument = indexBase,
            .flags = CellBinding::kShowsOnEmptyRow};
}

const CellBinding kRows[] = {
    rowNumber(CL_Mch_No, 0),
    rowNumber(CL_Misc_ChNo_0Base, 0),
    rowNumber(CL_Misc_ChNo_1Base, 1),
    {.label = CL_Misc_QuarterPillar, .run = label_cases::QuarterPillar},
};

} // namespace

std::span<const CellBinding> rowNumberBindings() { return kRows; }
