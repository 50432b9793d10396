#include "bindings/DpmrBindings.h"

#include "bindings/SettingRows.h"
#include "bindings/SettingRules.h"
#include "bindings/SignallingRows.h"
#include "cells/CellBindingRegistry.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/DpmrIdentity.h"
#include "channels/datCh.h"
#include "codecs/DigitCodecs.h"
#include "codecs/HexCodecs.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/PickerCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/TimeCodecs.h"
#include "image/cmcEeprom.h"
#include "platform/MessageService.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <cstdio>
#include <string>
#include <vector>

// Where the dPMR settings live in the working image (PMR model only; these
// blocks travel to the radio for model type 1).
//
// Fixed by the radio:
//   block 69 (0x177B1, 18 x 500)  the ID list (kind 23), its count word
//   block 72/73                   status messages (kind 24)
//   block 76/77                   short data messages (kind 25)
//   block 79 (0x19F49, 2 x 32)    encryption keys (kind 26)
//   0x19F31 (block 75)            entry of the ambience-listen target
//   0x1A089..0x1A08C (block 81)   first group identity (7 packed digits)
//   0x1A08D, 0x1A08F (block 81)   entries called by the Call A and Call B keys
//
// Chosen here:
//   block 70 (0x19AD9, 2)
//     0x19AD9  attempts of a call needing an acknowledgement (1..15)
//     0x19ADA  free
//   block 71 (0x19ADB, 42)
//     0x19ADB  b7 individual bell icon, b6 group block decode, b5 belonging
//              group on, b4 group bell icon, b3 status poll allowed, b2 poll
//              answer sent, b1 status acknowledgement, b0 call alert icon
//     0x19ADC  b7 call alert acknowledgement, b6 SDM receive, b5 SDM ringer,
//              b4 SDM acknowledgement, b3-2 SDM audio, b1 ANI on receive,
//              b0 ANI of the unit ID on receive
//     0x19ADD  b7 ANI on PTT, b6 talk-back beep, b5 talk-back ID display,
//              b4 analog talk-back text, b3 broadcast transmit, b2 broadcast
//              receive, b1 PTT enabled at connection only, b0 pdS
//     0x19ADE  b7-6 ANI display mode, b5-4 PTT call, b3-0 decode comparison
//     0x19ADF  ambience listen transmit timer, 1 s
//     0x19AE0  ANI display timer, 1 s, 0 = off
//     0x19AE1  talk-back timer, 1 s, 0 = off
//     0x19AE2  broadcast inactive timer, 1 s, 0 = off
//     0x19AE3  acknowledgement transmit delay, 10 ms
//     0x19AE4  acknowledgement receive wait, 10 ms
//     0x19AE5  expert: b7 transmit all call, b6 receive all call, b5 wake-up
//              header; b4-0 free
//     0x19AE6  FS48 attack       0x19AE7  FS24 attack
//     0x19AE8  FS24 sync bit errors  0x19AE9  FS48 sync bit errors
//     0x19AEA  FS24 error bit errors 0x19AEB  FS24 error counter
//     0x19AEC  FS48 error allowance  0x19AED  FS24 error allowance
//     0x19AEE  LET, 10 ms        0x19AEF  wake-up header off timer, 10 ms
//     0x19AF0  transmit wait, 10 ms  0x19AF1  channel check timer, 10 ms
//     0x19AF2  RSSI level L0     0x19AF3  ND
//     0x19AF4  lag timer, 10 ms  0x19AF5  colour code detect count
//     0x19AF6  colour code undetect count
//     0x19AF7..0x19B04  free
//   block 74 (0x19F25, 8): 0x19F25 lowest and 0x19F29 highest blocked group
//     identity (7 packed digits each)
//   block 75 (0x19F2D, 6): 0x19F2D belonging group identity; 0x19F31 fixed
//   block 78 (0x19F47, 2): free
//   block 80 (0x19F89, 12 x 21): display texts, 12 characters a record in
//     label order (application 0-9, progress 10-14, ANI 15-18); 19-20 free
//   block 81 (0x1A085, 58): 0x1A085..0x1A088 and 0x1A091.. free
//   block 82 (0x1A0BF, 29): free

