#include "bindings/DigitalSettingsBindings.h"

#include "bindings/SettingRows.h"
#include "bindings/SettingRules.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelOffsets.h"
#include "codecs/HexCodecs.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TimeCodecs.h"
#include "image/BitField.h"

#include <string>

// Where the common digital settings live in the working image. They travel
// to the radio with the LMR model's blocks only, so only that model's tree
// offers them. Words are big-endian, as the radio keeps them.
//
// Fixed by the radio:
//   0x176F2-0x176F3  (block 59) entry of the individual-ID list the power
//                    on/off status goes to, counted from 0 (the list's
//                    block operations keep it on its entry)
//                                                  CL_Digi_Status_Set_PowerStatID
//   0x1770E          (block 66) call alert action  CL_Digi_CallAlert_Action
//
// Chosen in the digital blocks (a byte or bit not named here is free):
// Block 37 (0x15DB6, 33 bytes)
//   0x15DB6-7  own unit ID                           CL_Digi_Config_Unit_Hex/_Dec
//   0x15DB8-9  lowest unit ID the keypad may call    CL_Digi_Ind_Op_Enc_Min
//   0x15DBA-B  highest unit ID the keypad may call   CL_Digi_Ind_Op_Enc_Max
//   0x15DBC-D  lowest talk group blocked             CL_Digi_Grp_Set_BlockDecode_Min
//   0x15DBE-F  highest talk group blocked            CL_Digi_Grp_Set_BlockDecode_Max
//   0x15DC0-1  all-call ID sent (hex)                CL_Digi_Expert_TxAllCall
//   0x15DC2-3  all-call ID received (hex)            CL_Digi_Expert_RxAllCall
//   0x15DC4    b7 global call  b6 call beep  b5 group call beep  b4 emergency
//              text  b3 emergency beep  b2 ID display form  b1 call type
//              reset  b0 clear-down beep             CL_Digi_Config_…
//   0x15DC5    b7-6 call type  b5 decode comparison  b4 log individual calls
//              b3 ID memory recall  b2 ID edit  b1 show caller's unit ID
//              b0 block decode                       CL_Digi_Config_/Ind_/Grp_Set_
//   0x15DC6    b7 group display mode  b6 show talk group  b5 show caller's
//              unit ID  b4 show while transmitting; b3-0 free  CL_Digi_Grp_Op_Disp_…
//   0x15DC7    group display timer, 1 s, 0 = off   CL_Digi_Grp_Op_Disp_Timer
//   0x15DC8    group hang time, 0.1 s               CL_Digi_Grp_Op_Hang
//   0x15DC9    b7-4 preamble length  b3-0 emergency transmissions less one
//   0x15DCA    beep repeat timer, 1 s, 0 = off      CL_Digi_Config_BeepRepeatTimer
//   0x15DCB    call type reset timer, 1 s           CL_Digi_Config_ResetTimer
//   0x15DCC    b7-4 attempts less one; b3-0 free            CL_Digi_Config_Attempt_No
//   0x15DCD    acknowledgement transmit delay, 10 ms
//   0x15DCE    acknowledgement receive wait, 0.1 s
//   0x15DCF    SS wait, 10 ms      0x15DD0  FSSP wait, 10 ms
//   0x15DD1    not used: the layout refills it when it is zero
//   0x15DD2    T_ACK wait, 10 ms   0x15DD3  T_LONG wait, 0.1 s
//   0x15DD4    T_SHORT wait, 10 ms
//   0x15DD5    talk-back timer, 1 s, 0 = off        CL_Digi_Option_TalkBackTimer
//   0x15DD6    b7 talk-back receive type  b6 talk-back beep  b5 ANI over the
//              ringer  b4 talk permit tone  b3 call log  b2-1 log type
//              b0 position with log-off
// Block 68 (0x17797, 26 bytes; 0x17797-0x1779D and 0x1779F-0x177A1 are
// refilled by the layout when zero and stay unused, 0x1779E is free)
//   0x177A2    trunking busy wait, 1 s   0x177A3  group wait, 1 s
//   0x177A4    random access timer, 0.1 s
//   0x177A5    b7-4 random access retries  b3 receive beep  b1-0 position
//              sentence; b2 free
//   0x177A6    status: b7 allow poll  b6 answer poll  b5 log  b4 request
//              acknowledgement  b3 send data with status; b2-0 free
//   0x177A7    status at power on (0 off, 1-100)
//   0x177A8    status at power off (0 off, 1-100)
//   0x177A9    status sent with data (0 off, 1-100)
//   0x177AA    short data: b7 receive  b6 ringer  b5 log  b4 request ack;
//              call alert: b3 receive  b2 send  b1 ringer  b0 show icon
//   0x177AB    call alert: b7 log  b6 AUX  b5 request ack; radio check:
//              b4 receive  b3 send; b2 stun send  b1 stun mode  b0 kill send
//   0x177AC    b7 revive send; remote monitor: b6 receive  b5 send  b4 mode;
//              b3-0 free
//   0x177AD    remote monitor transmit time, 1 s
//   0x177AE    b7-4 frame sync (38) attack  b3-0 frame sync (20) attack
//   0x177AF    b7-4 N5 bit errors  b3-0 N6 bit errors
//   0x177B0    b7-4 N7 bit errors; b3-0 free
// Blocks 52 to 55 (0x17711-0x17718; 0x17718 is refilled when zero, unused)
//   0x17711 N7 counter  0x17712 N5 counter  0x17713 resync counter
//   0x17714 link establishment time, 10 ms  0x17715 lag timer, 10 ms
//   0x17716 RAN detect count  0x17717 RAN undetect count
// Free: block 37 none beyond the bits above; blocks 58, 61, 62, 63 (0x15DB0,
// 0x15DB5; 0x15DB1-0x15DB4 are refilled when zero), 66 (0x1770B bits 7-3,
// 0x1770C, 0x1770D) and 67; block 59 0x176EF-0x176F1 and 0x176F4.

