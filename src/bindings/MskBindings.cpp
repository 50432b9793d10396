#include "bindings/MskBindings.h"

#include "bindings/SettingRows.h"
#include "bindings/SettingRules.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/datQsigAdr.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/TimeCodecs.h"
#include "image/BitField.h"

#include <algorithm>
#include <array>
#include <cstddef>

// Where the MSK settings live in the working image.
//
// The radio fixes the address plan and the two base IDs (16-bit words,
// big-endian, addresses 0..4095):
//   block 26 (0x11E1E, 8 bytes)
//     0x11E1E  group start address   0x11E20  common address
//     0x11E22  killer address        0x11E24  country code (one byte)
//     0x11E25  free
//   block 24 (0x11FF6, 16 bytes): 0x11FF6 fixed base ID for status messages,
//     0x11FF8 fixed base ID for positions; the rest is the keys' and the
//     expert settings' (KeyDisplayBindings.cpp)
// and its lists are records: the ID groups (kind 13, block 29), the call
// list (kind 14, blocks 27 and 28), the status messages (kind 15, blocks 30
// and 31) and the short texts (kind 16, blocks 32 and 33).
//
// The status blocks hold 24 records of 16 bytes, of which the list uses 23;
// the last record of each keeps the protocol's timers and counts and the
// configuration:
//   block 30, record 23 (0x12176..0x12185)
//     0x12176  b7-4 call repeats NA, b3-0 data repeats ND
//     0x12177  b7-4 message repeats NM, b3-0 acknowledgement repeats NR
//     0x12178  b7-4 sync bit errors N1, b3-0 block bit errors N2
//     0x12179  b7-4 random access spread K, b0 busy check; b3-1 free
//     0x1217A  TAC   0x1217B  TOF   0x1217C  TOI   0x1217D  TWF
//     0x1217E  TWI   0x1217F  TRV   0x12180  TS1   0x12181  TS2
//     0x12182  TS3   0x12183  TF             (all 0.1 s)
//     0x12184  TT    0x12185  TI             (1 s, 0 = off)
//   block 31, record 23 (0x122F6..0x12305)
//     0x122F6  TC, 1 s, 0 = off   0x122F7  TV, 1 s, 0 = off
//     0x122F8  T3, 1 s            0x122F9  dTT, 10 ms
//     0x122FA  link establishment time before an acknowledgement, 10 ms
//     0x122FB  link establishment time before a call, 10 ms
//     0x122FC  b7-6 PTT call, b5 pre-emphasis, b4 sync word, b3 PTT side
//              tone, b2 mute MSK tones, b1 ANI display, b0 PTT enabled at
//              connection only
//     0x122FD  beep repeat timer, 1 s, 0 = off
//     0x122FE  call duration timer, 1 s, 0 = off
//     0x122FF  ANI display timer, 1 s, 0 = off
//     0x12300  status: b7 sent on priority channel A, b6 sent to the fixed
//              base, b5 at power on, b4 at power off, b3 at the dimmer input;
//              position: b2 on, b1 sent to the fixed base, b0 automatic
//     0x12301  position sent with: b7 calls, b6 log-off, b5 status messages,
//              b4 short texts, b3 acknowledgements, b2 emergency, b1 man down;
//              b0 time marker
//     0x12302  automatic position interval, 10 s
//     0x12303  b1-0 position sentence; b7-2 free
//     0x12304..0x12305  free

