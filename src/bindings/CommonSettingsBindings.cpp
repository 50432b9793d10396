// Byte map of the common settings (working image). Places marked "fixed" are
// the radio's own; the others were chosen inside the blocks this family
// owns. A byte or bit not named here is free.
//
// Block 8 (0x10E76, 189 bytes)
//   0x10E76  bits 1-0  emergency input                    CL_Comm_EmerIn
//   0x10E77            emergency transmit time, 1 s        CL_Comm_EmerTim_On
//   0x10E78            emergency receive time, 1 s         CL_Comm_EmerTim_Off
//   0x10E79            emergency start delay, 0.1 s        CL_Comm_EmerTim_Start
//   0x10E7A            emergency siren time, 1 s           CL_Comm_EmerTim_Sairen
//   0x10E7B            emergency cycles 0-99 (0 endless)   CL_Comm_EmerTim_ReCycle
//   0x10E7C  fixed     scrambler: bits 7-6 sync capture, 5-4 tone start
//                      timing, 3 type, 1-0 group code (bit 2 normalised)
//   0x10E7D            auto reset timer A, 1 s             CL_Comm_AtResetTimer_A
//   0x10E7E            auto reset timer B, 1 s             CL_Comm_AtResetTimer_B
//   0x10E7F            inactivity timer, 1 s               CL_Comm_InactiveTimer
//   0x10E80            time-out timer, 5 s                 CL_Comm_Tot_Timer
//   0x10E81            repeat time-out, minutes 0-30       CL_Common_Tot_Repeat
//   0x10E82            repeat time-out in 10 s ticks (= minutes x 6, kept by
//                      CL_Common_Tot_Repeat; the repeater counts these)
//   0x10E83            local mic time-out, minutes 0-30    CL_Common_Tot_LocalMic
//   0x10E84  bit 0     ID out at time-out                  CL_Comm_Tot_ID_Out
//            bit 1     DTMF ID out at time-out             CL_Comm_Tot_Dtmf_ID_Out
//            bit 2     time-out pre-alert beep             CL_Comm_Tot_Beep
//            bit 3     time-out reset condition            CL_Comm_Tot_Reset
//            bit 4     busy lockout override               CL_Comm_LockoutOverride
//   0x10E85            time-out penalty timer, 1 s         CL_Comm_Tot_PenaltyTimer
//   0x10E86            busy lockout penalty timer, 1 s     CL_Comm_LockoutPenaltyTimer
//   0x10E87  bit 0     CTCSS tone burst                    CL_Comm_Ctcss_ToneBurst
//            bits 2-1  reverse burst phase                 CL_Comm_Ctcss_ReverseBurst
//            bit 3     tone filter in receive audio        CL_Comm_Ctcss_RxAfFilt
//            bit 4     channel mute continues              CL_Comm_Ctcss_ChMuteCont
//            bit 5     tone backup                         CL_Comm_Ctcss_Backup
//   0x10E88  bits 2-0  D-sub 25 port speed                 CL_Comm_DSub25_Speed
//            bits 4-3  D-sub 25 port use                   CL_Comm_DSub25_Mode
//   0x10E89  bits 2-0  option connector speed              CL_Comm_OptConne_Speed
//            bits 4-3  option connector use                CL_Comm_OptConne_Mode
//   0x10E8A-0x10E8C  fixed (bank flags, "E" channel)
//   0x10E8D  bits 1-0  serial flow control                 CL_Comm_RS_FlowContorl
//            bit 2     serial request acknowledge          CL_Comm_RS_ReqAck
//            bit 3     external amplifier                  CL_Comm_EX_ExAmpMode
//            bit 4     reboot after a bad transmission     CL_Comm_Repeater_Reboot_Bad_Tx
//   0x10E8E            serial characters per message       CL_Comm_RS_NumMax
//   0x10E8F            XON character                       CL_Comm_RS_CharXon
//   0x10E90  fixed (5-tone group code)
//   0x10E91            XOFF character                      CL_Comm_RS_CharXoff
//   0x10E92            hold timer digital voice, 0.1 s     CL_Comm_Repeater_HoldTimer_Digi_Voice
//   0x10E93            hold timer digital emergency, 0.1 s CL_Comm_Repeater_HoldTimer_Digi_Emer
//   0x10E94-0x10E9A  fixed, not used here except
//   0x10E96  bit 3     fixed: set mode access              CL_Comm_SetModeAccess
//   0x10E97  bit 4     fixed: digital function             CL_Comm_Digital_Function
//            bit 5     fixed: middle bandwidth             CL_Comm_Middle
//            bit 6     wide bandwidth                      CL_Comm_Wide
//   0x10E9B-0x10EA2    user password, 8 characters         CL_Comm_UserPassword
//   0x10EA3-0x10EAA    power-on password, 8 characters     CL_Comm_PwrOnPassword
//   0x10EAB-0x10EB2    dealer passcode, 8 characters       CL_Comm_DealerPasscode
//   0x10EB3-0x10EB8    user CTCSS and beep frequencies (KeyDisplayBindings.cpp)
//   0x10EB9-0x10EBC    free
//   0x10EBD-0x10EE6  fixed (key tables)
//   0x10EE7  fixed     power save timer 1, 0.1 s           CL_Comm_PwrSave_Timer1
//   0x10EE8  fixed     power save timer 2, 1 s             CL_Comm_PwrSave_Timer2
//   0x10EE9            hold timer digital data, 0.1 s      CL_Comm_Repeater_HoldTimer_Digi_Data
//   0x10EEA            hold timer packet, 0.1 s            CL_Comm_Repeater_HoldTimer_Digi_Packet
//   0x10EEB            hold timer packet ack, 0.1 s CL_Comm_Repeater_HoldTimer_Digi_PacketAck
//   0x10EEC  bit 0     man down                            CL_Comm_ManDown_ON
//   0x10EED            man down detection time, 1 s        CL_Comm_ManDown_Timer
//   0x10EEE            man down pre-alert time, 1 s        CL_Comm_ManDown_TS1
//   0x10EEF  fixed (bits 5, 6)
//   0x10EF0            man down alarm time, 1 s            CL_Comm_ManDown_TS2
//   0x10EF1-0x10EFB  fixed (tone-pair and NAC bitmaps, power list)
//   0x10EFC            man down transmit time, 1 s         CL_Comm_ManDown_TS3
//   0x10EFD            man down siren time, 1 s            CL_Comm_ManDown_Sairen
//   0x10EFE            man down cycles 0-99 (0 endless)    CL_Comm_ManDown_ReCycle
//   0x10EFF-0x10F02    keys and display (KeyDisplayBindings.cpp)
//   0x10F03  fixed     repeater hold timer, 0.1 s          CL_Comm_Repeater_HoldTimer
//   0x10F04  fixed     bit 7 encode tone, bits 5-0 PTT priorities 3, 2, 1
//   0x10F05  bits 1-0  display at normal voltage           CL_Comm_Volt_Normal_Disp
//            bits 3-2  display at threshold 1              CL_Comm_Volt_Threshold1_Disp
//            bits 5-4  display at threshold 2              CL_Comm_Volt_Threshold2_Disp
//   0x10F06  bit 0     transmit/receive data output        CL_Comm_TRDataOut
//            bit 1     tactical mode                       CL_Comm_Tactical
//            bits 3-2  DTMF decoder input                  CL_Comm_DTMFDec_InputSet
//            bit 4     auto transmit microphone            CL_Comm_AutoTx_MicSel
//            bit 5     automatic recovery                  CL_Common_Etc_AutoRecovery
//            bit 6     front speaker                       CL_Comm_FrontSpeaker
//            bit 7     external controller                 CL_Comm_ExtController
//   0x10F07            tight squelch offset                CL_Comm_Sql_Tight_Ofs
//   0x10F08-0x10F0D    free
//   0x10F0E-0x10F18  fixed (channel count, LTR flags, model option bits)
//   0x10F19-0x10F28  fixed: clone password, 16 characters  CL_Comm_ClonePasswordStr
//   0x10F29-0x10F31    free; 0x10F32 fixed (data marks)
// Block 9, fixed: 0x10F33 and 0x10F43, the two 16-character clone comments
//   CL_Comm_CloneComment1, CL_Comm_CloneComment2.
// Block 21 (0x11C8C, 8 bytes): 0x11C8C and 0x11C8D are fixed (the
//   newer-data mark and its neighbour, which normalisation rewrites).
//   0x11C8E            low battery 1 alert period, 1 s     CL_Comm_LowBatt1_Periods
//   0x11C8F            low battery 2 alert period, 1 s     CL_Comm_LowBatt2_Periods
//   0x11C90            voltage threshold 1, 0.1 V          CL_Comm_Volt_Threshold1
//   0x11C91            voltage threshold 2, 0.1 V          CL_Comm_Volt_Threshold2
//   0x11C92-0x11C93    free
// Block 41 (0x109F4, 2 bytes) holds nothing of this family: normalisation
//   recomputes it from the channels on every save and clone write.
#include "bindings/CommonSettingsBindings.h"

