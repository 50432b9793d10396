#include "sheets/GridCursor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Six columns of 50 and twenty rows of 20 pixels, one fixed of each, no
// lines, a client of 200 x 100: three scrolling columns and four scrolling
// rows are in view at a time, so a page is three rows.
class GridCursorTest : public testing::Test
{
protected:
    GridCursorTest()
    {
        geometry.cols().setCount(6);
        geometry.rows().setCount(20);
        geometry.cols().setDefaultExtent(50);
        geometry.rows().setDefaultExtent(20);
        geometry.setClientSize({200, 100});
        cursor.setOptions({});
    }

    void refuse(std::vector<GridCoord> cells)
    {
        cursor.setSelectCheck([this, cells](int col, int row) {
            asked.push_back({col, row});
            return std::find(cells.begin(), cells.end(), GridCoord{col, row}) == cells.end();
        });
    }

    GridGeometry geometry;
    GridCursor cursor{geometry};
    std::vector<GridCoord> asked;
};

TEST_F(GridCursorTest, StartsOnTheFirstScrollingCell)
{
    EXPECT_EQ(cursor.current(), (GridCoord{1, 1}));
    EXPECT_EQ(cursor.anchor(), (GridCoord{1, 1}));
}

TEST_F(GridCursorTest, WithoutACheckEveryCellMayBecomeCurrent)
{
    for (const GridCoord cell : {GridCoord{0, 0}, GridCoord{5, 19}, GridCoord{0, 7}}) {
        EXPECT_TRUE(cursor.moveCurrent(cell.col, cell.row, true, false));
        EXPECT_EQ(cursor.current(), cell);
    }
}

TEST_F(GridCursorTest, ARefusingCheckKeepsTheCurrentCell)
{
    refuse({{3, 4}});
    EXPECT_FALSE(cursor.moveCurrent(3, 4, true, true));
    EXPECT_EQ(cursor.current(), (GridCoord{1, 1}));
    EXPECT_EQ(geometry.topLeft(), (GridCoord{1, 1}));
    EXPECT_TRUE(cursor.moveCurrent(3, 5, true, true));
    EXPECT_EQ(cursor.current(), (GridCoord{3, 5}));
    EXPECT_EQ(asked, (std::vector<GridCoord>{{3, 4}, {3, 5}}));
}

TEST_F(GridCursorTest, CellsOutsideTheGridAreRefusedWithoutAsking)
{
    refuse({});
    for (const GridCoord cell : {GridCoord{6, 1}, GridCoord{1, 20}, GridCoord{-1, 1}})
        EXPECT_FALSE(cursor.moveCurrent(cell.col, cell.row, true, true));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(cursor.current(), (GridCoord{1, 1}));
}

TEST_F(GridCursorTest, ShowingScrollsTheNewCurrentCellIntoView)
{
    cursor.moveCurrent(5, 10, true, false);
    EXPECT_EQ(geometry.topLeft(), (GridCoord{1, 1}));
    cursor.moveCurrent(5, 10, true, true);
    EXPECT_EQ(geometry.topLeft(), (GridCoord{3, 7}));
    cursor.moveCurrent(2, 3, true, true);
    EXPECT_EQ(geometry.topLeft(), (GridCoord{2, 3}));
}

TEST_F(GridCursorTest, AnchorFollowsUnlessARangeIsSelected)
{
    cursor.moveCurrent(2, 2, false, false);
    EXPECT_EQ(cursor.anchor(), (GridCoord{2, 2})); // no range selection: always along
    cursor.setOptions(GridOption::RangeSelect);
    cursor.moveCurrent(4, 5, false, false);
    EXPECT_EQ(cursor.anchor(), (GridCoord{2, 2}));
    EXPECT_EQ(cursor.selection(), (GridRect{2, 2, 4, 5}));
    EXPECT_TRUE(cursor.moveAnchor({1, 9}));
    EXPECT_EQ(cursor.current(), (GridCoord{4, 5}));
    EXPECT_EQ(cursor.selection(), (GridRect{1, 5, 4, 9}));
    EXPECT_EQ(geometry.topLeft(), (GridCoord{1, 6})); // the anchor is kept in view
}