namespace {

using setting_rules::outsideRange;

constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char *kTimerOff = "GI_AppInd_TimerOff";
constexpr const char *kAlertList = "GI_Sheet_Sel_MSK_Alert";
constexpr const char *kSendToList = "GI_Sheet_Sel_MSK_SendTo";
constexpr std::int32_t kLastAlert = 4;
constexpr std::int32_t kLastBell = 2;
constexpr std::int32_t kLastInputDigit = 4;
constexpr std::int32_t kLastCountryCode = 9;

// --- The address plan --------------------------------------------------------

constexpr std::int32_t kGroupStart = 0x11E1E;
constexpr std::int32_t kCommonAddress = 0x11E20;
constexpr std::int32_t kKillerAddress = 0x11E22;
constexpr std::int32_t kCountryCode = 0x11E24;
constexpr std::int32_t kStatusBaseId = 0x11FF6;
constexpr std::int32_t kGpsBaseId = 0x11FF8;

// Entries of the plan's range table: any 12-bit address, and the individual
// addresses below the group start (the killer's and the base IDs' range).
constexpr int kAnyAddress = 1;
constexpr int kIndividualAddress = datQsigAdr::kKillerRange;

CellCodec addressCodec() { return editCount(0, datQsigAdr::kHighestAddress, 4); }

bool outsidePlan(indCellHandler &frame, int entry, std::int32_t address)
{
    return !datQsigAdr(frame.host.WorkingImage()).Allows(entry, address);
}

// An address outside the range the plan gives its cell: the radio takes it
// for the other kind of address, or for none (an invalid stored address
// reads as 65535). The row's argument is the range's entry; list rows add
// their index to it.
void addressMark(indCellHandler &frame, const CellBinding &row, std::int32_t address)
{
    if (outsidePlan(frame, row.argument, address))
        frame.SetError();
}

void rowAddressMark(indCellHandler &frame, const CellBinding &row, std::int32_t address)
{
    if (outsidePlan(frame, row.argument + frame.index, address))
        frame.SetError();
}

// A 16-bit address of the image; the row's argument is for its rule.
CellBinding address(std::int32_t label, std::int32_t at, std::int32_t argument,
                    CellBinding::Rule rule = addressMark)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, 0, 16),
            .codec = addressCodec(),
            .argument = argument,
            .rule = rule};
}

// Row 0 of the individual range starts at 0 and row 1 ends just below the
// group start; the group start moves them, they are not edited.
void runIndividualRange(indCellHandler &frame, const CellBinding &)
{
    const datQsigAdr plan(frame.host.WorkingImage());
    if (plan.GroupStart() == 0) {
        if (frame.IsDraw())
            frame.ShowNotApplicable("----");
        return;
    }
    frame.SetOutput(plan.IndividualRangeText(frame.index));
}

// Row 0 is the group start, which every address cell's range follows; row 1
// the end of the group range, 4095.
void runGroupRange(indCellHandler &frame, const CellBinding &row)
{
    if (frame.index == 0)
        CellBinding::RunValue(frame, row);
    else
        frame.SetOutput(frame.index == 1 ? datQsigAdr::GroupRangeEndText() : "error");
}

// --- Settings that apply only while another is on ------------------------------

constexpr std::int32_t kCodec = 0x122FC;
constexpr std::int32_t kSending = 0x12300;
constexpr std::int32_t kGpsSentWith = 0x12301;

constexpr BitField kAniDisplay = BitField::bit(kCodec, 1);
constexpr BitField kStatusToBase = BitField::bit(kSending, 6);
constexpr BitField kGpsOn = BitField::bit(kSending, 2);
constexpr BitField kGpsToBase = BitField::bit(kSending, 1);
constexpr BitField kGpsAutomatic = BitField::bit(kSending, 0);

enum Applies : std::int32_t {
    kAlways,
    kWhileAniShown,
    kWhenStatusGoesToBase,
    kWhileGpsOn,
    kWhenGpsGoesToBase,
    kWhileGpsAutomatic,
};

bool applies(const indCellHandler &frame, std::int32_t when)
{
    const cmcEeprom &image = frame.host.WorkingImage();
    auto on = [&image](const BitField &bit) { return bit.Read(image) != 0; };
    switch (when) {
    case kWhileAniShown:
        return on(kAniDisplay);
    case kWhenStatusGoesToBase:
        return on(kStatusToBase);
    case kWhileGpsOn:
        return on(kGpsOn);
    case kWhenGpsGoesToBase:
        return on(kGpsOn) && on(kGpsToBase);
    case kWhileGpsAutomatic:
        return on(kGpsOn) && on(kGpsAutomatic);
    default:
        return true;
    }
}

CellBinding when(CellBinding row, Applies condition)
{
    row.argument = condition;
    row.rule = setting_rules::silverUnlessApplies<applies>;
    return row;
}

// A base ID names one radio: an individual address, whether or not it is
// used at the moment.
void baseIdLook(indCellHandler &frame, const CellBinding &row, std::int32_t id)
{
    if (outsidePlan(frame, kIndividualAddress, id))
        frame.SetError();
    setting_rules::silverUnlessApplies<applies>(frame, row, id);
}

