#include "cells/CellCategories.h"
#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcFCache.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include "support/KeyLines.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kBothModels = -1;
// The memory channel sheet of each model type.
constexpr std::array<const char *, 2> kChannelSheets = {"GI_Sheet_Mch_Conv_Lmr_KCOOP_Rep",
                                                        "GI_Sheet_Mch_Conv_Pmr_Dpmr_Rep"};

std::vector<std::int32_t> span(std::int32_t first, std::int32_t last)
{
    std::vector<std::int32_t> values;
    for (std::int32_t value = first; value <= last; ++value)
        values.push_back(value);
    return values;
}

// An option list of the overlay: the label its entries carry (the style the
// codec opens it with), the values it offers in the order it shows them (and
// Space steps through them), and the channel columns that use it. Empty
// values: ascending, and a test of its own checks them.
struct OptionList {
    const char *key;
    std::int32_t entryLabel;
    std::vector<std::int32_t> values;
    std::vector<std::int32_t> columns;
    int modelType = kBothModels;
};

// The values cover the stored member's range where every value means
// something; where the radio knows fewer, the list names them.
const std::vector<OptionList> &optionLists()
{
    static const std::vector<OptionList> lists = {
        {"GI_Sheet_Sel_Mch_Atr", Flex0, span(1, 6), {CL_Mch_Atr}},
        {"GI_Sheet_Sel_Mch_ChInh", Flex0, span(0, 1), {CL_Mch_Inh}},
        {"GI_Sheet_Sel_Mch_OperationMode", FlexMark, span(0, 3), {CL_Mch_OperationMode}},
        {"GI_Sheet_Sel_Mch_CH_TxInh", Flex0, span(0, 1), {CL_Mch_TxInh}},
        {"GI_Sheet_Sel_Mch_Nar", Flex0, span(0, 3), {CL_Mch_Nar}},
        {"GI_Sheet_Sel_Mch_WNM", FlexMark, span(0, 3), {CL_Mch_WNM_Pmr}},
        {"GI_Sheet_Sel_Mch_CTone", Flex0, span(0, 53), {CL_Mch_CTone_R, CL_Mch_CTone_T}},
        {"GI_Sheet_Sel_Mch_Dtcs", FlexDtcs, {}, {CL_Mch_CTone_R, CL_Mch_CTone_T}},
        {"GI_Sheet_Sel_Misc_OnOff2",
         Flex0,
         span(0, 1),
         {CL_Mch_Compander, CL_Mch_PwrSave, CL_Mch_Tot, CL_Mch_TOT_Repeat, CL_Mch_CWID_ONOFF,
          CL_Mch_AutoChScan, CL_Mch_Sql_Tight, CL_Mch_Fast_Mute, CL_Digi_Grp_Op_Strapped}},
        {"GI_Sheet_Sel_Misc_OnOff", Flex0, span(0, 1), {}},
        {"GI_Sheet_Sel_Misc_OnOff_I", Flex0, span(0, 1), {}},
        // Three power levels; the restricted list leaves out Low 2.
        {"GI_Sheet_Sel_Mch_RfPwr", Flex0, span(0, 2), {CL_Mch_RfPo}},
        {"GI_Sheet_Sel_Mch_RfPwr_EX", Flex0, {0, 2}, {CL_Mch_RfPo}},
        // Bits 1-0 are the older lockout, bits 4-2 its later kinds.
        {"GI_Sheet_Sel_Mch_Lockout",
         FlexMark,
         {0, 1, 2, 3, 4, 8, 12, 16},
         {CL_Mch_Lockout, CL_Mch_Lockout_Pmr}},
        {"GI_Sheet_Sel_Mch_CWID", FlexMark, span(0, 3), {CL_Mch_CWID_Offset}},
        // The LMR record keeps one bit of the auto reset, the PMR record two.
        {"GI_Sheet_Sel_Mch_AutoReset_Lmr", Flex0, span(0, 1), {CL_Mch_AutoReset}, 0},
        {"GI_Sheet_Sel_Mch_AutoReset_Pmr", Flex0, span(0, 3), {CL_Mch_AutoReset_Pmr}, 1},
        {"GI_Sheet_Sel_Mch_Log_Lmr", Flex0, span(0, 7), {CL_Mch_Log_Pmr}, 0},
        {"GI_Sheet_Sel_Mch_Log_Pmr", Flex0, span(0, 4), {CL_Mch_Log_Pmr}, 1},
        {"GI_Sheet_Sel_Mch_ScanInc", Flex0, span(0, 1), {CL_Mch_Scan_Inc}},
        // Sixteen scan lists, counted from 0.
        {"GI_Sheet_Sel_Mch_Scan_List", Flex0, span(0, 15), {CL_Mch_Scan_List}},
        {"GI_Sheet_Sel_Mch_Scan_ListSel", Flex0, span(0, 1), {CL_Mch_Scan_ListSel}},
        {"GI_Sheet_Sel_Mch_ScramOn", Flex0, span(0, 3), {CL_Mch_Scrm_On}},
        {"GI_Sheet_Sel_Mch_ScramType", Flex0, span(0, 3), {CL_Mch_Scrm_Type}},
        {"GI_Sheet_Sel_Mch_Signaling_Type", Flex0, span(0, 3), {CL_Mch_Signaling_Type}},
        // Off and the sixteen entries of a multi-table set.
        {"GI_Sheet_Sel_Mch_RxMultiTableNo", Flex0, span(0, 16), {CL_Mch_RX_MultiTableNo}},
        {"GI_Sheet_Sel_Mch_Form", Flex0, span(0, 13), {CL_Mch_Form}},
        {"GI_Sheet_Sel_Mch_Moni", FlexMark, span(0, 4), {CL_Mch_Moni}},
        {"GI_Sheet_Sel_Mch_Sel", FlexMark, span(0, 3), {CL_Mch_Sel}},
        {"GI_Sheet_Sel_Mch_Call", FlexMark, span(0, 1), {CL_Mch_Call}},
        {"GI_Sheet_Sel_Mch_Ptt", FlexMark, span(0, 1), {CL_Mch_PTT}},
        {"GI_Sheet_Sel_Mch_ChMute", FlexMark, span(0, 1), {CL_Mch_CH_Mute, CL_Mch_RptMode}},
        // Off and the 32 transmit codes.
        {"GI_Sheet_Sel_RxC_AbcCode", Flex1, span(0, 32), {CL_Mch_Rpt_C, CL_Mch_Stn_C, CL_Mch_Id_C}},
        {"GI_Sheet_Sel_Mch_LTone", Flex0, span(0, 1), {CL_Mch_Rpt_L, CL_Mch_Stn_L, CL_Mch_Id_L}},
        {"GI_Sheet_Sel_Mch_Pos", Flex0, span(0, 3), {CL_Mch_Pos}},
        {"GI_Sheet_Sel_Mch_2Tone", Flex0, span(0, 10), {CL_Mch_2Tone}, 0},
        // Off and the ten DTMF decode entries.
        {"GI_Sheet_Sel_Mch_DTMF_Dec", Flex0, span(0, 10), {CL_Mch_RxCNoDtmf}, 0},
        {"GI_Sheet_Sel_Mch_ChMuteLtr", Flex0, span(0, 1), {CL_Mch_DtmfDec}, 0},
        {"GI_Sheet_Sel_Mch_Msk_Signal_Pmr", Flex0, span(0, 1), {CL_Mch_Msk_Sig}, 0},
        {"GI_Sheet_Sel_Mch_SendStatus", FlexMark, span(0, 1), {CL_Mch_Msk_SendStatus}, 0},
        // 255 while the repeater is off; the last entry stands for a number.
        {"GI_Sheet_Sel_Mch_Msk_Rpt_1st_Pmr", Flex0, {255, 0, 1}, {CL_Mch_Msk_Rpt}, 0},
        {"GI_Sheet_Sel_Mch_Msk_Rpt_2nd", Flex1, span(1, 127), {CL_Mch_Msk_Rpt}, 0},
        // Off and the eight MSK ID groups.
        {"GI_Sheet_Sel_Mch_Msk_ID", Flex0, span(0, 8), {CL_Mch_Msk_Stn}, 0},
        {"GI_Sheet_Sel_Mch_Dig_Signal", FlexMark, span(0, 3), {CL_Mch_Dig_Sig}},
        {"GI_Sheet_Sel_Mch_SQL_Type", Flex0, span(0, 3), {CL_Mch_SQL_Type}, 0},
        // The 63 digital and 32 dPMR encryption keys, counted from 0.
        {"GI_Sheet_Sel_EncryptionList", Flex0, span(0, 62), {CL_Mch_Encryption_No}, 0},
        {"GI_Sheet_Sel_Mch_Dpmr_SQL_Type", Flex0, span(0, 3), {CL_Mch_Dpmr_SQL_Type}, 1},
        {"GI_Sheet_Sel_Dpmr_EncryptionList", Flex0, span(0, 31), {CL_Mch_Dpmr_Encryption_No}, 1},
    };
    return lists;
}