namespace {

using setting_rules::outsideRange;
using signalling_rows::imageTimer;
using signalling_rows::recordOnOff;
using signalling_rows::recordOption;

constexpr int kIdKind = datCh::kKindDpmrId;
constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr const char *kTimerOff = "GI_AppInd_TimerOff";

constexpr std::int32_t kIdRows = 0x177B1;
constexpr std::int32_t kIdRowSize = 18;
constexpr std::int32_t kFirstGroup = channel_offsets::kDpmrFirstGroupId;
constexpr std::int32_t kAmbienceEntry = channel_offsets::kDpmrIdEntryWord;
constexpr std::int32_t kCallAEntry = channel_offsets::kDpmrIdEntryWord2;
constexpr std::int32_t kCallBEntry = channel_offsets::kDpmrIdEntryWord3;

constexpr std::int32_t kAttempts = 0x19AD9;
constexpr std::int32_t kFlagsA = 0x19ADB;
constexpr std::int32_t kFlagsB = 0x19ADC;
constexpr std::int32_t kFlagsC = 0x19ADD;
constexpr std::int32_t kModes = 0x19ADE;
constexpr std::int32_t kTimers = 0x19ADF;
constexpr std::int32_t kExpertFlags = 0x19AE5;
constexpr std::int32_t kExpert = 0x19AE6;
constexpr std::int32_t kBlockedLowest = 0x19F25;
constexpr std::int32_t kBlockedHighest = 0x19F29;
constexpr std::int32_t kBelongingGroup = 0x19F2D;
constexpr std::int32_t kDisplayTexts = 0x19F89;
constexpr std::int32_t kDisplayTextSize = 12;

// The first group identity: seven digits without a wildcard, leaving at
// least one individual identity below it and one group identity above.
constexpr IdBcdRange kGroupStartRange{
    {0x00, 0x00, 0x00, 0x00, 0x20}, {0x00, 0x99, 0x99, 0x99, 0x80}, false, false};

void showMessage(const char *key)
{
    platform::showMessage(mainTextDatabase().GetFirstLine("GI_Sys_AppTitle"),
                          mainTextDatabase().GetText(key), platform::MessageIcon::Error);
}

std::uint32_t identityOfRow(const cmcEeprom &image, int row)
{
    std::uint32_t identity = 0;
    for (int i = 0; i < 4; ++i)
        identity = (identity << 8) | image.GetByte(kIdRows + kIdRowSize * row + i);
    return identity;
}

int listCount(const indCellHandler &frame)
{
    return ChannelGlobals::listCount(frame.host.WorkingImage(), kIdKind);
}

// --- The ID list ---------------------------------------------------------------

// Two entries with one identity: the radio would find only the first.
void duplicateMark(indCellHandler &frame, const CellBinding &, std::int32_t identity)
{
    const cmcEeprom &image = frame.host.WorkingImage();
    const int count = listCount(frame);
    for (int row = 0; row < count; ++row) {
        if (row != frame.index &&
            identityOfRow(image, row) == static_cast<std::uint32_t>(identity)) {
            frame.SetError();
            return;
        }
    }
}

// The row below the last entry takes a new entry: an identity typed there
// becomes an entry made from the template, as far as the list has room.
void createEntry(indCellHandler &frame, const CellBinding &row)
{
    const int count = listCount(frame);
    if (frame.index != count || frame.IsDraw())
        return;
    const bool typedOrChosen = frame.capsule.inputMode != cmcCellCapsule::kInputKey;
    if (typedOrChosen &&
        (count > datCh::lastIndex(kIdKind) ||
         !frame.host.HasRoomForAnother(ChannelGlobals::listCountAddress(kIdKind)))) {
        showMessage("GI_AppMess_ChErr_Overflow");
        return;
    }
    // An identity of 0 is below every entry's range: any identity the codec
    // takes differs from it.
    datCh &record = frame.record;
    const std::int32_t before = record.Id;
    record.Id = 0;
    CellBinding::RunValue(frame, row);
    const std::int32_t typed = record.Id;
    if (typed == 0) {
        record.Id = before;
        return;
    }
    eventManager().Send(kEvInsertCallList, nullptr, frame.index);
    if (listCount(frame) != count + 1)
        return;
    record.decode(kIdKind, frame.index);
    record.Id = typed;
    record.commit();
    frame.NoteRecordChanged();
    frame.WidenRedraw(cmcCellCapsule::kRedrawFromIndex);
}

void runIdentity(indCellHandler &frame, const CellBinding &row)
{
    if (frame.index >= listCount(frame)) {
        createEntry(frame, row);
        return;
    }
    CellBinding::RunValue(frame, row);
}

// The record keeps the count of digits shifted past bit 0 of its byte.
std::int32_t inputDigits(indCellHandler &frame) { return frame.record.InputDigit >> 1; }

void setInputDigits(indCellHandler &frame, std::int32_t digits)
{
    frame.record.InputDigit = digits << 1;
    frame.record.commit();
    frame.NoteRecordChanged();
}

// --- Views of the entries a filter passes -----------------------------------------

// Row n of a view is the n-th entry that passes the row's filter (argument).
int passingEntry(const indCellHandler &frame, DpmrIdFilter filter)
{
    const cmcEeprom &image = frame.host.WorkingImage();
    const std::uint32_t firstGroup = firstGroupIdentity(image);
    const int count = ChannelGlobals::listCount(image, kIdKind);
    int seen = 0;
    for (int row = 0; row < count; ++row) {
        if (passesFilter(filter, identityOfRow(image, row), firstGroup) && seen++ == frame.index)
            return row;
    }
    return -1;
}

// The identity and the name of a view's row, as the list itself shows them
// (the row of `Shown`).
template <DpmrIdFilter Filter, std::int32_t Shown>
void runView(indCellHandler &frame, const CellBinding &)
{
    if (!frame.IsDraw())
        return;
    const int entry = passingEntry(frame, Filter);
    const CellBinding *shown = frame.host.Bindings().Find(Shown);
    if (entry < 0 || shown == nullptr)
        return;
    frame.record.decode(kIdKind, entry);
    CellBinding::RunValue(frame, *shown);
}

template <DpmrIdFilter Filter, std::int32_t Shown>
CellBinding view(std::int32_t label)
{
    return {.label = label, .run = runView<Filter, Shown>};
}

// A view's number names the entry's place in the whole list.
void runViewNumber(indCellHandler &frame, const CellBinding &row)
{
    if (!frame.IsDraw())
        return;
    const int entry = passingEntry(frame, static_cast<DpmrIdFilter>(row.argument));
    char text[16];
    if (entry >= 0) {
        std::snprintf(text, sizeof text, "%3d", entry + 1);
        frame.SetOutput(text);
    } else {
        frame.SetOutput(frame.index == listCount(frame)
                            ? mainTextDatabase().GetFirstLine("GI_NewChTitle")
                            : std::string{});
    }
}

// --- Identity ranges -----------------------------------------------------------

std::string withNoEdit(const std::string &text) { return text + " (No Edit)"; }

// Individual identities run from 0000001 to just below the first group
// identity; the group range from there to 9999999. Only the first group
// identity is edited.
void runIndividualRange(indCellHandler &frame, const CellBinding &)
{
    if (!frame.IsDraw())
        return;
    if (frame.index == 0) {
        frame.SetOutput(withNoEdit("0000001"));
        return;
    }
    const std::uint32_t firstGroup = firstGroupIdentity(frame.host.WorkingImage());
    const std::int32_t below = identityNumber(firstGroup) - 1;
    // Without a usable first group identity there are no individual IDs.
    if (identityHasWildcard(firstGroup) || below < 1) {
        frame.ShowNotApplicable("----");
        return;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%07d", static_cast<int>(below));
    frame.SetOutput(withNoEdit(text));
}

void groupStartMark(indCellHandler &frame, const CellBinding &, std::int32_t identity)
{
    if (identityHasWildcard(static_cast<std::uint32_t>(identity)) ||
        identityNumber(static_cast<std::uint32_t>(identity)) < 2)
        frame.SetError();
}

void runGroupRange(indCellHandler &frame, const CellBinding &row)
{
    if (frame.index == 0)
        CellBinding::RunValue(frame, row);
    else if (frame.IsDraw())
        frame.SetOutput(withNoEdit("9999999"));
}

// A group identity setting: a wildcard or an identity from the first group
// identity on.
void groupIdentityMark(indCellHandler &frame, const CellBinding &, std::int32_t identity)
{
    if (!isGroupIdentity(static_cast<std::uint32_t>(identity),
                         firstGroupIdentity(frame.host.WorkingImage())))
        frame.SetError();
}

CellBinding groupIdentity(std::int32_t label, std::int32_t at)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, 0, 32),
            .codec = editIdBcd(kDpmrListIdRange),
            .rule = groupIdentityMark};
}

