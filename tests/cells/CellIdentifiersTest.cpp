#include "cells/CellIdentifiers.h"
#include "cells/CellNameIndex.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include "FatalText.h"
#include "ListedLabels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CellCategories, NamesAndIdentifiersFollowTheCategoryList)
{
    struct Case {
        const char *name;
        std::int32_t id;
    } cases[] = {
        {"CT_Null", 0},    {"CT_PopupMenu", 1}, {"CT_Mch", 2},  {"CT_UserTone", 12},
        {"CT_BankOp", 13}, {"CT_DPMR_Op", 32},  {"CT_ADJ", 36}, {"", kNoCategory},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(cellCategoryId(c.name), c.id) << c.name;
        EXPECT_EQ(cellCategoryName(c.id), c.name) << c.id;
    }
    EXPECT_EQ(cellCategoryName(-1), "");
    EXPECT_EQ(cellCategoryName(kNoCategory), "");
}

TEST(CellCategories, RecordTablesDependOnTheModelTypeOnlyForMemoryChannels)
{
    struct Case {
        std::int32_t category;
        std::int32_t modelType;
        std::int32_t table;
    } cases[] = {
        {CT_Mch, 0, 1},          {CT_Mch, 1, 2},          {CT_Mch, 2, 0},      {CT_Mch, -1, 0},
        {CT_Mch_Check, 0, 1},    {CT_Mch_Check, 1, 2},    {CT_Null, 1, 0},     {CT_PopupMenu, 0, 0},
        {CT_CEdit, 0, 3},        {CT_2Tone_Code, 1, 10},  {CT_UserTone, 0, 9}, {CT_BankOp, 1, 12},
        {CT_MSK_AdrRange, 0, 0}, {CT_MSK_IdGroup, 0, 13}, {CT_DIG_Op, 1, 0},   {CT_DPMR_Inv, 0, 23},
        {CT_MultiTable, 1, 29},  {CT_ADJ, 0, 0},          {kNoCategory, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(cellRecordTable(c.category, c.modelType), c.table)
            << c.category << " / model type " << c.modelType;
    }
}

TEST(CellCategories, CurrentModelTypeComesFromTheSettings)
{
    indEnviron settings(indEnviron::Detached::Defaults);
    installEnvironment(&settings);
    EXPECT_EQ(cellRecordTable(CT_Mch), 2);
    settings.modelType = 0;
    EXPECT_EQ(cellRecordTable(CT_Mch), 1);
    EXPECT_EQ(cellRecordTable(CT_Scan), 5);
    settings.modelType = 1;
    EXPECT_EQ(cellRecordTable(CT_Mch_Check), 2);
    installEnvironment(nullptr);
}

TEST(CellCategoriesDeathTest, RecordTableOfANonCategoryIsFatal)
{
    EXPECT_DEATH(cellRecordTable(38, 0), fatalReport("Unknown Cell Category. (38)"));
    EXPECT_DEATH(cellRecordTable(-1, 0), fatalReport("Unknown Cell Category. (-1)"));
}

TEST(CellLabels, NamesAndIdentifiersFollowTheLabelList)
{
    const std::vector<std::string> listed = listedLabels();
    ASSERT_EQ(listed.size(), static_cast<std::size_t>(kLabelCount));
    for (std::int32_t id = 0; id < kLabelCount; ++id) {
        ASSERT_EQ(cellLabelName(id), listed[static_cast<std::size_t>(id)]) << id;
        ASSERT_EQ(cellLabelId(listed[static_cast<std::size_t>(id)]), id);
    }
}

// The size of each label family, counted independently of the list order;
// a name typed twice or dropped shows up here.
TEST(CellLabels, FamiliesHaveTheirSizes)
{
    struct Family {
        const char *prefix;
        int size;
    } families[] = {
        {"CL_Null", 1},        {"Flex", 19},          {"CL_Menu_", 35},       {"CL_Model_", 2},
        {"CL_Help_", 2},       {"CL_Language_", 1},   {"CL_Langage_", 1},     {"CallSheet", 1},
        {"CL_Check_", 16},     {"CL_CloneInfo_", 13}, {"CL_EeDebugWin_", 17}, {"CL_PMenu_", 11},
        {"CL_Bank_", 5},       {"CL_Mch_", 110},      {"CL_FBits", 1},        {"CL_Misc_", 3},
        {"CL_Msk_", 83},       {"CL_Digi_", 118},     {"CL_Dpmr_", 100},      {"CL_Grp_", 8},
        {"CL_CW_", 7},         {"CL_ExtPort_", 30},   {"CL_KDisp_", 58},      {"CL_SetM_", 21},
        {"CL_USetM_", 20},     {"CL_Comm_", 76},      {"CL_Common_", 7},      {"CL_Exp_", 24},
        {"CL_CEdit", 1},       {"CL_Dtmf_", 28},      {"CL_CTone_", 3},       {"CL_ScanList_", 12},
        {"CL_ScanComm_", 23},  {"CL_2T_", 21},        {"CL_2TTx_", 2},        {"CL_5TRx_", 21},
        {"CL_5Tone_", 2},      {"CL_5TTx_", 28},      {"CL_Select_", 2},      {"CL_UTone_", 7},
        {"CL_MultiTable_", 4}, {"CL_Maker_", 180},    {"CL_Adjust_", 299},    {"CL_ADP_", 351},
        {"CL_WinAD_", 76},     {"CL_Dummy", 1},
    };
    int total = 0;
    for (const auto &family : families) {
        int size = 0;
        for (std::int32_t id = 0; id < kLabelCount; ++id)
            size += cellLabelName(id).starts_with(family.prefix) ? 1 : 0;
        EXPECT_EQ(size, family.size) << family.prefix;
        total += family.size;
    }
    EXPECT_EQ(total, kLabelCount);
}

TEST(CellLabels, TellingIdentifiers)
{
    EXPECT_EQ(cellLabelId("CL_Null"), 0);
    EXPECT_EQ(cellLabelId("Flex0"), 1);
    EXPECT_EQ(CL_Menu_Edit_Top, 28); // the edit submenu events name it by number
    EXPECT_EQ(cellLabelId("CL_Menu_Edit_Top"), CL_Menu_Edit_Top);
    EXPECT_EQ(cellLabelId("CL_Dummy"), kLabelCount - 1);
    EXPECT_EQ(cellLabelId(""), kNoLabel);
    EXPECT_EQ(cellLabelName(-1), "");
    EXPECT_EQ(cellLabelName(kNoLabel), "");
}

// Both vocabularies share one table; a name of the other one is no hit.
TEST(CellLabels, NamesOfTheOtherVocabularyAreUnknown)
{
    std::int32_t id = -5;
    EXPECT_TRUE(findCellCategoryId("CT_Mch", id));
    EXPECT_TRUE(findCellLabelId("CL_Mch_No", id));
    EXPECT_FALSE(findCellLabelId("CT_Mch", id));
    EXPECT_FALSE(findCellCategoryId("CL_Null", id));
    EXPECT_FALSE(findCellLabelId("cl_null", id));
    EXPECT_FALSE(findCellLabelId("CL_Mch_No ", id));
    EXPECT_TRUE(findCellLabelId("", id));
    EXPECT_EQ(id, kNoLabel);
}

TEST(CellIdentifiersDeathTest, UnknownNamesAreFatal)
{
    EXPECT_DEATH(cellCategoryId("ct_mch"),
                 fatalReport("Cannot use the specified category.\n'ct_mch'"));
    EXPECT_DEATH(cellCategoryId("CL_Null"),
                 fatalReport("Cannot use the specified category.\n'CL_Null'"));
    EXPECT_DEATH(cellLabelId("CL_NoSuchCell"),
                 fatalReport("Cannot use the specified cell.\n'CL_NoSuchCell'"));
}

TEST(CellIdentifiersDeathTest, ANameListedTwiceIsFatalWhenEntered)
{
    static const char *const categories[] = {"CT_A", "CT_B"};
    static const char *const labels[] = {"CL_A", "CL_B", "CL_A"};
    CellNameIndex index(categories, labels);
    EXPECT_EQ(index.CategoryId("CT_B"), 1);
    EXPECT_DEATH(index.LabelId("CL_B"), fatalReport("Overlapped Hash table."));

    static const char *const clashing[] = {"CT_A"};
    CellNameIndex shared(categories, clashing);
    EXPECT_EQ(shared.CategoryId("CT_A"), 0);
    EXPECT_DEATH(shared.LabelId("CT_A"), fatalReport("Overlapped Hash table."));
}

} // namespace