// Pickers whose rows follow a list of the working image: one row of the
// sheet repeats per entry, and only its number cell answers.
struct EntryList {
    const char *key;
    std::int32_t entryLabel;
    std::int32_t column;
    int modelType;
};
constexpr EntryList kEntryLists[] = {
    {"GI_Sheet_Sel_IndList", Flex_InvIDList_ChNo, CL_Mch_Ind_List, 0},
    {"GI_Sheet_Sel_TGList", Flex_TgIDList_ChNo, CL_Mch_TG_List, 0},
    {"GI_Sheet_Sel_CallList", Flex_Dpmr_CallList_ChNo, CL_Mch_Dpmr_Call_List, 1},
    {"GI_Sheet_Sel_CallList_Grp", Flex_Dpmr_CallList_ChNo_Grp, CL_Mch_Dpmr_TG_List, 1},
};

// Columns edited without a list: frequencies, names, bit sets, numbers and
// identities; the LTR group columns have no behaviour in this model.
struct PlainColumn {
    std::int32_t label;
    int modelType;
};
constexpr PlainColumn kPlainColumns[] = {
    {CL_Mch_No, kBothModels},    {CL_Mch_Text, kBothModels}, {CL_Mch_FreqR, kBothModels},
    {CL_Mch_FreqT, kBothModels}, {CL_Mch_Scan, kBothModels}, {CL_Mch_Scrm_Code, kBothModels},
    {CL_Mch_RxCNo, kBothModels}, {CL_Mch_RxCNo2, 0},         {CL_Mch_Msk_RxCNo, 0},
    {CL_Mch_RxNac, 0},           {CL_Mch_TxNac, 0},          {CL_Mch_Unit_Hex, 0},
    {CL_Mch_Unit_Dec, 0},        {CL_Grp_RxId, 0},           {CL_Grp_TxId, 0},
    {CL_Grp_TxInh, 0},           {CL_Grp_HomeRptCh, 0},      {CL_Grp_PhonePriv, 0},
    {CL_Mch_Dpmr_TxCc, 1},       {CL_Mch_Dpmr_Unit_Id, 1},
};

