#include "bindings/SignallingRows.h"

#include "bindings/SettingRules.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/DisplayFont.h"
#include "channels/datCh.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/TimeCodecs.h"

#include <array>
#include <cstddef>

namespace signalling_rows {

namespace {

constexpr int kSmallFontBit = 2;

// Trailing zeros of "%3d.%03d" that a timer of this resolution never needs.
int trimmedZeros(int unitsPerSecond)
{
    switch (unitsPerSecond) {
    case 1:
        return 3;
    case 10:
        return 2;
    case 100:
        return 1;
    default:
        return 0;
    }
}

struct AlertField {
    std::int32_t datCh::*member;
    const char *list;
};

constexpr std::array<AlertField, 9> kAlerts = {{
    {&datCh::Bell, "GI_Sheet_Sel_Sig_Bell"},
    {&datCh::Beep, "GI_Sheet_Sel_Sig_Beep"},
    {&datCh::Aud, "GI_Sheet_Sel_Sig_Audio"},
    {&datCh::Scan, "GI_Sheet_Sel_Sig_Scan"},
    {&datCh::Stun, "GI_Sheet_Sel_Sig_Stun"},
    {&datCh::Exo, kOnOff},
    {&datCh::AutoTx, kOnOff},
    {&datCh::IdDec, kOnOff},
    {&datCh::EmerCancel, kOnOff},
}};

void runLmrKeptByTemplate(indCellHandler &frame, const CellBinding &row)
{
    if (frame.host.ModelType() == 0) {
        setting_rules::runNothingKept(frame, row);
        return;
    }
    CellBinding::RunValue(frame, row);
}

} // namespace

CellBinding recordOption(std::int32_t label, std::int32_t datCh::*member, const char *list)
{
    return {
        .label = label, .storage = CellStorage::record(member), .codec = editOption(list, Flex0)};
}

CellBinding recordOnOff(std::int32_t label, std::int32_t datCh::*member)
{
    return recordOption(label, member, kOnOff);
}

CellBinding recordName(std::int32_t label, int width)
{
    return {.label = label,
            .storage = CellStorage::recordBytes<&datCh::Text>(),
            .codec = editName(width, NameFill::Spaces),
            .context = CellStorage::imageBits(DisplayFont::kSizeAddress, kSmallFontBit, 1)};
}

CellBinding imageTimer(std::int32_t label, std::int32_t at, int unitsPerSecond,
                       std::int32_t minimum, bool offAllowed)
{
    return {.label = label,
            .storage = CellStorage::imageByte(at),
            .codec = editTimer(unitsPerSecond, minimum, 255, offAllowed ? kTimerOff : nullptr,
                               trimmedZeros(unitsPerSecond))};
}

CellBinding alertOption(std::int32_t label, Alert alert)
{
    const AlertField &field = kAlerts[static_cast<std::size_t>(alert)];
    return recordOption(label, field.member, field.list);
}

CellBinding keptByTemplate(CellBinding row)
{
    row.run = setting_rules::runNothingKept;
    return row;
}

CellBinding keptByTemplateOnLmr(CellBinding row)
{
    row.run = runLmrKeptByTemplate;
    return row;
}

} // namespace signalling_rows
