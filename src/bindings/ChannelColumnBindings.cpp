#include "bindings/ChannelColumnBindings.h"

#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/DpmrIdentity.h"
#include "codecs/BitSetCodecs.h"
#include "codecs/DigitCodecs.h"
#include "codecs/FrequencyCodec.h"
#include "codecs/HexCodecs.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/PickerCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/ToneCodec.h"
#include "image/BitField.h"
#include "image/WorkingLayout.h"
#include "platform/MessageService.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

namespace {

using Redraw = cmcCellCapsule::RedrawBit;
constexpr std::uint32_t kOthersDepend = Redraw::kRedrawLabelled;

// The common settings the channel columns look at.
constexpr BitField kDigitalFunction{0x10E97, 4, 1};
constexpr BitField kMiddleBandwidth{0x10E97, 5, 1};
constexpr BitField kScanListsOn{0x10E95, 6, 1};

bool isSet(const indCellHandler &frame, const BitField &field)
{
    return field.Read(frame.host.WorkingImage()) != 0;
}

// --- When a column applies ---------------------------------------------------

using Condition = bool (*)(const indCellHandler &frame);

bool notDigitalOnly(const indCellHandler &f) { return f.record.DigSig != 3; }
bool digital(const indCellHandler &f) { return f.record.DigSig != 0; }
bool digitalWithList(const indCellHandler &f)
{
    return f.record.DigSig == 2 || f.record.DigSig == 3;
}
bool transmitAllowed(const indCellHandler &f) { return f.record.TxInh == 0; }
bool scanListsOn(const indCellHandler &f) { return isSet(f, kScanListsOn); }
bool baseMode(const indCellHandler &f)
{
    return f.record.OperationMode == 2 || f.record.OperationMode == 3;
}
bool scramblerOffered(const indCellHandler &f) { return digital(f) || baseMode(f); }
bool scramblerTypeOffered(const indCellHandler &f)
{
    return f.record.ScrmOn != 1 && baseMode(f) &&
           !(f.record.OperationMode == 2 && f.record.DigSig == 3);
}
bool scramblerCodeOffered(const indCellHandler &f)
{
    return scramblerTypeOffered(f) && f.record.ScrmType != 1;
}
bool fastMuteOffered(const indCellHandler &f)
{
    return f.record.ScrmOn != 1 && (digital(f) || f.record.OperationMode == 3);
}
bool signallingOn(const indCellHandler &f)
{
    return f.record.SignalingType == 1 && f.record.DigSig != 3;
}
bool digitalTone(const indCellHandler &f) { return f.record.DigSig == 3; }
bool analogOnly(const indCellHandler &f) { return f.record.DigSig == 0; }
bool signallingInactive(const indCellHandler &f) { return !signallingOn(f); }
bool groupBankDecodesDtmf(const indCellHandler &f)
{
    return f.record.bankLtr(f.bank) && f.record.DtmfDec != 0;
}
bool twoToneInactive(const indCellHandler &f) { return digital(f) || groupBankDecodesDtmf(f); }
bool codesInactive(const indCellHandler &f) { return digitalTone(f) || groupBankDecodesDtmf(f); }
constexpr BitField kCwidOffsetLocked{0x1A78A, 6, 1};
bool cwidOffsetOffered(const indCellHandler &f)
{
    return f.record.DigSig == 3 && !isSet(f, kCwidOffsetLocked) && f.record.CwidOn != 0;
}
bool encryptionOffered(const indCellHandler &f)
{
    return f.record.ScrmOn != 1 && baseMode(f) &&
           !(f.record.OperationMode == 2 && f.record.DigSig == 0);
}

// A column that does not apply shows dashes in silver and ignores keys; one
// that applies but has no effect shows its value in silver.
struct Gate {
    Condition condition;
    const char *dashes; // nullptr: the value in silver while the condition holds
};

enum GateId : std::int32_t {
    kNotDigitalOnlyDash,
    kNotDigitalOnlyDashes,
    kTransmitAllowed,
    kScanLists,
    kScanListsShort,
    kScramblerOn,
    kScramblerType,
    kScramblerCode,
    kFastMute,
    kSignallingDash,
    kSignallingDashes,
    kDigital,
    kDigitalWithList,
    kSilverWhenDigitalTone,
    kSilverWhenAnalog,
    kSilverWhenSignallingOff,
    kSilverWhenTwoToneInactive,
    kSilverWhenCodesInactive,
    kCwidOffset,
    kEncryption,
    kBankKept,
};

bool bankZero(const indCellHandler &f) { return f.index == 0; }

constexpr std::array<Gate, 21> kGates{{
    {notDigitalOnly, "-"},         {notDigitalOnly, "----"},    {transmitAllowed, "----"},
    {scanListsOn, "----"},         {scanListsOn, "---"},        {scramblerOffered, "-"},
    {scramblerTypeOffered, "-"},   {scramblerCodeOffered, "-"}, {fastMuteOffered, "-"},
    {signallingOn, "-"},           {signallingOn, "----"},      {digital, "----"},
    {digitalWithList, "----"},     {digitalTone, nullptr},      {analogOnly, nullptr},
    {signallingInactive, nullptr}, {twoToneInactive, nullptr},  {codesInactive, nullptr},
    {cwidOffsetOffered, "---"},    {encryptionOffered, "-"},    {bankZero, "----"},
}};

void runGated(indCellHandler &frame, const CellBinding &row)
{
    const Gate &gate = kGates.at(static_cast<std::size_t>(row.argument));
    if (gate.dashes == nullptr) {
        CellBinding::RunValue(frame, row);
        if (gate.condition(frame) && frame.IsDraw())
            frame.ShowSilver();
        return;
    }
    if (!gate.condition(frame)) {
        if (frame.IsDraw())
            frame.ShowNotApplicable(gate.dashes);
        return;
    }
    CellBinding::RunValue(frame, row);
}

// --- Marks -------------------------------------------------------------------

void operationModeMark(indCellHandler &frame, const CellBinding &, std::int32_t mode)
{
    if ((mode == 0 || mode == 1) && frame.record.FreqR == frame.record.FreqT)
        frame.SetWarning();
}

void bandwidthMark(indCellHandler &frame, const CellBinding &, std::int32_t bandwidth)
{
    if ((bandwidth == 2 || bandwidth == 3) && !isSet(frame, kMiddleBandwidth))
        frame.SetWarning();
}

void lockoutMark(indCellHandler &frame, const CellBinding &, std::int32_t lockout)
{
    if (lockout != 12 && lockout != 16)
        return;
    if (!isSet(frame, kDigitalFunction))
        frame.SetError();
    else if (frame.record.DigSig == 0)
        frame.SetWarning();
}

void digitalModeMark(indCellHandler &frame, const CellBinding &, std::int32_t mode)
{
    if (mode != 0 && !isSet(frame, kDigitalFunction))
        frame.SetError();
}

void cwidOffsetMark(indCellHandler &frame, const CellBinding &, std::int32_t offset)
{
    if (offset != 0 && !isSet(frame, kDigitalFunction))
        frame.SetError();
}

// An own identity from the first group identity on would be taken for a
// group.
void dpmrUnitIdMark(indCellHandler &frame, const CellBinding &, std::int32_t identity)
{
    if (!isIndividualIdentity(static_cast<std::uint32_t>(identity),
                              firstGroupIdentity(frame.host.WorkingImage())))
        frame.SetError();
}

// An entry the dPMR ID list no longer holds calls nobody.
bool dpmrEntryMissing(const DpmrIdList &list, std::int32_t entry)
{
    return entry < 0 || static_cast<std::size_t>(entry) >= list.identities.size();
}

void callListEntryMark(indCellHandler &frame, const CellBinding &, std::int32_t entry)
{
    if (dpmrEntryMissing(DpmrIdList::Read(frame.record), entry))
        frame.SetError();
}

void talkGroupEntryMark(indCellHandler &frame, const CellBinding &, std::int32_t entry)
{
    const DpmrIdList list = DpmrIdList::Read(frame.record);
    if (dpmrEntryMissing(list, entry) ||
        isIndividualIdentity(list.identities[static_cast<std::size_t>(entry)], list.firstGroup))
        frame.SetError();
}

// The ID list columns name the entry from 1, with the ID it holds, as
// their lists show it; an entry beyond the list names no ID and is marked.
// Their lists are loops over the ID lists, whose rows the cell list of the
// popup does not hold.
template <int Kind>
void idListEntry(indCellHandler &frame, const CellBinding &, std::int32_t entry)
{
    if (!frame.IsDraw())
        return;
    std::string text = std::to_string(static_cast<std::int64_t>(entry) + 1);
    const int kind = Kind;
    if (entry < 0 || entry >= frame.record.listCount(kind) || frame.record.image == nullptr) {
        frame.SetError();
    } else {
        datCh listed = frame.record;
        listed.decode(kind, entry);
        text += ": " + std::to_string(static_cast<std::int64_t>(listed.Id));
    }
    frame.SetOutput(text);
}

// An encryption entry shows the key it holds, as its key list does: the
// key of entry `entry` of the key kind on a draw, none otherwise.
std::optional<std::int32_t> keyToShow(indCellHandler &frame, std::int32_t entry, int keyKind)
{
    if (!frame.IsDraw() || entry < 0 || entry > datCh::lastIndex(keyKind) ||
        frame.record.image == nullptr)
        return std::nullopt;
    datCh key = frame.record;
    key.decode(keyKind, entry);
    return key.Key;
}

constexpr int kKindEncryptionKey = 21;
constexpr int kKindDpmrEncryptionKey = 26;

void encryptionKeyText(indCellHandler &frame, const CellBinding &, std::int32_t entry)
{
    if (const auto key = keyToShow(frame, entry, kKindEncryptionKey)) {
        char text[16];
        std::snprintf(text, sizeof text, ": %04X", static_cast<unsigned>(*key & 0xFFFF));
        frame.SetOutput(frame.capsule.outputText + text);
    }
}

void dpmrEncryptionKeyText(indCellHandler &frame, const CellBinding &, std::int32_t entry)
{
    if (const auto key = keyToShow(frame, entry, kKindDpmrEncryptionKey)) {
        char text[16];
        std::snprintf(text, sizeof text, ": %5d", static_cast<int>(*key));
        frame.SetOutput(frame.capsule.outputText + text);
    }
}

// The MSK columns sit at the foot of their cells, on the right.
void mskLook(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    if (frame.IsDraw())
        frame.Align(2, 2);
}

// --- Values that move others -------------------------------------------------

void commit(indCellHandler &frame)
{
    frame.record.commit();
    frame.NoteRecordChanged();
}

// A message box captioned with the program's title.
void showMessage(const char *key, platform::MessageIcon icon)
{
    platform::showMessage(mainTextDatabase().GetFirstLine("GI_Sys_AppTitle"),
                          mainTextDatabase().GetText(key), icon);
}

std::int32_t receiveFrequency(indCellHandler &frame) { return frame.record.FreqR; }

// The transmit frequency follows, and a simplex frequency brings its own
// colour code; a digital channel in use is told when that code changes.
void setReceiveFrequency(indCellHandler &frame, std::int32_t hertz)
{
    datCh &record = frame.record;
    const ChannelFrequencies after =
        transmitFollowsReceive({record.FreqR, record.FreqT, record.isUsed()}, hertz);
    record.FreqR = after.receive;
    record.FreqT = after.transmit;
    const bool tell = record.applyDefaultColourCode();
    commit(frame);
    if (tell)
        showMessage("GI_AppMess_MchSheet_ColourCode_Change", platform::MessageIcon::Warning);
}

void setTransmitFrequency(indCellHandler &frame, std::int32_t hertz)
{
    datCh &record = frame.record;
    record.FreqT = hertz;
    const bool tell = record.applyDefaultColourCode();
    commit(frame);
    if (tell)
        showMessage("GI_AppMess_MchSheet_ColourCode_Change", platform::MessageIcon::Warning);
}

std::int32_t receiveTone(indCellHandler &frame) { return packTone(frame.record.CToneR); }
std::int32_t transmitTone(indCellHandler &frame) { return packTone(frame.record.CToneT); }

void setReceiveTone(indCellHandler &frame, std::int32_t value)
{
    datCh &record = frame.record;
    const ToneSetting after = unpackTone(value);
    record.CToneT = transmitToneFollows(record.CToneR, record.CToneT, after);
    record.CToneR = after;
    commit(frame);
}

void setTransmitTone(indCellHandler &frame, std::int32_t value)
{
    frame.record.CToneT = unpackTone(value);
    commit(frame);
}

std::int32_t receiveNac(indCellHandler &frame) { return frame.record.RxNac; }

void setReceiveNac(indCellHandler &frame, std::int32_t nac)
{
    if (frame.record.RxNac == frame.record.TxNac)
        frame.record.TxNac = nac;
    frame.record.RxNac = nac;
    commit(frame);
}

std::int32_t scramblerType(indCellHandler &frame) { return frame.record.ScrmType; }

// Type 2 counts its codes from 0, the others from 1: the code the user
// sees stays the same across a change of type.
void setScramblerType(indCellHandler &frame, std::int32_t type)
{
    datCh &record = frame.record;
    if (record.ScrmType == 2 && type != 2)
        ++record.ScrmCode;
    else if (record.ScrmType != 2 && type == 2)
        --record.ScrmCode;
    record.ScrmType = type;
    commit(frame);
}

std::int32_t shownCodeFromZero(indCellHandler &frame) { return frame.record.ScrmCode + 1; }
void setShownCodeFromZero(indCellHandler &frame, std::int32_t code)
{
    frame.record.ScrmCode = code - 1;
    commit(frame);
}

std::int32_t attributes(indCellHandler &frame) { return channelAttributes(frame.record); }
void setAttributes(indCellHandler &frame, std::int32_t value)
{
    setChannelAttributes(frame.record, value);
    commit(frame);
}

// Repeater code 255 stands for "off", which the record keeps as a flag.
std::int32_t mskRepeater(indCellHandler &frame)
{
    return frame.record.MskRptOff != 0 ? 255 : frame.record.RptC;
}
void setMskRepeater(indCellHandler &frame, std::int32_t code)
{
    frame.record.MskRptOff = code == 255 ? 1 : 0;
    if (code != 255)
        frame.record.RptC = code;
    commit(frame);
}

// The MSK receive codes are bits 6-0 of the code byte, members 1..7 of a
// byte-sized bit set; bit 7 belongs to the other signalling and stays.
std::int32_t mskReceiveCodes(indCellHandler &frame) { return (frame.record.RxCNo & 0x7F) << 1; }
void setMskReceiveCodes(indCellHandler &frame, std::int32_t value)
{
    frame.record.RxCNo = (frame.record.RxCNo & 0x80) | ((value >> 1) & 0x7F);
    commit(frame);
}

// A DTMF decode entry switches DTMF decoding on, none switches it off.
std::int32_t dtmfDecodeEntry(indCellHandler &frame) { return frame.record.RxCNoDtmf; }
void setDtmfDecodeEntry(indCellHandler &frame, std::int32_t entry)
{
    frame.record.RxCNoDtmf = entry;
    frame.record.DtmfDec = entry != 0 ? 1 : 0;
    commit(frame);
}

// --- Runners -----------------------------------------------------------------

bool createsChannel(const indCellHandler &frame)
{
    const CodecRequest request = frame.Request();
    if (request.kind == CodecRequest::Kind::Typed)
        return !request.typed.empty();
    const std::int32_t key = frame.Code();
    return (key >= '0' && key <= '9') || key == ' ' || key == 8 || key == '.' || key == 13;
}

// Fewer than the most channels, and the memory has room for one more.
bool roomForAnotherChannel(indCellHandler &frame)
{
    return ChannelGlobals::readWord(frame.host.WorkingImage(), working_layout::kChannelCount) <
               working_layout::kChannelSlots &&
           frame.host.HasRoomForAnother(working_layout::kChannelCount);
}

// A new channel at the row after the bank's last one, when the model has
// fewer than the most channels and the memory has room for one more.
bool createChannel(indCellHandler &frame)
{
    if (!roomForAnotherChannel(frame)) {
        showMessage("GI_AppMess_ChErr_Overflow", platform::MessageIcon::Error);
        return false;
    }
    eventManager().Send(kEvInsertChannels, nullptr, frame.index);
    // The insert keeps the bank's size; the new channel makes it grow.
    ChannelGlobals::setBankChannelCount(frame.host.WorkingImage(), frame.bank, frame.bankCount + 1);
    frame.record.reload();
    frame.UpdateLayout();
    frame.beyondEnd = false;
    frame.WidenRedraw(Redraw::kRedrawFromIndex | kOthersDepend);
    return true;
}

void runReceiveFrequency(indCellHandler &frame, const CellBinding &row)
{
    if (frame.beyondEnd) {
        if (frame.IsDraw() || !createsChannel(frame) || !createChannel(frame)) {
            frame.SetOutput("");
            return;
        }
    }
    CellBinding::RunValue(frame, row);
}

const CellBinding kScramblerCodeFromZero{
    .label = CL_Mch_Scrm_Code,
    .storage = CellStorage::model(shownCodeFromZero, setShownCodeFromZero),
    .codec = editIntegerWrap(1, 16)};
const CellBinding kScramblerCodeFromOne{.label = CL_Mch_Scrm_Code,
                                        .storage = CellStorage::record(&datCh::ScrmCode),
                                        .codec = editIntegerWrap(1, 255)};

void runScramblerCode(indCellHandler &frame, const CellBinding &row)
{
    if (!scramblerCodeOffered(frame)) {
        if (frame.IsDraw())
            frame.ShowNotApplicable("-");
        return;
    }
    (void)row;
    CellBinding::RunValue(frame, frame.record.ScrmType == 2 ? kScramblerCodeFromZero
                                                            : kScramblerCodeFromOne);
}

// Every item of the attribute menu changes the channel, even one that sets
// a flag already set: the bank images and the bank sheet are told.
void runAttributes(indCellHandler &frame, const CellBinding &row)
{
    const bool chosen = frame.Request().kind == CodecRequest::Kind::Chosen;
    CellBinding::RunValue(frame, row);
    if (chosen) {
        for (const EventCode event : kFlagSetEvents)
            eventManager().Post(event);
    }
}

// The unit ID limits come from the text database, read when the handler
// starts.
void runUnitId(indCellHandler &frame, const CellBinding &row)
{
    if (!digital(frame)) {
        if (frame.IsDraw())
            frame.ShowNotApplicable("----");
        return;
    }
    CellBinding bounded = row;
    bounded.codec = row.argument != 0 ? editHexValue(frame.unitIdMin, frame.unitIdMax, 4)
                                      : editIntegerWrap(frame.unitIdMin, frame.unitIdMax);
    CellBinding::RunValue(frame, bounded);
}

// Columns with a second list: the PMR model's own, or the shorter power
// list that key actions offer while the radio leaves out a power level.
constexpr BitField kShortPowerList{0x10EFB, 0, 1};

bool pmrModel(const indCellHandler &f) { return f.host.ModelType() == 1; }
bool shortPowerKeys(const indCellHandler &f) { return !f.IsDraw() && isSet(f, kShortPowerList); }

struct ListVariants {
    CellBinding usual;
    CellBinding other;
    Condition useOther;
    const char *dashes; // nullptr: always applies
};

CellBinding listOf(std::int32_t datCh::*member, const char *key)
{
    return {.storage = CellStorage::record(member), .codec = editOption(key, 1)};
}

enum ListVariantId : std::int32_t { kAutoResetLists, kLogLists, kPowerLists };

const ListVariants kListVariants[] = {
    {listOf(&datCh::AutoReset, "GI_Sheet_Sel_Mch_AutoReset_Lmr"),
     listOf(&datCh::AutoReset, "GI_Sheet_Sel_Mch_AutoReset_Pmr"), pmrModel, nullptr},
    {listOf(&datCh::Log, "GI_Sheet_Sel_Mch_Log_Lmr"),
     listOf(&datCh::Log, "GI_Sheet_Sel_Mch_Log_Pmr"), pmrModel, "----"},
    {listOf(&datCh::RfPo, "GI_Sheet_Sel_Mch_RfPwr"),
     listOf(&datCh::RfPo, "GI_Sheet_Sel_Mch_RfPwr_EX"), shortPowerKeys, nullptr},
};

void runListVariant(indCellHandler &frame, const CellBinding &row)
{
    const ListVariants &lists = kListVariants[row.argument];
    if (lists.dashes != nullptr && !notDigitalOnly(frame)) {
        if (frame.IsDraw())
            frame.ShowNotApplicable(lists.dashes);
        return;
    }
    CellBinding::RunValue(frame, lists.useOther(frame) ? lists.other : lists.usual);
}

// --- Banks: one row per bank, the cell's index is the bank ----------------

// This model keeps bank 0 only; the row after it counts every channel.
constexpr std::int32_t kBanks = 1;
constexpr std::int32_t kBankNameSize = 12;

bool bankKept(const indCellHandler &f) { return f.index >= 0 && f.index < kBanks; }

std::string bankName(const cmcEeprom &image, std::int32_t bank)
{
    std::string name;
    for (std::int32_t i = 0; i < kBankNameSize; ++i)
        name +=
            static_cast<char>(image.GetByte(channel_offsets::kBankName + kBankNameSize * bank + i));
    return name;
}

// What the tree shows for a bank: its number from 1, ": " and its name,
// with '*' for a character the tree cannot show.
std::string bankCaption(std::int32_t bank, const std::string &name)
{
    std::string caption = std::to_string(bank + 1) + ": ";
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        caption += code >= 0x20 && code < 0x7F ? c : '*';
    }
    return caption;
}

