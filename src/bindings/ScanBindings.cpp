#include "bindings/ScanBindings.h"

#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "codecs/BitSetCodecs.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/PickerCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/TimeCodecs.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

// Where the scan settings live in the working image.
//
// Block 9 (0x10F33, 32 bytes), the common scan settings:
//   0x10F33        stop timer A, seconds, 0 = off (0..30)
//   0x10F34        stop timer B, seconds, 0 = off (0..30)
//   0x10F35        resume timer, 0.1 s (0..25.5 s)
//   0x10F36        talkback timer, seconds, 0 = off (0..30)
//   0x10F37        scan speed fast, 0.01 s a channel (0.01..2.55 s)
//   0x10F38        scan speed slow, 0.01 s a channel (0.01..2.55 s)
//   0x10F39        vote lead-in timer, 0.01 s
//   0x10F3A        vote dwell timer, 0.1 s
//   0x10F3B        vote signal-strength sampling timer, 0.01 s
//   0x10F3C        vote level, fast vote (0..255)
//   0x10F3D        vote level L2 (0..255)
//   0x10F3E        vote level L0 (0..255)
//   0x10F3F bit 7  scan at power on
//           bit 6  automatic channel call (PMR model only)
//           bit 5  backlight on while scan stops
//           bit 4  continuous vote check
//           bit 3  fast vote
//           bit 2  nuisance delete
//           bit 1  slave scan mode
//           bit 0  beep at the end of the talkback timer
//   0x10F40 bits 1-0  monitor key during scan
//   0x10F40 bits 7-2, 0x10F41..0x10F52  free
//
// Block 7 (0x103C0, 16 bytes): the words of priority channels A (0x103C0)
// and B (0x103C2), channel indexes, big-endian; the channel sheet's
// attribute column shows the same words.
//
// Block 15 (0x103D0, 17 bitmaps of 4 bytes): scan list k's members, channel
// i at bit 7 - i mod 8 of byte i div 8 of bitmap k; the channel sheet's scan
// column shows the same bits. Block 16 (0x1150F, 17 records of 34 bytes):
// the scan lists, record kind 5.

namespace {

using Redraw = cmcCellCapsule::RedrawBit;

constexpr std::int32_t kScanCommon = 0x10F33;
constexpr std::int32_t kScanOptions = 0x10F3F;
constexpr std::int32_t kMonitorKey = 0x10F40;
constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char *kTimerOff = "GI_AppInd_TimerOff";

// --- Common scan settings ----------------------------------------------------

CellBinding timer(std::int32_t label, std::int32_t at, CellCodec codec)
{
    return {.label = label, .storage = CellStorage::imageByte(at), .codec = std::move(codec)};
}

CellBinding seconds(std::int32_t label, std::int32_t at)
{
    return timer(label, at, editTimer(1, 0, 30, kTimerOff, 3));
}

CellBinding tenths(std::int32_t label, std::int32_t at)
{
    return timer(label, at, editTimer(10, 0, 255, nullptr, 2));
}

CellBinding hundredths(std::int32_t label, std::int32_t at, std::int32_t minimum)
{
    return timer(label, at, editTimer(100, minimum, 255, nullptr, 1));
}

CellBinding level(std::int32_t label, std::int32_t at)
{
    return {.label = label,
            .storage = CellStorage::imageByte(at),
            .codec = editIntegerSaturate(0, 255)};
}

CellBinding scanOption(std::int32_t label, int bit)
{
    return {.label = label,
            .storage = CellStorage::imageBits(kScanOptions, bit, 1),
            .codec = editOption(kOnOff, 1)};
}

// The automatic channel call belongs to the PMR radio.
void runPmrOnly(indCellHandler &frame, const CellBinding &row)
{
    if (frame.host.ModelType() != 1) {
        if (frame.IsDraw())
            frame.ShowNotApplicable("----");
        return;
    }
    CellBinding::RunValue(frame, row);
}

// --- Priority channels A and B -----------------------------------------------

constexpr const char *kChannelList = "GI_Sheet_Sel_ScanCHSel";
// The list shows the channels of the bank chosen last.
constexpr const char *kChannelListTag = "C";

struct PriorityPlace {
    std::int32_t channel;
    std::int32_t first;
    std::int32_t count;

