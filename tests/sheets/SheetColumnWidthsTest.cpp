#include "sheets/SheetColumnWidthStore.h"
#include "sheets/SheetLayout.h"

#include "SheetTestTexts.h"

#include "platform/RegistryStore.h"
#include "textdb/cmcGTex.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The fixture lists "GI_Sheet_Widths" as "WidthTest" and "GI_Sheet_WidthsTwin"
// as "WidthTwin". In both, only column 1 has a selectable cell in the first
// row below the fixed one, so only its width is kept.
class ColumnWidths : public testing::Test
{
protected:
    static void SetUpTestSuite() { openSheetFixture(); }

    std::unique_ptr<SheetLayout> build(const char *descriptor,
                                       void (*setUp)(SheetLayout &) = nullptr)
    {
        auto layout = std::make_unique<SheetLayout>(mainTextDatabase(), descriptor, nullptr, 0, 0);
        if (setUp != nullptr)
            setUp(*layout);
        layout->Show();
        return layout;
    }
    static int stored(const char *name, int col) { return SheetColumnWidthStore::Read(name, col); }
    static bool keyExists(const char *name)
    {
        return platform::RegistryStore::keyExists(SheetColumnWidthStore::KeyPath(name));
    }

    testing_support::ScopedSettingsSandbox sandbox;
};

TEST_F(ColumnWidths, RegistryNamesComeFromTheListByExactSheetName)
{
    cmcGTex &texts = mainTextDatabase();
    EXPECT_EQ(SheetColumnWidthStore::RegistryName(texts, "GI_Sheet_Widths"), "WidthTest");
    EXPECT_EQ(SheetColumnWidthStore::RegistryName(texts, "GI_Sheet_WidthsTwin"), "WidthTwin");
    EXPECT_EQ(SheetColumnWidthStore::RegistryName(texts, "GI_Sheet_widths"), "");
    EXPECT_EQ(SheetColumnWidthStore::RegistryName(texts, "GI_Sheet_Width"), "");
    EXPECT_EQ(SheetColumnWidthStore::KeyPath("WidthTest"),
              "Software\\Vorn\\Quillon(dPMR)\\Display\\WidthTest\\colwidth");
}

TEST_F(ColumnWidths, ABuildStoresTheWidthsOfColumnsWithSelectableCells)
{
    const auto layout = build("GI_Sheet_Widths");
    EXPECT_EQ(stored("WidthTest", 1), layout->Surface().ColWidth(1));
    EXPECT_EQ(stored("WidthTest", 0), -1);
    EXPECT_EQ(stored("WidthTest", 2), -1);
    EXPECT_GE(layout->Surface().ColWidth(1), SheetLayout::kMinColWidth);
}

TEST_F(ColumnWidths, StoredWidthsAreLoadedWithinLimitsAndStoredBack)
{
    struct Case {
        int stored;
        int loaded;
    };
    for (const Case c : {Case{300, 300}, Case{5, 10}, Case{9999, 650}, Case{-7, 10}}) {
        SheetColumnWidthStore::Write("WidthTest", 1, c.stored);
        SheetColumnWidthStore::Write("WidthTest", 0, 333);
        const auto layout = build("GI_Sheet_Widths");
        EXPECT_EQ(layout->Surface().ColWidth(1), c.loaded) << c.stored;
        EXPECT_NE(layout->Surface().ColWidth(0), 333) << "column 0 is not kept";
        EXPECT_EQ(stored("WidthTest", 1), c.loaded);
    }
}

// A width the user set is kept as at 100 %, so that the column grows and
// shrinks with the font like the others.
TEST_F(ColumnWidths, StoredWidthsFollowTheFontSize)
{
    struct Case {
        int percentage;
        int loaded;
    } cases[] = {{100, 300}, {200, 600}, {75, 225}, {125, 375}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.percentage);
        SheetColumnWidthStore::Write("WidthTest", 1, 300);
        static int percentage = 0;
        percentage = c.percentage;
        const auto layout = build("GI_Sheet_Widths",
                                  [](SheetLayout &l) { l.SetDisplayFontPercentage(percentage); });
        EXPECT_EQ(layout->Surface().ColWidth(1), c.loaded);
        EXPECT_EQ(stored("WidthTest", 1), 300) << "stored back as at 100 %";
    }
}

TEST_F(ColumnWidths, SheetsThatKeepNoWidthsLeaveTheStoreAlone)
{
    build("GI_Sheet_Unlisted");
    build("GI_Sheet_Widths", [](SheetLayout &l) { l.SetPopupMode(true); });
    build("GI_Sheet_Widths", [](SheetLayout &l) { l.SetWidthsPersistent(false); });
    EXPECT_FALSE(keyExists("WidthTest"));
    EXPECT_EQ(platform::RegistryStore::readInteger(std::string(platform::RegistryStore::kRoot) +
                                                       "\\Display\\GI_Sheet_Unlisted",
                                                   "1"),
              std::nullopt);
}

TEST_F(ColumnWidths, AResetForgetsEveryListedSheetThenKeepsTheNewBuild)
{
    SheetColumnWidthStore::Write("WidthTest", 1, 300);
    SheetColumnWidthStore::Write("WidthTwin", 1, 200);
    const auto layout = build("GI_Sheet_Widths", [](SheetLayout &l) { l.RequestWidthReset(); });
    EXPECT_NE(layout->Surface().ColWidth(1), 300);
    EXPECT_EQ(stored("WidthTest", 1), layout->Surface().ColWidth(1));
    EXPECT_FALSE(keyExists("WidthTwin"));
    // The request holds for one build only.
    SheetColumnWidthStore::Write("WidthTest", 1, 300);
    layout->Show();
    EXPECT_EQ(layout->Surface().ColWidth(1), 300);
}

TEST_F(ColumnWidths, PrintedWidthsFollowTheScreenButNeverGrowBeyondTheText)
{
    const auto narrow = build("GI_Sheet_Widths", [](SheetLayout &l) {
        l.SetPrintMetrics({1.0, 2.0, 10, true});
    });
    const int built = narrow->Surface().ColWidth(1);
    // Display font 100 %: q = 16, so a stored width w prints as w x 10 x 2 x 0.1.
    SheetColumnWidthStore::Write("WidthTest", 1, 11);
    const auto layout = build("GI_Sheet_Widths", [](SheetLayout &l) {
        l.SetDisplayFontPercentage(100);
        l.SetPrintMetrics({1.0, 2.0, 10, true});
    });
    EXPECT_EQ(layout->Surface().ColWidth(1), std::min(22, built));
    SheetColumnWidthStore::Write("WidthTest", 1, 400);
    const auto wide = build("GI_Sheet_Widths", [](SheetLayout &l) {
        l.SetDisplayFontPercentage(100);
        l.SetPrintMetrics({1.0, 2.0, 10, true});
    });
    EXPECT_EQ(wide->Surface().ColWidth(1), built);
    EXPECT_EQ(stored("WidthTest", 1), 400) << "printing stores nothing";
}

} // namespace