namespace {

using setting_rules::outsideRange;

constexpr const char *kTimerOff = "GI_AppInd_TimerOff";

// --- Places -------------------------------------------------------------------

constexpr std::int32_t kUnitId = 0x15DB6;
constexpr std::int32_t kCallableFrom = 0x15DB8;
constexpr std::int32_t kCallableTo = 0x15DBA;
constexpr std::int32_t kBlockedFrom = 0x15DBC;
constexpr std::int32_t kBlockedTo = 0x15DBE;
constexpr std::int32_t kTxAllCall = 0x15DC0;
constexpr std::int32_t kRxAllCall = 0x15DC2;
constexpr std::int32_t kConfig = 0x15DC4;
constexpr std::int32_t kCalls = 0x15DC5;
constexpr std::int32_t kGroupDisplay = 0x15DC6;
constexpr std::int32_t kGroupDisplayTimer = 0x15DC7;
constexpr std::int32_t kHangTime = 0x15DC8;
constexpr std::int32_t kPreambleEmergency = 0x15DC9;
constexpr std::int32_t kBeepRepeat = 0x15DCA;
constexpr std::int32_t kCallTypeTimer = 0x15DCB;
constexpr std::int32_t kAttempts = 0x15DCC;
constexpr std::int32_t kAckTxDelay = 0x15DCD;
constexpr std::int32_t kAckRxWait = 0x15DCE;
constexpr std::int32_t kSsWait = 0x15DCF;
constexpr std::int32_t kFsspWait = 0x15DD0;
constexpr std::int32_t kAckWait = 0x15DD2;
constexpr std::int32_t kLongWait = 0x15DD3;
constexpr std::int32_t kShortWait = 0x15DD4;
constexpr std::int32_t kTalkBackTimer = 0x15DD5;
constexpr std::int32_t kTalkBackLog = 0x15DD6;

constexpr std::int32_t kTrunkBusyWait = 0x177A2;
constexpr std::int32_t kTrunkGroupWait = 0x177A3;
constexpr std::int32_t kRandomAccessTimer = 0x177A4;
constexpr std::int32_t kTrunkGps = 0x177A5;
constexpr std::int32_t kStatus = 0x177A6;
constexpr std::int32_t kPowerOnStatus = 0x177A7;
constexpr std::int32_t kPowerOffStatus = 0x177A8;
constexpr std::int32_t kDataStatus = 0x177A9;
constexpr std::int32_t kDataAlert = 0x177AA;
constexpr std::int32_t kRemote = 0x177AB;
constexpr std::int32_t kMonitor = 0x177AC;
constexpr std::int32_t kMonitorTime = 0x177AD;
constexpr std::int32_t kAttack = 0x177AE;
constexpr std::int32_t kBitErrors = 0x177AF;
constexpr std::int32_t kMoreBitErrors = 0x177B0;
constexpr std::int32_t kCounters = 0x17711;

constexpr std::int32_t kCallAlertAction = 0x1770E;
constexpr std::int32_t kStatusEntry = channel_offsets::kDigIndEntryWord;

constexpr std::int32_t kLastStatus = 100;

// --- Settings that count only while another is on --------------------------------

// The switch of each dependent setting; a setting with two counts while
// either is on.
struct Switch {
    BitField first;
    BitField second;
};

constexpr BitField kNone{0, 0, 0};

enum Applies : std::int32_t {
    kWhileBlockDecode,
    kWhileCallTypeResets,
    kWhileGroupDisplay,
    kWhileTalkBack,
    kWhileCallLog,
    kWhilePowerStatus,
    kWhileDataStatus,
    kWhileCallAlertReceived,
    kWhileStunSent,
    kWhileMonitorReceived,
};

constexpr Switch kSwitches[] = {
    {BitField::bit(kCalls, 0), kNone},
    {BitField::bit(kConfig, 1), kNone},
    {BitField::bit(kGroupDisplay, 6), BitField::bit(kGroupDisplay, 5)},
    {BitField::bytes(kTalkBackTimer, 1), kNone},
    {BitField::bit(kTalkBackLog, 3), kNone},
    {BitField::bytes(kPowerOnStatus, 1), BitField::bytes(kPowerOffStatus, 1)},
    {BitField::bit(kStatus, 3), kNone},
    {BitField::bit(kDataAlert, 3), kNone},
    {BitField::bit(kRemote, 2), kNone},
    {BitField::bit(kMonitor, 6), kNone},
};

bool applies(const indCellHandler &frame, std::int32_t when)
{
    const cmcEeprom &image = frame.host.WorkingImage();
    const Switch &on = kSwitches[when];
    return on.first.Read(image) != 0 || (on.second.IsValid() && on.second.Read(image) != 0);
}

CellBinding when(CellBinding row, Applies condition)
{
    row.argument = condition;
    row.rule = setting_rules::silverUnlessApplies<applies>;
    return row;
}

// The same for a value with a range: a stored value beyond it keeps its
// warning mark while the setting is silver.
template <std::int32_t Minimum, std::int32_t Maximum>
void outsideRangeOrSilver(indCellHandler &frame, const CellBinding &row, std::int32_t value)
{
    outsideRange<Minimum, Maximum>(frame, row, value);
    setting_rules::silverUnlessApplies<applies>(frame, row, value);
}

template <std::int32_t Minimum, std::int32_t Maximum>
CellBinding whenInRange(CellBinding row, Applies condition)
{
    row.argument = condition;
    row.rule = outsideRangeOrSilver<Minimum, Maximum>;
    return row;
}

// --- Row makers ------------------------------------------------------------------

// An option list whose last entry is `Last`: a value a radio stored beyond
// it shows the warning mark.
template <std::int32_t Last>
CellBinding choice(std::int32_t label, std::int32_t at, int lowestBit, int width, const char *list)
{
    CellBinding row = imageOption(label, at, lowestBit, width, list);
    row.rule = outsideRange<0, Last>;
    return row;
}

// A count of 4 bits, the high or the low half of its byte.
CellBinding nibbleCount(std::int32_t label, std::int32_t at, int lowestBit)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, lowestBit, 4),
            .codec = editIntegerSaturate(0, 15)};
}