TEST_F(GridCursorTest, KeysTheOwnerLeavesMoveTheCursorOrTheView)
{
    using Qt::ControlModifier;
    struct Case {
        const char *name;
        GridCoord start;
        GridCoord startTopLeft;
        int key;
        Qt::KeyboardModifiers modifiers;
        GridCoord current;
        GridCoord topLeft;
    } cases[] = {
        {"down", {1, 1}, {1, 1}, Qt::Key_Down, {}, {1, 2}, {1, 1}},
        {"down out of view", {1, 4}, {1, 1}, Qt::Key_Down, {}, {1, 5}, {1, 2}},
        {"up at the fixed row", {1, 1}, {1, 1}, Qt::Key_Up, {}, {1, 1}, {1, 1}},
        {"up out of a fixed cell", {0, 0}, {1, 1}, Qt::Key_Up, {}, {1, 1}, {1, 1}},
        {"right", {1, 1}, {1, 1}, Qt::Key_Right, {}, {2, 1}, {1, 1}},
        {"left at the fixed column", {1, 3}, {1, 1}, Qt::Key_Left, {}, {1, 3}, {1, 1}},
        {"page down", {1, 2}, {1, 1}, Qt::Key_PageDown, {}, {1, 5}, {1, 4}},
        {"page up", {1, 5}, {1, 4}, Qt::Key_PageUp, {}, {1, 2}, {1, 1}},
        {"page down at the end", {1, 18}, {1, 16}, Qt::Key_PageDown, {}, {1, 19}, {1, 16}},
        {"home", {4, 3}, {2, 1}, Qt::Key_Home, {}, {1, 3}, {1, 1}},
        {"end", {1, 3}, {1, 1}, Qt::Key_End, {}, {5, 3}, {3, 1}},
        {"ctrl down scrolls only", {1, 1}, {1, 1}, Qt::Key_Down, ControlModifier, {1, 1}, {1, 2}},
        {"ctrl up scrolls only", {2, 2}, {1, 1}, Qt::Key_Up, ControlModifier, {2, 2}, {1, 1}},
        {"ctrl right pages", {1, 1}, {1, 1}, Qt::Key_Right, ControlModifier, {3, 1}, {3, 1}},
        {"ctrl page down", {1, 2}, {1, 1}, Qt::Key_PageDown, ControlModifier, {1, 4}, {1, 1}},
        {"ctrl page up", {1, 6}, {1, 4}, Qt::Key_PageUp, ControlModifier, {1, 4}, {1, 4}},
        {"ctrl end", {1, 1}, {1, 1}, Qt::Key_End, ControlModifier, {5, 19}, {3, 16}},
        {"ctrl home", {5, 19}, {3, 16}, Qt::Key_Home, ControlModifier, {1, 1}, {1, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        cursor.moveCurrent(c.start.col, c.start.row, true, false);
        geometry.setTopLeft(c.startTopLeft);
        EXPECT_TRUE(cursor.navigate(c.key, c.modifiers));
        EXPECT_EQ(cursor.current(), c.current);
        EXPECT_EQ(cursor.anchor(), c.current);
        EXPECT_EQ(geometry.topLeft(), c.topLeft);
    }
}

TEST_F(GridCursorTest, OtherKeysAreNotTheGrids)
{
    for (const int key : {int(Qt::Key_A), int(Qt::Key_Return), int(Qt::Key_F2), int(Qt::Key_Tab)})
        EXPECT_FALSE(cursor.navigate(key, {})) << key;
    EXPECT_EQ(cursor.current(), (GridCoord{1, 1}));
}

TEST_F(GridCursorTest, KeyMovesAskTheCheckAndStayWhenRefused)
{
    refuse({{2, 1}});
    EXPECT_TRUE(cursor.navigate(Qt::Key_Right, {}));
    EXPECT_EQ(cursor.current(), (GridCoord{1, 1}));
    EXPECT_EQ(asked, (std::vector<GridCoord>{{2, 1}}));
}

TEST_F(GridCursorTest, ShiftKeepsTheAnchorOfARange)
{
    cursor.setOptions(GridOption::RangeSelect);
    cursor.navigate(Qt::Key_Down, Qt::ShiftModifier);
    cursor.navigate(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(cursor.selection(), (GridRect{1, 1, 2, 2}));
    cursor.navigate(Qt::Key_Down, {});
    EXPECT_EQ(cursor.selection(), (GridRect{2, 3, 2, 3}));
}

TEST_F(GridCursorTest, TabWalksTheRowsAndWrapsWhenEnabled)
{
    cursor.setOptions(GridOption::Tabs);
    struct Case {
        GridCoord start;
        int key;
        Qt::KeyboardModifiers modifiers;
        GridCoord current;
    } cases[] = {
        {{1, 1}, Qt::Key_Tab, {}, {2, 1}},
        {{5, 1}, Qt::Key_Tab, {}, {1, 2}},
        {{5, 19}, Qt::Key_Tab, {}, {1, 1}},
        {{1, 1}, Qt::Key_Backtab, Qt::ShiftModifier, {5, 19}},
        {{1, 4}, Qt::Key_Tab, Qt::ShiftModifier, {5, 3}},
    };
    for (const Case &c : cases) {
        cursor.moveCurrent(c.start.col, c.start.row, true, false);
        EXPECT_TRUE(cursor.navigate(c.key, c.modifiers));
        EXPECT_EQ(cursor.current(), c.current);
    }
    EXPECT_FALSE(cursor.navigate(Qt::Key_Tab, Qt::AltModifier));
}

TEST_F(GridCursorTest, TimedScrollStepsTheAnchorWithinTheScrollingCells)
{
    struct Case {
        GridCoord start;
        int directions;
        GridCoord current;
    } cases[] = {
        {{2, 2}, GridScrollDown, {2, 3}},
        {{2, 2}, GridScrollLeft | GridScrollUp, {1, 1}},
        {{2, 2}, GridScrollRight, {3, 2}},
        {{1, 1}, GridScrollLeft | GridScrollUp, {1, 1}},
        {{5, 19}, GridScrollRight | GridScrollDown, {5, 19}},
        {{0, 0}, GridScrollRight, {1, 0}}, // from a fixed cell only forward
    };
    for (const Case &c : cases) {
        cursor.moveCurrent(c.start.col, c.start.row, true, false);
        cursor.timedScroll(c.directions);
        EXPECT_EQ(cursor.current(), c.current) << c.start.col << "," << c.start.row;
    }
    cursor.moveCurrent(1, 4, true, false);
    geometry.setTopLeft({1, 1});
    cursor.timedScroll(GridScrollDown);
    EXPECT_EQ(geometry.topLeft(), (GridCoord{1, 2}));
}

TEST_F(GridCursorTest, TimedScrollWithARangeMovesOnlyTheAnchor)
{
    cursor.setOptions(GridOption::RangeSelect);
    cursor.moveCurrent(2, 2, true, false);
    cursor.timedScroll(GridScrollDown | GridScrollRight);
    EXPECT_EQ(cursor.current(), (GridCoord{2, 2}));
    EXPECT_EQ(cursor.anchor(), (GridCoord{3, 3}));
}

TEST_F(GridCursorTest, PlacingAndShrinkingKeepTheCursorInTheGrid)
{
    cursor.place({9, -2});
    EXPECT_EQ(cursor.current(), (GridCoord{5, 0}));
    cursor.moveCurrent(5, 19, true, false);
    geometry.cols().setCount(3);
    geometry.rows().setCount(2);
    cursor.clampToGrid();
    EXPECT_EQ(cursor.current(), (GridCoord{2, 1}));
    EXPECT_EQ(cursor.anchor(), (GridCoord{2, 1}));
}

} // namespace
