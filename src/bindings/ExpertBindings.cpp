#include "bindings/ExpertBindings.h"

#include "bindings/SettingRows.h"
#include "bindings/SettingRules.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TimeCodecs.h"
#include "image/BitField.h"

#include <array>

// The byte map of these settings is at the top of KeyDisplayBindings.cpp.

namespace {

using Redraw = cmcCellCapsule::RedrawBit;

constexpr std::int32_t kUserCtcss = 0x10EB3;
constexpr std::int32_t kBeepLow = 0x10EB5;
constexpr std::int32_t kBeepHigh = 0x10EB7;
constexpr std::int32_t kEmergencyOnTime = 0x12004;
constexpr std::int32_t kEmergencyOffTime = 0x12005;
constexpr std::int32_t kEmergencyRepeat = 0x11FFB;
constexpr std::int32_t kPowerSaveStart1 = 0x11FFC;
constexpr std::int32_t kPowerSaveStart2 = 0x11FFD;
constexpr std::int32_t kSpeakerOutDelay = 0x11FFE;
constexpr std::int32_t kExternalPttDelay = 0x11FFF;
constexpr std::int32_t kIgnitionTimer = 0x12000;
constexpr std::int32_t kAudioFlags = 0x12001;
constexpr std::int32_t kAccessories = 0x12002;
constexpr std::int32_t kBattery = 0x12003;

constexpr BitField kSpeakerOutOn{kAudioFlags, 5, 1};
constexpr BitField kIgnitionSense{kAccessories, 0, 2};
constexpr BitField kBeepLowField = BitField::bytes(kBeepLow, 2);
constexpr BitField kBeepHighField = BitField::bytes(kBeepHigh, 2);

// The switches other settings depend on, by the row's argument.
enum Controlling : std::int32_t { kBySpeakerOut = 0, kByIgnition = 1 };
constexpr std::array<BitField, 2> kSwitches{kSpeakerOutOn, kIgnitionSense};

// A timer or delay acts only while its switch is on.
bool switchIsOn(const indCellHandler &frame, std::int32_t controlling)
{
    return kSwitches.at(static_cast<std::size_t>(controlling)).Read(frame.host.WorkingImage()) != 0;
}

CellBinding dependsOn(CellBinding row, Controlling controlling)
{
    row.argument = controlling;
    row.rule = setting_rules::silverUnlessApplies<switchIsOn>;
    return row;
}

// A low beep at or above the high one gives the two beeps the wrong way
// round; a beep not yet set (0) is the radio's standard tone.
void beepOrderMark(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    const cmcEeprom &image = frame.host.WorkingImage();
    const std::uint32_t low = kBeepLowField.Read(image);
    const std::uint32_t high = kBeepHighField.Read(image);
    if (low != 0 && high != 0 && low >= high)
        frame.SetWarning();
}

CellBinding beep(std::int32_t label, std::int32_t at)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, 0, 16),
            .codec = editInteger({.minimum = 300, .maximum = 3000, .step = 10, .saturate = true}),
            .redrawOnChange = Redraw::kRedrawLabelled,
            .rule = beepOrderMark};
}

CellBinding tenthsTimer(std::int32_t label, std::int32_t at, std::int32_t maximum)
{
    return {.label = label,
            .storage = CellStorage::imageByte(at),
            .codec = editTimer(10, 0, maximum, nullptr, 2)};
}

CellBinding wholeNumber(std::int32_t label, std::int32_t at, std::int32_t minimum,
                        std::int32_t maximum)
{
    return {.label = label,
            .storage = CellStorage::imageByte(at),
            .codec = editIntegerSaturate(minimum, maximum)};
}

const std::array kRows = {
    CellBinding{.label = CL_Exp_UserCtcss,
                .storage = CellStorage::imageBits(kUserCtcss, 0, 16),
                .codec = editDecimal(
                    {.storedDecimals = 1, .shownDecimals = 1, .minimum = 50.0, .maximum = 300.0})},
    beep(CL_Exp_BeepFreq_Low, kBeepLow),
    beep(CL_Exp_BeepFreq_High, kBeepHigh),
    tenthsTimer(CL_Exp_Emer_SwOnTimer, kEmergencyOnTime, 100),
    tenthsTimer(CL_Exp_Emer_SwOffTimer, kEmergencyOffTime, 100),
    wholeNumber(CL_Exp_Emer_StartRepeat, kEmergencyRepeat, 0, 99),
    wholeNumber(CL_Exp_PSaveStartTimer_1, kPowerSaveStart1, 0, 255),
    wholeNumber(CL_Exp_PSaveStartTimer_2, kPowerSaveStart2, 0, 255),

    imageOption(CL_Exp_DtcsInv_Tx, kAudioFlags, 7, 1, "GI_Sheet_Sel_Exp_DtcsPolarity"),
    imageOption(CL_Exp_DtcsInv_Rx, kAudioFlags, 6, 1, "GI_Sheet_Sel_Exp_DtcsPolarity"),
    redrawsAll(imageOnOff(CL_Exp_RxExo_On, kAudioFlags, 5)),
    dependsOn(tenthsTimer(CL_Exp_RxExo_Delay, kSpeakerOutDelay, 255), kBySpeakerOut),
    imageOnOff(CL_Exp_ToneMuteExPtt, kAudioFlags, 4),
    imageOnOff(CL_Exp_DimIgsw, kAudioFlags, 3),
    imageOnOff(CL_Exp_ClShift, kAudioFlags, 2),
    imageOption(CL_Exp_RxAf_Filter, kAudioFlags, 0, 2, "GI_Sheet_Sel_Exp_RxAfFilter"),

    CellBinding{.label = CL_Exp_ExPttDelay,
                .storage = CellStorage::imageByte(kExternalPttDelay),
                .codec = editTimer(100, 0, 100, nullptr, 1)},
    imageOption(CL_Exp_Select_ExPttFtsw, kAccessories, 6, 2, "GI_Sheet_Sel_Exp_ExPttFtsw"),
    imageOption(CL_Exp_EpttFtsw_C, kAccessories, 4, 2, "GI_Sheet_Sel_Exp_EpttFtswAudio"),
    imageOption(CL_Exp_EpttFtsw_S, kAccessories, 2, 2, "GI_Sheet_Sel_Exp_EpttFtswAudio"),
    redrawsAll(imageOption(CL_Exp_Ignition, kAccessories, 0, 2, "GI_Sheet_Sel_Exp_Ignition")),
    dependsOn(CellBinding{.label = CL_Exp_IgnitionTimer,
                          .storage = CellStorage::imageByte(kIgnitionTimer),
                          .codec = editMinSec(0, 2550, 10)},
              kByIgnition),
    imageOption(CL_Exp_BattTypeChange, kBattery, 6, 2, "GI_Sheet_Sel_Exp_BattType"),
    imageOption(CL_Exp_BattChangeMode, kBattery, 4, 2, "GI_Sheet_Sel_Exp_BattChangeMode"),
};

} // namespace

std::span<const CellBinding> expertBindings() { return kRows; }
