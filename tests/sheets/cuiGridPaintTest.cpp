#include "GridWidgetFixture.h"

#include <QImage>
#include <QPainter>

#include <map>

namespace {

QColor colourOf(int col, int row) { return QColor(20 + col * 40, 20 + row * 11, 200); }

struct DrawnCell {
    QRect rect;
    GridDrawState state;
};

// Fills every cell with its own colour and remembers what it was asked to draw.
class CellRecorder
{
public:
    explicit CellRecorder(cuiGrid &grid)
    {
        grid.onDrawCell = [this](QPainter &painter, int col, int row, const QRect &rect,
                                 GridDrawState state) {
            painter.fillRect(rect, colourOf(col, row));
            drawn[{col, row}] = {rect, state};
        };
    }

    bool has(int col, int row) const { return drawn.count({col, row}) != 0; }
    DrawnCell at(int col, int row) const
    {
        const auto found = drawn.find({col, row});
        return found == drawn.end() ? DrawnCell{} : found->second;
    }

private:
    std::map<std::pair<int, int>, DrawnCell> drawn;
};

QImage blankImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Three columns (30, 40, 50) and three rows (20, 25, 30), one fixed of each,
// every line one pixel wide, painted with its top-left corner at (5, 5): the
// columns start at x = 5, 36 and 77, the rows at y = 5, 26 and 52.
class GridTilePaint : public testing::Test
{
protected:
    GridTilePaint()
    {
        grid.setColCount(3);
        grid.setRowCount(3);
        const int widths[] = {30, 40, 50};
        const int heights[] = {20, 25, 30};
        for (int i = 0; i < 3; ++i) {
            grid.setColWidth(i, widths[i]);
            grid.setRowHeight(i, heights[i]);
        }
    }

    QImage paintTile(int firstCol, int colCount, int firstRow, int rowCount)
    {
        QImage image = blankImage({140, 100});
        QPainter painter(&image);
        grid.paintTile(painter, {5, 5}, firstCol, colCount, firstRow, rowCount);
        return image;
    }

    cuiGrid grid;
    CellRecorder recorder{grid};
};

TEST_F(GridTilePaint, EveryCellIsDrawnByTheCallbackBetweenTheGridLines)
{
    const QImage image = paintTile(1, 2, 1, 2);
    const int xs[] = {5, 36, 77};
    const int ys[] = {5, 26, 52};
    const int widths[] = {30, 40, 50};
    const int heights[] = {20, 25, 30};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect rect(xs[col], ys[row], widths[col], heights[row]);
            EXPECT_EQ(image.pixelColor(rect.center()), colourOf(col, row)) << col << "," << row;
            EXPECT_EQ(recorder.at(col, row).rect, rect) << col << "," << row;
        }
    }
    struct Line {
        QPoint point;
        QColor colour;
    } lines[] = {
        {{35, 15}, Qt::black},             // right of fixed cell (0, 0)
        {{76, 15}, Qt::black},             // right of (1, 0), in the fixed row
        {{50, 25}, Qt::black},             // below (1, 0)
        {{20, 51}, Qt::black},             // below (0, 1), in the fixed column
        {{35, 25}, Qt::black},             // crossing of fixed lines
        {{76, 40}, QColor(192, 192, 192)}, // between scrolling cells
        {{50, 51}, QColor(192, 192, 192)},
        {{76, 51}, QColor(192, 192, 192)},  // crossing of scrolling lines
        {{127, 60}, QColor(192, 192, 192)}, // after the last column
        {{100, 82}, QColor(192, 192, 192)}, // below the last row
        {{129, 60}, Qt::white},             // nothing beyond the grid
        {{60, 84}, Qt::white},
    };
    for (const Line &line : lines)
        EXPECT_EQ(image.pixelColor(line.point), line.colour)
            << line.point.x() << "," << line.point.y();
    EXPECT_EQ(grid.tileSize(1, 2, 1, 2), QSize(123, 78));
}

TEST_F(GridTilePaint, PaperShowsTheSelectionButNoFocus)
{
    paintTile(1, 2, 1, 2);
    EXPECT_EQ(recorder.at(0, 0).state, GridDrawFlag::Fixed);
    EXPECT_EQ(recorder.at(2, 0).state, GridDrawFlag::Fixed);
    EXPECT_EQ(recorder.at(0, 2).state, GridDrawFlag::Fixed);
    EXPECT_EQ(recorder.at(1, 1).state, GridDrawFlag::Selected);
    EXPECT_EQ(recorder.at(2, 2).state, GridDrawState());
}