// An entry of the ID list a setting calls. The picker reads the list
// through the row's record, which a settings sheet leaves without a kind:
// the first entry stands in (the value lives in the image, not in it).
void runEntryWord(indCellHandler &frame, const CellBinding &row)
{
    if (frame.record.kind == datCh::kKindNone) {
        frame.record.bind(&frame.host.WorkingImage());
        frame.record.decode(kIdKind, 0);
    }
    CellBinding::RunValue(frame, row);
}

CellBinding entryWord(std::int32_t label, std::int32_t at, const char *list, DpmrIdFilter filter)
{
    return {.label = label,
            .run = runEntryWord,
            .storage = CellStorage::imageBits(at, 0, 16),
            .codec = pickCallList(list, filter)};
}

// --- Status messages -------------------------------------------------------------

// Actions 26..37 switch one of four AUX outputs into one of three states.
constexpr std::int32_t kFirstAuxAction = 26;
constexpr std::int32_t kLastAuxAction = 37;
constexpr std::int32_t kAuxStates = 3;

bool isAuxAction(std::int32_t action)
{
    return action >= kFirstAuxAction && action <= kLastAuxAction;
}

std::int32_t auxOutput(indCellHandler &frame)
{
    const std::int32_t action = frame.record.Action;
    return isAuxAction(action) ? (action - kFirstAuxAction) / kAuxStates : 0;
}

