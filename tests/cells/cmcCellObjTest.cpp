#include "cells/cmcCellObj.h"
#include "cells/CellFaultReport.h"
#include "cells/CellIdentifiers.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include "FatalText.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

// Cell models come from the main text database.
class CellDescription : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        mainTextDatabase().Open(testing_support::fixtureDir() + "cells/cells.ovl");
    }

    static cmcCellObj parse(std::string_view description, const cmcCellObj *parent = nullptr,
                            std::int32_t *counters = nullptr)
    {
        cmcCellObj cell;
        const std::string_view rest = cell.Parse(description, counters, parent, false);
        EXPECT_TRUE(rest.empty()) << description;
        return cell;
    }

    // Every cell of a line, as the sheet builders take them off.
    static std::vector<cmcCellObj> parseLine(std::string_view line, const cmcCellObj *parent,
                                             std::int32_t *counters = nullptr)
    {
        std::vector<cmcCellObj> cells;
        while (!line.empty()) {
            cells.emplace_back();
            line = cells.back().Parse(line, counters, parent, false);
        }
        return cells;
    }
};

class RecordingFaults : public CellFaultReport
{
public:
    void Fault(const std::string &text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

TEST_F(CellDescription, ALineSplitsAtUnescapedBars)
{
    struct Case {
        const char *line;
        std::vector<std::string> texts;
    } cases[] = {
        {"", {}},
        {"A", {"A"}},
        {"A|B", {"A", "B"}},
        {"A|B|", {"A", "B"}},
        {"|A|", {"", "A"}},
        {"|A||B|", {"", "A", "", "B"}},
        {"a\\|b|c", {"a|b", "c"}},
        {"{S\\|}x|y", {"x", "y"}},
        {"x\\", {"x"}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> texts;
        for (const auto &cell : parseLine(c.line, nullptr))
            texts.push_back(cell.GetText());
        EXPECT_EQ(texts, c.texts) << c.line;
    }
}

// Split-only passes count cells without reading them, so not even a
// faulty description stops the program there.
TEST_F(CellDescription, SplitOnlyResetsWithoutParsing)
{
    cmcCellObj parent = parse("{S(%CT_Mch.CL_Mch_No[3])}P");
    cmcCellObj cell;
    std::string_view rest = cell.Parse("{(%ct_bad.)(@ch7++)}x|y", nullptr, &parent, true);
    EXPECT_EQ(rest, "y");
    EXPECT_EQ(cell.category, CT_Mch);
    EXPECT_EQ(cell.label, CL_Mch_No);
    EXPECT_EQ(cell.index, 3);
    EXPECT_EQ(cell.GetText(), "P");
    EXPECT_EQ(cell.parent, &parent);
}

TEST_F(CellDescription, FlagLettersAndTheirNegation)
{
    struct Case {
        const char *attributes;
        int flags1;
        int flags2;
    } cases[] = {
        {"<", 0x00, 0},    {"^", 0x01, 0},    {">", 0x02, 0},    {"~", 0x00, 0},
        {"-", 0x04, 0},    {"_", 0x08, 0},    {">^", 0x01, 0},   {"^-_", 0x09, 0},
        {"WH+B", 0xF0, 0}, {"WH!W", 0x20, 0}, {"B!B+", 0x40, 0}, {"X", 0, 1},
        {"Q", 0, 2},       {"XQ", 0, 2},      {"QX", 0, 1},      {"Q!X", 0, 0},
        {"X!Q", 0, 0},     {"S", 0, 4},       {"S!S", 0, 0},     {"ST", 0, 0x0C},
        {"ST!T", 0, 0x04}, {"!>", 0x02, 0},   {"!<S", 0, 4},     {"!zS", 0, 4},
        {"!!S", 0, 0},     {"\\SW", 0x10, 0}, {"12 ab s", 0, 0}, {"!", 0, 0},
    };
    for (const auto &c : cases) {
        const cmcCellObj cell = parse("{" + std::string(c.attributes) + "}");
        EXPECT_EQ(cell.flags1, c.flags1) << c.attributes;
        EXPECT_EQ(cell.flags2, c.flags2) << c.attributes;
    }
    cmcCellObj all = parse("{-_>WH+BQST}");
    EXPECT_EQ(all.HorizontalAlign(), 2);
    EXPECT_EQ(all.VerticalAlign(), 2);
    EXPECT_TRUE(all.Widen() && all.Heighten() && all.Joined() && all.BottomLine());
    EXPECT_EQ(all.RightLine(), 2);
    EXPECT_TRUE(all.Selectable() && all.Trailer());
}

TEST_F(CellDescription, EmptyDescriptionCopiesTheParentButNotFontOrPopup)
{
    cmcCellObj base =
        parse("{SB>(Color=clRed)(%CT_Mch.CL_Mch_FreqR[4]:sfx)(ImageIndex=3)(Font=,Sans,,-20,,,)"
              "(PopupMenu=GI_PMenu_Edit)(Flag8=1)}base text");
    std::int32_t counters[10] = {};
    cmcCellObj cell;
    EXPECT_EQ(cell.Parse("|next", counters, &base, false), "next");

    EXPECT_EQ(cell.parent, &base);
    EXPECT_EQ(cell.channelCounters, nullptr);
    EXPECT_EQ(cell.category, CT_Mch);
    EXPECT_EQ(cell.label, CL_Mch_FreqR);
    EXPECT_EQ(cell.index, 4);
    EXPECT_EQ(cell.suffix, "sfx");
    EXPECT_EQ(cell.imageIndex, 3);
    EXPECT_EQ(cell.flags1, base.flags1);
    EXPECT_EQ(cell.flags2, base.flags2);
    EXPECT_TRUE(cell.UserFlag(8));
    EXPECT_EQ(cell.background, 0x0000FFu);
    EXPECT_EQ(cell.GetText(), "base text");
    EXPECT_FALSE(cell.font.has_value());
    EXPECT_FALSE(cell.popupMenu.has_value());
    ASSERT_NE(cell.FontInUse(), nullptr);
    EXPECT_EQ(cell.FontInUse()->face, "Sans");
    ASSERT_NE(cell.PopupMenuName(), nullptr);
    EXPECT_EQ(*cell.PopupMenuName(), "GI_PMenu_Edit");
}

// A cell object reused without a parent must not carry the identity of what
// was parsed into it before.
TEST_F(CellDescription, ReusedCellWithoutParentStartsFromDefaults)
{
    cmcCellObj cell;
    cell.Parse("{S(%CT_Mch.CL_Mch_No[9]:s)(Color=clRed)(Font=,,,-20,,,)(ImageIndex=2)}t", nullptr,
               nullptr, false);
    cell.Parse("{(%Flex0)}", nullptr, nullptr, false);
    EXPECT_EQ(cell.category, kNoCategory);
    EXPECT_EQ(cell.label, Flex0);
    EXPECT_EQ(cell.index, 0);
    EXPECT_FALSE(cell.suffix.has_value());
    EXPECT_FALSE(cell.text.has_value());
    EXPECT_FALSE(cell.font.has_value());
    EXPECT_EQ(cell.flags2, 0);
    EXPECT_EQ(cell.imageIndex, -1);
    EXPECT_EQ(cell.background, cmcCellObj::kDefaultBackground);
    EXPECT_EQ(cell.parent, nullptr);
}

TEST_F(CellDescription, PopupMenuIsFoundThroughAncestors)
{
    cmcCellObj root = parse("{(PopupMenu=GI_PMenu_Root)}");
    cmcCellObj middle = parse("{(PopupMenu=)}", &root);
    cmcCellObj leaf = parse("x", &middle);
    ASSERT_NE(leaf.PopupMenuName(), nullptr);
    EXPECT_EQ(*leaf.PopupMenuName(), "GI_PMenu_Root");
    cmcCellObj own = parse("{(PopupMenu=A)(PopupMenu=GI_PMenu_Own)}", &middle);
    EXPECT_EQ(*own.PopupMenuName(), "GI_PMenu_Own");
    EXPECT_EQ(parse("x").PopupMenuName(), nullptr);
}

TEST_F(CellDescription, SimpleProperties)
{
    struct Case {
        const char *attributes;
        std::uint32_t background;
        std::int32_t imageIndex;
        std::optional<std::string> popup;
    } cases[] = {
        {"(Color=clRed)", 0x0000FF, -1, {}},
        {"(Color=clHightlightText)", 0x8000000E, -1, {}},
        {"(Color=clHighlightText)", 0x80000005, -1, {}}, // the table's spelling only
        {"(Color=clwindowtext)", 0x80000005, -1, {}},
        {"(ColorX=clRed)", 0x0000FF, -1, {}}, // matched by prefix
        {"(Color)", 0x80000005, -1, {}},
        {"(color=clRed)", 0x80000005, -1, {}},
        {"(Color=clRed)(Color=clNavy)", 0x800000, -1, {}},
        {"(ImageIndex=7)", 0x80000005, 7, {}},
        {"(ImageIndex= -3)", 0x80000005, -3, {}},
        {"(ImageIndex)", 0x80000005, -1, {}},
        {"(PopupMenu=GI_PMenu_Copy)", 0x80000005, -1, "GI_PMenu_Copy"},
        {"(PopupMenu)", 0x80000005, -1, {}},
        {"(PopupMenu=a\\)b)", 0x80000005, -1, "a\\)b"}, // the backslash stays
        {"(PopupMenu=open", 0x80000005, -1, "open"},
        {"(Unknown=1)()(", 0x80000005, -1, {}},
    };
    for (const auto &c : cases) {
        const cmcCellObj cell = parse("{" + std::string(c.attributes) + "}");
        EXPECT_EQ(cell.background, c.background) << c.attributes;
        EXPECT_EQ(cell.imageIndex, c.imageIndex) << c.attributes;
        EXPECT_EQ(cell.popupMenu, c.popup) << c.attributes;
    }
}

TEST_F(CellDescription, UserFlagsTakeOnlyTheExactForm)
{
    struct Case {
        const char *attributes;
        int flags2;
        int flags3;
    } cases[] = {
        {"(Flag0=1)", 0x10, 0},
        {"(Flag3=1)", 0x80, 0},
        {"(Flag4=1)", 0, 0x01},
        {"(Flag8=1)", 0, 0x10},
        {"(Flag9=1)", 0, 0},
        {"(Flag3 =1)", 0, 0},
        {"(Flag2=x)", 0, 0},
        {"(Flag2=)", 0, 0},
        {"(Flag1=1)(Flag1=0)", 0, 0},
        {"(FlagA=1)", 0, 0},
        {"(Flag0=1)(Flag5=1)S", 0x14, 0x02},
    };
    for (const auto &c : cases) {
        const cmcCellObj cell = parse("{" + std::string(c.attributes) + "}");
        EXPECT_EQ(cell.flags2, c.flags2) << c.attributes;
        EXPECT_EQ(cell.flags3, c.flags3) << c.attributes;
    }
    cmcCellObj cell;
    cell.SetUserFlag(2, true);
    cell.SetUserFlag(7, true);
    cell.SetUserFlag(9, true);
    EXPECT_TRUE(cell.UserFlag(2) && cell.UserFlag(7));
    EXPECT_FALSE(cell.UserFlag(9) || cell.UserFlag(-1) || cell.UserFlag(0));
}

TEST_F(CellDescription, IdentityNamesCategoryLabelIndexAndSuffix)
{
    cmcCellObj channelBase = parse("{(%CT_Mch.CL_Mch_No[2])}");
    struct Case {
        const char *identity;
        std::int32_t category;
        std::int32_t label;
        std::int32_t index;
        std::optional<std::string> suffix;
    } cases[] = {
        {"%CT_PopupMenu.CL_PMenu_Edit:Enter", CT_PopupMenu, CL_PMenu_Edit, 2, "Enter"},
        {"%CL_FBits[1]", CT_Mch, CL_FBits, 1, {}},
        {"%CT_PopupMenu.", CT_PopupMenu, kNoLabel, 2, {}},
        {"%.CL_Mch_No", kNoCategory, CL_Mch_No, 2, {}},
        {"%", CT_Mch, kNoLabel, 2, {}},
        {"%CL_Mch_No[ -12]", CT_Mch, CL_Mch_No, -12, {}},
        {"%CL_Mch_No[7x]", CT_Mch, CL_Mch_No, 7, {}},
        {"%CL_Mch_No[5", CT_Mch, CL_Mch_No, 5, {}},
        {"%CL_Mch_No[]", CT_Mch, CL_Mch_No, 0, {}},
        {"%CL_Menu_File_Open:Ctrl+O", CT_Mch, CL_Menu_File_Open, 2, "Ctrl+O"},
        {"%CL_Menu_File_Open:a\\\\b\\:c", CT_Mch, CL_Menu_File_Open, 2, "a\\b:c"},
        {"%CL_Menu_File_Open[3]:x", CT_Mch, CL_Menu_File_Open, 3, "x"},
        {"%CL_Menu_File_Open[3]x:y", CT_Mch, CL_Menu_File_Open, 3, {}},
        {"%CL_Menu_File_Open:", CT_Mch, CL_Menu_File_Open, 2, ""},
        {"%CallSheet:GI_Sheet_Comm,X", CT_Mch, CallSheet, 2, "GI_Sheet_Comm,X"},
    };
    for (const auto &c : cases) {
        const cmcCellObj cell = parse("{(" + std::string(c.identity) + ")}", &channelBase);
        EXPECT_EQ(cell.category, c.category) << c.identity;
        EXPECT_EQ(cell.label, c.label) << c.identity;
        EXPECT_EQ(cell.index, c.index) << c.identity;
        EXPECT_EQ(cell.suffix, c.suffix) << c.identity;
    }
}

TEST_F(CellDescription, ChannelCountersNumberTheCellsOfASheet)
{
    std::int32_t counters[10] = {};
    counters[0] = 12;
    const auto cells =
        parseLine("{(%CT_Mch.CL_Mch_FreqR[@ch0])(@ch0++)}|{(%CL_Mch_FreqT[@ch0])}\\(@ch0+1)|"
                  "{(@ch3=42)(@ch4= 7)(@ch5x)(@ch6++x)}\\(@ch3)|{(@ch0=5)}\\(@ch0 + 2)",
                  nullptr, counters);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].index, 12);
    EXPECT_EQ(cells[1].index, 13);
    EXPECT_EQ(cells[1].GetText(), "14");
    EXPECT_EQ(cells[2].GetText(), "42");
    EXPECT_EQ(cells[3].GetText(), "7"); // the attribute part comes first
    EXPECT_EQ(counters[0], 5);
    EXPECT_EQ(counters[3], 42);
    EXPECT_EQ(counters[4], 7);
    EXPECT_EQ(counters[5], 0);
    EXPECT_EQ(counters[6], 1);
    for (const auto &cell : cells)
        EXPECT_EQ(cell.channelCounters, nullptr);
}

TEST_F(CellDescription, CounterArithmeticWrapsAndTextKeepsSixCharacters)
{
    std::int32_t counters[10] = {};
    counters[1] = std::numeric_limits<std::int32_t>::max();
    counters[2] = 1234567;
    counters[3] = -2147483647;
    parse("{(@ch1++)}", nullptr, counters);
    EXPECT_EQ(counters[1], std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(parse("\\(@ch2)", nullptr, counters).GetText(), "123456");
    EXPECT_EQ(parse("\\(@ch3+5)", nullptr, counters).GetText(), "-21474");
    EXPECT_EQ(parse("a\\(@ch2", nullptr, counters).GetText(), "a123456");
}

TEST_F(CellDescription, TextPartIsTrimmedAndEscapesResolved)
{
    struct Case {
        const char *description;
        std::optional<std::string> text;
    } cases[] = {
        {"  abc  ", "abc"},
        {"\t\r abc\x01\n", "abc"},
        {"a\\_b", "a b"},
        {"a\\nb\\Nc", "a\nb\nc"},
        {"\\_x\\_", " x "},
        {"\\\\ \\|", "\\ |"},
        {"a\\{S}b", "ab"}, // "\{" still opens the attribute part
        {"%d of %s", "%d of %s"},
        {"\\(x)", "(x)"},
        {"x \\", "x "}, // trimmed before the lone backslash goes
        {"{S}", std::nullopt},
        {"   ", std::nullopt},
        {"  gr\xC3\xBC\xC3\x9F  ", "gr\xC3\xBC\xC3\x9F"},
        {"{S}mid{W}dle", "middle"},
    };
    for (const auto &c : cases) {
        const cmcCellObj cell = parse(c.description);
        EXPECT_EQ(cell.text, c.text) << c.description;
    }
    cmcCellObj parent = parse("inherited");
    EXPECT_EQ(parse("{S}", &parent).GetText(), "inherited");
    EXPECT_EQ(parse("own", &parent).GetText(), "own");
    cmcCellObj cell;
    EXPECT_EQ(cell.GetText(), "");
    cell.SetText("set");
    EXPECT_EQ(cell.GetText(), "set");
}

TEST_F(CellDescription, FontStartsFromTheParentsAndTakesItsFields)
{
    const cmcCellObj none = parse("{(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)}");
    ASSERT_TRUE(none.font.has_value());
    EXPECT_EQ(none.font->face, "");
    EXPECT_EQ(none.font->charset, 1);
    EXPECT_EQ(none.font->height(), -17);

    const cmcCellObj base =
        parse("{(Font=SHIFTJIS_CHARSET,Sans,clNavy,-17,,fsBold,fpFixed)(Color=clRed)}");
    const cmcCellObj cell = parse("{(Font=,,clRed)}", &base);
    ASSERT_TRUE(cell.font.has_value());
    EXPECT_EQ(cell.font->face, "Sans");
    EXPECT_EQ(cell.font->charset, 128);
    EXPECT_EQ(cell.font->colour, 0x0000FFu);
    EXPECT_EQ(cell.font->height(), -17);
    EXPECT_EQ(cell.font->style, CellFont::kBold);
    EXPECT_EQ(cell.font->pitch, CellFont::Pitch::Fixed);
    EXPECT_EQ(base.font->colour, 0x800000u);

    const cmcCellObj twice = parse("{(Font=,,,-20,,,)(Font=,Mono)}", &base);
    EXPECT_EQ(twice.font->height(), -20);
    EXPECT_EQ(twice.font->face, "Mono");
    const cmcCellObj bare = parse("{(Font)}", &base);
    EXPECT_EQ(bare.font, base.font);
}

TEST_F(CellDescription, CellModelsApplyAsAttributes)
{
    // The example of the flag-bits window.
    const cmcCellObj base = parse("{($Basic)(PopupMenu=GI_PMenu_NoItem)}");
    EXPECT_EQ(base.HorizontalAlign(), 0);
    EXPECT_EQ(base.VerticalAlign(), 1);
    EXPECT_EQ(base.background, 0x80000005u);
    ASSERT_TRUE(base.font.has_value());
    EXPECT_EQ(base.font->charset, 1);
    EXPECT_EQ(base.font->colour, 0x80000008u);
    EXPECT_EQ(base.font->height(), -17);
    EXPECT_EQ(base.popupMenu, "GI_PMenu_NoItem");

    const auto row = parseLine("|{($eWh)^(%CL_FBits[1])}9|{($iQp)}", &base);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].GetText(), "");
    EXPECT_EQ(row[0].label, kNoLabel);
    EXPECT_EQ(row[1].HorizontalAlign(), 1);
    EXPECT_EQ(row[1].VerticalAlign(), 2);
    EXPECT_TRUE(row[1].Selectable() && row[1].Widen() && row[1].Heighten() && row[1].BottomLine());
    EXPECT_EQ(row[1].label, CL_FBits);
    EXPECT_EQ(row[1].index, 1);
    EXPECT_EQ(row[1].GetText(), "9");
    EXPECT_EQ(*row[1].PopupMenuName(), "GI_PMenu_NoItem");
    EXPECT_EQ(row[2].category, CT_Null);
    EXPECT_EQ(row[2].label, CL_Misc_QuarterPillar);