// A count of at least one, kept as the count less one in 4 bits: a blank
// image means once.
CellBinding countFromOne(std::int32_t label, std::int32_t at, int lowestBit)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, lowestBit, 4),
            .codec = editInteger({.minimum = 0, .maximum = 15, .offset = 1, .saturate = true})};
}

CellBinding byteCount(std::int32_t label, std::int32_t at)
{
    return {.label = label,
            .storage = CellStorage::imageByte(at),
            .codec = editIntegerSaturate(0, 255)};
}

// A status message by its number, or none.
CellBinding statusNumber(std::int32_t label, std::int32_t at)
{
    CellBinding row = imageTimer(label, at, editTimerByte(1, 0, kLastStatus, kTimerOff, 3));
    row.rule = outsideRange<0, kLastStatus>;
    return row;
}

// --- Unit IDs ----------------------------------------------------------------------

// The limits of unit IDs come from the text database, read when the handler
// starts; a stored ID outside them is marked. The row's argument: 1 for the
// hexadecimal form.
void unitIdMark(indCellHandler &frame, const CellBinding &, std::int32_t id)
{
    if (id < frame.unitIdMin || id > frame.unitIdMax)
        frame.SetError();
}

void runUnitId(indCellHandler &frame, const CellBinding &row)
{
    CellBinding bounded = row;
    bounded.codec = row.argument != 0 ? editHexValue(frame.unitIdMin, frame.unitIdMax, 4)
                                      : editIntegerWrap(frame.unitIdMin, frame.unitIdMax);
    CellBinding::RunValue(frame, bounded);
}

