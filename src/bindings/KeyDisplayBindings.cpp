#include "bindings/KeyDisplayBindings.h"

#include "bindings/SettingRows.h"
#include "cells/CellLabels.h"
#include "cells/ModelCapabilities.h"
#include "cells/indCellHandler.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/TimeCodecs.h"

#include <array>

// Where the keys, display, expert and port settings live in the working
// image. The key bytes in the common block (0x10EBF.., 0x10EC7.., 0x10ED4..,
// 0x10EDC..) and the port bytes (0x1A730.., 0x1A750.., 0x1A762, 0x1A763)
// are the radio's; everything else was placed in blocks the radio writes
// back (24, 25, 50 and free bytes of 8), so that it travels to and from the
// radio. Block 26 and the first four bytes of block 24 hold the MSK address
// plan and base IDs at places the radio fixes.
//
//   block 25 (0x11FE6, 16 bytes)
//     0x11FE6..0x11FE9  key functions, Right Up, Right Down, Left Up, Left Down
//     0x11FEA..0x11FEC  key functions, OPF 1..3
//     0x11FED..0x11FF0  the same four keys with Shift
//     0x11FF1..0x11FF3  OPF 1..3 with Shift
//     0x11FF4  b7-6 display lines, b5-4 display mode, b3-2 display label,
//              b1 error channel display, b0 channel code display
//     0x11FF5  scroll timer, 0.1 s
//   block 24 (0x11FF6, 16 bytes)
//     0x11FF6..0x11FF9  the MSK fixed base IDs (MskBindings.cpp)
//     0x11FFA  b7 priority A after clear-down, b6..b3 transmit disable for
//              local PTT, external PTT, repeat, option control; b2-0 free
//     0x11FFB  emergency start repeat (ExpertBindings from here on)
//     0x11FFC  power save start timer 1, s
//     0x11FFD  power save start timer 2, s
//     0x11FFE  external speaker output delay, 0.1 s
//     0x11FFF  external PTT delay, 10 ms
//     0x12000  ignition off timer, 10 s
//     0x12001  b7 DTCS transmit polarity, b6 DTCS receive polarity,
//              b5 external speaker output, b4 tone mute on external PTT,
//              b3 dimmer with ignition, b2 clock shift, b1-0 receive AF filter
//     0x12002  b7-6 external PTT / foot switch input, b5-4 its audio on
//              conventional channels, b3-2 on SmarTrunk, b1-0 ignition sense
//     0x12003  b7-6 battery type, b5-4 battery change mode; b3-0 free
//     0x12004  emergency switch-on time, 0.1 s
//     0x12005  emergency switch-off time, 0.1 s
//   block 26 (0x11E1E, 8 bytes): the MSK address plan (MskBindings.cpp)
//   block 8, in bytes the common settings leave free
//     0x10EFF  b7-6 ten-key function, b5-4 rotary selector, b3 SmarTrunk
//              key, b2 amplifier control, b1 power-on beep, b0 power down
//              at low battery
//     0x10F00  b7 hanger monitor, b6 hanger scan, b5 hanger priority A,
//              b4 hanger scan suspend, b3-2 power switch, b1-0 power switch
//              (handheld)
//     0x10F01  b7-4 LED LP0, b3-0 LED LP1
//     0x10F02  b7-4 LED LP2, b3-2 power selection, b1 priority A at power
//              on, b0 priority A auto reset
//     0x10EB3..0x10EB4  user CTCSS frequency, 0.1 Hz, big-endian
//     0x10EB5..0x10EB6  low beep frequency, Hz, big-endian
//     0x10EB7..0x10EB8  high beep frequency, Hz, big-endian
//   block 50 (0x1AD8B, 12 bytes): the opening text
//   blocks 44-47: the channel switch table and the port lines
//     (ExternalPortBindings)