// --- Timers and counts -------------------------------------------------------

constexpr std::int32_t kCounts = 0x12176;
constexpr std::int32_t kTenthTimers = 0x1217A;
constexpr std::int32_t kLongTimers = 0x12184;
constexpr std::int32_t kCallTimers = 0x122F6;
constexpr std::int32_t kShortTimers = 0x122F9;
constexpr std::int32_t kDecoderTimers = 0x122FD;
constexpr std::int32_t kGpsInterval = 0x12302;
constexpr std::int32_t kGpsSentence = 0x12303;

// A count of 4 bits, the high or the low half of its byte.
CellBinding nibbleCount(std::int32_t label, std::int32_t at, int lowestBit)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, lowestBit, 4),
            .codec = editIntegerSaturate(0, 15)};
}

// --- Lists -------------------------------------------------------------------

CellBinding listOption(std::int32_t label, std::int32_t datCh::*member, const char *list)
{
    return {
        .label = label, .storage = CellStorage::record(member), .codec = editOption(list, Flex0)};
}

template <std::int32_t Last>
CellBinding listChoice(std::int32_t label, std::int32_t datCh::*member, const char *list)
{
    CellBinding row = listOption(label, member, list);
    row.rule = outsideRange<0, Last>;
    return row;
}

constexpr int kNameWidth = 12;

template <auto Member>
CellBinding name(std::int32_t label)
{
    return {.label = label,
            .storage = CellStorage::recordBytes<Member>(),
            .codec = editName(kNameWidth, NameFill::Spaces)};
}

// A short text goes out in three blocks of four characters, one cell each.
constexpr std::size_t kShortTextBlock = 4;

template <std::size_t Block>
CellStorage shortTextBlock()
{
    CellStorage storage;
    storage.kind = CellStorage::Kind::RecordBytes;
    storage.loadBytes = [](const datCh &record) {
        const auto first = record.Text.begin() + Block * kShortTextBlock;
        return CellBytes(first, first + kShortTextBlock);
    };
    storage.saveBytes = [](datCh &record, std::span<const std::uint8_t> bytes) {
        std::copy_n(bytes.begin(), std::min(bytes.size(), kShortTextBlock),
                    record.Text.begin() + Block * kShortTextBlock);
    };
    return storage;
}

template <std::size_t Block>
CellBinding shortText(std::int32_t label)
{
    return {.label = label,
            .storage = shortTextBlock<Block>(),
            .codec = editName(kShortTextBlock, NameFill::Spaces)};
}

