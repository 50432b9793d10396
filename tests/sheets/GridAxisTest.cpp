#include "sheets/GridAxis.h"

#include <gtest/gtest.h>

namespace {

// Six cells of varied length, the first two fixed, one-pixel lines, a client
// of 150 pixels. The fixed cells end at 72; from first cell 2 the view holds
// cells 2 and 3 wholly and cell 4 in part.
class GridAxisTest : public testing::Test
{
protected:
    GridAxisTest() : axis(6, 2, 10)
    {
        const int extents[] = {30, 40, 50, 20, 60, 10};
        for (int i = 0; i < 6; ++i)
            axis.setExtent(i, extents[i]);
        axis.setLineWidth(1);
        axis.setClientExtent(150);
    }

    GridAxis axis;
};

TEST_F(GridAxisTest, LaysOutFixedCellsThenScrolledOnes)
{
    struct Case {
        int first;
        int starts[6];
        int lastVisible;
        int lastFullVisible;
        int boundary;
    } cases[] = {
        {2, {0, 31, 72, 123, 144, -1}, 4, 3, 150},
        {3, {0, 31, -1, 72, 93, -1}, 4, 3, 150},
        {4, {0, 31, -1, -1, 72, 133}, 5, 5, 144},
    };
    EXPECT_EQ(axis.fixedBoundary(), 72);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.first);
        axis.setFirst(c.first);
        ASSERT_EQ(axis.first(), c.first);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(axis.start(i), c.starts[i]) << "cell " << i;
        EXPECT_EQ(axis.lastVisible(), c.lastVisible);
        EXPECT_EQ(axis.lastFullVisible(), c.lastFullVisible);
        EXPECT_EQ(axis.boundary(), c.boundary);
    }
    EXPECT_EQ(axis.start(-1), -1);
    EXPECT_EQ(axis.start(6), -1);
}

TEST_F(GridAxisTest, ScrollRangeEndsWhenTheLastCellIsWhollyInView)
{
    EXPECT_EQ(axis.maxFirst(), 4);
    struct Case {
        int wanted;
        int first;
    } cases[] = {{5, 4}, {99, 4}, {3, 3}, {1, 2}, {-7, 2}};
    for (const Case &c : cases) {
        axis.setFirst(c.wanted);
        EXPECT_EQ(axis.first(), c.first) << c.wanted;
    }
}

TEST_F(GridAxisTest, ScrollsTheLeastToShowACell)
{
    struct Case {
        int from;
        int cell;
        bool moved;
        int first;
    } cases[] = {
        {2, 3, false, 2}, // already wholly in view
        {2, 4, true, 4},  // partly in view at the end: scrolled until it ends the view
        {2, 5, true, 4},   {4, 2, true, 2},  // scrolled away before the view: becomes the first
        {4, 3, true, 3},   {4, 1, false, 4}, // fixed cells are always in view
        {4, 6, false, 4},                    // outside the axis
        {4, -1, false, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.cell);
        axis.setFirst(c.from);
        EXPECT_EQ(axis.scrollIntoView(c.cell), c.moved);
        EXPECT_EQ(axis.first(), c.first);
    }
}

TEST_F(GridAxisTest, ACellLongerThanTheClientCountsAsWhollyVisibleWhenFirst)
{
    axis.setExtent(4, 200);
    axis.setFirst(4);
    EXPECT_EQ(axis.first(), 4);
    EXPECT_EQ(axis.lastFullVisible(), 4);
    EXPECT_EQ(axis.firstShowing(4), 4);
    EXPECT_FALSE(axis.scrollIntoView(4));
    EXPECT_EQ(axis.boundary(), 150);
}

// The cell under a position and the way a drag there scrolls: back over the
// fixed cells, on beyond the laid-out ones. Position 30 is the line after
// cell 0, which belongs to it; 150 lies beyond the client; scrolled to cell
// 4, the cells end at 144, before the client does.
TEST_F(GridAxisTest, PositionsFallOnACellAndGiveADragDirection)
{
    struct Case {
        int first;
        int pos;
        int cell;
        int direction;
    } cases[] = {
        {2, -5, -1, -1}, {2, 0, 0, -1},  {2, 30, 0, -1}, {2, 31, 1, -1},  {2, 71, 1, -1},
        {2, 72, 2, 0},   {2, 122, 2, 0}, {2, 123, 3, 0}, {2, 149, 4, 0},  {2, 150, -1, 0},
        {2, 151, -1, 1}, {4, 72, 4, 0},  {4, 143, 5, 0}, {4, 144, -1, 0}, {4, 145, -1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "first " << c.first << " pos " << c.pos);
        axis.setFirst(c.first);
        EXPECT_EQ(axis.cellAt(c.pos), c.cell);
        EXPECT_EQ(axis.directionAt(c.pos), c.direction);
    }
}

