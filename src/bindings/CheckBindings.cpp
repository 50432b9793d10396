#include "bindings/CheckBindings.h"

#include "cells/CellBindingRegistry.h"
#include "cells/CellCategories.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/DrawPassRecords.h"
#include "cells/ModelCapabilities.h"
#include "cells/cmcCellCapsule.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/DpmrIdentity.h"
#include "channels/datCh.h"
#include "image/BitField.h"
#include "image/cmcEeprom.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

namespace {

// Record kinds of the lists the checks read.
constexpr int kKindMskIdGroup = 13;
constexpr int kKindNacChannel = 19;
constexpr int kKindDpmrStatus = 24;

constexpr unsigned kLmr = 1U << 0;
constexpr unsigned kPmr = 1U << 1;
constexpr unsigned kBoth = kLmr | kPmr;

// What an inspection reads and where it reports.
struct Inspection {
    CellHost &host;
    cmcEeprom &image;
    int modelType;
    std::vector<CheckFinding> &findings;

    void add(std::int32_t category, std::int32_t label, std::int32_t index, bool error,
             CheckReason reason) const
    {
        findings.push_back({category, label, index, error, reason});
    }
    datCh record(int kind, int row) const
    {
        datCh decoded(&image);
        decoded.decode(kind, row);
        return decoded;
    }
    int channelCount() const { return ChannelGlobals::bankChannelCount(image, 0); }
    bool digitalOn() const
    {
        return (image.GetByte(ModelCapabilities::kDigitalFunctionByte) &
                ModelCapabilities::kDigitalFunctionBit) != 0;
    }
};

using Inspect = void (*)(const Inspection &check);

// Cells whose own rules decide a mark: the check collects those marks. A
// list of labels, or every label whose name starts with `prefix`; indexes
// 0 to indexes - 1, or the bank's channels in use for kChannels.
struct ConcernedCells {
    static constexpr int kChannels = -1;
    std::int32_t category = CT_Null;
    std::span<const std::int32_t> labels{};
    std::string_view prefix{};
    int indexes = 1;
    CheckReason reason = kReasonCellMark;
    // The model types whose sheets show these cells: a cell of the other
    // model type's sheet reads bytes that mean nothing here.
    unsigned modelTypes = kBoth;
};

struct CheckRow {
    std::int32_t label;
    unsigned modelTypes;
    Inspect inspect;
    std::span<const ConcernedCells> concerned;
    // The check's findings warn and never stop a clone write.
    bool warnsOnly = false;
};

bool isBlankText(std::span<const std::uint8_t> text)
{
    return std::all_of(text.begin(), text.end(),
                       [](std::uint8_t c) { return c == 0x00 || c == 0x20 || c == 0xFF; });
}

// --- Memory channels -----------------------------------------------------------

// The bands the radios of this family cover, in hertz: line n of
// "GI_WarningCheck_Band" for model type n, ranges "lowest-highest"
// separated by blanks.
std::vector<std::pair<std::int32_t, std::int32_t>> bandsOf(int modelType)
{
    std::vector<std::pair<std::int32_t, std::int32_t>> bands;
    std::string line;
    if (!mainTextDatabase().TryGetLine("GI_WarningCheck_Band", modelType, line))
        return {{1, datCh::kMaxFrequency}};
    const char *at = line.c_str();
    for (;;) {
        char *rest = nullptr;
        const long low = std::strtol(at, &rest, 10);
        if (rest == at || *rest != '-')
            break;
        at = rest + 1;
        const long high = std::strtol(at, &rest, 10);
        if (rest == at)
            break;
        at = rest;
        if (low > 0 && high >= low && high <= datCh::kMaxFrequency)
            bands.emplace_back(static_cast<std::int32_t>(low), static_cast<std::int32_t>(high));
    }
    if (bands.empty())
        bands.emplace_back(1, datCh::kMaxFrequency);
    return bands;
}

void inspectChannels(const Inspection &check)
{
    const auto bands = bandsOf(check.modelType);
    const auto outside = [&](std::int32_t hertz) {
        return std::none_of(bands.begin(), bands.end(), [hertz](const auto &band) {
            return hertz >= band.first && hertz <= band.second;
        });
    };
    for (int channel = 0; channel < check.channelCount(); ++channel) {
        const datCh record = check.record(datCh::channelKind(), channel);
        if (!record.isUsed())
            continue;
        if (outside(record.FreqR))
            check.add(CT_Mch, CL_Mch_FreqR, channel, true, kReasonFrequencyOutsideBand);
        // A transmit frequency of 0 is none: the channel only receives.
        if (record.TxInh == 0 && record.FreqT != 0 && outside(record.FreqT))
            check.add(CT_Mch, CL_Mch_FreqT, channel, true, kReasonFrequencyOutsideBand);
    }
}

// An LTR bank is trunked by LTR alone, and its channels are repeater pairs.
void inspectLtr(const Inspection &check)
{
    const cmcEeprom &image = check.image;
    if (!ChannelGlobals::bankFlag(image, channel_offsets::kBankLtr, 0))
        return;
    if (ChannelGlobals::bankFlag(image, channel_offsets::kBankSmarTrunk, 0))
        check.add(CT_BankOp, CL_Bank_SmarTrunk, 0, true, kReasonLtrAndSmarTrunk);
    for (int channel = 0; channel < check.channelCount(); ++channel) {
        const datCh record = check.record(datCh::channelKind(), channel);
        if (record.isUsed() && record.FreqR == record.FreqT)
            check.add(CT_Mch, CL_Mch_FreqT, channel, false, kReasonLtrSimplex);
    }
}

// --- Scan lists ------------------------------------------------------------------

constexpr std::int32_t kSpecificChannel = 5;
constexpr int kScanLists = 16;

// A priority channel the list does not scan is never watched by it.
void inspectScanLists(const Inspection &check)
{
    for (int list = 0; list < kScanLists; ++list) {
        const datCh scan = check.record(datCh::kKindScanList, list);
        const std::array<std::pair<std::int32_t, std::int32_t>, 2> priorities = {
            std::pair{CL_ScanList_Prio1_CH,
                      scan.Prio1_CH == kSpecificChannel ? scan.Prio1ChNo : -1},
            std::pair{CL_ScanList_Prio2_CH,
                      scan.Prio2_CH == kSpecificChannel ? scan.Prio2ChNo : -1}};
        for (const auto &[label, channel] : priorities) {
            if (channel < 0 || channel >= check.channelCount())
                continue;
            const datCh member = check.record(datCh::channelKind(), channel);
            // The scan planes hold list 0 in their highest bit.
            if (member.isUsed() && (member.Scan & (1 << (kScanLists - 1 - list))) == 0)
                check.add(CT_Scan, label, list, false, kReasonPriorityNotMember);
        }
    }
}

// --- Keys --------------------------------------------------------------------------

// Functions of the key list from "Digital Call" on need the digital function.
constexpr std::int32_t kFirstDigitalKey = 28;
constexpr std::int32_t kKeyFunctions = 32;
constexpr std::int32_t kDialFunctions = 9;

struct KeyRun {
    std::int32_t first;
    std::int32_t last;
    std::int32_t functions;
};
constexpr std::array<KeyRun, 8> kKeyRuns = {{
    {CL_KDisp_Key_Conv_RightUp, CL_KDisp_Key_Conv_LeftDn, kKeyFunctions},
    {CL_KDisp_Key_Conv_DialCw, CL_KDisp_Key_Conv_DialCcw, kDialFunctions},
    {CL_KDisp_Key_Conv_P0, CL_KDisp_Key_Conv_P4, kKeyFunctions},
    {CL_KDisp_Key_Conv_Opf0, CL_KDisp_Key_Conv_Opf2, kKeyFunctions},
    {CL_KDisp_Key_Shift_RightUp, CL_KDisp_Key_Shift_LeftDn, kKeyFunctions},
    {CL_KDisp_Key_Shift_DialCw, CL_KDisp_Key_Shift_DialCcw, kDialFunctions},
    {CL_KDisp_Key_Shift_P0, CL_KDisp_Key_Shift_P4, kKeyFunctions},
    {CL_KDisp_Key_Shift_Opf0, CL_KDisp_Key_Shift_Opf2, kKeyFunctions},
}};

// The value an image row of the bindings keeps for one label of its run.
std::int32_t storedValue(const Inspection &check, std::int32_t label)
{
    const CellBinding *row = check.host.Bindings().Find(label);
    if (row == nullptr || row->storage.kind != CellStorage::Kind::Image)
        return 0;
    const CellStorage &at = row->storage;
    return static_cast<std::int32_t>(
        BitField{at.offset + at.perLabel * row->PositionOf(label), at.firstBit, at.bitCount}.Read(
            check.image));
}

void inspectKeys(const Inspection &check)
{
    for (const KeyRun &run : kKeyRuns) {
        for (std::int32_t label = run.first; label <= run.last; ++label) {
            const std::int32_t function = storedValue(check, label);
            if (function >= run.functions)
                check.add(CT_Null, label, 0, true, kReasonKeyOutsideList);
            else if (run.functions == kKeyFunctions && function >= kFirstDigitalKey &&
                     !check.digitalOn())
                check.add(CT_Null, label, 0, true, kReasonKeyNeedsDigital);
        }
    }
}

// --- External port -----------------------------------------------------------------

constexpr int kPortLines = 9;
constexpr int kLabelsPerPortLine = CL_ExtPort_InOut_2 - CL_ExtPort_InOut_1;
constexpr std::int32_t kDirectionLabel = CL_ExtPort_InOut_1_Dir - CL_ExtPort_InOut_1;
// The function lists of the two directions, whose entries are numbered by
// the byte a line keeps after its direction byte.
constexpr const char *kInputFunctions = "GI_Sheet_Sel_Input_Port_Conv_Pmr_Dpmr_Popup";
constexpr const char *kOutputFunctions = "GI_Sheet_Sel_Output_Port_Conv_Rep_Popup";

// The name of a line's function, as its direction's list shows it.
std::string portFunction(const Inspection &check, std::int32_t line, bool &input)
{
    const std::int32_t label = CL_ExtPort_InOut_1 + kLabelsPerPortLine * line;
    const CellBinding *direction = check.host.Bindings().Find(label + kDirectionLabel);
    if (direction == nullptr || direction->storage.kind != CellStorage::Kind::Image)
        return {};
    input = storedValue(check, label + kDirectionLabel) != 0;
    const std::int32_t function = check.image.GetByte(direction->storage.offset + 1);
    std::string entry;
    if (function == 0 ||
        !mainTextDatabase().TryGetLine(
            std::string(input ? kInputFunctions : kOutputFunctions) + "_Cells", function, entry) ||
        entry.starts_with('#'))
        return {};
    return entry.substr(entry.rfind('}') == std::string::npos ? 0 : entry.rfind('}') + 1);
}

// One function on an input line and an output line: the radio reads the
// line it also drives.
void inspectPortLines(const Inspection &check)
{
    std::array<std::string, kPortLines> function{};
    std::array<bool, kPortLines> input{};
    for (int line = 0; line < kPortLines; ++line)
        function[line] = portFunction(check, line, input[line]);
    for (int line = 0; line < kPortLines; ++line) {
        for (int other = 0; other < kPortLines; ++other) {
            if (!function[line].empty() && input[other] != input[line] &&
                function[other] == function[line]) {
                check.add(CT_Null, CL_ExtPort_InOut_1 + kLabelsPerPortLine * line, 0, true,
                          kReasonPortInputAndOutput);
                break;
            }
        }
    }
}

// --- MSK ---------------------------------------------------------------------------

constexpr int kMskIdGroups = 8;

// Two ID groups on one address: a call to it alerts as either group.
void inspectMskGroups(const Inspection &check)
{
    std::array<std::int32_t, kMskIdGroups> address{};
    for (int group = 0; group < kMskIdGroups; ++group)
        address[group] = check.record(kKindMskIdGroup, group).Adr;
    for (int group = 0; group < kMskIdGroups; ++group) {
        for (int other = 0; other < kMskIdGroups; ++other) {
            if (other != group && address[group] != 0 && address[group] != 0xFFFF &&
                address[other] == address[group]) {
                check.add(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, group, true, kReasonMskGroupOverlap);
                break;
            }
        }
    }
}

// --- Digital and dPMR lists --------------------------------------------------------

constexpr int kNacChannels = 40;
constexpr std::int32_t kHighestNac = 0xFFF;

// A NAC entry in use needs both codes; an erased one reads above the range.
void inspectNacChannels(const Inspection &check)
{
    for (int entry = 0; entry < kNacChannels; ++entry) {
        const datCh nac = check.record(kKindNacChannel, entry);
        if (nac.Sel == 0)
            continue;
        if (nac.RxNac > kHighestNac)
            check.add(CT_DIG_NacCh, CL_Digi_NacCh_RxNac, entry, true, kReasonNacWithoutCode);
        if (nac.TxNac > kHighestNac)
            check.add(CT_DIG_NacCh, CL_Digi_NacCh_TxNac, entry, true, kReasonNacWithoutCode);
    }
}

// Channels in a digital mode name their talk group by its entry of the
// dPMR ID list.
void inspectDpmrTalkGroups(const Inspection &check)
{
    datCh any(&check.image);
    const DpmrIdList list = DpmrIdList::Read(any);
    const auto entries = static_cast<std::int32_t>(list.identities.size());
    for (int channel = 0; channel < check.channelCount(); ++channel) {
        const datCh record = check.record(datCh::channelKind(), channel);
        if (!record.isUsed() || record.DigSig == 0)
            continue;
        if (record.DpmrTgList >= entries)
            check.add(CT_Mch, CL_Mch_Dpmr_TG_List, channel, true, kReasonTalkGroupMissing);
        if (record.DpmrCallList >= entries)
            check.add(CT_Mch, CL_Mch_Dpmr_Call_List, channel, true, kReasonTalkGroupMissing);
    }
}

// A talk group twice in the list: the radio shows the first entry's name.
void inspectDpmrReceiveGroups(const Inspection &check)
{
    datCh any(&check.image);
    const DpmrIdList list = DpmrIdList::Read(any);
    for (std::size_t entry = 0; entry < list.identities.size(); ++entry) {
        const std::uint32_t identity = list.identities[entry];
        if (!isGroupIdentity(identity, list.firstGroup))
            continue;
        const auto first = std::find(list.identities.begin(), list.identities.end(), identity);
        if (static_cast<std::size_t>(first - list.identities.begin()) != entry)
            check.add(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Dec, static_cast<std::int32_t>(entry), false,
                      kReasonTalkGroupDuplicate);
    }
}

constexpr int kDpmrStatusEntries = 32;

// A status the radio sends or shows needs its text.
void inspectDpmrStatus(const Inspection &check)
{
    for (int entry = 0; entry < kDpmrStatusEntries; ++entry) {
        const datCh status = check.record(kKindDpmrStatus, entry);
        if (status.RX != 0 && isBlankText(status.Text_Rx))
            check.add(CT_DPMR_Status, CL_Dpmr_Msg_Status_Text_Rx, entry, false, kReasonStatusEmpty);
        if (status.TX != 0 && isBlankText(status.Text_Tx))
            check.add(CT_DPMR_Status, CL_Dpmr_Msg_Status_Text_Tx, entry, false, kReasonStatusEmpty);
    }
}

constexpr int kMultiTableRows = 16;

// One received code answered by two different codes: the radio takes the
// first, so the other entry never sends.
void inspectMultiTable(const Inspection &check)
{
    std::array<datCh, kMultiTableRows> rows;
    for (int row = 0; row < kMultiTableRows; ++row)
        rows[row] = check.record(datCh::kKindMultiTable, row);
    const auto decodesAlike = [](const datCh &a, const datCh &b) {
        return a.DecodeType == b.DecodeType &&
               (a.DecodeType == 0 ? a.DecodeTone == b.DecodeTone : a.DecodeValue == b.DecodeValue);
    };
    const auto encodesAlike = [](const datCh &a, const datCh &b) {
        return a.EncodeType == b.EncodeType &&
               (a.EncodeType == 0 ? a.EncodeTone == b.EncodeTone : a.EncodeValue == b.EncodeValue);
    };
    const datCh blank = check.record(datCh::kKindNone, 0);
    for (int row = 0; row < kMultiTableRows; ++row) {
        if (decodesAlike(rows[row], blank))
            continue;
        for (int other = 0; other < row; ++other) {
            if (decodesAlike(rows[row], rows[other]) && !encodesAlike(rows[row], rows[other])) {
                check.add(CT_MultiTable, CL_MultiTable_Decode, row, true,
                          kReasonMultiTableConflict);
                break;
            }
        }
    }
}

// --- The table -----------------------------------------------------------------------

constexpr std::int32_t kOperationModeLabels[] = {CL_Mch_OperationMode};
constexpr std::int32_t kLmrChannelMarkLabels[] = {
    CL_Mch_Lockout, CL_Mch_Dig_Sig, CL_Mch_CWID_Offset, CL_Mch_Ind_List, CL_Mch_TG_List};
constexpr std::int32_t kPmrChannelMarkLabels[] = {
    CL_Mch_WNM_Pmr,     CL_Mch_Lockout_Pmr,  CL_Mch_Dig_Sig,
    CL_Mch_CWID_Offset, CL_Mch_Dpmr_Unit_Id, CL_Mch_Dpmr_TG_List,
};
constexpr std::int32_t kTalkGroupLabels[] = {CL_Mch_Dpmr_TG_List};
constexpr std::int32_t kUserToneLabels[] = {CL_UTone_Encode, CL_UTone_Dec_Low, CL_UTone_Dec_High};
constexpr std::int32_t kScanListLabels[] = {CL_ScanList_Prio1_CH, CL_ScanList_Prio2_CH,
                                            CL_ScanList_TX_CH, CL_ScanList_Cancel_CH};
constexpr std::int32_t kMskGroupLabels[] = {CL_Msk_IdGroup_Adr};
constexpr std::int32_t kSwitchTableLabels[] = {CL_ExtPort_ChSW_Table_MoveCH};

constexpr ConcernedCells kChannelCells[] = {
    {CT_Mch, kOperationModeLabels, {}, ConcernedCells::kChannels, kReasonRepeaterSameFrequency},
    {CT_Mch, kLmrChannelMarkLabels, {}, ConcernedCells::kChannels, kReasonCellMark, kLmr},
    {CT_Mch, kPmrChannelMarkLabels, {}, ConcernedCells::kChannels, kReasonCellMark, kPmr}};
constexpr ConcernedCells kTalkGroupCells[] = {
    {CT_Mch, kTalkGroupLabels, {}, ConcernedCells::kChannels}};
constexpr ConcernedCells kSetModeCells[] = {{CT_Null, {}, "CL_SetM_", 1}};
constexpr ConcernedCells kCommonCells[] = {{CT_Null, {}, "CL_Common_", 1},
                                           {CT_Null, {}, "CL_Comm_", 1}};
constexpr ConcernedCells kUserToneCells[] = {{CT_UserTone, kUserToneLabels, {}, 15}};
constexpr std::int32_t kMskRangePairLabels[] = {CL_Msk_AdrRange_Individual, CL_Msk_AdrRange_Group};
constexpr std::int32_t kMskRangeLabels[] = {CL_Msk_AdrRange_Common, CL_Msk_AdrRange_CountryCode,
                                            CL_Msk_AdrRange_Killer};
constexpr ConcernedCells kMskRangeCells[] = {{CT_MSK_AdrRange, kMskRangePairLabels, {}, 2},
                                             {CT_MSK_AdrRange, kMskRangeLabels, {}, 1}};
constexpr ConcernedCells kMskGroupCells[] = {{CT_MSK_IdGroup, kMskGroupLabels, {}, 8}};
constexpr ConcernedCells kMskConfigCells[] = {{CT_Null, {}, "CL_Msk_Cfg_", 1}};
constexpr ConcernedCells kScanCells[] = {{CT_Scan, kScanListLabels, {}, kScanLists}};
constexpr ConcernedCells kPortCells[] = {{CT_Null, {}, "CL_ExtPort_InOut_", 1},
                                         {CT_EXP_ChSwitchTable, kSwitchTableLabels, {}, 32}};
constexpr ConcernedCells kKeyCells[] = {{CT_Null, {}, "CL_KDisp_", 1}};

const CheckRow kChecks[] = {
    {CL_Check_Mch, kBoth, inspectChannels, kChannelCells},
    {CL_Check_SetMode, kBoth, nullptr, kSetModeCells},
    {CL_Check_Common, kBoth, nullptr, kCommonCells},
    {CL_Check_User_Tone_Encode, kBoth, nullptr, kUserToneCells},
    // This radio sends no MSK on its channels (their MSK bits are never
    // written): a faulty address plan cannot reach the air, so the sheets
    // show it and the check warns without stopping a write.
    {CL_Check_Msk_IdRange, kLmr, nullptr, kMskRangeCells, true},
    {CL_Check_Msk_OwnIdGroup, kLmr, inspectMskGroups, kMskGroupCells, true},
    {CL_Check_Msk_Config, kLmr, nullptr, kMskConfigCells, true},
    {CL_Check_Dig_Nacch, kLmr, inspectNacChannels, {}},
    {CL_Check_Dpmr_RXTalkgroup, kPmr, inspectDpmrReceiveGroups, kTalkGroupCells},
    {CL_Check_Dpmr_TalkgroupSetting, kPmr, inspectDpmrTalkGroups, {}},
    {CL_Check_Dpmr_StatusSetting, kPmr, inspectDpmrStatus, {}},
    {CL_Check_Ltr_Repeater, kLmr, inspectLtr, {}},
    {CL_Check_MultipleTable, kBoth, inspectMultiTable, {}},
    {CL_Check_ExtPort_PortSetting, kBoth, inspectPortLines, kPortCells},
    {CL_Check_KeyDisp, kBoth, inspectKeys, kKeyCells},
    {CL_Check_Scan_Setting, kBoth, inspectScanLists, kScanCells},
};

const CheckRow *findCheck(std::int32_t label)
{
    for (const CheckRow &row : kChecks) {
        if (row.label == label)
            return &row;
    }
    return nullptr;
}

bool appliesTo(unsigned modelTypes, int modelType)
{
    return (modelTypes & (modelType == 1 ? kPmr : kLmr)) != 0;
}

bool appliesTo(const CheckRow &row, int modelType) { return appliesTo(row.modelTypes, modelType); }

// The labels a group of concerned cells names, found once by their names.
std::vector<std::int32_t> labelsOf(const ConcernedCells &cells)
{
    if (cells.prefix.empty())
        return {cells.labels.begin(), cells.labels.end()};
    std::vector<std::int32_t> labels;
    for (std::int32_t label = 0; label < kLabelCount; ++label) {
        if (std::string_view(kCellLabelNames[label]).starts_with(cells.prefix))
            labels.push_back(label);
    }
    return labels;
}

void collectCellMarks(CellHost &host, const ConcernedCells &cells,
                      std::vector<CheckFinding> &findings)
{
    if (!appliesTo(cells.modelTypes, host.ModelType()))
        return;
    const CellBindingRegistry &bindings = host.Bindings();
    std::vector<std::int32_t> labels = labelsOf(cells);
    std::erase_if(labels, [&](std::int32_t label) {
        const CellBinding *row = bindings.Find(label);
        return row == nullptr || row->run == &CellBinding::RunNothing;
    });
    cmcEeprom &image = host.WorkingImage();
    const int indexes = cells.indexes == ConcernedCells::kChannels
                            ? ChannelGlobals::bankChannelCount(image, 0)
                            : cells.indexes;
    // Row by row, so that a row's record is decoded once for its cells.
    const DrawPassRecords pass;
    for (int index = 0; index < indexes; ++index) {
        if (cells.indexes == ConcernedCells::kChannels) {
            datCh channel(&image);
            channel.decode(datCh::channelKind(), index);
            if (!channel.isUsed())
                continue;
        }
        for (const std::int32_t label : labels) {
            const std::uint8_t marks =
                indCellHandler::MarksOf(cells.category, label, index, bindings);
            if (marks != 0)
                findings.push_back({cells.category, label, index,
                                    (marks & cmcCellCapsule::kStateError) != 0, cells.reason});
        }
    }
}

void inspect(CellHost &host, const CheckRow &row, std::vector<CheckFinding> &findings)
{
    if (row.inspect != nullptr)
        row.inspect({host, host.WorkingImage(), host.ModelType(), findings});
}

// The inspections' findings of the whole image, kept while it stays the same.
struct RememberedFindings {
    cmcEeprom image;
    int modelType = -1;
    const CellBindingRegistry *bindings = nullptr;
    std::vector<CheckFinding> findings;
    std::vector<bool> concerned = std::vector<bool>(kLabelCount, false);
};

RememberedFindings &remembered()
{
    static RememberedFindings state;
    return state;
}

const std::vector<CheckFinding> &currentFindings(CellHost &host)
{
    RememberedFindings &state = remembered();
    cmcEeprom &image = host.WorkingImage();
    if (state.modelType == host.ModelType() && state.bindings == &host.Bindings() &&
        state.image.GetSize() == image.GetSize() && state.image.Equals(image))
        return state.findings;
    state.findings.clear();
    for (const CheckRow &row : kChecks) {
        if (appliesTo(row, host.ModelType()))
            inspect(host, row, state.findings);
    }
    state.image.SetSize(image.GetSize());
    state.image.CopyFrom(image);
    state.modelType = host.ModelType();
    state.bindings = &host.Bindings();
    return state.findings;
}

// The labels an inspection may mark: all others are answered at once.
const std::vector<bool> &markedLabels()
{
    static const std::vector<bool> labels = [] {
        std::vector<bool> marked(kLabelCount, false);
        for (const std::int32_t label :
             {CL_Mch_FreqR, CL_Mch_FreqT, CL_Bank_SmarTrunk, CL_ScanList_Prio1_CH,
              CL_ScanList_Prio2_CH, CL_Msk_IdGroup_Adr, CL_Digi_NacCh_RxNac, CL_Digi_NacCh_TxNac,
              CL_Mch_Dpmr_TG_List, CL_Mch_Dpmr_Call_List, CL_Dpmr_Ind_Id_Dec,
              CL_Dpmr_Msg_Status_Text_Rx, CL_Dpmr_Msg_Status_Text_Tx, CL_MultiTable_Decode})
            marked[static_cast<std::size_t>(label)] = true;
        for (const KeyRun &run : kKeyRuns) {
            for (std::int32_t label = run.first; label <= run.last; ++label)
                marked[static_cast<std::size_t>(label)] = true;
        }
        for (int line = 0; line < kPortLines; ++line)
            marked[static_cast<std::size_t>(CL_ExtPort_InOut_1 + kLabelsPerPortLine * line)] = true;
        return marked;
    }();
    return labels;
}

// The check cell: the worst of its findings.
void runCheck(indCellHandler &frame, const CellBinding &)
{
    std::vector<CheckFinding> findings;
    collectCheckFindings(frame.host, frame.label, findings);
    const bool error = std::any_of(findings.begin(), findings.end(),
                                   [](const CheckFinding &finding) { return finding.error; });
    if (error)
        frame.SetError();
    else if (!findings.empty())
        frame.SetWarning();
    if (frame.IsDraw())
        frame.SetOutput(std::to_string(findings.size()));
}

const CellBinding kRows[] = {
    {.label = CL_Check_Mch, .lastLabel = CL_Check_KeyDisp, .run = runCheck},
    {.label = CL_Check_Scan_Setting, .run = runCheck},
};

} // namespace