#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "codecs/HexCodecs.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/TimeCodecs.h"
#include "image/BitField.h"

namespace {

using Redraw = cmcCellCapsule::RedrawBit;

bool isSet(const indCellHandler &frame, const BitField &field)
{
    return field.Read(frame.host.WorkingImage()) != 0;
}

// --- The scrambler ------------------------------------------------------------

constexpr std::int32_t kScrambler = 0x10E7C;
constexpr BitField kScramblerFixedType{kScrambler, 3, 1};

// The rolling-code parameters mean nothing to the inversion scrambler.
void silverForInversion(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    if (frame.IsDraw() && isSet(frame, kScramblerFixedType))
        frame.ShowSilver();
}

// --- PTT priorities -----------------------------------------------------------

constexpr std::int32_t kPttByte = 0x10F04;

BitField priorityField(std::int32_t position) { return {kPttByte, 2 * position, 2}; }

std::int32_t pttPriority(indCellHandler &frame)
{
    return static_cast<std::int32_t>(
        priorityField(frame.label - CL_Common_PTT_Priority_1).Read(frame.host.WorkingImage()));
}

constexpr std::int32_t kPriorityFields = 3;
// The PTT inputs the priority list offers.
constexpr std::uint32_t kPttInputs = 3;

// The lowest input no priority field holds, except the field `skipped`.
std::uint32_t unheldInput(const cmcEeprom &image, std::int32_t skipped)
{
    for (std::uint32_t input = 0; input < kPttInputs; ++input) {
        bool held = false;
        for (std::int32_t field = 0; field < kPriorityFields; ++field)
            held = held || (field != skipped && priorityField(field).Read(image) == input);
        if (!held)
            return input;
    }
    return 0;
}

// The three priorities always name three different PTT inputs: the one
// that already held the new input takes this field's old one. When the old
// one is no input at all (a radio stored it), the field that gives way takes
// an input none of the three holds instead of that value.
void setPttPriority(indCellHandler &frame, std::int32_t input)
{
    cmcEeprom &image = frame.host.WorkingImage();
    const std::int32_t changed = frame.label - CL_Common_PTT_Priority_1;
    const auto old = priorityField(changed).Read(image);
    const auto wanted = static_cast<std::uint32_t>(input);
    priorityField(changed).Write(image, wanted);
    for (std::int32_t other = 0; other < kPriorityFields; ++other) {
        if (other != changed && priorityField(other).Read(image) == wanted)
            priorityField(other).Write(image, old < kPttInputs ? old : unheldInput(image, other));
    }
}

// --- Time-out timers ----------------------------------------------------------

constexpr std::int32_t kRepeatTimeOut = 0x10E81;
// The repeater counts its repeat time-out in ticks of 10 seconds.
constexpr std::int32_t kRepeatTimeOutTicks = 0x10E82;
constexpr std::int32_t kTicksPerMinute = 6;
// Longer repeat time-outs work but keep a channel busy beyond what most
// licences allow.
constexpr std::int32_t kLongestAdvisedRepeatMinutes = 10;

std::int32_t repeatTimeOut(indCellHandler &frame)
{
    return frame.host.WorkingImage().GetByte(kRepeatTimeOut);
}

void setRepeatTimeOut(indCellHandler &frame, std::int32_t minutes)
{
    cmcEeprom &image = frame.host.WorkingImage();
    image.SetByte(kRepeatTimeOut, static_cast<std::uint8_t>(minutes));
    image.SetByte(kRepeatTimeOutTicks, static_cast<std::uint8_t>(minutes * kTicksPerMinute));
}

void repeatTimeOutMark(indCellHandler &frame, const CellBinding &, std::int32_t minutes)
{
    if (minutes < 0 || minutes > kLongestAdvisedRepeatMinutes)
        frame.SetWarning();
}

// --- Digital hold timers ------------------------------------------------------

constexpr BitField kDigitalFunction{0x10E97, 4, 1};

std::int32_t digitalFunction(indCellHandler &frame)
{
    return static_cast<std::int32_t>(kDigitalFunction.Read(frame.host.WorkingImage()));
}

// The tree offers the digital sheets only while the function is on.
void setDigitalFunction(indCellHandler &frame, std::int32_t on)
{
    const std::uint32_t wanted = on != 0 ? 1 : 0;
    if (kDigitalFunction.Read(frame.host.WorkingImage()) == wanted)
        return;
    kDigitalFunction.Write(frame.host.WorkingImage(), wanted);
    eventManager().Post(kEvRebuildChannelTree);
}

// Without the digital function the digital hold timers do not apply.
void runDigitalOnly(indCellHandler &frame, const CellBinding &row)
{
    if (!isSet(frame, kDigitalFunction)) {
        if (frame.IsDraw())
            frame.ShowNotApplicable("----");
        return;
    }
    CellBinding::RunValue(frame, row);
}

// --- Row makers ---------------------------------------------------------------

constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char *kTimerOff = "GI_AppInd_TimerOff";

CellBinding option(std::int32_t label, std::int32_t at, int lowestBit, int width, const char *key)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, lowestBit, width),
            .codec = editOption(key, 1)};
}