bool forModel(int listModel, int modelType)
{
    return listModel == kBothModels || listModel == modelType;
}

std::string labelName(std::int32_t label) { return std::string(cellLabelName(label)); }

using testing_support::keyLines;

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

std::vector<std::int32_t> valuesOf(const std::vector<cmcFCacheEntry::Record> &records)
{
    std::vector<std::int32_t> values;
    for (const auto &record : records)
        values.push_back(record.value);
    return values;
}

class ChannelData : public testing::Test
{
protected:
    void SetUp() override
    {
        mainTextDatabase().Open(testing_support::sourceDir() + "data/QX7315C_ENG.OVL");
        help_.Open(testing_support::sourceDir() + "data/QX7315C_ENG_HLP.OVL");
    }

    cmcGTex &texts() { return mainTextDatabase(); }

    bool isSheet(const std::string &prefix)
    {
        return texts().HasKey(prefix + "_Style") && texts().HasKey(prefix + "_BasicCell") &&
               texts().HasKey(prefix + "_Cells");
    }

    // Every cell of a sheet's rows, parsed on its base cell with the sheet's
    // counters, `ch0` at the start.
    std::vector<cmcCellObj> cellsOf(const std::string &prefix, const std::string &row = {},
                                    std::int32_t ch0 = 0)
    {
        cmcCellObj base;
        base.Parse(texts().GetFirstLine(prefix + "_BasicCell"), nullptr, nullptr, false);
        std::array<std::int32_t, cmcCellObj::kChannelCounterCount> counters{};
        counters[0] = ch0;
        std::vector<cmcCellObj> cells;
        const std::vector<std::string> lines = keyLines(texts(), prefix + "_Cells");
        for (const std::string &line : lines) {
            if (line.starts_with(":") || (!row.empty() && line != row))
                continue;
            for (std::string_view rest = line; !rest.empty();) {
                cells.emplace_back();
                rest = cells.back().Parse(rest, counters.data(), &base, false);
            }
        }
        return cells;
    }