// Another output keeps the state the action gave the old one.
void setAuxOutput(indCellHandler &frame, std::int32_t output)
{
    datCh &record = frame.record;
    if (!isAuxAction(record.Action) || output < 0 || output > 3)
        return;
    const std::int32_t state = (record.Action - kFirstAuxAction) % kAuxStates;
    record.Action = kFirstAuxAction + output * kAuxStates + state;
    record.commit();
    frame.NoteRecordChanged();
}

void auxLook(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    if (frame.IsDraw() && !isAuxAction(frame.record.Action))
        frame.ShowNotApplicable("----");
}

// Status entries with a function of 2..5 are the radio's fixed messages
// (emergency, power on and off, ambience listen): shown, not changed.
constexpr std::int32_t kFirstFixedFunction = 2;
constexpr std::int32_t kLastFixedFunction = 5;

void runFunction(indCellHandler &frame, const CellBinding &row)
{
    const std::int32_t function = frame.record.Function;
    if (function < kFirstFixedFunction || function > kLastFixedFunction) {
        CellBinding::RunValue(frame, row);
        return;
    }
    if (!frame.IsDraw())
        return;
    static const CellBinding fixed = recordOption(CL_Dpmr_Msg_Status_Function, &datCh::Function,
                                                  "GI_Sheet_Sel_Dpmr_Status_Function_Fixed");
    CellBinding::RunValue(frame, fixed);
    frame.SetOutput(withNoEdit(frame.capsule.outputText));
}

// --- Common settings ---------------------------------------------------------------

CellBinding countSetting(std::int32_t label, std::int32_t at, std::int32_t minimum,
                         std::int32_t maximum)
{
    CellBinding row{.label = label,
                    .storage = CellStorage::imageByte(at),
                    .codec = editIntegerSaturate(minimum, maximum)};
    return row;
}

template <std::int32_t Last>
CellBinding option(std::int32_t label, std::int32_t at, int lowestBit, int width, const char *list)
{
    CellBinding row = imageOption(label, at, lowestBit, width, list);
    row.rule = outsideRange<0, Last>;
    return row;
}