TEST_F(GridAxisTest, SizingCatchesAnEdgeWithinAFewPixels)
{
    struct Case {
        int pos;
        int cell;
    } cases[] = {
        {26, -1}, {27, 0},  {30, 0},  {34, 0},   {35, -1},
        {72, 1},  {145, 3}, {147, 3}, {149, -1}, // the cut-off cell's edge lies beyond the client
    };
    for (const Case &c : cases)
        EXPECT_EQ(axis.sizingIndexAt(c.pos), c.cell) << c.pos;
}

TEST_F(GridAxisTest, TilesLayTheFixedCellsBeforeTheChosenOnes)
{
    using Span = GridAxis::Span;
    EXPECT_EQ(axis.tileSpans(3, 2),
              (std::vector<Span>{{0, 0, 30}, {1, 31, 40}, {3, 72, 20}, {4, 93, 60}}));
    EXPECT_EQ(axis.tileExtent(3, 2), 154);
    // Cut at the end of the axis; a start inside the fixed cells counts from
    // the first scrolling cell.
    EXPECT_EQ(axis.tileSpans(5, 10), (std::vector<Span>{{0, 0, 30}, {1, 31, 40}, {5, 72, 10}}));
    EXPECT_EQ(axis.tileSpans(0, 1), (std::vector<Span>{{0, 0, 30}, {1, 31, 40}, {2, 72, 50}}));
    // Tiles ignore the client extent.
    EXPECT_EQ(axis.tileExtent(2, 4), 216);
    EXPECT_EQ(axis.totalExtent(), 216);
}

TEST_F(GridAxisTest, VisibleSpansStopAtTheClient)
{
    using Span = GridAxis::Span;
    EXPECT_EQ(
        axis.visibleSpans(),
        (std::vector<Span>{{0, 0, 30}, {1, 31, 40}, {2, 72, 50}, {3, 123, 20}, {4, 144, 60}}));
    axis.setClientExtent(20);
    EXPECT_EQ(axis.visibleSpans(), (std::vector<Span>{{0, 0, 30}}));
}

TEST_F(GridAxisTest, CountsStayValid)
{
    struct Case {
        int count;
        int fixed;
        int expectCount;
        int expectFixed;
    } cases[] = {
        {6, 10, 6, 5}, // fixed cells leave one scrolling cell
        {6, -3, 6, 0}, {0, 2, 1, 0}, {-4, 0, 1, 0}, {3, 2, 3, 2},
    };
    for (const Case &c : cases) {
        GridAxis fresh(c.count, c.fixed, 10);
        EXPECT_EQ(fresh.count(), c.expectCount);
        EXPECT_EQ(fresh.fixedCount(), c.expectFixed);
        EXPECT_EQ(fresh.first(), c.expectFixed);
    }
    axis.setCount(2); // shrinking below the fixed cells takes them along
    EXPECT_EQ(axis.fixedCount(), 1);
    EXPECT_EQ(axis.first(), 1);
}

TEST_F(GridAxisTest, FixingCellsReturnsTheViewToTheFirstScrollingCell)
{
    axis.setFirst(4);
    axis.setFixedCount(1);
    EXPECT_EQ(axis.first(), 1);
}

TEST_F(GridAxisTest, ExtentsKeepTheirSizeUntilTheDefaultChanges)
{
    axis.setCount(8);
    EXPECT_EQ(axis.extent(5), 10);
    EXPECT_EQ(axis.extent(6), 10);  // new cells take the default
    EXPECT_EQ(axis.extent(99), 10); // outside the axis: the default
    EXPECT_FALSE(axis.setExtent(8, 5));
    EXPECT_FALSE(axis.setExtent(-1, 5));
    EXPECT_FALSE(axis.setExtent(0, 30)); // unchanged
    EXPECT_TRUE(axis.setExtent(0, -4));
    EXPECT_EQ(axis.extent(0), 0);
    axis.setDefaultExtent(7);
    for (int i = 0; i < axis.count(); ++i)
        EXPECT_EQ(axis.extent(i), 7) << i;
}

TEST_F(GridAxisTest, ChangesThatShortenTheScrollRangePullTheViewBack)
{
    axis.setFirst(4);
    axis.setClientExtent(1000);
    EXPECT_EQ(axis.first(), 2);
    axis.setClientExtent(150);
    axis.setFirst(4);
    axis.setExtent(5, 0);
    axis.setExtent(4, 40); // everything from cell 3 on now fits
    EXPECT_EQ(axis.first(), 3);
}

} // namespace