CellBinding unitId(std::int32_t label, std::int32_t at, bool hex)
{
    return {.label = label,
            .run = runUnitId,
            .storage = CellStorage::imageBits(at, 0, 16),
            .argument = hex ? 1 : 0,
            .rule = unitIdMark};
}

// A range of unit IDs or talk groups: the first word is the lowest, the
// second the highest, and 0 leaves that end open (a blank image limits
// nothing). Ends that cross are marked on both, as is a unit ID outside the
// limits; either end redraws the other.
enum RangeEnd : std::int32_t { kLowEnd, kHighEnd };

std::int32_t otherEnd(const indCellHandler &frame, const CellBinding &row)
{
    const std::int32_t at = row.storage.offset + (row.argument == kLowEnd ? 2 : -2);
    return static_cast<std::int32_t>(BitField::bytes(at, 2).Read(frame.host.WorkingImage()));
}

bool rangeCrossed(const indCellHandler &frame, const CellBinding &row, std::int32_t value)
{
    const std::int32_t other = otherEnd(frame, row);
    if (value == 0 || other == 0)
        return false;
    return row.argument == kLowEnd ? value > other : value < other;
}

void unitIdRangeMark(indCellHandler &frame, const CellBinding &row, std::int32_t id)
{
    if ((id != 0 && id < frame.unitIdMin) || id > frame.unitIdMax || rangeCrossed(frame, row, id))
        frame.SetError();
}

void runUnitIdRangeEnd(indCellHandler &frame, const CellBinding &row)
{
    CellBinding bounded = row;
    bounded.codec = editIntegerWrap(0, frame.unitIdMax);
    CellBinding::RunValue(frame, bounded);
}

CellBinding callableEnd(std::int32_t label, std::int32_t at, RangeEnd end)
{
    return redrawsAll({.label = label,
                       .run = runUnitIdRangeEnd,
                       .storage = CellStorage::imageBits(at, 0, 16),
                       .argument = end,
                       .rule = unitIdRangeMark});
}

void talkGroupRangeLook(indCellHandler &frame, const CellBinding &row, std::int32_t group)
{
    if (rangeCrossed(frame, row, group))
        frame.SetError();
    if (frame.IsDraw() && !applies(frame, kWhileBlockDecode))
        frame.ShowSilver();
}

constexpr std::int32_t kLastTalkGroup = 0xFFFF;

CellBinding blockedEnd(std::int32_t label, std::int32_t at, RangeEnd end)
{
    return redrawsAll({.label = label,
                       .storage = CellStorage::imageBits(at, 0, 16),
                       .codec = editIntegerWrap(0, kLastTalkGroup),
                       .argument = end,
                       .rule = talkGroupRangeLook});
}

CellBinding allCallId(std::int32_t label, std::int32_t at)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, 0, 16),
            .codec = editHexValue(0, 0xFFFF, 4)};
}

