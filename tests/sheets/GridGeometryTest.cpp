#include "sheets/GridGeometry.h"
#include "sheets/GridOptions.h"

#include <gtest/gtest.h>

namespace {

// Four columns (40, 60, 80, 50), one fixed; five rows (20, 30, 25, 35, 40),
// two fixed; one-pixel lines; a client of 150 x 100. The fixed cells end at
// x = 41 and y = 52; from the top-left (1, 2) column 2 and row 3 are cut off
// by the client's edges.
class GridGeometryTest : public testing::Test
{
protected:
    GridGeometryTest()
    {
        geometry.cols().setCount(4);
        geometry.rows().setCount(5);
        geometry.cols().setFixedCount(1);
        geometry.rows().setFixedCount(2);
        const int widths[] = {40, 60, 80, 50};
        const int heights[] = {20, 30, 25, 35, 40};
        for (int i = 0; i < 4; ++i)
            geometry.cols().setExtent(i, widths[i]);
        for (int i = 0; i < 5; ++i)
            geometry.rows().setExtent(i, heights[i]);
        geometry.cols().setLineWidth(1);
        geometry.rows().setLineWidth(1);
        geometry.setClientSize({150, 100});
    }

    GridGeometry geometry;
};

TEST_F(GridGeometryTest, CellRectanglesFollowTheScrollPosition)
{
    struct Case {
        GridCoord topLeft;
        int col;
        int row;
        QRect rect;
    } cases[] = {
        {{1, 2}, 0, 0, {0, 0, 40, 20}},
        {{1, 2}, 1, 0, {41, 0, 60, 20}},
        {{1, 2}, 0, 2, {0, 52, 40, 25}},
        {{1, 2}, 2, 3, {102, 78, 80, 35}}, // cut off by the client, reported whole
        {{1, 2}, 3, 3, {}},                // beyond the client
        {{1, 2}, 1, 4, {}},
        {{2, 3}, 1, 3, {}}, // scrolled away
        {{2, 3}, 0, 3, {0, 52, 40, 35}},
        {{2, 3}, 2, 1, {41, 21, 80, 30}}, // a fixed row keeps its place
        {{2, 3}, 2, 2, {}},
        {{2, 3}, 4, 0, {}}, // outside the grid
    };
    for (const Case &c : cases) {
        geometry.setTopLeft(c.topLeft);
        EXPECT_EQ(geometry.cellRect(c.col, c.row), c.rect)
            << "top-left " << c.topLeft.col << "," << c.topLeft.row << " cell " << c.col << ","
            << c.row;
    }
}

TEST_F(GridGeometryTest, TopLeftIsClampedToTheScrollRange)
{
    struct Case {
        GridCoord wanted;
        GridCoord topLeft;
    } cases[] = {{{2, 3}, {2, 3}}, {{9, 9}, {3, 4}}, {{0, 0}, {1, 2}}, {{-1, 4}, {1, 4}}};
    for (const Case &c : cases) {
        geometry.setTopLeft(c.wanted);
        EXPECT_EQ(geometry.topLeft(), c.topLeft) << c.wanted.col << "," << c.wanted.row;
    }
}

TEST_F(GridGeometryTest, FindsTheCellUnderAClientPoint)
{
    struct Case {
        QPoint point;
        GridCoord cell;
    } cases[] = {
        {{0, 0}, {0, 0}},      {{40, 20}, {0, 0}}, // the lines after a cell belong to it
        {{41, 21}, {1, 1}},    {{101, 51}, {1, 1}},  {{102, 52}, {2, 2}},
        {{149, 99}, {2, 3}},   {{20, 60}, {0, 2}},   // fixed column, scrolling row
        {{150, 50}, {-1, -1}}, {{5, 100}, {-1, -1}}, // beyond the client
        {{-1, 5}, {-1, -1}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(geometry.cellAt(c.point), c.cell) << c.point.x() << "," << c.point.y();
    geometry.setTopLeft({3, 4});
    EXPECT_EQ(geometry.cellAt({41, 52}), (GridCoord{3, 4}));
    EXPECT_EQ(geometry.cellAt({95, 60}), (GridCoord{-1, -1})); // past the last column
}

TEST_F(GridGeometryTest, DragDirectionsPointAtTheFixedCellsOrBeyondTheLaidOutOnes)
{
    struct Case {
        QPoint point;
        int directions;
    } cases[] = {
        {{100, 60}, 0},
        {{20, 60}, GridScrollLeft},
        {{100, 10}, GridScrollUp},
        {{151, 60}, GridScrollRight},
        {{100, 101}, GridScrollDown},
        {{-10, 200}, GridScrollLeft | GridScrollDown},
        {{160, -3}, GridScrollRight | GridScrollUp},
    };
    for (const Case &c : cases)
        EXPECT_EQ(geometry.scrollDirectionsAt(c.point), c.directions)
            << c.point.x() << "," << c.point.y();
    // Scrolled to the end, the cells stop before the client does.
    geometry.setTopLeft({3, 4});
    EXPECT_EQ(geometry.scrollDirectionsAt({93, 94}), GridScrollRight | GridScrollDown);
}

TEST_F(GridGeometryTest, ColumnEdgesCanBeDraggedOnlyInTheFixedRows)
{
    struct Case {
        QPoint point;
        int col;
    } cases[] = {{{40, 10}, 0}, {{101, 30}, 1}, {{40, 60}, -1}, {{120, 10}, -1}, {{40, -1}, -1}};
    for (const Case &c : cases)
        EXPECT_EQ(geometry.sizingColumnAt(c.point), c.col) << c.point.x() << "," << c.point.y();
}

TEST_F(GridGeometryTest, ScrollsACutOffCellWhollyIntoView)
{
    EXPECT_TRUE(geometry.scrollIntoView({2, 3}));
    EXPECT_EQ(geometry.topLeft(), (GridCoord{2, 3}));
    EXPECT_EQ(geometry.visibleCells(), (GridRect{2, 3, 3, 4}));
    EXPECT_FALSE(geometry.scrollIntoView({0, 0}));
    EXPECT_TRUE(geometry.scrollIntoView({1, 2}));
    EXPECT_EQ(geometry.topLeft(), (GridCoord{1, 2}));
    EXPECT_EQ(geometry.visibleCells(), (GridRect{1, 2, 2, 3}));
}

} // namespace