void runBankName(indCellHandler &frame, const CellBinding &row)
{
    if (!bankKept(frame))
        return;
    const std::string before = bankName(frame.host.WorkingImage(), frame.index);
    CellBinding::RunValue(frame, row);
    const std::string after = bankName(frame.host.WorkingImage(), frame.index);
    if (after != before)
        eventManager().PostText(kEvBankCaption, nullptr, frame.index,
                                bankCaption(frame.index, after));
}

std::int32_t bankSmarTrunk(indCellHandler &frame)
{
    return ChannelGlobals::bankFlag(frame.host.WorkingImage(), channel_offsets::kBankSmarTrunk,
                                    frame.index)
               ? 1
               : 0;
}

// The tree and the bank sheet show a trunking bank in its own colours.
void setBankSmarTrunk(indCellHandler &frame, std::int32_t on)
{
    ChannelGlobals::setBankFlag(frame.host.WorkingImage(), channel_offsets::kBankSmarTrunk,
                                frame.index, on != 0);
    eventManager().Post(kEvRefreshBankImages);
}

// Channels at the bank's end that may go: blank ones after the last
// channel in use or designated A, B or E.
std::int32_t blankTail(indCellHandler &frame, std::int32_t bank)
{
    datCh channel(&frame.host.WorkingImage());
    const std::int32_t first = channel.bankFirstChannel(bank);
    std::int32_t tail = 0;
    for (std::int32_t i = first + channel.bankChannelCount(bank) - 1; i >= first; --i, ++tail) {
        channel.decode(datCh::channelKind(), i);
        if (channel.isUsed() || channel.AtrA != 0 || channel.AtrB != 0 || channel.AtrE != 0)
            break;
    }
    return tail;
}