    // The channel row of a memory channel sheet: the line after its loop.
    std::string channelRow(const std::string &prefix)
    {
        const std::vector<std::string> lines = keyLines(texts(), prefix + "_Cells");
        const auto loop = std::find(lines.begin(), lines.end(), ":(LoopFrom)");
        return loop == lines.end() || loop + 1 == lines.end() ? std::string() : *(loop + 1);
    }

    // The labels that offer the columns a model type's sheet may show.
    std::set<std::int32_t> columnsKnownFor(int modelType)
    {
        std::set<std::int32_t> known;
        for (const OptionList &list : optionLists()) {
            if (forModel(list.modelType, modelType))
                known.insert(list.columns.begin(), list.columns.end());
        }
        for (const EntryList &list : kEntryLists) {
            if (forModel(list.modelType, modelType))
                known.insert(list.column);
        }
        for (const PlainColumn &column : kPlainColumns) {
            if (forModel(column.modelType, modelType))
                known.insert(column.label);
        }
        return known;
    }

    cmcGTex help_;
    cmcFCache cache_{mainTextDatabase()};
};

// A list offers each value once, in the order it is read (Space and
// Backspace step down each column, then to the next), with a text of its
// own, and only its entries answer the cell that opened it.
TEST_F(ChannelData, OptionListsOfferTheValuesOfTheirColumns)
{
    for (const OptionList &list : optionLists()) {
        SCOPED_TRACE(list.key);
        ASSERT_TRUE(isSheet(list.key)) << "a list needs its style, base cell and cells";
        const cmcFCacheEntry &entry = cache_.Entry(list.key, list.entryLabel);
        const std::vector<std::int32_t> shown = valuesOf(entry.byPosition);
        EXPECT_EQ(shown, list.values.empty() ? valuesOf(entry.byValue) : list.values);
        std::set<std::string> texts;
        for (const auto &record : entry.byValue) {
            EXPECT_FALSE(entry.textOf(record).empty()) << record.value;
            EXPECT_TRUE(texts.insert(entry.textOf(record)).second) << entry.textOf(record);
        }
        for (const cmcCellObj &cell : cellsOf(list.key)) {
            if (cell.Selectable() || cell.label == list.entryLabel) {
                EXPECT_TRUE(cell.Selectable() && cell.label == list.entryLabel)
                    << cell.GetText() << " carries " << labelName(cell.label);
            }
        }
    }
}

// The tone list's CTCSS entries and the list that typed tones are matched
// against are the same tones in the same order.
TEST_F(ChannelData, TypedTonesMatchTheToneList)
{
    std::vector<std::string> typed;
    for (const std::string &line : keyLines(texts(), "GI_AppItem_Ctcss")) {
        for (const std::string &item : split(line, ','))
            typed.push_back(item);
    }
    ASSERT_EQ(typed.size(), 52u);
    for (std::int32_t index = 0; index < 52; ++index)
        EXPECT_EQ(cache_.Text("GI_Sheet_Sel_Mch_CTone", Flex0, index),
                  typed[static_cast<std::size_t>(index)]);
}

// A DTCS entry's value is the code the cell stores; its text is that code in
// three octal digits.
TEST_F(ChannelData, DtcsEntriesShowTheirCodeInOctal)
{
    const cmcFCacheEntry &entry = cache_.Entry("GI_Sheet_Sel_Mch_Dtcs", FlexDtcs);
    EXPECT_EQ(entry.count, 104);
    for (const auto &record : entry.byValue) {
        ASSERT_GE(record.value, 0);
        ASSERT_LE(record.value, 0777);
        char octal[8];
        std::snprintf(octal, sizeof octal, "%03o", static_cast<unsigned>(record.value));
        EXPECT_EQ(entry.textOf(record), octal);
    }
}