namespace {

constexpr const char *kKeyList = "GI_Sheet_Sel_Keys_Conv_Pmr_Dpmr_Popup";
constexpr const char *kDialList = "GI_Sheet_Sel_Dials_Conv_Popup";

// The radio's own key bytes, and where this program keeps the other keys.
constexpr std::int32_t kConventionalKeys = 0x10EBF; // P0..P4
constexpr std::int32_t kConventionalDial = 0x10EC7; // clockwise, counter-clockwise
constexpr std::int32_t kShiftKeys = 0x10ED4;
constexpr std::int32_t kShiftDial = 0x10EDC;
constexpr std::int32_t kConventionalArrows = 0x11FE6;
constexpr std::int32_t kConventionalOpf = 0x11FEA;
constexpr std::int32_t kShiftArrows = 0x11FED;
constexpr std::int32_t kShiftOpf = 0x11FF1;

constexpr std::int32_t kDisplay = 0x11FF4;
constexpr std::int32_t kScrollTimer = 0x11FF5;
constexpr std::int32_t kKeyFlags = 0x10EFF;
constexpr std::int32_t kHangerAndPower = 0x10F00;
constexpr std::int32_t kLeds = 0x10F01;
constexpr std::int32_t kPowerAndPriority = 0x10F02;
constexpr std::int32_t kPriorityAndTxDisable = 0x11FFA;
constexpr std::int32_t kOpeningText = 0x1AD8B;
constexpr int kOpeningTextWidth = 12;

// A run of keys, one byte each, choosing from one function list.
CellBinding keys(std::int32_t first, std::int32_t last, std::int32_t at, const char *list)
{
    return {.label = first,
            .lastLabel = last,
            .storage = CellStorage::imageByte(at).stepPerLabel(1),
            .codec = editOption(list, FlexMark)};
}

// The handheld's power switch: this radio is a mobile or a repeater, so the
// setting is kept but does not apply.
void runHandheldOnly(indCellHandler &frame, const CellBinding &row)
{
    if (!ModelCapabilities::Installed().IsHandheld()) {
        if (frame.IsDraw())
            frame.ShowNotApplicable("----");
        return;
    }
    CellBinding::RunValue(frame, row);
}

CellBinding handheldOnly(CellBinding row)
{
    row.run = runHandheldOnly;
    return row;
}

const std::array kRows = {
    keys(CL_KDisp_Key_Conv_RightUp, CL_KDisp_Key_Conv_LeftDn, kConventionalArrows, kKeyList),
    keys(CL_KDisp_Key_Conv_DialCw, CL_KDisp_Key_Conv_DialCcw, kConventionalDial, kDialList),
    keys(CL_KDisp_Key_Conv_P0, CL_KDisp_Key_Conv_P4, kConventionalKeys, kKeyList),
    keys(CL_KDisp_Key_Conv_Opf0, CL_KDisp_Key_Conv_Opf2, kConventionalOpf, kKeyList),
    keys(CL_KDisp_Key_Shift_RightUp, CL_KDisp_Key_Shift_LeftDn, kShiftArrows, kKeyList),
    keys(CL_KDisp_Key_Shift_DialCw, CL_KDisp_Key_Shift_DialCcw, kShiftDial, kDialList),
    keys(CL_KDisp_Key_Shift_P0, CL_KDisp_Key_Shift_P4, kShiftKeys, kKeyList),
    keys(CL_KDisp_Key_Shift_Opf0, CL_KDisp_Key_Shift_Opf2, kShiftOpf, kKeyList),

    imageOption(CL_KDisp_DispLines, kDisplay, 6, 2, "GI_Sheet_Sel_KDisp_DispLines"),
    imageOption(CL_KDisp_Disp_Mode, kDisplay, 4, 2, "GI_Sheet_Sel_KDisp_DispMode"),
    imageOption(CL_KDisp_Disp_Label, kDisplay, 2, 2, "GI_Sheet_Sel_KDisp_DispLabel"),
    imageOnOff(CL_KDisp_ErrChDisplay, kDisplay, 1),
    imageOnOff(CL_KDisp_MrCode, kDisplay, 0),
    CellBinding{.label = CL_KDisp_ScrollTimer,
                .storage = CellStorage::imageByte(kScrollTimer),
                .codec = editTimer(10, 0, 50, "GI_AppInd_TimerOff", 2)},
    CellBinding{.label = CL_KDisp_OpeningText,
                .storage = CellStorage::imageBytes(kOpeningText, kOpeningTextWidth),
                .codec = editName(kOpeningTextWidth, NameFill::Spaces)},

    imageOption(CL_KDisp_Tenkey_Select, kKeyFlags, 6, 2, "GI_Sheet_Sel_KDisp_Tenkey"),
    imageOption(CL_KDisp_RotarySel, kKeyFlags, 4, 2, "GI_Sheet_Sel_KDisp_Rotary"),
    imageOnOff(CL_KDisp_SmaKey, kKeyFlags, 3),
    imageOnOff(CL_KDisp_AmpOnOff, kKeyFlags, 2),
    imageOnOff(CL_KDisp_OpeningBeep, kKeyFlags, 1),
    imageOnOff(CL_KDisp_RfPoBatt, kKeyFlags, 0),

    imageOnOff(CL_KDisp_HangAct_Moni, kHangerAndPower, 7),
    imageOnOff(CL_KDisp_HangAct_Scan, kHangerAndPower, 6),
    imageOnOff(CL_KDisp_HangAct_PrioA, kHangerAndPower, 5),
    imageOnOff(CL_KDisp_HangAct_ScanSuspend, kHangerAndPower, 4),
    imageOption(CL_KDisp_PwrSW, kHangerAndPower, 2, 2, "GI_Sheet_Sel_KDisp_PwrSW"),
    handheldOnly(
        imageOption(CL_KDisp_PwrSW_HH, kHangerAndPower, 0, 2, "GI_Sheet_Sel_KDisp_PwrSW_HH")),

    imageOption(CL_KDisp_LED_LP0, kLeds, 4, 4, "GI_Sheet_Sel_KDisp_Led"),
    imageOption(CL_KDisp_LED_LP1, kLeds, 0, 4, "GI_Sheet_Sel_KDisp_Led"),
    imageOption(CL_KDisp_LED_LP2, kPowerAndPriority, 4, 4, "GI_Sheet_Sel_KDisp_Led"),
    imageOption(CL_KDisp_RfPoSel, kPowerAndPriority, 2, 2, "GI_Sheet_Sel_KDisp_RfPoSel"),
    imageOnOff(CL_KDisp_PrioA_SwOn, kPowerAndPriority, 1),
    imageOnOff(CL_KDisp_PrioA_AutoReset, kPowerAndPriority, 0),
    imageOnOff(CL_KDisp_PrioA_ClearDown, kPriorityAndTxDisable, 7),
    imageOption(CL_KDisp_TxDisableSel_LocalPTT, kPriorityAndTxDisable, 6, 1,
                "GI_Sheet_Sel_KDisp_TxDisable"),
    imageOption(CL_KDisp_TxDisableSel_EPTT, kPriorityAndTxDisable, 5, 1,
                "GI_Sheet_Sel_KDisp_TxDisable"),
    imageOption(CL_KDisp_TxDisableSel_Repeat, kPriorityAndTxDisable, 4, 1,
                "GI_Sheet_Sel_KDisp_TxDisable"),
    imageOption(CL_KDisp_TxDisableSel_OptControl, kPriorityAndTxDisable, 3, 1,
                "GI_Sheet_Sel_KDisp_TxDisable"),
};

} // namespace

std::span<const CellBinding> keyDisplayBindings() { return kRows; }