std::span<const CellBinding> checkBindings() { return kRows; }

void collectCheckFindings(CellHost &host, std::int32_t checkLabel,
                          std::vector<CheckFinding> &findings)
{
    const CheckRow *row = findCheck(checkLabel);
    if (row == nullptr || !appliesTo(*row, host.ModelType()))
        return;
    const std::size_t first = findings.size();
    std::vector<CheckFinding> found;
    inspect(host, *row, found);
    for (const ConcernedCells &cells : row->concerned)
        collectCellMarks(host, cells, found);
    if (row->warnsOnly) {
        for (CheckFinding &finding : found)
            finding.error = false;
    }
    // A cell that an inspection and its own rule both mark is one finding.
    for (const CheckFinding &finding : found) {
        const auto begin = findings.begin() + static_cast<std::ptrdiff_t>(first);
        const auto same = std::find_if(begin, findings.end(), [&](const CheckFinding &f) {
            return f.label == finding.label && f.index == finding.index;
        });
        if (same == findings.end())
            findings.push_back(finding);
        else
            same->error = same->error || finding.error;
    }
}

std::uint8_t checkMarksOf(CellHost &host, std::int32_t label, std::int32_t index)
{
    if (label < 0 || label >= kLabelCount || !markedLabels()[static_cast<std::size_t>(label)])
        return 0;
    std::uint8_t marks = 0;
    for (const CheckFinding &finding : currentFindings(host)) {
        if (finding.label == label && finding.index == index)
            marks |= finding.error ? cmcCellCapsule::kStateError : cmcCellCapsule::kStateWarning;
    }
    return marks;
}

std::string checkReasonText(int reason)
{
    std::string text;
    if (!mainTextDatabase().TryGetLine("GI_WarningCheck_Reasons", reason, text))
        return {};
    return text;
}