std::int32_t usedChannels(indCellHandler &frame, std::int32_t bank)
{
    datCh channel(&frame.host.WorkingImage());
    if (bank < kBanks)
        return channel.bankUsedChannels(bank);
    return std::max(channel.usedChannelCount(0, working_layout::kChannelSlots - 1), 0);
}

std::int32_t bankSize(indCellHandler &frame)
{
    return ChannelGlobals::bankChannelCount(frame.host.WorkingImage(), frame.index);
}

// Blank channels come and go at the bank's end, one at a time, as far as
// the memory has room and the tail is blank; what cannot be done is told.
void setBankSize(indCellHandler &frame, std::int32_t wanted)
{
    cmcEeprom &image = frame.host.WorkingImage();
    const std::int32_t bank = frame.index;
    const std::int32_t first = ChannelGlobals::bankFirstChannel(image, bank);
    std::int32_t count = bankSize(frame);
    if (wanted > count) {
        while (count < wanted) {
            if (!roomForAnotherChannel(frame)) {
                showMessage("GI_AppMess_ChErr_Overflow", platform::MessageIcon::Error);
                break;
            }
            eventManager().Send(kEvInsertChannels, nullptr, first + count);
            ChannelGlobals::setBankChannelCount(image, bank, ++count);
        }
    } else if (wanted < count) {
        const std::int32_t tail = blankTail(frame, bank);
        if (count - wanted > tail)
            showMessage(wanted < 0 ? "GI_AppMess_ChErr_NoCh" : "GI_AppMess_ChErr_NotBlank",
                        platform::MessageIcon::Error);
        for (std::int32_t goes = std::min(count - wanted, tail); goes > 0; --goes) {
            eventManager().Send(kEvDeleteChannels, nullptr, first + count - 1);
            ChannelGlobals::setBankChannelCount(image, bank, --count);
        }
    }
    frame.record.reload();
    frame.UpdateLayout();
}

