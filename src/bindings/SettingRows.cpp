#include "bindings/SettingRows.h"

#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "codecs/OptionCodecs.h"

CellBinding imageOption(std::int32_t label, std::int32_t at, int lowestBit, int width,
                        const char *list)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, lowestBit, width),
            .codec = editOption(list, Flex0)};
}

CellBinding imageOnOff(std::int32_t label, std::int32_t at, int bit)
{
    return imageOption(label, at, bit, 1, "GI_Sheet_Sel_Misc_OnOff");
}

CellBinding redrawsAll(CellBinding row)
{
    row.redrawOnChange |= cmcCellCapsule::kRedrawLabelled;
    return row;
}