// The individual-ID entry is named from 1, as the list numbers its rows;
// an entry beyond the list is marked, and the entry counts only while a
// power status is sent.
constexpr std::int32_t kLastEntry = channel_offsets::kListCapacity - 1;

void statusEntryLook(indCellHandler &frame, const CellBinding &row, std::int32_t entry)
{
    const auto count = static_cast<std::int32_t>(
        BitField::bytes(channel_offsets::kDigIndCount, 2).Read(frame.host.WorkingImage()));
    if (entry >= count)
        frame.SetError();
    setting_rules::silverUnlessApplies<applies>(frame, row, entry);
}

// The call alert action: an action number a radio stored beyond the list
// is marked; the action counts only while call alerts are received.
constexpr std::int32_t kLastAction = 37;

const CellBinding kRows[] = {
    // The radio's own unit ID and its configuration.
    unitId(CL_Digi_Config_Unit_Hex, kUnitId, true),
    [] {
        CellBinding row = unitId(CL_Digi_Config_Unit_Dec, kUnitId, false);
        row.flags = CellBinding::kSharedBits;
        return row;
    }(),
    imageOnOff(CL_Digi_Config_Grobal, kConfig, 7),
    imageOnOff(CL_Digi_Config_Beep, kConfig, 6),
    imageOnOff(CL_Digi_Config_BeepG, kConfig, 5),
    imageOnOff(CL_Digi_Config_Emer_Text, kConfig, 4),
    imageOnOff(CL_Digi_Config_Emer_Beep, kConfig, 3),
    imageOption(CL_Digi_Config_ID_Disp, kConfig, 2, 1, "GI_Sheet_Sel_Digital_IdDisplay"),
    redrawsAll(imageOnOff(CL_Digi_Config_CallTypeReset, kConfig, 1)),
    imageOnOff(CL_Digi_Config_ClearDownBeep, kConfig, 0),
    choice<3>(CL_Digi_Config_CallTypeMode, kCalls, 6, 2, "GI_Sheet_Sel_Digital_CallType"),
    imageOption(CL_Digi_Config_DecodeComparson, kCalls, 5, 1, "GI_Sheet_Sel_Digital_DecodeCompare"),
    countFromOne(CL_Digi_Config_Emer_Tans, kPreambleEmergency, 0),
    imageSeconds(CL_Digi_Config_BeepRepeatTimer, kBeepRepeat, kTimerOff),
    when(imageSeconds(CL_Digi_Config_ResetTimer, kCallTypeTimer, nullptr), kWhileCallTypeResets),

    // Individual calls.
    imageOnOff(CL_Digi_Ind_Set_LogForInd, kCalls, 4),
    imageOnOff(CL_Digi_Ind_Op_Idmr, kCalls, 3),
    imageOnOff(CL_Digi_Ind_Op_Edit, kCalls, 2),
    imageOnOff(CL_Digi_Ind_Op_Disp_RecieveUId, kCalls, 1),
    callableEnd(CL_Digi_Ind_Op_Enc_Min, kCallableFrom, kLowEnd),
    callableEnd(CL_Digi_Ind_Op_Enc_Max, kCallableTo, kHighEnd),

    // Group calls.
    redrawsAll(imageOnOff(CL_Digi_Grp_Set_BlockDecode, kCalls, 0)),
    blockedEnd(CL_Digi_Grp_Set_BlockDecode_Min, kBlockedFrom, kLowEnd),
    blockedEnd(CL_Digi_Grp_Set_BlockDecode_Max, kBlockedTo, kHighEnd),
    imageTenthSeconds(CL_Digi_Grp_Op_Hang, kHangTime),
    nibbleCount(CL_Digi_Grp_Op_Pre_Len, kPreambleEmergency, 4),
    when(imageOption(CL_Digi_Grp_Op_Disp_Mode, kGroupDisplay, 7, 1, "GI_Sheet_Sel_Digital_AniMode"),
         kWhileGroupDisplay),
    redrawsAll(imageOnOff(CL_Digi_Grp_Op_Disp_Recieve, kGroupDisplay, 6)),
    redrawsAll(imageOnOff(CL_Digi_Grp_Op_Disp_RecieveUId, kGroupDisplay, 5)),
    when(imageSeconds(CL_Digi_Grp_Op_Disp_Timer, kGroupDisplayTimer, kTimerOff),
         kWhileGroupDisplay),
    when(imageOnOff(CL_Digi_Grp_Op_Disp_Ptt, kGroupDisplay, 4), kWhileGroupDisplay),

    // Status messages.
    imageOnOff(CL_Digi_Status_Set_AllowPoll, kStatus, 7),
    imageOnOff(CL_Digi_Status_Set_PollTX, kStatus, 6),
    imageOnOff(CL_Digi_Status_Set_Log, kStatus, 5),
    imageOnOff(CL_Digi_Status_Set_RequestAck, kStatus, 4),
    redrawsAll(statusNumber(CL_Digi_Status_Set_PowerONStat, kPowerOnStatus)),
    redrawsAll(statusNumber(CL_Digi_Status_Set_PowerOFFStat, kPowerOffStatus)),
    {.label = CL_Digi_Status_Set_PowerStatID,
     .storage = CellStorage::imageBits(kStatusEntry, 0, 16),
     .codec = editInteger({.minimum = 0, .maximum = kLastEntry, .offset = 1, .saturate = true}),
     .argument = kWhilePowerStatus,
     .rule = statusEntryLook},
    redrawsAll(imageOnOff(CL_Digi_Simul_Send_Data, kStatus, 3)),
    whenInRange<0, kLastStatus>(statusNumber(CL_Digi_Simul_Send_Status_Num, kDataStatus),
                                kWhileDataStatus),

    // Short data messages.
    imageOnOff(CL_Digi_SDM_Setting_RX, kDataAlert, 7),
    imageOnOff(CL_Digi_SDM_Setting_Ringer, kDataAlert, 6),
    imageOnOff(CL_Digi_SDM_Setting_Log, kDataAlert, 5),
    imageOnOff(CL_Digi_SDM_Setting_RequestAck, kDataAlert, 4),

    // Call alert.
    redrawsAll(imageOnOff(CL_Digi_CallAlert_RX, kDataAlert, 3)),
    imageOnOff(CL_Digi_CallAlert_TX, kDataAlert, 2),
    when(imageOnOff(CL_Digi_CallAlert_Ringer, kDataAlert, 1), kWhileCallAlertReceived),
    when(imageOnOff(CL_Digi_CallAlert_ShowIcon, kDataAlert, 0), kWhileCallAlertReceived),
    when(imageOnOff(CL_Digi_CallAlert_Log, kRemote, 7), kWhileCallAlertReceived),
    when(imageOnOff(CL_Digi_CallAlert_Aux, kRemote, 6), kWhileCallAlertReceived),
    {.label = CL_Digi_CallAlert_Action,
     .storage = CellStorage::imageByte(kCallAlertAction),
     .codec = editOption("GI_Sheet_Sel_Digital_CAlert_Action_Popup", FlexMark),
     .argument = kWhileCallAlertReceived,
     .rule = outsideRangeOrSilver<0, kLastAction>},
    imageOnOff(CL_Digi_CallAlert_RequestAck, kRemote, 5),

    // Remote control.
    imageOnOff(CL_Digi_RadioChk_RX, kRemote, 4),
    imageOnOff(CL_Digi_RadioChk_TX, kRemote, 3),
    redrawsAll(imageOnOff(CL_Digi_Stun_TX, kRemote, 2)),
    when(imageOption(CL_Digi_Stun_Mode, kRemote, 1, 1, "GI_Sheet_Sel_Digital_StunMode"),
         kWhileStunSent),
    imageOnOff(CL_Digi_Kill_TX, kRemote, 0),
    imageOnOff(CL_Digi_Revive_TX, kMonitor, 7),
    redrawsAll(imageOnOff(CL_Digi_RMONI_RX, kMonitor, 6)),
    imageOnOff(CL_Digi_RMONI_TX, kMonitor, 5),
    when(imageOption(CL_Digi_RMONI_Mode, kMonitor, 4, 1, "GI_Sheet_Sel_Digital_MonitorMode"),
         kWhileMonitorReceived),
    when(imageSeconds(CL_Digi_RMONI_TXTimer, kMonitorTime, nullptr), kWhileMonitorReceived),

    // Position.
    imageOnOff(CL_Digi_GPS_SendWithLogoff, kTalkBackLog, 0),
    choice<2>(CL_Digi_GPS_Sentence, kTrunkGps, 0, 2, "GI_Sheet_Sel_Digital_GpsSentence"),

    // Trunking.
    imageSeconds(CL_Digi_Trunk_SU_Busy_Wait, kTrunkBusyWait, nullptr),
    imageSeconds(CL_Digi_Trunk_SU_Grp_Wait, kTrunkGroupWait, nullptr),
    imageTenthSeconds(CL_Digi_Trunk_SU_RAccess_Timer, kRandomAccessTimer),
    nibbleCount(CL_Digi_Trunk_SU_RAccess_Retry, kTrunkGps, 4),
    imageOnOff(CL_Digi_Trunk_SU_ReceiveBeep, kTrunkGps, 3),

    // Talk-back and ANI.
    redrawsAll(imageSeconds(CL_Digi_Option_TalkBackTimer, kTalkBackTimer, kTimerOff)),
    when(imageOption(CL_Digi_Option_TalkBackRXType, kTalkBackLog, 7, 1,
                     "GI_Sheet_Sel_Digital_TalkBackRx"),
         kWhileTalkBack),
    when(imageOnOff(CL_Digi_Option_TalkBackBeep, kTalkBackLog, 6), kWhileTalkBack),
    imageOnOff(CL_Digi_ANI_OverRinger, kTalkBackLog, 5),
    imageOnOff(CL_Digi_ANI_TX_RTTBeep, kTalkBackLog, 4),

    // Call log.
    redrawsAll(imageOnOff(CL_Digi_CallLog_Log, kTalkBackLog, 3)),
    whenInRange<0, 2>(
        choice<2>(CL_Digi_CallLog_LogActType, kTalkBackLog, 1, 2, "GI_Sheet_Sel_Digital_LogType"),
        kWhileCallLog),

    // Protocol timing (the expert sheet).
    countFromOne(CL_Digi_Config_Attempt_No, kAttempts, 4),
    imageHundredthSeconds(CL_Digi_Config_Ack_TX_Delay, kAckTxDelay),
    imageTenthSeconds(CL_Digi_Config_Ack_RX_Wait, kAckRxWait),
    imageHundredthSeconds(CL_Digi_Config_SS_Wait, kSsWait),
    imageHundredthSeconds(CL_Digi_Config_FSSP_Wait, kFsspWait),
    imageHundredthSeconds(CL_Digi_Config_T_ACK_Wait, kAckWait),
    imageTenthSeconds(CL_Digi_Config_T_LONG_Wait, kLongWait),
    imageHundredthSeconds(CL_Digi_Config_T_SHORT_Wait, kShortWait),
    nibbleCount(CL_Digi_Expert_FS38_Attack, kAttack, 4),
    nibbleCount(CL_Digi_Expert_FS20_Attack, kAttack, 0),
    nibbleCount(CL_Digi_Expert_N5_BitError, kBitErrors, 4),
    nibbleCount(CL_Digi_Expert_N6_BitError, kBitErrors, 0),
    nibbleCount(CL_Digi_Expert_N7_BitError, kMoreBitErrors, 4),
    byteCount(CL_Digi_Expert_N7_Counter, kCounters),
    byteCount(CL_Digi_Expert_N5_Counter, kCounters + 1),
    byteCount(CL_Digi_Expert_Resync_Counter, kCounters + 2),
    imageHundredthSeconds(CL_Digi_Expert_LET, kCounters + 3),
    imageHundredthSeconds(CL_Digi_Expert_Lag_Timer, kCounters + 4),
    byteCount(CL_Digi_Expert_RAN_Det_Count, kCounters + 5),
    byteCount(CL_Digi_Expert_RAN_Undet_Count, kCounters + 6),
    allCallId(CL_Digi_Expert_TxAllCall, kTxAllCall),
    allCallId(CL_Digi_Expert_RxAllCall, kRxAllCall),
};

} // namespace

std::span<const CellBinding> digitalSettingsBindings() { return kRows; }
