#include "bindings/SettingRows.h"

#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TimeCodecs.h"

#include <utility>

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

CellBinding imageTimer(std::int32_t label, std::int32_t at, CellCodec codec)
{
    return {.label = label, .storage = CellStorage::imageByte(at), .codec = std::move(codec)};
}

CellBinding imageTenthSeconds(std::int32_t label, std::int32_t at)
{
    return imageTimer(label, at, editTimer(10, 0, 255, nullptr, 2));
}

CellBinding imageHundredthSeconds(std::int32_t label, std::int32_t at)
{
    return imageTimer(label, at, editTimer(100, 0, 255, nullptr, 1));
}

CellBinding imageSeconds(std::int32_t label, std::int32_t at, const char *offText)
{
    return imageTimer(label, at, editTimer(1, 0, 255, offText, 3));
}

CellBinding redrawsAll(CellBinding row)
{
    row.redrawOnChange |= cmcCellCapsule::kRedrawLabelled;
    return row;
}
