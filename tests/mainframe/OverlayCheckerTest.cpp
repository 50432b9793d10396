#include "OverlayChecker.h"
#include "SourceKeys.h"

#include "support/TestPaths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::Contains;
using testing::HasSubstr;
using testing::Not;

namespace {

TEST(SourceKeys, LiteralsOutsideCommentsCount)
{
    std::set<std::string> keys;
    collectKeys("texts.GetText(\"GI_Mess_One\"); // not \"GI_Mess_Commented\"\n"
                "const char *kKeys[] = {\"GI_Sheet_Two\", \"GI_\", \"xGI_Three\"};\n"
                "// \"GI_Mess_Comment_Line\"\n"
                "auto url = \"http://host/\" \"GI_Mess_After_Slashes\";\n",
                keys);
    EXPECT_EQ(keys,
              (std::set<std::string>{"GI_Mess_One", "GI_Sheet_Two", "GI_Mess_After_Slashes"}));
}

TEST(OverlayChecker, ListsEveryProblemOfEveryLanguage)
{
    const std::string data = testing_support::fixtureDir() + "frame/ovlcheck/";
    OverlayChecker checker(data, {"GI_Sys_AppTitle", "GI_Menu_Main", "GI_Sheet_Demo",
                                  "GI_AppInd_Opt_IpPort", "GI_Sys_Language", "GI_AppItem_Topic_ID",
                                  "GI_AppItem_Ctcss"});
    std::vector<std::string> built;
    checker.SetSheetBuilder([&built](int language, const std::string &descriptor) {
        built.push_back(std::to_string(language) + ":" + descriptor);
        return descriptor == "GI_Sheet_Demo" ? std::string("Illegal Cell assign") : std::string();
    });
    const std::vector<std::string> problems = checker.Run();

    const std::string one = "One (ONE.OVL): ";
    const std::string two = "Two (TWO.OVL): ";
    // Followed from the code's names: the sheet's bad cell and the sheet its
    // link opens; the menu item's context menu was reached and is complete.
    EXPECT_THAT(problems, Contains(HasSubstr(one + "GI_Sheet_Demo_Cells line 1 cell 1: "
                                                   "Cannot use the specified cell. "
                                                   "'CL_No_Such_Label'")));
    EXPECT_THAT(problems, Contains(one + "missing key GI_Sheet_Other_Style"));
    EXPECT_THAT(problems,
                Contains(one + "sheet GI_Sheet_Demo does not build: Illegal Cell assign"));
    EXPECT_THAT(checker.MenusReached(), Contains("GI_PMenu_Ctx"));
    EXPECT_THAT(problems, Not(Contains(HasSubstr("GI_PMenu_Ctx"))));
    // Dialog prefixes stand for their texts; other names must be keys.
    EXPECT_THAT(problems, Contains(two + "missing key GI_AppInd_Opt_IpPort_Notice"));
    EXPECT_THAT(problems, Not(Contains(one + "missing key GI_AppInd_Opt_IpPort")));
    EXPECT_THAT(problems, Contains(two + "the overlay does not end with #End_Of_Ovl"));
    EXPECT_THAT(problems, Contains(one + "key GI_Sys_AppTitle appears more than once"));
    EXPECT_THAT(problems,
                Contains(two + "TWO_HLP.OVL: GI_AppItem_Context_ID is not closed by a '#' line"));
    // The languages disagree on their keys both ways.
    EXPECT_THAT(problems, Contains(HasSubstr("lacks GI_Extra")));
    EXPECT_THAT(problems, Contains(HasSubstr("lacks GI_AppInd_Opt_IpPort_Notice")));
    // Keys held by other databases are not asked of the overlays; other
    // "GI_AppItem_" keys are the language's own.
    EXPECT_THAT(problems, Not(Contains(HasSubstr("GI_Sys_Language"))));
    EXPECT_THAT(problems, Not(Contains(HasSubstr("missing key GI_AppItem_Topic_ID"))));
    EXPECT_THAT(problems, Contains(one + "missing key GI_AppItem_Ctcss"));
    // Sheets no name of the code reaches (selection lists the codecs open)
    // are checked too.
    EXPECT_THAT(problems, Contains(HasSubstr(one + "GI_Sheet_Sel_Stray_Cells line 0 cell 0: "
                                                   "Cannot use the specified cell.")));
    EXPECT_THAT(problems, Contains(one + "missing key GI_Sheet_Sel_Half_Style"));
    EXPECT_EQ(built, (std::vector<std::string>{"0:GI_Sheet_Demo", "0:GI_Sheet_Sel_Stray",
                                               "1:GI_Sheet_Demo"}));
}

// Context help goes from a label to a topic, a context number and an anchor
// of the help file: each break on the way is told.
TEST(OverlayChecker, FollowsEveryHelpTopicToItsPage)
{
    OverlayChecker checker(testing_support::fixtureDir() + "frame/ovlcheck/", {});
    const std::vector<std::string> problems = checker.Run();
    const std::string help = "One (ONE.OVL): ONE_HLP.OVL: ";

    EXPECT_THAT(problems,
                Contains(help + "GI_AppItem_Topic_ID names no cell label CL_No_Such_Label"));
    EXPECT_THAT(problems, Contains(help + "topic T_NAME of CL_Mch_Text has no line in "
                                          "GI_AppItem_Context_ID"));
    EXPECT_THAT(problems, Contains(help + "the context of topic T_ATTR is not a number"));
    EXPECT_THAT(problems, Contains("One (ONE.OVL): ONE_Help.html has no anchor ctx110 for topic "
                                   "T_NUMBER"));
    // The topic whose page exists, shared by two labels, is in order.
    EXPECT_THAT(problems, Not(Contains(HasSubstr("T_FREQ"))));
}

} // namespace
