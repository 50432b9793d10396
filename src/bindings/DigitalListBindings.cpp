#include "bindings/DigitalListBindings.h"

#include "bindings/DuplicateIds.h"
#include "bindings/SettingRules.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "codecs/CodecBasics.h"
#include "codecs/HexCodecs.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TextCodecs.h"
#include "platform/HexDigits.h"
#include "platform/MessageService.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

// The digital lists are records and need no other bytes:
//   kind 17  individual IDs     0x12316 + 16 i  (block 34), count word of block 34
//   kind 18  talk groups        0x14258 + 14 i  (block 35), count word of block 35
//   kind 19  NAC channels       0x163B3 + 4 i   (block 36, kept from the template:
//                               never written, so shown only), selection bitmap 0x10EF6
//   kind 20  status messages    0x1706F + 16 i and 0x16A2F + 16 i
//   kind 21  encryption keys    0x17719 + 2 i   (block 51)
//   kind 22  short data texts   0x10574 + 12 i  and selection bits 0x176F5 + 2 i

namespace {

using setting_rules::outsideRange;

constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff";
constexpr int kNameWidth = 12;
constexpr int kUnitIdDigits = 4;
constexpr std::int32_t kLastNac = 0xFFF;
constexpr int kNacDigits = 3;
constexpr std::int32_t kLastKey = 0xFFFF;
constexpr int kKeyDigits = 4;
constexpr std::int32_t kLastBeep = 4;
constexpr std::int32_t kLastAction = 37;

// --- ID lists ------------------------------------------------------------------

std::int32_t listEvent(int kind)
{
    return kind == datCh::kKindDigInd ? kEvInsertIndividualIds : kEvInsertTalkGroups;
}

void showOverflow()
{
    platform::showMessage(mainTextDatabase().GetFirstLine("GI_Sys_AppTitle"),
                          mainTextDatabase().GetText("GI_AppMess_ChErr_Overflow"),
                          platform::MessageIcon::Error);
}

bool startsEntry(const indCellHandler &frame)
{
    const CodecRequest request = frame.Request();
    if (request.kind == CodecRequest::Kind::Typed)
        return !request.typed.empty();
    const std::int32_t key = frame.Code();
    return (key >= '0' && key <= '9') || key == CodecRequest::kEnter;
}

// A key on the row below the list's last entry opens a new entry there;
// the list refuses a 501st entry and anything beyond its end.
bool createEntry(indCellHandler &frame, int kind)
{
    const int count = frame.record.listCount(kind);
    if (frame.index != count)
        return false;
    if (count >= channel_offsets::kListCapacity ||
        !frame.host.HasRoomForAnother(ChannelGlobals::listCountAddress(kind))) {
        showOverflow();
        return false;
    }
    eventManager().Send(listEvent(kind), nullptr, frame.index);
    if (frame.record.listCount(kind) != count + 1)
        return false;
    frame.record.reload();
    frame.WidenRedraw(cmcCellCapsule::kRedrawLabelled);
    return true;
}

DuplicateIds &duplicatesOf(int kind)
{
    static DuplicateIds individual(datCh::kKindDigInd);
    static DuplicateIds groups(datCh::kKindDigTg);
    return kind == datCh::kKindDigInd ? individual : groups;
}

// Two entries with one ID: the radio finds only the first, so both are
// marked, and a change that makes one says which entry already holds it.
void duplicateMark(indCellHandler &frame, int kind)
{
    const int other = duplicatesOf(kind).OtherEntryOf(frame.host.WorkingImage(), frame.index);
    if (other < 0)
        return;
    frame.SetWarning();
    if (frame.IsDraw())
        return;
    // "The same ID is in entry" and the entry's number.
    const std::string reason = mainTextDatabase().GetFirstLine("GI_AppMess_Digital_DuplicateId") +
                               " " + std::to_string(other + 1);
    postStatusText(reason);
}

// The ID cells take the unit ID limits of the text database; the decimal
// cell also opens new entries.
void runId(indCellHandler &frame, const CellBinding &row, CellCodec codec)
{
    const int kind = row.argument;
    if (frame.IsBlankRow()) {
        if (frame.IsDraw() || !startsEntry(frame) || !createEntry(frame, kind))
            return;
    }
    CellBinding bounded = row;
    bounded.codec = std::move(codec);
    CellBinding::RunValue(frame, bounded);
    const std::int32_t id = frame.record.Id;
    if (id < frame.unitIdMin || id > frame.unitIdMax)
        frame.SetError();
    duplicateMark(frame, kind);
}

void runDecimalId(indCellHandler &frame, const CellBinding &row)
{
    runId(frame, row, editIntegerWrap(frame.unitIdMin, frame.unitIdMax));
}

void runHexId(indCellHandler &frame, const CellBinding &row)
{
    runId(frame, row, editHexValue(frame.unitIdMin, frame.unitIdMax, kUnitIdDigits));
}

// The two cells of an entry's ID show one value.
CellBinding id(std::int32_t label, int kind, CellBinding::Runner run)
{
    return {.label = label,
            .run = run,
            .storage = CellStorage::record(&datCh::Id),
            .argument = kind,
            // Another entry's duplicate mark may come or go.
            .redrawOnChange = cmcCellCapsule::kRedrawSameCategory,
            .flags = CellBinding::kSharedBits};
}

template <auto Member>
CellBinding name(std::int32_t label)
{
    return {.label = label,
            .storage = CellStorage::recordBytes<Member>(),
            .codec = editName(kNameWidth, NameFill::Spaces)};
}

CellBinding option(std::int32_t label, std::int32_t datCh::*member, const char *list,
                   std::int32_t style = Flex0)
{
    return {
        .label = label, .storage = CellStorage::record(member), .codec = editOption(list, style)};
}

// The radio keeps the NAC channels of its template: their block is never
// sent to it nor saved, so a changed code would be lost without a word.
// The codes are shown as fixed values; the selection bits travel with the
// common settings and stay editable.
void runFixedNac(indCellHandler &frame, const CellBinding &row)
{
    if (!frame.IsDraw())
        return;
    CellBinding::RunValue(frame, row);
    frame.SetOutput(frame.capsule.outputText + " (No Edit)");
}

CellBinding fixedNac(std::int32_t label, std::int32_t datCh::*member)
{
    return {.label = label,
            .run = runFixedNac,
            .storage = CellStorage::record(member),
            .codec = editHexValue(0, kLastNac, kNacDigits)};
}

// A key is four hexadecimal digits: a longer text is another key, not one
// to be cut to the largest, so it is refused as text that is not hex is.
bool keyText(std::string_view typed)
{
    const std::string_view digits = trimmed(typed);
    return !digits.empty() && digits.size() <= kKeyDigits && platform::isHexText(digits);
}

struct KeyParams {
    CellCodec hex;
};

CodecAnswer runKeyCodec(const KeyParams &params, std::int32_t value, const CodecRequest &request)
{
    if (request.kind != CodecRequest::Kind::Typed || keyText(request.typed))
        return params.hex(value, request);
    CodecRequest shown = request;
    shown.kind = CodecRequest::Kind::Draw;
    shown.typed = {};
    return params.hex(value, shown);
}

CellCodec editKey()
{
    return CellCodec(runKeyCodec, KeyParams{editHexValue(0, kLastKey, kKeyDigits)});
}

// --- Status messages -----------------------------------------------------------

// Actions 26..37 drive one of four outputs, three states each.
constexpr std::int32_t kFirstOutputAction = 26;
constexpr std::int32_t kStatesPerOutput = 3;

// The output an action drives, which the radio keeps beside the action.
void runOutput(indCellHandler &frame, const CellBinding &)
{
    const std::int32_t action = frame.record.Action;
    if (action < kFirstOutputAction || action > kLastAction) {
        if (frame.IsDraw())
            frame.ShowNotApplicable("----");
        return;
    }
    const std::int32_t output = (action - kFirstOutputAction) / kStatesPerOutput + 1;
    char text[32];
    std::snprintf(text, sizeof text, "%d (No Edit)", static_cast<int>(output));
    frame.SetOutput(text);
}

const CellBinding kRows[] = {
    // Individual IDs.
    id(CL_Digi_Ind_Id_Hex, datCh::kKindDigInd, runHexId),
    id(CL_Digi_Ind_Id_Dec, datCh::kKindDigInd, runDecimalId),
    name<&datCh::Text>(CL_Digi_Ind_Id_Name),

    // Talk groups.
    id(CL_Digi_Grp_Id_Hex, datCh::kKindDigTg, runHexId),
    id(CL_Digi_Grp_Id_Dec, datCh::kKindDigTg, runDecimalId),
    name<&datCh::Text>(CL_Digi_Grp_Id_Name),

    // NAC channels.
    fixedNac(CL_Digi_NacCh_RxNac, &datCh::RxNac),
    fixedNac(CL_Digi_NacCh_TxNac, &datCh::TxNac),
    option(CL_Digi_NacCh_Sel, &datCh::Sel, kOnOff),

    // Status messages.
    [] {
        CellBinding row = option(CL_Digi_Msg_Status_Beep, &datCh::Beep, "GI_Sheet_Sel_MSK_Alert");
        row.rule = outsideRange<0, kLastBeep>;
        return row;
    }(),
    option(CL_Digi_Msg_Status_Selection, &datCh::Selection, kOnOff),
    name<&datCh::Text_Rx>(CL_Digi_Msg_Status_Text_Rx),
    name<&datCh::Text_Tx>(CL_Digi_Msg_Status_Text_Tx),
    option(CL_Digi_Msg_Status_RX, &datCh::RX, kOnOff),
    [] {
        CellBinding row = option(CL_Digi_Msg_Status_Action, &datCh::Action,
                                 "GI_Sheet_Sel_Digital_Status_Action_Popup", FlexMark);
        row.rule = outsideRange<0, kLastAction>;
        row.redrawOnChange = cmcCellCapsule::kRedrawSameIndex;
        return row;
    }(),
    {.label = CL_Digi_Msg_Status_AUX, .run = runOutput},

    // Encryption keys.
    {.label = CL_Digi_Encryption_Key,
     .storage = CellStorage::record(&datCh::Key),
     .codec = editKey()},

    // Short data messages.
    name<&datCh::Message>(CL_Digi_SDM_Message),
    option(CL_Digi_SDM_Sel, &datCh::Sel, kOnOff),
};

} // namespace

std::span<const CellBinding> digitalListBindings() { return kRows; }