// The bank's row edits its size within what can be added and removed; the
// row after the last bank shows the channels in use.
void runBankSize(indCellHandler &frame, const CellBinding &row)
{
    if (!bankKept(frame)) {
        if (frame.IsDraw())
            frame.SetOutput(std::to_string(usedChannels(frame, frame.index)));
        return;
    }
    const std::int32_t count = bankSize(frame);
    const std::int32_t room =
        std::max(0, std::min(working_layout::kChannelSlots - count,
                             working_layout::kChannelSlots - usedChannels(frame, kBanks)));
    CellBinding bounded = row;
    bounded.codec = editIntegerSaturate(count - blankTail(frame, frame.index), count + room);
    CellBinding::RunValue(frame, bounded);
}

void runUsedChannels(indCellHandler &frame, const CellBinding &)
{
    if (frame.IsDraw() && frame.index >= 0)
        frame.SetOutput(std::to_string(usedChannels(frame, frame.index)));
}

// --- The table ---------------------------------------------------------------

CellBinding option(std::int32_t label, std::int32_t datCh::*member, const char *key,
                   std::int32_t style = 1)
{
    return {
        .label = label, .storage = CellStorage::record(member), .codec = editOption(key, style)};
}

CellBinding gated(CellBinding row, GateId gate)
{
    row.run = runGated;
    row.argument = gate;
    return row;
}

