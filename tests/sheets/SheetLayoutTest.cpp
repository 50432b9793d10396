#include "sheets/SheetLayout.h"
#include "sheets/SheetModelFacts.h"

#include "FakeCellHandler.h"
#include "SheetTestTexts.h"

#include "cells/CellLabels.h"
#include "channels/datCh.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class ScriptedFacts : public SheetModelFacts
{
public:
    bool UsesNFont() const override { return nFont; }
    int ListCount(int recordKind) const override
    {
        switch (recordKind) {
        case kTalkGroupList:
            return talkGroups;
        case kIndividualIdList:
            return individualIds;
        case kCallList:
            return callList;
        default:
            return -1;
        }
    }

    bool nFont = false;
    int talkGroups = 0;
    int individualIds = 0;
    int callList = 0;
};

// One sheet held in memory, built without a window and without touching the
// stored column widths.
class BuiltSheet
{
public:
    BuiltSheet(const std::string &style, const std::vector<std::string> &cells,
               const std::string &baseCell = "{($Basic)}")
        : texts_(sheetKeys("GI_Sheet_T", style, cells, baseCell)),
          layout_(texts_.texts(), "GI_Sheet_T,tag", nullptr, 0, 0)
    {
        layout_.SetWidthsPersistent(false);
    }

    SheetLayout &layout() { return layout_; }
    SheetLayout &show()
    {
        layout_.Show();
        return layout_;
    }

    // The static text of one column, row by row.
    std::vector<std::string> column(int col)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < layout_.RowCount(); ++row)
            texts.push_back(layout_.CellAt(col, row).GetText());
        return texts;
    }
    std::vector<int> indexes(int col)
    {
        std::vector<int> values;
        for (int row = 0; row < layout_.RowCount(); ++row)
            values.push_back(layout_.CellAt(col, row).index);
        return values;
    }

private:
    InlineTexts texts_;
    SheetLayout layout_;
};

class SheetBuild : public testing::Test
{
protected:
    static void SetUpTestSuite() { openSheetFixture(); }
};

TEST_F(SheetBuild, DescriptorsNameClassPrefixAndTag)
{
    struct Case {
        std::string text;
        std::string className, prefix, tag;
        SheetDescriptor::Kind kind;
    };
    using K = SheetDescriptor::Kind;
    const Case cases[] = {
        {"GI_Sheet_FBitsR", "", "GI_Sheet_FBitsR", "", K::Plain},
        {"[St_ChBank]GI_Sheet_Mch,Bank 0", "St_ChBank", "GI_Sheet_Mch", "Bank 0", K::Bank},
        {"[St_Common]GI_Sheet_Common", "St_Common", "GI_Sheet_Common", "", K::Common},
        {"[St_Other]GI_Sheet_Digital_Ind_Id,X", "St_Other", "GI_Sheet_Digital_Ind_Id", "X",
         K::List},
        {"GI_Sheet_Sel,Y", "", "GI_Sheet_Sel", "Y", K::Plain},
        {"GI_A,q,b", "", "GI_A", "q,b", K::List},
        {"[St_ChBank GI_X", "", "[St_ChBank GI_X", "", K::Plain},
        {"GI_P,x[St_ChBank]", "", "GI_P", "x[St_ChBank]", K::List},
        {"GI_E,", "", "GI_E", "", K::Plain},
    };
    for (const Case &c : cases) {
        const SheetDescriptor d = SheetDescriptor::Parse(c.text);
        EXPECT_EQ(d.className, c.className) << c.text;
        EXPECT_EQ(d.prefix, c.prefix) << c.text;
        EXPECT_EQ(d.tag, c.tag) << c.text;
        EXPECT_EQ(d.saveName, c.text);
        EXPECT_EQ(d.kind(), c.kind) << c.text;
    }
}