TEST_F(GridTilePaint, WithoutLinesCellsTouch)
{
    grid.setOptions({});
    const QImage image = paintTile(1, 2, 1, 2);
    EXPECT_EQ(grid.tileSize(1, 2, 1, 2), QSize(120, 75));
    EXPECT_EQ(image.pixelColor(35, 15), colourOf(1, 0));
    EXPECT_EQ(image.pixelColor(20, 25), colourOf(0, 1));
    EXPECT_EQ(image.pixelColor(124, 79), colourOf(2, 2));
    EXPECT_EQ(image.pixelColor(125, 80), Qt::white);
}

TEST_F(GridTilePaint, ATileRepeatsTheFixedCellsBeforeItsOwnAndSkipsHiddenOnes)
{
    grid.setOptions({});
    grid.setColCount(5);
    grid.setColWidth(3, 0);
    const QImage image = paintTile(2, 3, 2, 1);
    EXPECT_FALSE(recorder.has(1, 1));
    EXPECT_FALSE(recorder.has(3, 0)); // zero width: never drawn
    EXPECT_EQ(recorder.at(2, 0).rect, QRect(5 + 30, 5, 50, 20));
    EXPECT_EQ(recorder.at(4, 2).rect, QRect(5 + 80, 5 + 20, grid.defaultColWidth(), 30));
    EXPECT_EQ(image.pixelColor(20, 30), colourOf(0, 2));
}

// The widget draws its visible cells through the same callback: fixed cells
// stay while the rest scrolls, and the grid's colour fills the rest.
class GridScreenPaint : public GridWidgetFixture
{
protected:
    QImage render()
    {
        QImage image = blankImage(grid.viewport()->size());
        grid.viewport()->render(&image);
        return image;
    }

    CellRecorder recorder{grid};
};

TEST_F(GridScreenPaint, FixedCellsStayInPlaceWhileTheRestScrolls)
{
    grid.setTopLeft(3, 5);
    const QImage image = render();
    struct Case {
        QPoint point;
        int col;
        int row;
    } cases[] = {
        {{25, 10}, 0, 0}, {{75, 10}, 3, 0}, {{25, 30}, 0, 5}, {{75, 30}, 3, 5}, {{175, 90}, 5, 8},
    };
    for (const Case &c : cases)
        EXPECT_EQ(image.pixelColor(c.point), colourOf(c.col, c.row))
            << c.point.x() << "," << c.point.y();
    EXPECT_FALSE(recorder.has(1, 1));
    EXPECT_FALSE(recorder.has(2, 5));
}

TEST_F(GridScreenPaint, TheGridColourFillsWhereNoCellIs)
{
    grid.setColor(Qt::yellow);
    grid.setColCount(3);
    grid.setRowCount(3);
    const QImage image = render();
    EXPECT_EQ(image.pixelColor(175, 30), Qt::yellow);
    EXPECT_EQ(image.pixelColor(75, 80), Qt::yellow);
    EXPECT_EQ(image.pixelColor(125, 50), colourOf(2, 2));
}

TEST_F(GridScreenPaint, StatesMarkFixedSelectedAndFocusedCells)
{
    grid.activateWindow();
    QApplication::processEvents();
    grid.setFocus();
    ASSERT_TRUE(grid.hasFocus());
    grid.setOptions(GridOption::RangeSelect);
    press(centreOf(1, 1));
    release(centreOf(1, 1));
    press(centreOf(2, 2), Qt::ShiftModifier);
    release(centreOf(2, 2));
    render();
    EXPECT_EQ(recorder.at(0, 1).state, GridDrawFlag::Fixed);
    EXPECT_EQ(recorder.at(1, 1).state, GridDrawFlag::Selected | GridDrawFlag::Focused);
    EXPECT_EQ(recorder.at(2, 2).state, GridDrawFlag::Selected);
    EXPECT_EQ(recorder.at(3, 3).state, GridDrawState());
    grid.clearFocus();
    render();
    EXPECT_EQ(recorder.at(1, 1).state, GridDrawFlag::Selected);
}

} // namespace