CellBinding withRule(CellBinding row, CellBinding::Rule rule)
{
    row.rule = rule;
    return row;
}

// A rule that looks at other columns, or that other columns look at.
CellBinding marked(CellBinding row, CellBinding::Rule rule)
{
    row = withRule(row, rule);
    row.redrawOnChange |= kOthersDepend;
    return row;
}

CellBinding twin(CellBinding row, std::int32_t label)
{
    row.label = label;
    return row;
}

constexpr const char *kOnOff = "GI_Sheet_Sel_Misc_OnOff2";

CellBinding onOff(std::int32_t label, std::int32_t datCh::*member)
{
    return option(label, member, kOnOff);
}

CellBinding listVariantRow(std::int32_t label, ListVariantId which)
{
    return {.label = label, .run = runListVariant, .argument = which};
}

const CellBinding kLmrLockout =
    marked(option(CL_Mch_Lockout, &datCh::Lockout, "GI_Sheet_Sel_Mch_Lockout", 4), lockoutMark);
const CellBinding kNarrow =
    gated(option(CL_Mch_Nar, &datCh::Nar, "GI_Sheet_Sel_Mch_Nar"), kNotDigitalOnlyDash);
const CellBinding kBandwidth =
    gated(marked(option(CL_Mch_WNM, &datCh::Nar, "GI_Sheet_Sel_Mch_WNM", 4), bandwidthMark),
          kNotDigitalOnlyDash);
const CellBinding kTot = onOff(CL_Mch_Tot, &datCh::Tot);
const CellBinding kPowerSave = onOff(CL_Mch_PwrSave, &datCh::PwrSave);
const CellBinding kTxInhibit = option(CL_Mch_TxInh, &datCh::TxInh, "GI_Sheet_Sel_Mch_CH_TxInh");
const CellBinding kScan{.label = CL_Mch_Scan,
                        .storage = CellStorage::record(&datCh::Scan),
                        .codec = editBitSet(1, 16, 3, "GI_Sheet_FBitsR")};