CellBinding onOff(std::int32_t label, std::int32_t at, int bit)
{
    return option(label, at, bit, 1, kOnOff);
}

// A timer of one byte; 0 is "Off" where the radio takes it so.
CellBinding timer(std::int32_t label, std::int32_t at, int unitsPerSecond, bool zeroIsOff)
{
    const int trim = unitsPerSecond == 1 ? 3 : 2;
    return {.label = label,
            .storage = CellStorage::imageByte(at),
            .codec = editTimer(unitsPerSecond, 0, 255, zeroIsOff ? kTimerOff : nullptr, trim)};
}

CellBinding count(std::int32_t label, std::int32_t at, std::int32_t minimum, std::int32_t maximum)
{
    return {.label = label,
            .storage = CellStorage::imageByte(at),
            .codec = editIntegerWrap(minimum, maximum)};
}

CellBinding text(std::int32_t label, std::int32_t at, int width, TextFill fill)
{
    return {.label = label,
            .storage = CellStorage::imageBytes(at, width),
            .codec = editFixedText(width, fill)};
}

CellBinding hexByte(std::int32_t label, std::int32_t at)
{
    return {
        .label = label, .storage = CellStorage::imageByte(at), .codec = editHexValue(0, 0xFF, 2)};
}

CellBinding volts(std::int32_t label, std::int32_t at)
{
    return {.label = label,
            .storage = CellStorage::imageByte(at),
            .codec = editDecimal(
                {.storedDecimals = 1, .shownDecimals = 1, .minimum = 0.0, .maximum = 25.5})};
}