// The repeater of an MSK channel is an option of the first list or a number
// of the second: the first list's last entry stands for "a number", so the
// numbers start at its value and no other option falls among them.
TEST_F(ChannelData, RepeaterOptionsAndNumbersDoNotOverlap)
{
    const cmcFCacheEntry &options = cache_.Entry("GI_Sheet_Sel_Mch_Msk_Rpt_1st_Pmr", Flex0);
    const cmcFCacheEntry &numbers = cache_.Entry("GI_Sheet_Sel_Mch_Msk_Rpt_2nd", Flex1);
    ASSERT_FALSE(options.byPosition.empty());
    ASSERT_FALSE(numbers.byValue.empty());
    const std::int32_t aNumber = options.byPosition.back().value;
    const std::int32_t highest = numbers.byValue.back().value;
    EXPECT_EQ(numbers.byValue.front().value, aNumber);
    for (const auto &record : options.byValue) {
        if (record.value != aNumber) {
            EXPECT_TRUE(record.value < aNumber || record.value > highest) << record.value;
        }
    }
}

// The pickers of list entries answer only from their number cell; the
// entry's ID and name beside it are shown, not chosen.
TEST_F(ChannelData, EntryPickersAnswerFromTheirNumberCell)
{
    for (const EntryList &list : kEntryLists) {
        SCOPED_TRACE(list.key);
        ASSERT_TRUE(isSheet(list.key));
        const std::vector<cmcCellObj> cells = cellsOf(list.key);
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(cells.front().label, list.entryLabel);
        for (const cmcCellObj &cell : cells)
            EXPECT_EQ(cell.Selectable(), cell.label == list.entryLabel) << labelName(cell.label);
    }
}

// Every column of a channel row edits the row's own channel, can be reached
// by the cursor, belongs to the model type whose sheet shows it, and has a
// list or editor the table above knows.
TEST_F(ChannelData, ChannelColumnsBelongToTheirRowAndModel)
{
    constexpr std::int32_t kChannel = 7;
    for (int modelType = 0; modelType < 2; ++modelType) {
        const std::string sheet = kChannelSheets[static_cast<std::size_t>(modelType)];
        SCOPED_TRACE(sheet);
        ASSERT_TRUE(isSheet(sheet));
        const std::string row = channelRow(sheet);
        ASSERT_FALSE(row.empty()) << "no channel loop";
        const std::set<std::int32_t> known = columnsKnownFor(modelType);
        std::set<std::int32_t> shown;
        for (const cmcCellObj &cell : cellsOf(sheet, row, kChannel)) {
            if (cell.label == CL_Misc_QuarterPillar)
                continue;
            const std::string name = labelName(cell.label);
            EXPECT_TRUE(shown.insert(cell.label).second) << name << " shown twice";
            EXPECT_TRUE(known.contains(cell.label)) << name << " is not a column of this model";
            EXPECT_EQ(cell.category, CT_Mch) << name;
            EXPECT_EQ(cell.index, kChannel) << name;
            if (cell.label != CL_Mch_No) {
                EXPECT_TRUE(cell.Selectable()) << name;
            }
        }
        EXPECT_TRUE(shown.contains(CL_Mch_FreqR));
    }
}

// Context help of every channel column finds a topic.
TEST_F(ChannelData, EveryChannelColumnHasAHelpTopic)
{
    std::set<std::string> topics;
    for (const std::string &line : keyLines(help_, "GI_AppItem_Topic_ID"))
        topics.insert(line.substr(0, line.find('\t')));
    for (const char *sheet : kChannelSheets) {
        for (const cmcCellObj &cell : cellsOf(sheet, channelRow(sheet))) {
            if (cell.label != CL_Misc_QuarterPillar) {
                EXPECT_TRUE(topics.contains(labelName(cell.label)))
                    << sheet << ": " << labelName(cell.label);
            }
        }
    }
}

} // namespace