CellBinding picked(std::int32_t label, std::int32_t datCh::*member, const char *list,
                   std::int32_t itemLabel)
{
    return {.label = label,
            .storage = CellStorage::record(member),
            .codec = pickFromCells(list, itemLabel, CellMatch::Number, true)};
}

// The modes of the selective-call signalling: in silver while it is off,
// and the other columns follow them.
CellBinding signallingMode(std::int32_t label, std::int32_t datCh::*member, const char *list)
{
    return gated(marked(option(label, member, list, 4), nullptr), kSilverWhenSignallingOff);
}

const CellBinding kReceiveCodes = gated({.label = CL_Mch_RxCNo2,
                                         .storage = CellStorage::record(&datCh::RxCNo),
                                         .codec = editBitSet(1, 10, 2, "GI_Sheet_FBitsR")},
                                        kSilverWhenCodesInactive);
const CellBinding kMonitor = signallingMode(CL_Mch_Moni, &datCh::Moni, "GI_Sheet_Sel_Mch_Moni");

const CellBinding kSelective = signallingMode(CL_Mch_Sel, &datCh::Sel, "GI_Sheet_Sel_Mch_Sel");
const CellBinding kCallMode = signallingMode(CL_Mch_Call, &datCh::Call, "GI_Sheet_Sel_Mch_Call");
const CellBinding kPttMode = signallingMode(CL_Mch_PTT, &datCh::Ptt, "GI_Sheet_Sel_Mch_Ptt");
const CellBinding kFormat =
    gated(option(CL_Mch_Form, &datCh::Form, "GI_Sheet_Sel_Mch_Form"), kSignallingDashes);
const CellBinding kRepeaterTone =
    gated(option(CL_Mch_Rpt_L, &datCh::RptL, "GI_Sheet_Sel_Mch_LTone"), kSignallingDash);
const CellBinding kRepeaterCode =
    gated(picked(CL_Mch_Rpt_C, &datCh::RptC, "GI_Sheet_Sel_RxC_AbcCode", Flex1), kSignallingDashes);