TEST_F(SheetBuild, StylePropertiesMatchByPrefixAndIgnoreTheUnknown)
{
    using M = SheetStyle::MultiSelect;
    struct Case {
        std::string style;
        std::function<void(const SheetStyle &)> check;
    };
    const Case cases[] = {
        {"(TitleString=Hello)(TitleString=)",
         [](const SheetStyle &s) { EXPECT_EQ(s.titleString, "Hello"); }},
        {"(TitleColor=clRed)", [](const SheetStyle &s) { EXPECT_EQ(s.titleColour, 0x0000FFu); }},
        {"(TitleColor=clHighlightText)",
         [](const SheetStyle &s) { EXPECT_EQ(s.titleColour, SheetStyle::kDefaultTitleColour); }},
        {"(TitleFont=,Mono,clBlue,-20,,fsBold,)(TitleFont=,,,-9,,,)",
         [](const SheetStyle &s) {
             ASSERT_TRUE(s.titleFont);
             EXPECT_EQ(s.titleFont->height(), -9);
             EXPECT_EQ(s.titleFont->face, "") << "a later title font starts afresh";
             EXPECT_EQ(s.titleFont->style, 0);
         }},
        {"(FixedCols=2)(FixedRows=1)",
         [](const SheetStyle &s) { EXPECT_EQ(s.fixedCols * 10 + s.fixedRows, 21); }},
        {"(NoPrint)(PrintFontRatio=80)",
         [](const SheetStyle &s) {
             EXPECT_TRUE(s.noPrint);
             EXPECT_EQ(s.printFontRatio, 80);
         }},
        {"(NoPrinter)", [](const SheetStyle &s) { EXPECT_FALSE(s.noPrint); }},
        {"(MultiSelect=Cell)", [](const SheetStyle &s) { EXPECT_EQ(s.multiSelect, M::Cell); }},
        {"(MultiSelect=Line)", [](const SheetStyle &s) { EXPECT_EQ(s.multiSelect, M::Line); }},
        {"(MultiSelect=Line)(MultiSelect=Foo)",
         [](const SheetStyle &s) { EXPECT_EQ(s.multiSelect, M::Off); }},
        {"(ColSizing)(ColorSelectLine)",
         [](const SheetStyle &s) { EXPECT_TRUE(s.colSizing && s.colorSelectLine); }},
        {"(colsizing)(Bogus=1) (FixedCols)",
         [](const SheetStyle &s) {
             EXPECT_FALSE(s.colSizing);
             EXPECT_EQ(s.fixedCols, 0) << "no value, no change";
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.style);
        BuiltSheet sheet(c.style, {"a|b|c", "d"});
        c.check(sheet.show().Style());
    }
}

TEST_F(SheetBuild, FixedColumnsAndRowsStayBelowTheCounts)
{
    BuiltSheet sheet("(FixedCols=5)(FixedRows=9)", {"a|b|c", "d"});
    SheetLayout &layout = sheet.show();
    EXPECT_EQ(layout.ColCount(), 3);
    EXPECT_EQ(layout.RowCount(), 2);
    EXPECT_EQ(layout.FixedCols(), 2);
    EXPECT_EQ(layout.FixedRows(), 1);
}

TEST_F(SheetBuild, DirectivesSkipAndRepeatLines)
{
    struct Case {
        const char *what;
        std::vector<std::string> cells;
        std::vector<std::string> rows;
        std::function<void(ScriptedFacts &)> facts;
    };
    const Case cases[] = {
        {"a mobile-only pair is skipped, handheld lines kept",
         {":(Only_Mob 2)", "mob1", "mob2", "kept", ":(Only_Handy 1)", "handy"},
         {"kept", "handy"},
         nullptr},
        {"never and the T font",
         {":(Never 1)", "never", ":(Only_NFont 1)", "nfont", ":(Only_TFont 1)", "tfont", "end"},
         {"tfont", "end"},
         nullptr},
        {"the N font",
         {":(Only_NFont 1)", "nfont", ":(Only_TFont 1)", "tfont", "end"},
         {"nfont", "end"},
         [](ScriptedFacts &f) { f.nFont = true; }},
        {"a skipped directive line is no directive",
         {":(Never 1)", ":(LoopFrom 5)", "once", ":(LoopTo)"},
         {"once"},
         nullptr},
        {"a loop of two rows, three times",
         {"head", ":(LoopFrom 3)", "a", "b", ":(LoopTo)", "tail"},
         {"head", "a", "b", "a", "b", "a", "b", "tail"},
         nullptr},
        {"a loop count below one counts as one",
         {":(LoopFrom 0)", "a", ":(End)", ":(LoopFrom -4)", "b", ":(End)"},
         {"a", "b"},
         nullptr},
        {"a loop that never ends repeats nothing",
         {":(LoopFrom 4)", "a", "b"},
         {"a", "b"},
         nullptr},
        {"list loops count the lists' entries",
         {":(TG List)", "t", ":(LoopTo)", ":(Ind List)", "i", ":(End)", ":(Call List)", "c",
          ":(End)"},
         {"t", "t", "t", "i", "i", "c"},
         [](ScriptedFacts &f) {
             f.talkGroups = 3;
             f.individualIds = 2;
         }},
        {"an empty list leaves its one row",
         {":(Call List)", "c", ":(End)", "after"},
         {"c", "after"},
         nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedFacts facts;
        if (c.facts)
            c.facts(facts);
        BuiltSheet sheet("", c.cells);
        sheet.layout().SetModelFacts(&facts);
        sheet.show();
        EXPECT_EQ(sheet.column(0), c.rows);
    }
}

TEST_F(SheetBuild, ListLoopsCountTheListsOfTheWorkingImage)
{
    indMain model;
    openSheetFixture(); // the model opened the installed overlays
    installModelObject(&model);
    datCh records(&model.WorkingImage());
    records.setListCount(SheetModelFacts::kTalkGroupList, 4);
    records.setListCount(SheetModelFacts::kIndividualIdList, 2);
    BuiltSheet sheet("", {":(TG List)", "t", ":(End)", ":(Ind List)", "i", ":(End)"});
    sheet.show();
    installModelObject(nullptr);
    EXPECT_EQ(sheet.column(0), (std::vector<std::string>{"t", "t", "t", "t", "i", "i"}));
}

TEST_F(SheetBuild, EveryLoopCopyIsParsedAgainWithTheSharedCounters)
{
    BuiltSheet sheet("", {"head", ":(LoopFrom 3)", "{(%Flex0[@ch0])(@ch0++)}a\\(@ch0)",
                          "{(%Flex0[@ch0])(@ch0++)}b\\(@ch0)", ":(LoopTo)"});
    sheet.show();
    EXPECT_EQ(sheet.column(0),
              (std::vector<std::string>{"head", "a1", "b2", "a3", "b4", "a5", "b6"}));
    EXPECT_EQ(sheet.indexes(0), (std::vector<int>{0, 0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(sheet.layout().ChannelCounters()[0], 6);
}

TEST_F(SheetBuild, BuildingAgainGivesTheSameSheet)
{
    BuiltSheet sheet("(TitleFont=,,,-9,,,)",
                     {":(LoopFrom 2)", "{(%Flex0[@ch0])(@ch0++)}a\\(@ch0)", "b", ":(LoopTo)"});
    sheet.show();
    const std::vector<std::string> texts = sheet.column(0);
    sheet.show();
    EXPECT_EQ(sheet.column(0), texts);
    EXPECT_EQ(sheet.indexes(0), (std::vector<int>{0, 0, 1, 0}));
    EXPECT_EQ(sheet.layout().ChannelCounters()[0], 2);
}

TEST_F(SheetBuild, AOneLineLoopBodyIsParsedOnceAndRepeated)
{
    BuiltSheet sheet("", {":(LoopFrom 100)",
                          "{S(%Flex0[@ch0])(@ch0++)(Font=,,,-30,,,)H}r\\(@ch0)|{(%Flex1[7])}x",
                          ":(End)"});
    SheetLayout &layout = sheet.show();
    ASSERT_EQ(layout.RowCount(), 100);
    EXPECT_EQ(layout.ChannelCounters()[0], 1) << "the line was parsed once";
    for (int row : {0, 1, 57, 99}) {
        EXPECT_EQ(layout.CellAt(0, row).GetText(), "r1");
        EXPECT_EQ(layout.CellAt(0, row).index, row);
        EXPECT_EQ(layout.CellAt(1, row).index, 7 + row);
        EXPECT_EQ(layout.Surface().RowHeight(row), layout.Surface().RowHeight(0));
    }
    EXPECT_GT(layout.Surface().RowHeight(0), 30);
}

TEST_F(SheetBuild, SelectDirectivesDecideWhichRowsTakePartInMultiSelection)
{
    const std::vector<std::string> cells{"a|{S}x", ":(SelectOFF)", ":(LoopFrom 2)", "b|{S}y",
                                         ":(End)", ":(SelectON)",  "c|{S}z"};
    BuiltSheet on("(MultiSelect=Cell)", cells);
    SheetLayout &layout = on.show();
    std::vector<bool> bits;
    for (int row = 0; row < layout.RowCount(); ++row)
        bits.push_back(layout.Slot(1, row).multiSelect && layout.Slot(0, row).multiSelect);
    EXPECT_EQ(bits, (std::vector<bool>{true, false, false, true}));

    BuiltSheet off("", cells);
    SheetLayout &plain = off.show();
    for (int row = 0; row < plain.RowCount(); ++row)
        EXPECT_FALSE(plain.Slot(1, row).multiSelect) << row;
}

TEST_F(SheetBuild, WideAndHighCellsSizeTheirColumnAndRow)
{
    BuiltSheet sheet("", {"{W}9|{WH(Font=,,,-30,,,)}a\\nbb|x", "{W}|y|z"});
    SheetLayout &layout = sheet.show();
    const SheetSurface &surface = layout.Surface();
    const QSize nine = surface.MeasureText(layout.FontOf(layout.CellAt(0, 0)), "9");
    const QSize twoLines = surface.MeasureText(layout.FontOf(layout.CellAt(1, 0)), "a\nbb");
    EXPECT_EQ(surface.ColWidth(0), nine.width() + 8);
    EXPECT_EQ(surface.ColWidth(1), twoLines.width() + 8);
    EXPECT_EQ(surface.RowHeight(0), twoLines.height() + 2);
    EXPECT_GT(twoLines.height(), 2 * 30);
    EXPECT_EQ(surface.ColWidth(2), SheetLayout::kScreenColWidth);
    EXPECT_EQ(surface.RowHeight(1), SheetLayout::kScreenRowHeight);
}

// A line across joined cells gets the room it needs from the group's last
// column; a group that has the room, and cells on their own, stay as they
// are.
TEST_F(SheetBuild, TextsAcrossJoinedCellsWidenTheLastColumnOfTheirGroup)
{
    const std::string line = "An overview line far wider than the columns below it";
    BuiltSheet sheet("",
                     {"{W}1|{W}2|{W}3|{W}4", "{}" + line + "|{+}|{+}|{W}4", "{}x|{+}|{W}3|{W}4"});
    SheetLayout &layout = sheet.show();
    const SheetSurface &surface = layout.Surface();
    const int needed = surface.MeasureText(layout.FontOf(layout.CellAt(0, 1)), line).width() + 8;
    const int one = surface.MeasureText(layout.FontOf(layout.CellAt(0, 0)), "1").width() + 8;
    EXPECT_EQ(surface.ColWidth(0), one);
    EXPECT_EQ(surface.ColWidth(0) + surface.ColWidth(1) + surface.ColWidth(2), needed);
    EXPECT_EQ(surface.ColWidth(1), one) << "the short group has its room already";
    EXPECT_EQ(surface.ColWidth(3), one);
}

TEST_F(SheetBuild, PrintingScalesTheSpareRoomAndTheDefaultSizes)
{
    BuiltSheet sheet("", {"{W}9|x"});
    sheet.layout().SetPrintMetrics({2.5, 2.5, 10, false});
    SheetLayout &layout = sheet.show();
    const QSize nine = layout.Surface().MeasureText(layout.FontOf(layout.CellAt(0, 0)), "9");
    EXPECT_EQ(layout.Surface().ColWidth(0), nine.width() + 20);
    EXPECT_EQ(layout.Surface().ColWidth(1), 2) << "printer pixels per screen pixel";

    BuiltSheet preview("", {"{W}9|x"});
    preview.layout().SetPrintMetrics({1.0, 2.5, 10, true});
    EXPECT_EQ(preview.show().Surface().ColWidth(1), 1);
}

TEST_F(SheetBuild, TheBaseCellTakesTheDisplayFontOrTheOverride)
{
    struct Case {
        const char *what;
        std::function<void(SheetLayout &)> setUp;
        int height;
    };
    const Case cases[] = {
        {"display font 150 %", [](SheetLayout &l) { l.SetDisplayFontPercentage(150); }, -25},
        {"an override wins",
         [](SheetLayout &l) {
             l.SetDisplayFontPercentage(150);
             l.SetFontHeightOverride(-40);
         },
         -40},
        {"the print ratio on top",
         [](SheetLayout &l) {
             l.SetDisplayFontPercentage(100);
             l.SetPrintMetrics({1.0, 1.0, 10, true});
         },
         -8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        BuiltSheet sheet("(PrintFontRatio=50)", {"x"});
        c.setUp(sheet.layout());
        sheet.show();
        ASSERT_NE(sheet.layout().BaseCell().FontInUse(), nullptr);
        EXPECT_EQ(sheet.layout().BaseCell().FontInUse()->height(), c.height);
    }
}

TEST_F(SheetBuild, TheFirstSelectableCellAndTheInitialCell)
{
    BuiltSheet sheet("", {"h|h|h", "a|{S(%Flex0[4])}b|c", "{S(%Flex0[5])}d|e|{S(%Flex1[5])}f"});
    SheetLayout &layout = sheet.show();
    EXPECT_EQ(layout.FirstSelectable(), (GridCoord{0, 1}));
    EXPECT_EQ(layout.FindCell(kNoCategory, Flex1, 5), (GridCoord{2, 2}));
    EXPECT_EQ(layout.FindCell(kNoCategory, Flex1, 4), (GridCoord{-1, -1}));

    InlineTexts texts(sheetKeys("GI_Sheet_I", "", {"a|{S(%Flex0[4])}b", "{S(%Flex0[5])}c"}));
    SheetLayout initial(texts.texts(), "GI_Sheet_I", nullptr, Flex0, 5);
    initial.SetWidthsPersistent(false);
    initial.Show();
    EXPECT_EQ(initial.InitialCell(), (GridCoord{0, 1}));
}

TEST_F(SheetBuild, TheTagAndTheOriginCapsuleAreKept)
{
    cmcCellObj opener;
    opener.index = 12;
    cmcCellCapsule origin;
    origin.cell = &opener;
    origin.code = 13;
    InlineTexts texts(sheetKeys("GI_Sheet_O", "", {"x"}));
    SheetLayout layout(texts.texts(), "GI_Sheet_O,Bank 3", &origin, 0, 0);
    origin.code = 0;
    EXPECT_EQ(layout.Tag(), "Bank 3");
    layout.SetTag("Bank 4");
    EXPECT_EQ(layout.Tag(), "Bank 4");
    ASSERT_NE(layout.OriginCapsule(), nullptr);
    EXPECT_EQ(layout.OriginCapsule()->code, 13) << "a copy, not the caller's capsule";
    EXPECT_EQ(layout.OriginCapsule()->cell->index, 12);
}

TEST_F(SheetBuild, PrintingIsRefusedOnlyByNoPrint)
{
    BuiltSheet printable("(TitleString=Heading)", {"x"});
    EXPECT_TRUE(printable.show().CanPrint());
    EXPECT_TRUE(printable.layout().AgreesToPrint());
    EXPECT_EQ(printable.layout().TitleText(), "Heading");
    BuiltSheet refused("(NoPrint)", {"x"});
    EXPECT_FALSE(refused.show().CanPrint());
    EXPECT_FALSE(refused.layout().AgreesToPrint());
}

using SheetBuildDeathTest = SheetBuild;

TEST_F(SheetBuildDeathTest, ASheetWithoutRowsOrCellsEndsTheProgram)
{
    const std::vector<std::vector<std::string>> faulty = {
        {},
        {":(LoopFrom 3)", ":(End)"},
        {"", ""},
        {":(LoopFrom 70000)", "a", ":(End)"},
    };
    for (const auto &cells : faulty) {
        EXPECT_DEATH(
            {
                BuiltSheet sheet("", cells);
                sheet.show();
            },
            fatalPattern("sheet_layout_tests", "Illegal Cell assign"));
    }
}

TEST_F(SheetBuildDeathTest, ASlotOutsideTheGridEndsTheProgram)
{
    BuiltSheet sheet("", {"a|b"});
    sheet.show();
    EXPECT_DEATH(sheet.layout().Slot(2, 0),
                 fatalPattern("sheet_layout_tests", "Illegal Cell selection"));
    EXPECT_DEATH(sheet.layout().Slot(0, 1),
                 fatalPattern("sheet_layout_tests", "Illegal Cell selection"));
}

} // namespace