CellBinding displayText(std::int32_t label)
{
    return {
        .label = label,
        .lastLabel = CL_Dpmr_DispMsg_ANI_Private,
        .storage =
            CellStorage::imageBytes(kDisplayTexts, kDisplayTextSize).stepPerLabel(kDisplayTextSize),
        .codec = editName(kDisplayTextSize, NameFill::Spaces)};
}

const CellBinding kRows[] = {
    // Identity ranges.
    {.label = CL_Dpmr_IdRange_Individual, .run = runIndividualRange},
    {.label = CL_Dpmr_IdRange_Group,
     .run = runGroupRange,
     .storage = CellStorage::imageBits(kFirstGroup, 0, 32),
     .codec = editIdBcd(kGroupStartRange),
     .redrawOnChange = cmcCellCapsule::kRedrawLabelled,
     .rule = groupStartMark},

    // The ID list.
    {.label = CL_Dpmr_Ind_Id_Dec,
     .run = runIdentity,
     .storage = CellStorage::record(&datCh::Id),
     .codec = editIdBcd(kDpmrListIdRange),
     .redrawOnChange = cmcCellCapsule::kRedrawSameLabel,
     .rule = duplicateMark},
    {.label = CL_Dpmr_Ind_Id_Name,
     .storage = CellStorage::recordBytes<&datCh::Text>(),
     .codec = editName(12, NameFill::Spaces)},
    {.label = CL_Dpmr_Ind_InputDigit,
     .storage = CellStorage::model(inputDigits, setInputDigits),
     .codec = editOption("GI_Sheet_Sel_Dpmr_InputDigit", Flex0),
     .rule = outsideRange<0, 7>},
    recordOnOff(CL_Dpmr_Ind_Id_Sel, &datCh::Id_Sel),
    view<DpmrIdFilter::Individual, CL_Dpmr_Ind_Id_Dec>(CL_Dpmr_Id_Dec_Inv),
    view<DpmrIdFilter::Individual, CL_Dpmr_Ind_Id_Name>(CL_Dpmr_Id_Name_Inv),
    view<DpmrIdFilter::Group, CL_Dpmr_Ind_Id_Dec>(CL_Dpmr_Id_Dec_Grp),
    view<DpmrIdFilter::Group, CL_Dpmr_Ind_Id_Name>(CL_Dpmr_Id_Name_Grp),
    {.label = Flex_Dpmr_CallList_ChNo_Inv,
     .run = runViewNumber,
     .argument = static_cast<std::int32_t>(DpmrIdFilter::Individual),
     .flags = CellBinding::kShowsOnEmptyRow},
    {.label = Flex_Dpmr_CallList_ChNo_Grp,
     .run = runViewNumber,
     .argument = static_cast<std::int32_t>(DpmrIdFilter::Group),
     .flags = CellBinding::kShowsOnEmptyRow},

    // Individual and group calls.
    imageOnOff(CL_Dpmr_Ind_Set_BellIcon, kFlagsA, 7),
    imageOnOff(CL_Dpmr_Grp_Set_BlockDecode, kFlagsA, 6),
    groupIdentity(CL_Dpmr_Grp_Set_BlockDecode_Max, kBlockedHighest),
    groupIdentity(CL_Dpmr_Grp_Set_BlockDecode_Min, kBlockedLowest),
    imageOnOff(CL_Dpmr_Grp_Set_BelongGrpList_ON, kFlagsA, 5),
    groupIdentity(CL_Dpmr_Grp_Set_BelongGrpList_ID, kBelongingGroup),
    imageOnOff(CL_Dpmr_Grp_Set_BellIcon, kFlagsA, 4),

    // Status messages.
    recordOnOff(CL_Dpmr_Msg_Status_Selection, &datCh::Selection),
    {.label = CL_Dpmr_Msg_Status_Text_Rx,
     .storage = CellStorage::recordBytes<&datCh::Text_Rx>(),
     .codec = editName(12, NameFill::Spaces)},
    {.label = CL_Dpmr_Msg_Status_Text_Tx,
     .storage = CellStorage::recordBytes<&datCh::Text_Tx>(),
     .codec = editName(12, NameFill::Spaces)},
    recordOnOff(CL_Dpmr_Msg_Status_RX, &datCh::RX),
    {.label = CL_Dpmr_Msg_Status_Action,
     .storage = CellStorage::record(&datCh::Action),
     .codec = editOption("GI_Sheet_Sel_Dpmr_Status_Action_Popup", FlexMark),
     .redrawOnChange = cmcCellCapsule::kRedrawSameIndex},
    {.label = CL_Dpmr_Msg_Status_AUX,
     .storage = CellStorage::model(auxOutput, setAuxOutput),
     .codec = editOption("GI_Sheet_Sel_Dpmr_Status_AUX", Flex0),
     .redrawOnChange = cmcCellCapsule::kRedrawSameIndex,
     .rule = auxLook},
    [] {
        CellBinding row = recordOption(CL_Dpmr_Msg_Status_Function, &datCh::Function,
                                       "GI_Sheet_Sel_Dpmr_Status_Function");
        row.run = runFunction;
        row.rule = outsideRange<0, kLastFixedFunction>;
        return row;
    }(),
    recordOption(CL_Dpmr_Msg_Status_AUD, &datCh::Aud, "GI_Sheet_Sel_Dpmr_Audio"),
    recordOnOff(CL_Dpmr_Msg_Status_TX, &datCh::TX),
    imageOnOff(CL_Dpmr_Status_Set_AllowPoll, kFlagsA, 3),
    imageOnOff(CL_Dpmr_Status_Set_PollTX, kFlagsA, 2),
    imageOnOff(CL_Dpmr_Status_Set_RequestAck, kFlagsA, 1),

    // Call alert and ambience listen.
    imageOnOff(CL_Dpmr_CallAlert_ShowIcon, kFlagsA, 0),
    imageOnOff(CL_Dpmr_CallAlert_RequestAck, kFlagsB, 7),
    entryWord(CL_Dpmr_AmbienceListen_ID, kAmbienceEntry, "GI_Sheet_Sel_CallList_Inv",
              DpmrIdFilter::Individual),
    imageTimer(CL_Dpmr_AmbienceListen_TXTimer, kTimers, 1, 1),

    // Short data messages.
    {.label = CL_Dpmr_SDM_Message,
     .storage = CellStorage::recordBytes<&datCh::Message>(),
     .codec = editName(100, NameFill::Spaces)},
    recordOnOff(CL_Dpmr_SDM_Sel, &datCh::Sel),
    imageOnOff(CL_Dpmr_SDM_Setting_RX, kFlagsB, 6),
    imageOnOff(CL_Dpmr_SDM_Setting_Ringer, kFlagsB, 5),
    imageOnOff(CL_Dpmr_SDM_Setting_RequestAck, kFlagsB, 4),
    imageOption(CL_Dpmr_SDM_Setting_AUD, kFlagsB, 2, 2, "GI_Sheet_Sel_Dpmr_Audio"),

    // Encryption keys: four hexadecimal digits.
    {.label = CL_Dpmr_Encryption_Key,
     .storage = CellStorage::record(&datCh::Key),
     .codec = editHexValue(0, 0xFFFF, 4)},

    // Display texts.
    displayText(CL_Dpmr_DispMsg_App_VoiceCall),

    // ANI display.
    option<3>(CL_Dpmr_Op_Ani_Disp_Mode, kModes, 6, 2, "GI_Sheet_Sel_Dpmr_AniDispMode"),
    imageOnOff(CL_Dpmr_Op_Ani_Disp_Recieve, kFlagsB, 1),
    imageOnOff(CL_Dpmr_Op_Ani_Disp_RecieveUId, kFlagsB, 0),
    imageTimer(CL_Dpmr_Op_Ani_Disp_Timer, kTimers + 1, 1, 0, true),
    imageOnOff(CL_Dpmr_Op_Ani_Disp_Ptt, kFlagsC, 7),

    // Options.
    imageTimer(CL_Dpmr_Option_TalkBackTimer, kTimers + 2, 1, 0, true),
    imageOnOff(CL_Dpmr_Option_TalkBackBeep, kFlagsC, 6),
    imageOnOff(CL_Dpmr_Option_TalkBackIdDisplay, kFlagsC, 5),
    imageOnOff(CL_Dpmr_Option_AnalogTalkBackText, kFlagsC, 4),
    imageOnOff(CL_Dpmr_Option_Broadcast_TX, kFlagsC, 3),
    imageOnOff(CL_Dpmr_Option_Broadcast_RX, kFlagsC, 2),
    imageTimer(CL_Dpmr_Option_Broadcast_InactiveTimer, kTimers + 3, 1, 0, true),

    // Configuration.
    entryWord(CL_Dpmr_Config_KeyAssign_CallA, kCallAEntry, "GI_Sheet_Sel_CallList",
              DpmrIdFilter::All),
    entryWord(CL_Dpmr_Config_KeyAssign_CallB, kCallBEntry, "GI_Sheet_Sel_CallList",
              DpmrIdFilter::All),
    option<2>(CL_Dpmr_Config_PTT_Call, kModes, 4, 2, "GI_Sheet_Sel_Dpmr_PttCall"),
    imageOnOff(CL_Dpmr_Config_PTT_Enable_Connect, kFlagsC, 1),
    option<6>(CL_Dpmr_Config_DecodeComparson, kModes, 0, 4, "GI_Sheet_Sel_Dpmr_DecodeComparison"),
    imageTimer(CL_Dpmr_Config_Ack_TX_Delay, kTimers + 4, 100, 0),
    imageTimer(CL_Dpmr_Config_Ack_RX_Wait, kTimers + 5, 100, 0),
    [] {
        CellBinding row = countSetting(CL_Dpmr_Config_Attempt_No, kAttempts, 1, 15);
        row.rule = outsideRange<1, 15>;
        return row;
    }(),
    imageOnOff(CL_Dpmr_Config_pdS, kFlagsC, 0),

    // Expert.
    imageOnOff(CL_Dpmr_Expert_TxAllCall, kExpertFlags, 7),
    imageOnOff(CL_Dpmr_Expert_RxAllCall, kExpertFlags, 6),
    countSetting(CL_Dpmr_Expert_FS48_Attack, kExpert, 0, 255),
    countSetting(CL_Dpmr_Expert_FS24_Attack, kExpert + 1, 0, 255),
    countSetting(CL_Dpmr_Expert_FS24_Sync_BitError, kExpert + 2, 0, 255),
    countSetting(CL_Dpmr_Expert_FS48_Sync_BitError, kExpert + 3, 0, 255),
    countSetting(CL_Dpmr_Expert_FS24_Err_BitError, kExpert + 4, 0, 255),
    countSetting(CL_Dpmr_Expert_FS24_Err_Counter, kExpert + 5, 0, 255),
    countSetting(CL_Dpmr_Expert_FS48_ErrorAllowanceForDataIgnore, kExpert + 6, 0, 255),
    countSetting(CL_Dpmr_Expert_FS24_ErrorAllowanceForDataIgnore, kExpert + 7, 0, 255),
    imageTimer(CL_Dpmr_Expert_LET, kExpert + 8, 100, 0),
    imageOnOff(CL_Dpmr_Expert_Wakeup_Header, kExpertFlags, 5),
    imageTimer(CL_Dpmr_Expert_Wakeup_Header_OffTimer, kExpert + 9, 100, 0),
    imageTimer(CL_Dpmr_Expert_TxWait, kExpert + 10, 100, 0),
    imageTimer(CL_Dpmr_Expert_T_ch_chk_Timer, kExpert + 11, 100, 0),
    countSetting(CL_Dpmr_Expert_RSSI_L0, kExpert + 12, 0, 255),
    countSetting(CL_Dpmr_Expert_ND, kExpert + 13, 0, 255),
    imageTimer(CL_Dpmr_Expert_Lag_Timer, kExpert + 14, 100, 0),
    countSetting(CL_Dpmr_Expert_CC_Det_Count, kExpert + 15, 0, 255),
    countSetting(CL_Dpmr_Expert_CC_Undet_Count, kExpert + 16, 0, 255),
};

} // namespace

std::span<const CellBinding> dpmrBindings() { return kRows; }
