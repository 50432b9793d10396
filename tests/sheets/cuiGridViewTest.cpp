#include "GridWidgetFixture.h"

#include <QScrollBar>

namespace {

using GridView = GridWidgetFixture;

TEST_F(GridView, MovingWithoutShowingLeavesTheViewAlone)
{
    EXPECT_TRUE(grid.moveCurrent(5, 12, true, false));
    EXPECT_EQ(grid.currentCell(), (GridCoord{5, 12}));
    EXPECT_EQ(grid.anchor(), (GridCoord{5, 12}));
    EXPECT_EQ(grid.leftCol(), 1);
    EXPECT_EQ(grid.topRow(), 1);
    grid.setRow(14); // the plain setters keep the current cell in view
    EXPECT_EQ(grid.topRow(), 11);
    EXPECT_EQ(grid.leftCol(), 3);
}

TEST_F(GridView, TopLeftChangesAreReportedOnce)
{
    int changes = 0;
    grid.onTopLeftChanged = [&] { ++changes; };
    grid.setTopLeft(2, 4);
    grid.setTopLeft(2, 4);
    grid.setTopRow(99); // clamped to the last full page
    EXPECT_EQ(grid.topRow(), 16);
    grid.setTopRow(16);
    EXPECT_EQ(changes, 2);
}

TEST_F(GridView, ScrollBarsCountCellsAndFollowTheView)
{
    QScrollBar *bar = grid.verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 16);
    EXPECT_EQ(bar->pageStep(), 4);
    grid.setTopRow(7);
    EXPECT_EQ(bar->value(), 7);
    EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 3);
}

TEST_F(GridView, MovingAScrollBarScrollsTheGrid)
{
    int changes = 0;
    grid.onTopLeftChanged = [&] { ++changes; };
    grid.verticalScrollBar()->setValue(9);
    grid.horizontalScrollBar()->setValue(2);
    EXPECT_EQ(grid.topRow(), 9);
    EXPECT_EQ(grid.leftCol(), 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(grid.currentCell(), (GridCoord{1, 1}));
}

TEST_F(GridView, ThumbTrackingFollowsTheOption)
{
    EXPECT_TRUE(grid.verticalScrollBar()->hasTracking());
    grid.setOptions({});
    EXPECT_FALSE(grid.verticalScrollBar()->hasTracking());
    EXPECT_FALSE(grid.horizontalScrollBar()->hasTracking());
}

TEST_F(GridView, GrowingTheClientPullsTheViewBack)
{
    int changes = 0;
    grid.onTopLeftChanged = [&] { ++changes; };
    grid.setTopLeft(3, 16);
    grid.resize(400, 500);
    EXPECT_EQ(grid.topRow(), 1);
    EXPECT_EQ(grid.leftCol(), 1);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 1);
    EXPECT_EQ(changes, 2);
}

TEST_F(GridView, ShrinkingTheGridKeepsCursorAndViewInside)
{
    grid.moveCurrent(5, 19, true, true);
    grid.setRowCount(8);
    grid.setColCount(3);
    EXPECT_EQ(grid.currentCell(), (GridCoord{2, 7}));
    EXPECT_EQ(grid.topRow(), 4);
    EXPECT_EQ(grid.leftCol(), 1);
}

TEST_F(GridView, FixingCellsPutsViewAndCursorOnTheFirstScrollingOnes)
{
    grid.moveCurrent(4, 9, true, true);
    grid.setFixedCols(9); // at most all but one column
    EXPECT_EQ(grid.fixedCols(), 5);
    EXPECT_EQ(grid.currentCell(), (GridCoord{5, 9}));
    grid.setFixedRows(2);
    EXPECT_EQ(grid.currentCell(), (GridCoord{5, 2}));
    EXPECT_EQ(grid.topRow(), 2);
}

TEST_F(GridView, CellGeometryIsThatOfTheClient)
{
    grid.setTopLeft(2, 3);
    EXPECT_EQ(grid.cellRect(2, 3), QRect(50, 20, 50, 20));
    EXPECT_EQ(grid.cellRect(1, 3), QRect());
    EXPECT_EQ(grid.mouseCoord({60, 30}), (GridCoord{2, 3}));
    EXPECT_EQ(grid.mouseCoord({60, 130}), (GridCoord{-1, -1}));
    EXPECT_EQ(grid.visibleCells(), (GridRect{2, 3, 4, 6}));
    EXPECT_EQ(grid.visibleColCount(), 3);
    EXPECT_EQ(grid.visibleRowCount(), 4);
}

TEST_F(GridView, WidthChangesReachTheCallbackAfterTheGridAdjusted)
{
    std::vector<int> maxima;
    grid.onColWidthsChanged = [&] { maxima.push_back(grid.horizontalScrollBar()->maximum()); };
    grid.setColWidth(5, 150);
    grid.setColWidth(5, 150);
    grid.setColWidth(9, 10);
    grid.setDefaultColWidth(25);
    EXPECT_EQ(maxima, (std::vector<int>{5, 1}));
    grid.setRowHeight(3, 40); // heights have no callback
    EXPECT_EQ(maxima.size(), 2u);
}

} // namespace