CellBinding others(CellBinding row)
{
    row.redrawOnChange |= Redraw::kRedrawLabelled;
    return row;
}

CellBinding withRule(CellBinding row, CellBinding::Rule rule)
{
    row.rule = rule;
    return row;
}

CellBinding digitalOnly(CellBinding row)
{
    row.run = runDigitalOnly;
    return row;
}

const CellBinding kRows[] = {
    // Security and identity
    text(CL_Comm_UserPassword, 0x10E9B, 8, TextFill::Zeros),
    text(CL_Comm_DealerPasscode, 0x10EAB, 8, TextFill::Zeros),
    text(CL_Comm_PwrOnPassword, 0x10EA3, 8, TextFill::Zeros),
    option(CL_Comm_SetModeAccess, 0x10E96, 3, 1, "GI_Sheet_Sel_Comm_SetModeAccess"),
    text(CL_Comm_ClonePasswordStr, 0x10F19, 16, TextFill::Zeros),
    text(CL_Comm_CloneComment1, 0x10F33, 16, TextFill::Spaces),
    text(CL_Comm_CloneComment2, 0x10F43, 16, TextFill::Spaces),

    // Emergency
    option(CL_Comm_EmerIn, 0x10E76, 0, 2, "GI_Sheet_Sel_Comm_EmerIn"),
    timer(CL_Comm_EmerTim_On, 0x10E77, 1, false),
    timer(CL_Comm_EmerTim_Off, 0x10E78, 1, false),
    timer(CL_Comm_EmerTim_Start, 0x10E79, 10, false),
    timer(CL_Comm_EmerTim_Sairen, 0x10E7A, 1, true),
    count(CL_Comm_EmerTim_ReCycle, 0x10E7B, 0, 99),

    // Timers
    timer(CL_Comm_AtResetTimer_A, 0x10E7D, 1, true),
    timer(CL_Comm_AtResetTimer_B, 0x10E7E, 1, true),
    timer(CL_Comm_InactiveTimer, 0x10E7F, 1, true),
    {.label = CL_Comm_Tot_Timer,
     .storage = CellStorage::imageByte(0x10E80),
     .codec = editMinSec(5, 1275, 5)},
    withRule(others({.label = CL_Common_Tot_Repeat,
                     .storage = CellStorage::model(repeatTimeOut, setRepeatTimeOut),
                     .codec = editIntegerWrap(0, 30)}),
             repeatTimeOutMark),
    count(CL_Common_Tot_LocalMic, 0x10E83, 0, 30),
    onOff(CL_Comm_Tot_ID_Out, 0x10E84, 0),
    onOff(CL_Comm_Tot_Dtmf_ID_Out, 0x10E84, 1),
    onOff(CL_Comm_Tot_Beep, 0x10E84, 2),
    option(CL_Comm_Tot_Reset, 0x10E84, 3, 1, "GI_Sheet_Sel_Comm_Tot_Reset"),
    timer(CL_Comm_Tot_PenaltyTimer, 0x10E85, 1, true),
    timer(CL_Comm_LockoutPenaltyTimer, 0x10E86, 1, true),
    onOff(CL_Comm_LockoutOverride, 0x10E84, 4),
    timer(CL_Comm_PwrSave_Timer1, 0x10EE7, 10, false),
    timer(CL_Comm_PwrSave_Timer2, 0x10EE8, 1, false),

    // PTT
    option(CL_Common_PTT_EncodeTone, kPttByte, 7, 1, "GI_Sheet_Sel_Comm_EncodeTone"),
    {.label = CL_Common_PTT_Priority_1,
     .lastLabel = CL_Common_PTT_Priority_3,
     .storage = CellStorage::model(pttPriority, setPttPriority),
     .codec = editOption("GI_Sheet_Sel_Comm_PttType", 1),
     .redrawOnChange = Redraw::kRedrawLabelled},

    // CTCSS
    onOff(CL_Comm_Ctcss_ToneBurst, 0x10E87, 0),
    option(CL_Comm_Ctcss_ReverseBurst, 0x10E87, 1, 2, "GI_Sheet_Sel_Comm_Ctcss_ReverseBurst"),
    onOff(CL_Comm_Ctcss_RxAfFilt, 0x10E87, 3),
    onOff(CL_Comm_Ctcss_ChMuteCont, 0x10E87, 4),
    onOff(CL_Comm_Ctcss_Backup, 0x10E87, 5),

    // Ports
    option(CL_Comm_DSub25_Speed, 0x10E88, 0, 3, "GI_Sheet_Sel_Comm_RS_Speed"),
    option(CL_Comm_DSub25_Mode, 0x10E88, 3, 2, "GI_Sheet_Sel_Comm_RS_Mode"),
    option(CL_Comm_OptConne_Speed, 0x10E89, 0, 3, "GI_Sheet_Sel_Comm_RS_Speed"),
    option(CL_Comm_OptConne_Mode, 0x10E89, 3, 2, "GI_Sheet_Sel_Comm_RS_Mode"),
    option(CL_Comm_RS_FlowContorl, 0x10E8D, 0, 2, "GI_Sheet_Sel_Comm_RS_Flow"),
    onOff(CL_Comm_RS_ReqAck, 0x10E8D, 2),
    count(CL_Comm_RS_NumMax, 0x10E8E, 1, 255),
    hexByte(CL_Comm_RS_CharXon, 0x10E8F),
    hexByte(CL_Comm_RS_CharXoff, 0x10E91),
    onOff(CL_Comm_EX_ExAmpMode, 0x10E8D, 3),

    // Scrambler
    others(option(CL_Comm_Scrm_Type, kScrambler, 3, 1, "GI_Sheet_Sel_Comm_Scrm_Type")),
    withRule(
        option(CL_Comm_Scrm_SyncCapture, kScrambler, 6, 2, "GI_Sheet_Sel_Comm_Scrm_SyncCapture"),
        silverForInversion),
    withRule(option(CL_Comm_Scrm_GroupCode, kScrambler, 0, 2, "GI_Sheet_Sel_Comm_Scrm_GroupCode"),
             silverForInversion),
    withRule(option(CL_Comm_Scrm_TStartTiming, kScrambler, 4, 2,
                    "GI_Sheet_Sel_Comm_Scrm_ToneStartTiming"),
             silverForInversion),

    // Repeater
    timer(CL_Comm_Repeater_HoldTimer, 0x10F03, 10, false),
    digitalOnly(timer(CL_Comm_Repeater_HoldTimer_Digi_Voice, 0x10E92, 10, false)),
    digitalOnly(timer(CL_Comm_Repeater_HoldTimer_Digi_Emer, 0x10E93, 10, false)),
    digitalOnly(timer(CL_Comm_Repeater_HoldTimer_Digi_Data, 0x10EE9, 10, false)),
    digitalOnly(timer(CL_Comm_Repeater_HoldTimer_Digi_Packet, 0x10EEA, 10, false)),
    digitalOnly(timer(CL_Comm_Repeater_HoldTimer_Digi_PacketAck, 0x10EEB, 10, false)),
    onOff(CL_Comm_Repeater_Reboot_Bad_Tx, 0x10E8D, 4),

    // Man down
    onOff(CL_Comm_ManDown_ON, 0x10EEC, 0),
    timer(CL_Comm_ManDown_Timer, 0x10EED, 1, false),
    timer(CL_Comm_ManDown_TS1, 0x10EEE, 1, true),
    timer(CL_Comm_ManDown_TS2, 0x10EF0, 1, true),
    timer(CL_Comm_ManDown_TS3, 0x10EFC, 1, true),
    timer(CL_Comm_ManDown_Sairen, 0x10EFD, 1, true),
    count(CL_Comm_ManDown_ReCycle, 0x10EFE, 0, 99),

    // Battery
    timer(CL_Comm_LowBatt1_Periods, 0x11C8E, 1, true),
    timer(CL_Comm_LowBatt2_Periods, 0x11C8F, 1, true),
    volts(CL_Comm_Volt_Threshold1, 0x11C90),
    volts(CL_Comm_Volt_Threshold2, 0x11C91),
    option(CL_Comm_Volt_Normal_Disp, 0x10F05, 0, 2, "GI_Sheet_Sel_Comm_Volt_Disp"),
    option(CL_Comm_Volt_Threshold1_Disp, 0x10F05, 2, 2, "GI_Sheet_Sel_Comm_Volt_Disp"),
    option(CL_Comm_Volt_Threshold2_Disp, 0x10F05, 4, 2, "GI_Sheet_Sel_Comm_Volt_Disp"),

    // Functions
    onOff(CL_Comm_TRDataOut, 0x10F06, 0),
    onOff(CL_Comm_Tactical, 0x10F06, 1),
    others(onOff(CL_Comm_Wide, 0x10E97, 6)),
    others(onOff(CL_Comm_Middle, 0x10E97, 5)),
    count(CL_Comm_Sql_Tight_Ofs, 0x10F07, 0, 31),
    option(CL_Comm_DTMFDec_InputSet, 0x10F06, 2, 2, "GI_Sheet_Sel_Comm_DTMFDec_InputSet"),
    option(CL_Comm_AutoTx_MicSel, 0x10F06, 4, 1, "GI_Sheet_Sel_Comm_AutoTx_MicSel"),
    onOff(CL_Common_Etc_AutoRecovery, 0x10F06, 5),
    onOff(CL_Comm_FrontSpeaker, 0x10F06, 6),
    onOff(CL_Comm_ExtController, 0x10F06, 7),
    // The channel columns follow it.
    others({.label = CL_Comm_Digital_Function,
            .storage = CellStorage::model(digitalFunction, setDigitalFunction),
            .codec = editOption(kOnOff, 1)}),
};

} // namespace

std::span<const CellBinding> commonSettingsBindings() { return kRows; }