    const cmcCellObj heading = parse("{($iChI)}Bit", &base);
    EXPECT_EQ(heading.background, 0x808080u);
    EXPECT_EQ(heading.font->colour, 0xFFFFFFu);
    EXPECT_EQ(heading.font->style, CellFont::kBold);
    EXPECT_EQ(heading.font->height(), -17); // taken over from the base cell's font

    const cmcCellObj nested = parse("{($Outer)}");
    EXPECT_TRUE(nested.Selectable());
    EXPECT_EQ(nested.HorizontalAlign(), 2);
    EXPECT_EQ(nested.background, 0x0000FFu);
}

TEST_F(CellDescription, FaultsGoToAReportWhenOneIsGiven)
{
    cmcCellObj parent = parse("{(%CT_Mch.CL_Mch_No)}");
    RecordingFaults faults;
    cmcCellObj cell;
    cell.Parse("{(%ct_mch.CL_Nope[@ch0])(@ch0++)($Missing)S($Loop)}\\(@chx)", nullptr, &parent,
               false, &faults);
    const std::vector<std::string> expected = {
        "Cannot use the specified category.\n'ct_mch'",
        "Cannot use the specified cell.\n'CL_Nope'",
        "Ch No. Error",
        "Ch No. Error",
        "Cell model not found.\n'CellModel_Missing'",
        "Cell models nest too deeply.\n'Loop'",
        "Ch No. Error",
    };
    EXPECT_EQ(faults.texts, expected);
    EXPECT_EQ(cell.category, CT_Mch);
    EXPECT_EQ(cell.label, CL_Mch_No);
    EXPECT_TRUE(cell.Selectable());
    EXPECT_EQ(cell.RightLine(), 1);
    EXPECT_EQ(cell.GetText(), "");
}

