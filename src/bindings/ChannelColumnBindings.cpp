#include "bindings/ChannelColumnBindings.h"

#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "codecs/BitSetCodecs.h"
#include "codecs/FrequencyCodec.h"
#include "codecs/HexCodecs.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TextCodecs.h"
#include "codecs/ToneCodec.h"
#include "image/BitField.h"
#include "image/WorkingLayout.h"
#include "platform/MessageService.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <array>

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
};

constexpr std::array<Gate, 16> kGates{{
    {notDigitalOnly, "-"},
    {notDigitalOnly, "----"},
    {transmitAllowed, "----"},
    {scanListsOn, "----"},
    {scanListsOn, "---"},
    {scramblerOffered, "-"},
    {scramblerTypeOffered, "-"},
    {scramblerCodeOffered, "-"},
    {fastMuteOffered, "-"},
    {signallingOn, "-"},
    {signallingOn, "----"},
    {digital, "----"},
    {digitalWithList, "----"},
    {digitalTone, nullptr},
    {analogOnly, nullptr},
    {signallingInactive, nullptr},
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

// --- Values that move others -------------------------------------------------

void commit(indCellHandler &frame)
{
    frame.record.commit();
    frame.NoteRecordChanged();
}

void showWarning(const char *key)
{
    platform::showMessage(mainTextDatabase().GetFirstLine("GI_Sys_AppTitle"),
                          mainTextDatabase().GetText(key), platform::MessageIcon::Warning);
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
        showWarning("GI_AppMess_MchSheet_ColourCode_Change");
}

void setTransmitFrequency(indCellHandler &frame, std::int32_t hertz)
{
    datCh &record = frame.record;
    record.FreqT = hertz;
    const bool tell = record.applyDefaultColourCode();
    commit(frame);
    if (tell)
        showWarning("GI_AppMess_MchSheet_ColourCode_Change");
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

// --- Runners -----------------------------------------------------------------

bool createsChannel(const indCellHandler &frame)
{
    const CodecRequest request = frame.Request();
    if (request.kind == CodecRequest::Kind::Typed)
        return !request.typed.empty();
    const std::int32_t key = frame.Code();
    return (key >= '0' && key <= '9') || key == ' ' || key == 8 || key == '.' || key == 13;
}

// A new channel at the row after the bank's last one, when the model has
// fewer than the most channels and the memory has room for one more.
bool createChannel(indCellHandler &frame)
{
    const cmcEeprom &image = frame.host.WorkingImage();
    if (ChannelGlobals::readWord(image, working_layout::kChannelCount) >=
            working_layout::kChannelSlots ||
        !frame.host.HasRoomForAnother(working_layout::kChannelCount)) {
        platform::showMessage(mainTextDatabase().GetFirstLine("GI_Sys_AppTitle"),
                              mainTextDatabase().GetText("GI_AppMess_ChErr_Overflow"),
                              platform::MessageIcon::Error);
        return false;
    }
    eventManager().Send(kEvInsertChannels, nullptr, frame.index);
    // The insert keeps the bank's size; the new channel makes it grow.
    ChannelGlobals::setBankChannelCount(frame.host.WorkingImage(), frame.bank,
                                        frame.bankCount + 1);
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

// Columns whose list depends on the model type.
struct ModelLists {
    std::int32_t label;
    CellBinding lmr;
    CellBinding pmr;
    const char *dashes; // nullptr: always applies
};

CellBinding modelList(std::int32_t datCh::*member, const char *key)
{
    return {.storage = CellStorage::record(member), .codec = editOption(key, 1)};
}

const ModelLists kModelLists[] = {
    {CL_Mch_AutoReset, modelList(&datCh::AutoReset, "GI_Sheet_Sel_Mch_AutoReset_Lmr"),
     modelList(&datCh::AutoReset, "GI_Sheet_Sel_Mch_AutoReset_Pmr"), nullptr},
    {CL_Mch_Log, modelList(&datCh::Log, "GI_Sheet_Sel_Mch_Log_Lmr"),
     modelList(&datCh::Log, "GI_Sheet_Sel_Mch_Log_Pmr"), "----"},
};

void runModelList(indCellHandler &frame, const CellBinding &row)
{
    const ModelLists &lists = kModelLists[row.argument];
    if (lists.dashes != nullptr && !notDigitalOnly(frame)) {
        if (frame.IsDraw())
            frame.ShowNotApplicable(lists.dashes);
        return;
    }
    CellBinding::RunValue(frame, frame.host.ModelType() == 1 ? lists.pmr : lists.lmr);
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

CellBinding marked(CellBinding row, CellBinding::Rule rule)
{
    row.rule = rule;
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

CellBinding modelListRow(std::int32_t label, std::int32_t which)
{
    return {.label = label, .run = runModelList, .argument = which};
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
const CellBinding kMonitor =
    gated(marked(option(CL_Mch_Moni, &datCh::Moni, "GI_Sheet_Sel_Mch_Moni", 4), nullptr),
          kSilverWhenSignallingOff);

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
    option(CL_Mch_RfPo, &datCh::RfPo, "GI_Sheet_Sel_Mch_RfPwr"),
    kLmrLockout,
    twin(kLmrLockout, CL_Mch_Lockout_Local),
    twin(kLmrLockout, CL_Mch_Lockout_Pmr),
    twin(kLmrLockout, CL_Mch_Lockout_Dig),
    onOff(CL_Mch_CWID_ONOFF, &datCh::CwidOn),
    kScan,
    twin(kScan, CL_Mch_Scan_Qsig),
    onOff(CL_Mch_AutoChScan, &datCh::AutoChScan),
    modelListRow(CL_Mch_AutoReset, 0),
    modelListRow(CL_Mch_AutoReset_Pmr, 0),
    modelListRow(CL_Mch_AutoReset_Qsig, 0),
    modelListRow(CL_Mch_Log, 1),
    modelListRow(CL_Mch_Log_Pmr, 1),
    modelListRow(CL_Mch_Log_Qsig, 1),
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
    gated(marked(option(CL_Mch_Sel, &datCh::Sel, "GI_Sheet_Sel_Mch_Sel", 4), nullptr),
          kSilverWhenSignallingOff),
    gated(marked(option(CL_Mch_Call, &datCh::Call, "GI_Sheet_Sel_Mch_Call", 4), nullptr),
          kSilverWhenSignallingOff),
    gated(marked(option(CL_Mch_PTT, &datCh::Ptt, "GI_Sheet_Sel_Mch_Ptt", 4), nullptr),
          kSilverWhenSignallingOff),
    gated(marked(option(CL_Mch_CH_Mute, &datCh::ChMute, "GI_Sheet_Sel_Mch_ChMute", 4), nullptr),
          kSignallingDash),
    gated(marked(option(CL_Mch_RptMode, &datCh::RptMode, "GI_Sheet_Sel_Mch_ChMute", 4), nullptr),
          kSignallingDash),
    gated(option(CL_Mch_Form, &datCh::Form, "GI_Sheet_Sel_Mch_Form"), kSignallingDashes),
    gated(option(CL_Mch_Rpt_L, &datCh::RptL, "GI_Sheet_Sel_Mch_LTone"), kSignallingDash),
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
};

} // namespace

std::span<const CellBinding> channelColumnBindings() { return kRows; }
