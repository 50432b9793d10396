#include "mainframe/WarningCheckList.h"

#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "support/ScopedTexts.h"
#include "textdb/GlobalTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using testing_support::ScopedTexts;

// A handler that records every check cell it is asked about and answers
// with the marks the test gives its label.
struct FakeChecks {
    static inline std::vector<std::string> asked;
    static inline std::map<std::int32_t, std::uint8_t> marks;

    static std::int32_t handle(indActiveCell *, cmcCellCapsule &capsule, std::int32_t)
    {
        const cmcCellObj &cell = *capsule.cell;
        asked.push_back(std::to_string(cell.label) + " " + cell.suffix.value_or("-") + " @" +
                        std::to_string(cell.index));
        const auto found = marks.find(cell.label);
        if (found != marks.end())
            capsule.stateBits |= found->second;
        return 0;
    }
};

class CheckList : public ::testing::Test
{
protected:
    CheckList()
    {
        FakeChecks::asked.clear();
        FakeChecks::marks.clear();
    }
    static std::string asked(std::int32_t label, const std::string &sheet)
    {
        return std::to_string(label) + " " + sheet + " @0";
    }
};

constexpr const char *kLmrChannels = "[St_ChBank]GI_Sheet_Mch_Conv_Lmr_KCOOP_Rep,Bank 0";
constexpr const char *kPmrChannels = "[St_ChBank]GI_Sheet_Mch_Conv_Pmr_Dpmr_Rep,Bank 0";

TEST_F(CheckList, EveryLineIsACheckOfItsSheetAndTheChannelCheckComesLast)
{
    const ScopedTexts texts({{"GI_WarningCheckList",
                              {"{(%CL_Check_SetMode:[St_Common]GI_Sheet_SetMode)}",
                               "{(%CL_Check_KeyDisp:[St_Common]GI_Sheet_KeyDisp)}", "#"}}});
    FakeChecks::marks = {{CL_Check_SetMode, cmcCellCapsule::kStateWarning},
                         {CL_Check_KeyDisp, cmcCellCapsule::kStateError},
                         {CL_Check_Mch, cmcCellCapsule::kStateWarning}};
    const WarningCheckList::Result result =
        WarningCheckList::Run(mainTextDatabase(), 0, &FakeChecks::handle);
    EXPECT_EQ(FakeChecks::asked,
              (std::vector<std::string>{asked(CL_Check_SetMode, "[St_Common]GI_Sheet_SetMode"),
                                        asked(CL_Check_KeyDisp, "[St_Common]GI_Sheet_KeyDisp"),
                                        asked(CL_Check_Mch, kLmrChannels)}));
    EXPECT_EQ(result.errors, std::vector<std::string>{"[St_Common]GI_Sheet_KeyDisp"});
    EXPECT_EQ(result.warnings,
              (std::vector<std::string>{"[St_Common]GI_Sheet_SetMode", kLmrChannels}));
    EXPECT_EQ(result.ErrorCount(), 1);
    EXPECT_EQ(result.WarningCount(), 2);
}

TEST_F(CheckList, AnErrorAndAWarningOnOneCheckCountAsTheError)
{
    const ScopedTexts texts({ScopedTexts::Entry{"GI_WarningCheckList", {"#"}}});
    FakeChecks::marks = {
        {CL_Check_Mch, cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError}};
    const WarningCheckList::Result result =
        WarningCheckList::Run(mainTextDatabase(), 0, &FakeChecks::handle);
    EXPECT_EQ(result.errors, std::vector<std::string>{kLmrChannels});
    EXPECT_TRUE(result.warnings.empty());
}

TEST_F(CheckList, AListThatStartsWithItsEndRunsOnlyTheChannelCheckOfTheModelType)
{
    const ScopedTexts texts({{"GI_WarningCheckList", {"#", "{(%CL_Check_SetMode:Never)}"}}});
    for (const auto &[modelType, sheet] :
         std::vector<std::pair<int, std::string>>{{0, kLmrChannels}, {1, kPmrChannels}}) {
        FakeChecks::asked.clear();
        const WarningCheckList::Result result =
            WarningCheckList::Run(mainTextDatabase(), modelType, &FakeChecks::handle);
        EXPECT_EQ(FakeChecks::asked, std::vector<std::string>{asked(CL_Check_Mch, sheet)});
        EXPECT_EQ(result.ErrorCount() + result.WarningCount(), 0);
    }
}

TEST_F(CheckList, TheRefusalNamesEachFailingSheetOnceByItsTreeCaption)
{
    const ScopedTexts texts({{"GI_Mess_DataError", {"The data holds errors."}},
                             {"GI_MChSheetTitle", {"Memory Channels"}},
                             {"GI_Tree_Main_Body",
                              {"+Radio{(%CallSheet:GI_Sheet_Top)}",
                               " +Keys{(%CallSheet:[St_Common]GI_Sheet_KeyDisp)}"}}});
    WarningCheckList::Result result;
    result.errors = {"[St_Common]GI_Sheet_KeyDisp", kLmrChannels, "[St_Common]GI_Sheet_KeyDisp",
                     "GI_Sheet_Unknown"};
    EXPECT_EQ(WarningCheckList::RefusalText(mainTextDatabase(), result),
              "The data holds errors.\nKeys\nMemory Channels\nGI_Sheet_Unknown");
}

} // namespace