using CellDescriptionDeathTest = CellDescription;

TEST_F(CellDescriptionDeathTest, FaultsOfTheTextDatabaseAreFatal)
{
    std::int32_t counters[10] = {};
    struct Case {
        const char *description;
        std::int32_t *counters;
        const char *text;
    } cases[] = {
        {"{(%ct_mch.)}", counters, "Cannot use the specified category.\n'ct_mch'"},
        {"{(%CT_Mch.CL_Mch_Nope[1])}", counters, "Cannot use the specified cell.\n'CL_Mch_Nope'"},
        {"{(@ch0++)}", nullptr, "Ch No. Error"},
        {"{(@ch12++)}", counters, "Ch No. Error"},
        {"{(@x)}", counters, "Ch No. Error"},
        {"{(%CL_FBits[@chx])}", counters, "Ch No. Error"},
        {"{(%CL_FBits[@ch1])}", nullptr, "Ch No. Error"},
        {"\\(@ch0)", nullptr, "Ch No. Error"},
        {"{($Missing)}", counters, "GTEX Error !\nThe index 'CellModel_Missing' was not found."},
        {"{($Loop)}", counters, "Cell models nest too deeply.\n'Loop'"},
    };
    for (const auto &c : cases) {
        cmcCellObj cell;
        EXPECT_DEATH(cell.Parse(c.description, c.counters, nullptr, false), fatalReport(c.text))
            << c.description;
    }
}

} // namespace