const CellBinding kRows[] = {
    option(CL_Mch_Inh, &datCh::Inh, "GI_Sheet_Sel_Mch_ChInh"),
    marked(option(CL_Mch_OperationMode, &datCh::OperationMode, "GI_Sheet_Sel_Mch_OperationMode", 4),
           operationModeMark),
    {.label = CL_Mch_FreqR,
     .run = runReceiveFrequency,
     .storage = CellStorage::model(receiveFrequency, setReceiveFrequency),
     .codec = editFrequency(ChannelSide::Receive),
     .redrawOnChange = Redraw::kRedrawSameIndex},
    gated({.label = CL_Mch_FreqT,
           .storage = CellStorage::model([](indCellHandler &f) { return f.record.FreqT; },
                                         setTransmitFrequency),
           .codec = editFrequency(ChannelSide::Transmit)},
          kTransmitAllowed),
    kTxInhibit,
    twin(kTxInhibit, CL_Mch_TxInh_Qsig),
    kNarrow,
    twin(kNarrow, CL_Mch_Nar_Pmr),
    kBandwidth,
    twin(kBandwidth, CL_Mch_WNM_Pmr),
    gated({.label = CL_Mch_CTone_R,
           .storage = CellStorage::model(receiveTone, setReceiveTone),
           .codec = editTone(ToneSide::Receive, "GI_Sheet_Sel_Mch_CTone"),
           .redrawOnChange = Redraw::kRedrawSameIndex},
          kSilverWhenDigitalTone),
    gated({.label = CL_Mch_CTone_T,
           .storage = CellStorage::model(transmitTone, setTransmitTone),
           .codec = editTone(ToneSide::Transmit, "GI_Sheet_Sel_Mch_CTone")},
          kNotDigitalOnlyDashes),
    {.label = CL_Mch_Text,
     .storage = CellStorage::recordBytes<&datCh::Text>(),
     .codec = editName(12, NameFill::Spaces)},
    gated(onOff(CL_Mch_Compander, &datCh::Compander), kNotDigitalOnlyDashes),
    kPowerSave,
    twin(kPowerSave, CL_Mch_PwrSave_Qsig),
    kTot,
    twin(kTot, CL_Mch_TOT_Local),
    twin(kTot, CL_Mch_Tot_Qsig),
    onOff(CL_Mch_TOT_Repeat, &datCh::TotRepeat),
    listVariantRow(CL_Mch_RfPo, kPowerLists),
    kLmrLockout,
    twin(kLmrLockout, CL_Mch_Lockout_Local),
    twin(kLmrLockout, CL_Mch_Lockout_Pmr),
    twin(kLmrLockout, CL_Mch_Lockout_Dig),
    onOff(CL_Mch_CWID_ONOFF, &datCh::CwidOn),
    kScan,
    twin(kScan, CL_Mch_Scan_Qsig),
    onOff(CL_Mch_AutoChScan, &datCh::AutoChScan),
    listVariantRow(CL_Mch_AutoReset, kAutoResetLists),
    listVariantRow(CL_Mch_AutoReset_Pmr, kAutoResetLists),
    listVariantRow(CL_Mch_AutoReset_Qsig, kAutoResetLists),
    listVariantRow(CL_Mch_Log, kLogLists),
    listVariantRow(CL_Mch_Log_Pmr, kLogLists),
    listVariantRow(CL_Mch_Log_Qsig, kLogLists),
    option(CL_Mch_Scan_Inc, &datCh::ScanInc, "GI_Sheet_Sel_Mch_ScanInc"),
    gated(option(CL_Mch_Scan_List, &datCh::ScanListNo, "GI_Sheet_Sel_Mch_Scan_List"), kScanLists),
    gated(option(CL_Mch_Scan_ListSel, &datCh::ScanListSel, "GI_Sheet_Sel_Mch_Scan_ListSel"),
          kScanListsShort),
    gated(marked(option(CL_Mch_Scrm_On, &datCh::ScrmOn, "GI_Sheet_Sel_Mch_ScramOn"), nullptr),
          kScramblerOn),
    gated({.label = CL_Mch_Scrm_Type,
           .storage = CellStorage::model(scramblerType, setScramblerType),
           .codec = editOption("GI_Sheet_Sel_Mch_ScramType", 1),
           .redrawOnChange = Redraw::kRedrawSameIndex},
          kScramblerType),
    {.label = CL_Mch_Scrm_Code, .run = runScramblerCode},
    onOff(CL_Mch_Sql_Tight, &datCh::SqlTight),
    option(CL_Mch_RX_MultiTableNo, &datCh::RxMultiTableNo, "GI_Sheet_Sel_Mch_RxMultiTableNo"),
    kMonitor,
    twin(kMonitor, CL_Mch_Moni_Qsig),
    kSelective,
    twin(kSelective, CL_Mch_Sel_Qsig),
    kCallMode,
    twin(kCallMode, CL_Mch_Call_Qsig),
    kPttMode,
    twin(kPttMode, CL_Mch_PTT_Qsig),
    gated(marked(option(CL_Mch_CH_Mute, &datCh::ChMute, "GI_Sheet_Sel_Mch_ChMute", 4), nullptr),
          kSignallingDash),
    gated(marked(option(CL_Mch_RptMode, &datCh::RptMode, "GI_Sheet_Sel_Mch_ChMute", 4), nullptr),
          kSignallingDash),
    kFormat,
    twin(kFormat, CL_Mch_Form_Qsig),
    kRepeaterTone,
    twin(kRepeaterTone, CL_Mch_Rpt_L_Qsig),
    gated(option(CL_Mch_Stn_L, &datCh::StnL, "GI_Sheet_Sel_Mch_LTone"), kSignallingDash),
    gated(option(CL_Mch_Id_L, &datCh::IdL, "GI_Sheet_Sel_Mch_LTone"), kSignallingDash),
    gated(option(CL_Mch_Pos, &datCh::Pos, "GI_Sheet_Sel_Mch_Pos"), kSignallingDashes),
    marked(option(CL_Mch_Dig_Sig, &datCh::DigSig, "GI_Sheet_Sel_Mch_Dig_Signal", 4),
           digitalModeMark),
    gated(onOff(CL_Mch_Fast_Mute, &datCh::FastMute), kFastMute),
    gated(marked(option(CL_Mch_Signaling_Type, &datCh::SignalingType,
                        "GI_Sheet_Sel_Mch_Signaling_Type"),
                 nullptr),
          kNotDigitalOnlyDashes),
    gated({.label = CL_Mch_RxNac,
           .storage = CellStorage::model(receiveNac, setReceiveNac),
           .codec = editHexValue(0, 63, 2),
           .redrawOnChange = Redraw::kRedrawSameIndex},
          kDigital),
    gated({.label = CL_Mch_TxNac,
           .storage = CellStorage::record(&datCh::TxNac),
           .codec = editIntegerWrap(0, 63)},
          kDigital),
    gated(option(CL_Mch_SQL_Type, &datCh::SqlType, "GI_Sheet_Sel_Mch_SQL_Type"), kDigital),
    gated({.label = CL_Mch_Dpmr_TxCc,
           .storage = CellStorage::record(&datCh::DpmrTxCc),
           .codec = editIntegerWrap(0, 63)},
          kDigital),
    gated(option(CL_Mch_Dpmr_SQL_Type, &datCh::DpmrSqlType, "GI_Sheet_Sel_Mch_Dpmr_SQL_Type"),
          kDigital),
    gated(onOff(CL_Digi_Grp_Op_Strapped, &datCh::Strapped), kSilverWhenAnalog),
    {.label = CL_Mch_Atr,
     .run = runAttributes,
     .storage = CellStorage::model(attributes, setAttributes),
     .codec = editFlagSet("GI_Sheet_Sel_Mch_Atr"),
     .redrawOnChange = kOthersDepend | Redraw::kRedrawSameLabel,
     .flags = CellBinding::kShowsOnEmptyRow},
    gated(marked(option(CL_Mch_CWID_Offset, &datCh::CwidOffset, "GI_Sheet_Sel_Mch_CWID", 4),
                 cwidOffsetMark),
          kCwidOffset),
    // The record keeps no 2-tone choice: the column offers the codes and
    // always shows the first.
    gated({.label = CL_Mch_2Tone,
           .storage = CellStorage::none(),
           .codec = pickFromCells("GI_Sheet_Sel_Mch_2Tone", Flex0, CellMatch::Number, true)},
          kSilverWhenTwoToneInactive),
    kReceiveCodes,
    twin(kReceiveCodes, CL_Mch_RxCNo2_Ltr),
    kRepeaterCode,
    twin(kRepeaterCode, CL_Mch_Rpt_C_Qsig),
    gated(picked(CL_Mch_Stn_C, &datCh::StnC, "GI_Sheet_Sel_RxC_AbcCode", Flex1), kSignallingDashes),
    gated(picked(CL_Mch_Id_C, &datCh::IdC, "GI_Sheet_Sel_RxC_AbcCode", Flex1), kSignallingDashes),
    gated({.label = CL_Mch_RxCNo,
           .storage = CellStorage::record(&datCh::RxCNo),
           .codec = editBitSet(1, 8, 0, "GI_Sheet_FBitsR")},
          kSignallingDashes),
    marked(option(CL_Mch_Msk_Sig, &datCh::MskSig, "GI_Sheet_Sel_Mch_Msk_Signal_Pmr"), nullptr),
    marked(option(CL_Mch_Msk_SendStatus, &datCh::MskSendStatus, "GI_Sheet_Sel_Mch_SendStatus", 4),
           nullptr),
    {.label = CL_Mch_Msk_Rpt,
     .storage = CellStorage::model(mskRepeater, setMskRepeater),
     .codec = pickOptionOrNumber("GI_Sheet_Sel_Mch_Msk_Rpt_1st_Pmr", Flex0,
                                 "GI_Sheet_Sel_Mch_Msk_Rpt_2nd", Flex1, true),
     .rule = mskLook},
    withRule(picked(CL_Mch_Msk_Stn, &datCh::StnC, "GI_Sheet_Sel_Mch_Msk_ID", Flex0), mskLook),
    {.label = CL_Mch_Msk_RxCNo,
     .storage = CellStorage::model(mskReceiveCodes, setMskReceiveCodes),
     .codec = editBitSet(1, 7, 0, "GI_Sheet_FBitsR"),
     .rule = mskLook},
    {.label = CL_Mch_RxCNoDtmf,
     .storage = CellStorage::model(dtmfDecodeEntry, setDtmfDecodeEntry),
     .codec = pickFromCells("GI_Sheet_Sel_Mch_DTMF_Dec", Flex0, CellMatch::Number, true),
     .redrawOnChange = Redraw::kRedrawSameIndex},
    option(CL_Mch_DtmfDec, &datCh::DtmfDec, "GI_Sheet_Sel_Mch_ChMuteLtr"),
    {.label = CL_Mch_Unit_Hex,
     .run = runUnitId,
     .storage = CellStorage::record(&datCh::UnitId),
     .argument = 1},
    {.label = CL_Mch_Unit_Dec, .run = runUnitId, .storage = CellStorage::record(&datCh::UnitId)},
    gated({.label = CL_Mch_Ind_List,
           .storage = CellStorage::record(&datCh::IndList),
           .codec = pickListEntry("GI_Sheet_Sel_IndList", Flex_InvIDList_ChNo, datCh::kKindDigInd),
           .rule = idListEntry<datCh::kKindDigInd>},
          kDigitalWithList),
    gated({.label = CL_Mch_TG_List,
           .storage = CellStorage::record(&datCh::TgList),
           .codec = pickListEntry("GI_Sheet_Sel_TGList", Flex_TgIDList_ChNo, datCh::kKindDigTg),
           .rule = idListEntry<datCh::kKindDigTg>},
          kDigital),
    gated(withRule(picked(CL_Mch_Encryption_No, &datCh::EncryptionNo, "GI_Sheet_Sel_EncryptionList",
                          Flex0),
                   encryptionKeyText),
          kEncryption),
    gated({.label = CL_Mch_Dpmr_Unit_Id,
           .storage = CellStorage::record(&datCh::DpmrUnitId),
           .codec = editIdBcd(kOwnUnitIdRange),
           .rule = dpmrUnitIdMark},
          kDigital),
    gated({.label = CL_Mch_Dpmr_Call_List,
           .storage = CellStorage::record(&datCh::DpmrCallList),
           .codec = pickCallList("GI_Sheet_Sel_CallList", DpmrIdFilter::All),
           .rule = callListEntryMark},
          kDigitalWithList),
    gated({.label = CL_Mch_Dpmr_TG_List,
           .storage = CellStorage::record(&datCh::DpmrTgList),
           .codec = pickCallList("GI_Sheet_Sel_CallList_Grp", DpmrIdFilter::Group),
           .rule = talkGroupEntryMark},
          kDigital),
    gated(withRule(picked(CL_Mch_Dpmr_Encryption_No, &datCh::DpmrEncryptionNo,
                          "GI_Sheet_Sel_Dpmr_EncryptionList", Flex0),
                   dpmrEncryptionKeyText),
          kFastMute),
    {.label = CL_Mch_BankText,
     .run = runBankName,
     .storage = CellStorage::imageBytes(channel_offsets::kBankName, kBankNameSize, kBankNameSize),
     .codec = editName(kBankNameSize, NameFill::Spaces)},
    gated({.label = CL_Mch_SmarTrunk,
           .storage = CellStorage::model(bankSmarTrunk, setBankSmarTrunk),
           .codec = editOption(kOnOff, 1)},
          kBankKept),
    {.label = CL_Mch_Bank,
     .run = runBankSize,
     .storage = CellStorage::model(bankSize, setBankSize),
     .redrawOnChange = kOthersDepend | Redraw::kRedrawFromIndex},
    {.label = CL_Mch_UsedCHs, .run = runUsedChannels},
    // Columns this radio keeps nothing for: they show nothing and ignore
    // keys.
    {.label = CL_Mch_Rpt, .run = CellBinding::RunNothing},
    {.label = CL_Mch_RX_Type, .run = CellBinding::RunNothing},
    {.label = CL_Mch_TX_Type, .run = CellBinding::RunNothing},
    {.label = CL_Mch_FM_Type, .run = CellBinding::RunNothing},
    {.label = CL_Mch_FM_TxCTone, .run = CellBinding::RunNothing},
    {.label = CL_Mch_KCOOP_TxRan, .lastLabel = CL_Mch_KCOOP_DestId, .run = CellBinding::RunNothing},
    {.label = CL_Grp_RxId, .lastLabel = CL_Mch_AreaBit, .run = CellBinding::RunNothing},
};

} // namespace

std::span<const CellBinding> channelColumnBindings() { return kRows; }
