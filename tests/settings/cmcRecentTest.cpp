#include "settings/cmcRecent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

Paths entriesOf(cmcRecent &list)
{
    Paths entries;
    for (int i = 0; i < list.count(); ++i)
        entries.push_back(list.displayText(i, ""));
    return entries;
}

cmcRecent listOf(const Paths &paths, int capacity = 10)
{
    cmcRecent list(capacity);
    for (const std::string &path : paths)
        list.addToEnd(path);
    return list;
}

struct AddCase {
    const char *what;
    Paths opened;
    Paths expected;
};

class RecentAddToFrontTest : public ::testing::TestWithParam<AddCase>
{};

TEST_P(RecentAddToFrontTest, KeepsOneEntryPerFileMostRecentFirst)
{
    cmcRecent list(10);
    for (const std::string &path : GetParam().opened)
        list.addToFront(path);
    EXPECT_EQ(entriesOf(list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentAddToFrontTest,
    ::testing::Values(
        AddCase{"Reopened", {"/a/x.vrc", "/b/y.vrc", "/a/x.vrc"}, {"/a/x.vrc", "/b/y.vrc"}},
        AddCase{"CaseDiffers", {"/A/x.vrc", "/a/X.VRC"}, {"/a/X.VRC"}},
        AddCase{"WindowsStyle", {"C:\\A\\x.vrc", "c:\\a\\X.VRC"}, {"c:\\a\\X.VRC"}},
        AddCase{"Umlauts", {"/Daten/Äpfel.vrc", "/DATEN/äPFEL.vrc"}, {"/DATEN/äPFEL.vrc"}},
        AddCase{"Accents", {"/été/x.vrc", "/ÉTÉ/X.vrc"}, {"/ÉTÉ/X.vrc"}},
        AddCase{"Cyrillic", {"/файл.vrc", "/ФАЙЛ.vrc"}, {"/ФАЙЛ.vrc"}},
        AddCase{"Greek", {"/αρχείο.vrc", "/ΑΡΧΕΊΟ.vrc"}, {"/ΑΡΧΕΊΟ.vrc"}},
        AddCase{"AccentIsNotCase", {"/a.vrc", "/ä.vrc"}, {"/ä.vrc", "/a.vrc"}}),
    [](const auto &testInfo) { return std::string(testInfo.param.what); });

Paths numbered(int count)
{
    Paths paths;
    for (int i = 1; i <= count; ++i)
        paths.push_back("/clones/f" + std::to_string(i) + ".vrc");
    return paths;
}

TEST(RecentCapacityTest, ElevenOpenedFilesKeepTheLastTen)
{
    cmcRecent list(10);
    for (const std::string &path : numbered(11))
        list.addToFront(path);
    const Paths entries = entriesOf(list);
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front(), "/clones/f11.vrc");
    EXPECT_EQ(entries.back(), "/clones/f2.vrc");
}

TEST(RecentCapacityTest, AppendingToAFullListDropsTheNewcomer)
{
    cmcRecent list = listOf(numbered(10));
    list.addToEnd("/clones/late.vrc");
    EXPECT_EQ(entriesOf(list), numbered(10));
}

TEST(RecentCapacityTest, ZeroOrNegativeCapacityKeepsNothing)
{
    for (const int capacity : {0, -3}) {
        cmcRecent list(capacity);
        list.addToFront("/a.vrc");
        list.addToEnd("/b.vrc");
        EXPECT_EQ(list.count(), 0) << capacity;
    }
}

TEST(RecentAddToEndTest, StoredValuesWithGapsLeaveOneEmptyEntryLast)
{
    const Paths stored = {"/a.vrc", "", "", "/b.vrc", "", "", "", "", "", ""};
    cmcRecent list = listOf(stored);
    EXPECT_EQ(entriesOf(list), (Paths{"/a.vrc", "/b.vrc", ""}));
    EXPECT_EQ(list.menuCaption(2, ""), "");
}

TEST(RecentAddToEndTest, ReappendedEntryMovesToTheEnd)
{
    cmcRecent list = listOf({"/a.vrc", "/b.vrc", "/A.VRC"});
    EXPECT_EQ(entriesOf(list), (Paths{"/b.vrc", "/A.VRC"}));
}

TEST(RecentClearTest, EmptiesTheList)
{
    cmcRecent list = listOf(numbered(3));
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.displayText(0, ""), "");
}

struct DisplayCase {
    const char *entry;
    const char *directory;
    const char *expected;
};

class RecentDisplayTextTest : public ::testing::TestWithParam<DisplayCase>
{};

TEST_P(RecentDisplayTextTest, ShowsTheNameAloneInTheGivenFolder)
{
    cmcRecent list = listOf({GetParam().entry});
    EXPECT_EQ(list.displayText(0, GetParam().directory), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentDisplayTextTest,
    ::testing::Values(DisplayCase{"/data/ch.vrc", "/data/", "ch.vrc"},
                      DisplayCase{"/data/ch.vrc", "/data", "ch.vrc"},
                      DisplayCase{"/Data/ch.vrc", "/data", "ch.vrc"},
                      DisplayCase{"/Ärger/ch.vrc", "/ärger/", "ch.vrc"},
                      DisplayCase{"/other/ch.vrc", "/data/", "/other/ch.vrc"},
                      DisplayCase{"/data/sub/ch.vrc", "/data", "/data/sub/ch.vrc"},
                      DisplayCase{"/data/ch.vrc", "", "/data/ch.vrc"},
                      DisplayCase{"C:\\Data\\ch.vrc", "C:\\Data\\", "ch.vrc"},
                      DisplayCase{"C:\\Data\\ch.vrc", "c:\\data", "ch.vrc"},
                      DisplayCase{"C:\\Other\\ch.vrc", "C:\\Data", "C:\\Other\\ch.vrc"},
                      // A file in the root keeps its folder when the full path
                      // is wanted, or it would be saved and reopened as a
                      // relative name.
                      DisplayCase{"/ch.vrc", "", "/ch.vrc"}, DisplayCase{"/ch.vrc", "/", "ch.vrc"},
                      DisplayCase{"ch.vrc", "", "ch.vrc"},
                      DisplayCase{"ch.vrc", "/data", "ch.vrc"}));

TEST(RecentDisplayTextTest, IndexOutsideTheListIsEmpty)
{
    cmcRecent list = listOf({"/a.vrc"});
    for (const int index : {-1, 1, 10})
        EXPECT_EQ(list.displayText(index, ""), "") << index;
}

TEST(RecentMenuCaptionTest, NumbersEntriesAndDoublesAmpersands)
{
    cmcRecent list = listOf({"/data/R&D.vrc", "/x/a&&b.vrc", "/data/plain.vrc"});
    EXPECT_EQ(list.menuCaption(0, "/data"), "&1 R&&D.vrc");
    EXPECT_EQ(list.menuCaption(1, "/data"), "&2 /x/a&&&&b.vrc");
    EXPECT_EQ(list.menuCaption(2, "/data"), "&3 plain.vrc");
    EXPECT_EQ(list.menuCaption(3, "/data"), "");
}

TEST(RecentMenuCaptionTest, TenthEntryGetsTwoDigits)
{
    cmcRecent list = listOf(numbered(10));
    EXPECT_EQ(list.menuCaption(9, "/clones/"), "&10 f10.vrc");
}

} // namespace