const CellBinding kRows[] = {
    // The address plan.
    {.label = CL_Msk_AdrRange_Individual, .run = runIndividualRange},
    [] {
        CellBinding row = redrawsAll(address(CL_Msk_AdrRange_Group, kGroupStart, kAnyAddress));
        row.run = runGroupRange;
        return row;
    }(),
    address(CL_Msk_AdrRange_Common, kCommonAddress, kAnyAddress),
    address(CL_Msk_AdrRange_Killer, kKillerAddress, kIndividualAddress),
    [] {
        CellBinding row = imageOption(CL_Msk_AdrRange_CountryCode, kCountryCode, 0, 8,
                                      "GI_Sheet_Sel_MSK_Country_Code");
        row.rule = outsideRange<0, kLastCountryCode>;
        return row;
    }(),

    // ID groups: group 0 is the radio's own individual address.
    {.label = CL_Msk_IdGroup_Adr,
     .storage = CellStorage::record(&datCh::Adr),
     .codec = addressCodec(),
     .argument = datQsigAdr::kIdGroupRanges,
     .rule = rowAddressMark},
    name<&datCh::Text>(CL_Msk_IdGroup_Text),
    listChoice<kLastAlert>(CL_Msk_IdGroup_Alert, &datCh::Alert, kAlertList),
    listChoice<kLastBell>(CL_Msk_IdGroup_Bell, &datCh::Bell, "GI_Sheet_Sel_MSK_Bell"),
    listOption(CL_Msk_IdGroup_SFunc, &datCh::Sfunc, kOnOff),

    // Call list.
    {.label = CL_Msk_CallList_Adr,
     .storage = CellStorage::record(&datCh::Adr),
     .codec = addressCodec(),
     .argument = datQsigAdr::kCallListRanges,
     .rule = rowAddressMark},
    listChoice<kLastInputDigit>(CL_Msk_CallList_Digit, &datCh::Digit,
                                "GI_Sheet_Sel_MSK_InputDigit"),
    name<&datCh::Text>(CL_Msk_CallList_Text),
    listOption(CL_Msk_CallList_Update, &datCh::Update, kOnOff),
    listOption(CL_Msk_CallList_Sel, &datCh::Sel, kOnOff),

    // Status messages.
    listChoice<kLastAlert>(CL_Msk_Msg_Status_Beep, &datCh::Beep, kAlertList),
    listOption(CL_Msk_Msg_Status_Horn, &datCh::Horn, kOnOff),
    listOption(CL_Msk_Msg_Status_Auto, &datCh::Auto, kOnOff),
    listOption(CL_Msk_Msg_Status_SFunc, &datCh::Sfunc, kOnOff),
    listOption(CL_Msk_Msg_Status_Rriority, &datCh::Rriority, kOnOff),
    listOption(CL_Msk_Msg_Status_Selection, &datCh::Selection, kOnOff),
    name<&datCh::Text_Rx>(CL_Msk_Msg_Status_Text_Rx),
    name<&datCh::Text_Tx>(CL_Msk_Msg_Status_Text_Tx),

    // Short texts.
    shortText<0>(CL_Msk_Msg_ShortTxtTxMsg_1),
    shortText<1>(CL_Msk_Msg_ShortTxtTxMsg_2),
    shortText<2>(CL_Msk_Msg_ShortTxtTxMsg_3),
    listOption(CL_Msk_Msg_ShortTxtTxMsg_Sel, &datCh::Sel, kOnOff),

    // The protocol's counts and timers.
    nibbleCount(CL_Msk_TimingErr_NA, kCounts, 4),
    nibbleCount(CL_Msk_TimingErr_ND, kCounts, 0),
    nibbleCount(CL_Msk_TimingErr_NM, kCounts + 1, 4),
    nibbleCount(CL_Msk_TimingErr_NR, kCounts + 1, 0),
    imageTenthSeconds(CL_Msk_TimingErr_TAC, kTenthTimers),
    imageTenthSeconds(CL_Msk_TimingErr_TOF, kTenthTimers + 1),
    imageTenthSeconds(CL_Msk_TimingErr_TOI, kTenthTimers + 2),
    imageTenthSeconds(CL_Msk_TimingErr_TWF, kTenthTimers + 3),
    imageTenthSeconds(CL_Msk_TimingErr_TWI, kTenthTimers + 4),
    imageTenthSeconds(CL_Msk_TimingErr_TRV, kTenthTimers + 5),
    imageTenthSeconds(CL_Msk_TimingErr_TS1, kTenthTimers + 6),
    imageTenthSeconds(CL_Msk_TimingErr_TS2, kTenthTimers + 7),
    imageTenthSeconds(CL_Msk_TimingErr_TS3, kTenthTimers + 8),
    imageSeconds(CL_Msk_TimingErr_TI, kLongTimers + 1, kTimerOff),
    nibbleCount(CL_Msk_TimingErr_N1, kCounts + 2, 4),
    nibbleCount(CL_Msk_TimingErr_N2, kCounts + 2, 0),
    nibbleCount(CL_Msk_TimingErr_K, kCounts + 3, 4),
    imageSeconds(CL_Msk_TimingErr_TT, kLongTimers, kTimerOff),
    imageHundredthSeconds(CL_Msk_TimingErr_dTT, kShortTimers),
    imageSeconds(CL_Msk_TimingErr_TC, kCallTimers, kTimerOff),
    imageTenthSeconds(CL_Msk_TimingErr_TF, kTenthTimers + 9),
    imageSeconds(CL_Msk_TimingErr_TV, kCallTimers + 1, kTimerOff),
    imageSeconds(CL_Msk_TimingErr_T3, kCallTimers + 2, nullptr),
    imageOnOff(CL_Msk_TimingErr_BusyCheck, kCounts + 3, 0),
    imageHundredthSeconds(CL_Msk_TimingErr_LetAck, kShortTimers + 1),
    imageHundredthSeconds(CL_Msk_TimingErr_LetCall, kShortTimers + 2),

    // Configuration: encoder and decoder.
    imageOption(CL_Msk_Cfg_Enc_PttCall, kCodec, 6, 2, "GI_Sheet_Sel_MSK_PttCall"),
    imageOnOff(CL_Msk_Cfg_Enc_PreEmphasis, kCodec, 5),
    imageOption(CL_Msk_Cfg_Enc_SyncvWord, kCodec, 4, 1, "GI_Sheet_Sel_MSK_SyncWord"),
    imageOnOff(CL_Msk_Cfg_Enc_PttSideTone, kCodec, 3),
    imageSeconds(CL_Msk_Cfg_Dec_BeepRepeatTimer, kDecoderTimers, kTimerOff),
    imageOnOff(CL_Msk_Cfg_Dec_MuteMskTone, kCodec, 2),
    imageSeconds(CL_Msk_Cfg_Dec_DurationTimer, kDecoderTimers + 1, kTimerOff),
    redrawsAll(imageOnOff(CL_Msk_Cfg_Dec_ANI_Disp, kCodec, 1)),
    when(imageSeconds(CL_Msk_Cfg_Dec_ANI_Disp_Timer, kDecoderTimers + 2, kTimerOff),
         kWhileAniShown),

    // Status messages sent by the radio itself.
    address(CL_Msk_Cfg_Status_FixBaseId, kStatusBaseId, kWhenStatusGoesToBase, baseIdLook),
    imageOnOff(CL_Msk_Cfg_Status_Send_PrioA, kSending, 7),
    redrawsAll(imageOption(CL_Msk_Cfg_Status_Send_Base, kSending, 6, 1, kSendToList)),
    imageOnOff(CL_Msk_Cfg_Status_Send_On, kSending, 5),
    imageOnOff(CL_Msk_Cfg_Status_Send_Off, kSending, 4),
    imageOnOff(CL_Msk_Cfg_Status_Send_Dim, kSending, 3),

    // Positions.
    redrawsAll(imageOnOff(CL_Msk_Cfg_Gps_Enable, kSending, 2)),
    address(CL_Msk_Cfg_Gps_FixBaseId, kGpsBaseId, kWhenGpsGoesToBase, baseIdLook),
    when(redrawsAll(imageOption(CL_Msk_Cfg_Gps_Send_Base, kSending, 1, 1, kSendToList)),
         kWhileGpsOn),
    when(redrawsAll(imageOnOff(CL_Msk_Cfg_Gps_Auto, kSending, 0)), kWhileGpsOn),
    when(imageOnOff(CL_Msk_Cfg_Gps_TimeMarker, kGpsSentWith, 0), kWhileGpsOn),
    when(imageTimer(CL_Msk_Cfg_Gps_IntervalTimer, kGpsInterval, editMinSec(0, 2550, 10)),
         kWhileGpsAutomatic),
    when(imageOnOff(CL_Msk_Cfg_Gps_Send_Call, kGpsSentWith, 7), kWhileGpsOn),
    when(imageOnOff(CL_Msk_Cfg_Gps_Send_Logoff, kGpsSentWith, 6), kWhileGpsOn),
    when(imageOnOff(CL_Msk_Cfg_Gps_Send_Status, kGpsSentWith, 5), kWhileGpsOn),
    when(imageOnOff(CL_Msk_Cfg_Gps_Send_Sdm, kGpsSentWith, 4), kWhileGpsOn),
    when(imageOnOff(CL_Msk_Cfg_Gps_Send_Ack, kGpsSentWith, 3), kWhileGpsOn),
    when(imageOnOff(CL_Msk_Cfg_Gps_Send_Emer, kGpsSentWith, 2), kWhileGpsOn),
    when(imageOnOff(CL_Msk_Cfg_Gps_Send_ManDown, kGpsSentWith, 1), kWhileGpsOn),
    when(imageOption(CL_Msk_Cfg_Gps_Sentence, kGpsSentence, 0, 2, "GI_Sheet_Sel_MSK_GpsSentence"),
         kWhileGpsOn),

    imageOnOff(CL_Msk_Cfg_Etc_PttEnableAtConnect, kCodec, 0),
};

} // namespace

std::span<const CellBinding> mskBindings() { return kRows; }