    std::int32_t position() const { return channel - first; }
    bool inBank() const { return position() >= 0 && position() < count; }
};

PriorityPlace priorityPlace(indCellHandler &frame, std::int32_t address)
{
    const cmcEeprom &image = frame.host.WorkingImage();
    return {ChannelGlobals::readWord(image, address), ChannelGlobals::bankFirstChannel(image, 0),
            ChannelGlobals::bankChannelCount(image, 0)};
}

// Other views show the designation in the attribute column and the bank
// images.
void setPriorityChannel(indCellHandler &frame, std::int32_t address, std::int32_t channel)
{
    ChannelGlobals::writeWord(frame.host.WorkingImage(), address, channel);
    frame.WidenRedraw(Redraw::kRedrawLabelled);
    for (const EventCode event : kFlagSetEvents)
        eventManager().Post(event);
}

template <std::int32_t Address>
std::int32_t priorityPosition(indCellHandler &frame)
{
    return priorityPlace(frame, Address).position() + 1;
}

template <std::int32_t Address>
void setPriorityPosition(indCellHandler &frame, std::int32_t position)
{
    setPriorityChannel(frame, Address, priorityPlace(frame, Address).first + position - 1);
}

// The channel as its place in the bank, as the scan list channels show it;
// a channel beyond the bank or not in use is marked.
void showPriorityChannel(indCellHandler &frame, std::int32_t address)
{
    const PriorityPlace place = priorityPlace(frame, address);
    if (!place.inBank()) {
        frame.SetWarning();
    } else {
        datCh channel(&frame.host.WorkingImage());
        channel.decode(datCh::channelKind(), place.channel);
        if (!channel.isUsed())
            frame.SetWarning();
    }
    if (frame.IsDraw())
        frame.SetOutput(std::to_string(static_cast<std::int64_t>(place.position()) + 1) +
                        mainTextDatabase().GetFirstLine("GI_AddCH"));
}

// A number typed or stepped within the bank's channels, or a channel chosen
// from the list of the bank's channels that Enter opens.
void runPriorityChannel(indCellHandler &frame, const CellBinding &row)
{
    const std::int32_t address = row.argument;
    const PriorityPlace place = priorityPlace(frame, address);
    const CodecRequest request = frame.Request();
    if (request.kind == CodecRequest::Kind::Chosen) {
        if (request.chosenStyle == FlexCHSel && request.chosenEntry >= 0 &&
            request.chosenEntry < place.count)
            setPriorityChannel(frame, address, place.first + request.chosenEntry);
    } else if (request.IsEnter()) {
        CodecAnswer answer;
        answer.open = CodecOpen::List(kChannelList, FlexCHSel, std::max(0, place.position()),
                                      kChannelListTag);
        frame.CarryOut(answer);
    } else {
        CellBinding bounded = row;
        bounded.codec = editIntegerSaturate(1, std::max(1, place.count));
        CellBinding::RunValue(frame, bounded);
    }
    showPriorityChannel(frame, address);
}

template <std::int32_t Address>
CellBinding priorityChannel(std::int32_t label)
{
    return {.label = label,
            .run = runPriorityChannel,
            .storage = CellStorage::model(priorityPosition<Address>, setPriorityPosition<Address>),
            .argument = Address};
}

// --- Scan lists --------------------------------------------------------------

constexpr std::int32_t kModeOff = 0;
constexpr std::int32_t kModePriority = 2;
constexpr std::int32_t kModeReceiveOnly = 17;

bool listScans(const indCellHandler &f) { return f.record.ScanMode != kModeOff; }
bool priorityScan(const indCellHandler &f) { return f.record.ScanMode == kModePriority; }
bool listTransmits(const indCellHandler &f)
{
    return listScans(f) && f.record.ScanMode != kModeReceiveOnly;
}

using Condition = bool (*)(const indCellHandler &frame);
enum Applies : std::int32_t { kWhenScanning, kWhenPriority, kWhenTransmitting };
constexpr std::array<Condition, 3> kApplies{listScans, priorityScan, listTransmits};

// A setting the list's scan mode leaves out shows dashes in silver and
// ignores keys.
void runWhenApplies(indCellHandler &frame, const CellBinding &row)
{
    if (!kApplies.at(static_cast<std::size_t>(row.argument))(frame)) {
        if (frame.IsDraw())
            frame.ShowNotApplicable("----");
        return;
    }
    CellBinding::RunValue(frame, row);
}

// The cancel channel options, as the radio numbers them.
constexpr std::int32_t kCancelToPriority1 = 3;
constexpr std::int32_t kCancelToPriority2 = 4;
constexpr std::int32_t kCancelToTransmit = 5;

// Cancelling to a channel the list does not name leaves the radio on the
// channel it stopped on.
void cancelChannelMark(indCellHandler &frame, const CellBinding &, std::int32_t option)
{
    const bool named = option == kCancelToPriority1 || option == kCancelToPriority2
                           ? priorityScan(frame)
                           : option != kCancelToTransmit || listTransmits(frame);
    if (!named)
        frame.SetWarning();
}

ScanBankChoice gRememberedBank;

template <auto Option, auto Channel>
CellBinding scanChannel(std::int32_t label, const char *options, Applies applies)
{
    return {.label = label,
            .run = runWhenApplies,
            .storage = CellStorage::recordBytes<Option, Channel>(),
            .codec = pickScanChannel(
                {options, "GI_Sheet_Sel_ScanZoneSel", kChannelList, "GI_AddCH"}, &gRememberedBank),
            .argument = applies};
}

CellBinding listOption(std::int32_t label, std::int32_t datCh::*member, const char *key)
{
    return {.label = label, .storage = CellStorage::record(member), .codec = editOption(key, 1)};
}

CellBinding whenApplies(CellBinding row, Applies applies)
{
    row.run = runWhenApplies;
    row.argument = applies;
    return row;
}

// A list's members: channels 1-16 and 17-32, 16 bits of its bitmap each.
constexpr std::int32_t kBitmapSize = 4;

CellBinding members(std::int32_t label, std::int32_t firstChannel)
{
    return {.label = label,
            .storage = CellStorage::imageBits(
                channel_offsets::kScanBitmaps + (firstChannel - 1) / 8, 0, 16, kBitmapSize),
            .codec = editBitSet(firstChannel, firstChannel + 15, 0, "GI_Sheet_FBitsR"),
            .flags = CellBinding::kSharedBits};
}

const CellBinding kRows[] = {
    // Common scan settings.
    seconds(CL_ScanComm_StopTimer, kScanCommon),
    seconds(CL_ScanComm_StopTimerB, kScanCommon + 1),
    tenths(CL_ScanComm_ResumeTimer, kScanCommon + 2),
    seconds(CL_ScanComm_TalkBackTimer, kScanCommon + 3),
    hundredths(CL_ScanComm_ScanTimer_Fast, kScanCommon + 4, 1),
    hundredths(CL_ScanComm_ScanTimer_Slow, kScanCommon + 5, 1),
    hundredths(CL_ScanComm_VoteTimer_LeadIn, kScanCommon + 6, 0),
    tenths(CL_ScanComm_VoteTimer_Dwell, kScanCommon + 7),
    hundredths(CL_ScanComm_VoteTimer_Rssi, kScanCommon + 8, 0),
    level(CL_ScanComm_VoteLevel_Fast, kScanCommon + 9),
    level(CL_ScanComm_VoteLevel_L2, kScanCommon + 10),
    level(CL_ScanComm_VoteLevel_L0, kScanCommon + 11),
    scanOption(CL_ScanComm_PwrOnScan, 7),
    [] {
        CellBinding row = scanOption(CL_ScanComm_AutoChCall_PmrOnly, 6);
        row.run = runPmrOnly;
        return row;
    }(),
    scanOption(CL_ScanComm_BacklitatStopScan, 5),
    scanOption(CL_ScanComm_VoteCheckCONT, 4),
    scanOption(CL_ScanComm_VoteOnFast, 3),
    scanOption(CL_ScanComm_NuisanceDelete, 2),
    scanOption(CL_ScanComm_ModeSlaveScan, 1),
    {.label = CL_ScanComm_MonitorKeyAction,
     .storage = CellStorage::imageBits(kMonitorKey, 0, 2),
     .codec = editOption("GI_Sheet_Sel_ScanComm_MonitorKey", 1)},
    scanOption(CL_ScanComm_TalkBackTimerBeep, 0),
    priorityChannel<channel_offsets::kPriorityA>(CL_ScanComm_PrioA_CH),
    priorityChannel<channel_offsets::kPriorityB>(CL_ScanComm_PrioB_CH),

    // Scan lists, one row each.
    {.label = CL_ScanList_Text,
     .storage = CellStorage::recordBytes<&datCh::Text>(),
     .codec = editName(24, NameFill::Spaces)},
    {.label = CL_ScanList_ScanMode,
     .storage = CellStorage::record(&datCh::ScanMode),
     .codec = editOption("GI_Sheet_Sel_ScanList_ScanMode", 1),
     .redrawOnChange = Redraw::kRedrawSameIndex},
    scanChannel<&datCh::Prio1_CH, &datCh::Prio1ChNo>(CL_ScanList_Prio1_CH,
                                                     "GI_Sheet_Sel_ScanPrio1CH", kWhenPriority),
    scanChannel<&datCh::Prio2_CH, &datCh::Prio2ChNo>(CL_ScanList_Prio2_CH,
                                                     "GI_Sheet_Sel_ScanPrio2CH", kWhenPriority),
    scanChannel<&datCh::TX_CH, &datCh::TxChNo>(CL_ScanList_TX_CH, "GI_Sheet_Sel_ScanTXCH",
                                               kWhenTransmitting),
    whenApplies(listOption(CL_ScanList_TalkBack, &datCh::TalkBack, kOnOff), kWhenScanning),
    whenApplies(
        listOption(CL_ScanList_TX_Action, &datCh::TX_Action, "GI_Sheet_Sel_ScanList_TxAction"),
        kWhenTransmitting),
    [] {
        CellBinding row = whenApplies(
            listOption(CL_ScanList_Cancel_CH, &datCh::Cancel_CH, "GI_Sheet_Sel_ScanCancelCH"),
            kWhenScanning);
        row.rule = cancelChannelMark;
        return row;
    }(),
    listOption(CL_ScanList_DispText, &datCh::DispText, "GI_Sheet_Sel_ScanList_DispText"),
    listOption(CL_ScanList_PwrSave, &datCh::PwrSave, kOnOff),
    members(CL_ScanList_Members_Lo, 1),
    members(CL_ScanList_Members_Hi, 17),
};

} // namespace

std::span<const CellBinding> scanBindings() { return kRows; }
