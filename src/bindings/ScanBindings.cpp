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
// Block 9 (0x10F33) is no place for them: it holds the two clone comment
// fields, which loading a file turns into printable text.
//
// Block 7 (0x103C0, 16 bytes), the priority channels and the scan timers:
//   0x103C0-0x103C1  priority channel A, channel index, big-endian
//   0x103C2-0x103C3  priority channel B, channel index, big-endian
//                    (the channel sheet's attribute column shows both words)
//   0x103C4          stop timer A, seconds, 0 = off (0..60)
//   0x103C5          stop timer B, seconds, 0 = off (0..60)
//   0x103C6          resume timer, 0.1 s (0..25.5 s)
//   0x103C7          talkback timer, seconds, 0 = off (0..60)
//   0x103C8          scan speed fast, 0.01 s a channel (0.01..2.55 s)
//   0x103C9          scan speed slow, 0.01 s a channel (0.01..2.55 s)
//   0x103CA          vote lead-in timer, 0.01 s
//   0x103CB          vote dwell timer, 0.1 s
//   0x103CC          vote signal-strength sampling timer, 0.01 s
//   0x103CD          vote level, fast vote (0..255)
//   0x103CE          vote level L2 (0..255)
//   0x103CF          vote level L0 (0..255)
//
// Block 12 (0x113E3, 128 bytes), after the user tones (ToneTableBindings.cpp):
//   0x11441 bit 7    scan at power on
//           bit 6    automatic channel call (PMR model only)
//           bit 5    backlight on while scan stops
//           bit 4    continuous vote check
//           bit 3    fast vote
//           bit 2    nuisance delete
//           bit 1    slave scan mode
//           bit 0    beep at the end of the talkback timer
//   0x11442 bits 1-0 monitor key during scan
//   free: 0x11442 bits 7-2, 0x11443-0x11446, 0x1145B-0x11462
//
// Block 15 (0x103D0, 17 bitmaps of 4 bytes): scan list k's members, channel
// i at bit 7 - i mod 8 of byte i div 8 of bitmap k; the channel sheet's scan
// column shows the same bits. Block 16 (0x1150F, 17 records of 34 bytes):
// the scan lists, record kind 5.

namespace {

using Redraw = cmcCellCapsule::RedrawBit;

constexpr std::int32_t kScanTimers = 0x103C4;
constexpr std::int32_t kScanOptions = 0x11441;
constexpr std::int32_t kMonitorKey = 0x11442;
constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char *kTimerOff = "GI_AppInd_TimerOff";

// --- Common scan settings ----------------------------------------------------

CellBinding timer(std::int32_t label, std::int32_t at, CellCodec codec)
{
    return {.label = label, .storage = CellStorage::imageByte(at), .codec = std::move(codec)};
}

CellBinding seconds(std::int32_t label, std::int32_t at)
{
    return timer(label, at, editTimer(1, 0, 60, kTimerOff, 3));
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

// A channel of the bank that is in use: what a priority or fixed scan
// channel must name for the radio to find it.
bool channelInUse(indCellHandler &frame, std::int32_t channel)
{
    const cmcEeprom &image = frame.host.WorkingImage();
    const std::int32_t first = ChannelGlobals::bankFirstChannel(image, 0);
    if (channel < first || channel >= first + ChannelGlobals::bankChannelCount(image, 0))
        return false;
    datCh record(&frame.host.WorkingImage());
    record.decode(datCh::channelKind(), channel);
    return record.isUsed();
}

struct PriorityPlace {
    std::int32_t channel;
    std::int32_t first;
    std::int32_t count;

    std::int32_t position() const { return channel - first; }
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
    if (!channelInUse(frame, place.channel))
        frame.SetWarning();
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

// A fixed channel that is blank or beyond the bank leaves the radio
// without the channel the list names.
void fixedChannelMark(indCellHandler &frame, const CellBinding &row, std::int32_t)
{
    const datCh &list = frame.record;
    const auto [option, channel] =
        row.label == CL_ScanList_TX_CH      ? std::pair{list.TX_CH, list.TxChNo}
        : row.label == CL_ScanList_Prio1_CH ? std::pair{list.Prio1_CH, list.Prio1ChNo}
                                            : std::pair{list.Prio2_CH, list.Prio2ChNo};
    if (option == kScanChannelOption && !channelInUse(frame, channel))
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
            .argument = applies,
            .rule = fixedChannelMark};
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
    seconds(CL_ScanComm_StopTimer, kScanTimers),
    seconds(CL_ScanComm_StopTimerB, kScanTimers + 1),
    tenths(CL_ScanComm_ResumeTimer, kScanTimers + 2),
    seconds(CL_ScanComm_TalkBackTimer, kScanTimers + 3),
    hundredths(CL_ScanComm_ScanTimer_Fast, kScanTimers + 4, 1),
    hundredths(CL_ScanComm_ScanTimer_Slow, kScanTimers + 5, 1),
    hundredths(CL_ScanComm_VoteTimer_LeadIn, kScanTimers + 6, 0),
    tenths(CL_ScanComm_VoteTimer_Dwell, kScanTimers + 7),
    hundredths(CL_ScanComm_VoteTimer_Rssi, kScanTimers + 8, 0),
    level(CL_ScanComm_VoteLevel_Fast, kScanTimers + 9),
    level(CL_ScanComm_VoteLevel_L2, kScanTimers + 10),
    level(CL_ScanComm_VoteLevel_L0, kScanTimers + 11),
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
