#include "printing/PageTiling.h"
#include "printing/PrintMargins.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

using Group = PageTiling::Group;

struct ColumnCase {
    std::string name;
    std::vector<int> widths;
    int fixed;
    std::vector<bool> keep;
    int room;
    std::vector<Group> expected;
};

class ColumnGroups : public testing::TestWithParam<ColumnCase>
{};

TEST_P(ColumnGroups, SplitIntoWholeColumns)
{
    const ColumnCase &c = GetParam();
    EXPECT_EQ(PageTiling::ColumnGroups(c.widths, c.fixed, c.keep, c.room), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnGroups,
    testing::Values(
        ColumnCase{"NarrowSheetIsOnePage", {20, 30, 30, 30}, 1, {}, 500, {{1, 3}}},
        ColumnCase{"ExactFitIsOnePage", {20, 30, 30, 20}, 1, {}, 100, {{1, 3}}},
        // Twice as wide as the room: two pages, each repeating the 20-pixel
        // fixed column (20 + 40 + 40 = 100 on each).
        ColumnCase{
            "WideSheetSplitsWithFixedRepeated", {20, 40, 40, 40, 40}, 1, {}, 100, {{1, 2}, {3, 2}}},
        ColumnCase{"ColumnWiderThanPageGetsItsOwnPage",
                   {10, 30, 500, 30},
                   1,
                   {},
                   100,
                   {{1, 1}, {2, 1}, {3, 1}}},
        ColumnCase{"OnlyOverwideColumns", {10, 300, 300}, 1, {}, 100, {{1, 1}, {2, 1}}},
        // Column 2 is kept with column 3: the page may not end after 2.
        ColumnCase{"KeptColumnsStayTogether",
                   {0, 40, 40, 40, 40},
                   1,
                   {false, false, true, false, false},
                   100,
                   {{1, 1}, {2, 2}, {4, 1}}},
        // Kept columns that never fit are printed together on a page of
        // their own rather than split.
        ColumnCase{"KeptRunWiderThanPage",
                   {0, 60, 60, 10},
                   1,
                   {false, true, false, false},
                   100,
                   {{1, 2}, {3, 1}}},
        ColumnCase{
            "KeepOnLastColumnIsIgnored", {0, 40, 40}, 1, {false, false, true}, 100, {{1, 2}}},
        ColumnCase{"NoFixedColumns", {50, 50, 50}, 0, {}, 100, {{0, 2}, {2, 1}}},
        ColumnCase{"OnlyFixedColumnsGiveOneEmptyGroup", {50, 50}, 2, {}, 100, {{2, 0}}}),
    [](const testing::TestParamInfo<ColumnCase> &param) { return param.param.name; });

struct RowCase {
    std::string name;
    std::vector<int> heights;
    int fixed;
    int room;
    std::vector<Group> expected;
};

class RowGroups : public testing::TestWithParam<RowCase>
{};

TEST_P(RowGroups, SplitIntoWholeRows)
{
    const RowCase &c = GetParam();
    EXPECT_EQ(PageTiling::RowGroups(c.heights, c.fixed, c.room), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowGroups,
    testing::Values(
        RowCase{"ShortSheetIsOnePage", {10, 10, 10}, 1, 100, {{1, 2}}},
        // 10 fixed + 4 x 20 = 90 per page.
        RowCase{"TallSheetRepeatsFixedRows",
                {10, 20, 20, 20, 20, 20, 20, 20, 20, 20},
                1,
                95,
                {{1, 4}, {5, 4}, {9, 1}}},
        RowCase{
            "RowTallerThanPageGetsItsOwnPage", {10, 20, 500, 20}, 1, 100, {{1, 1}, {2, 1}, {3, 1}}},
        RowCase{"FixedRowsFillThePage", {100, 10, 10}, 1, 100, {{1, 1}, {2, 1}}}),
    [](const testing::TestParamInfo<RowCase> &param) { return param.param.name; });

TEST(PageTiles, RowsOuterColumnsInner)
{
    const auto tiles = PageTiling::Tiles({{1, 2}, {3, 2}}, {{1, 4}, {5, 1}});
    const std::vector<PageTiling::Tile> expected{
        {{1, 2}, {1, 4}}, {{3, 2}, {1, 4}}, {{1, 2}, {5, 1}}, {{3, 2}, {5, 1}}};
    EXPECT_EQ(tiles, expected);
}

struct SpreadCase {
    std::string name;
    std::vector<int> extents;
    int difference;
    bool proportional;
    std::vector<int> expected;
};

class Spread : public testing::TestWithParam<SpreadCase>
{};

TEST_P(Spread, DistributesTheWholeDifference)
{
    const SpreadCase &c = GetParam();
    const std::vector<int> result = PageTiling::Spread(c.extents, c.difference, c.proportional);
    EXPECT_EQ(result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Spread,
    testing::Values(SpreadCase{"ProportionalGrowth", {10, 30}, 8, true, {12, 36}},
                    SpreadCase{"EmptyColumnsStayEmpty", {0, 10, 10}, 4, true, {0, 12, 12}},
                    SpreadCase{
                        "SmallDifferenceOnePixelEach", {100, 100, 100}, 2, true, {101, 101, 100}},
                    SpreadCase{"EvenShrink", {10, 10}, -5, false, {7, 8}},
                    SpreadCase{"NothingToSpreadOver", {0, 0}, 5, true, {0, 0}},
                    SpreadCase{"ShrinkStopsAtOnePixel", {2, 2}, -10, false, {1, 1}}),
    [](const testing::TestParamInfo<SpreadCase> &param) { return param.param.name; });

struct MarginCase {
    std::string name;
    std::string text;
    QSize page;
    double dpi;
    QRect expected;
};

class Margins : public testing::TestWithParam<MarginCase>
{};

TEST_P(Margins, MillimetresToPrinterPixels)
{
    const MarginCase &c = GetParam();
    EXPECT_EQ(PrintMargins::Parse(c.text).ToPixels(c.page, c.dpi), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Margins,
                         testing::Values(
                             // 10 mm at 600 dpi: 236.2 pixels, truncated at every edge.
                             MarginCase{"TenMillimetresAt600Dpi",
                                        "10,10,10,10",
                                        {4960, 7016},
                                        600,
                                        QRect(QPoint(236, 236), QPoint(4723, 6779))},
                             MarginCase{"BlanksAndTabsIgnored",
                                        " 10 ,\t0, 5 , 20\t",
                                        {1000, 2000},
                                        254,
                                        QRect(QPoint(100, 0), QPoint(950, 1800))},
                             MarginCase{"MissingAndBadFieldsCountAsZero",
                                        "10,x",
                                        {1000, 1000},
                                        254,
                                        QRect(QPoint(100, 0), QPoint(1000, 1000))},
                             MarginCase{"NegativeCountsAsZero",
                                        "-5,-5,-5,-5",
                                        {500, 500},
                                        254,
                                        QRect(QPoint(0, 0), QPoint(500, 500))}),
                         [](const testing::TestParamInfo<MarginCase> &param) {
                             return param.param.name;
                         });

} // namespace
