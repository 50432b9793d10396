// The grid of a long list sheet: 500 rows of 20 columns in a 1200 x 800
// client. How long painting the visible area takes (on screen and on paper,
// with a callback that draws like a sheet and one that only fills), and how
// fast the geometry answers the questions every mouse event asks.
#include "WidgetBench.h"

#include "sheets/cuiGrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int sheetRows = 500;
constexpr int sheetCols = 20;
constexpr QSize client(1200, 800);

void drawLikeASheet(QPainter &painter, int col, int row, const QRect &rect, GridDrawState state)
{
    painter.fillRect(rect, state.testFlag(GridDrawFlag::Selected) ? Qt::darkBlue : Qt::white);
    painter.setPen(Qt::black);
    painter.drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QString::number(row * 100 + col));
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), Qt::gray);
}

void fillOnly(QPainter &painter, int col, int row, const QRect &rect, GridDrawState)
{
    painter.fillRect(rect, QColor(col * 10, row % 256, 128));
}

// The sheet's set-up: no grid lines, thumb tracking, one fixed row and column.
void buildSheetGrid(cuiGrid &grid, bool sheetLikeCells)
{
    grid.setFrameShape(QFrame::NoFrame);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setOptions(GridOption::ThumbTracking);
    grid.setColCount(sheetCols);
    grid.setRowCount(sheetRows);
    grid.setDefaultColWidth(64);
    grid.setDefaultRowHeight(18);
    grid.setFixedCols(1);
    grid.setFixedRows(1);
    grid.resize(client);
    grid.show(); // hidden widgets keep their resize pending
    grid.onDrawCell =
        sheetLikeCells ? GridPainter::DrawCell(drawLikeASheet) : GridPainter::DrawCell(fillOnly);
}

void reportCells(benchmark::State &state, const cuiGrid &grid)
{
    const GridRect visible = grid.visibleCells();
    const int cells = (visible.right - visible.left + 1 + grid.fixedCols()) *
                      (visible.bottom - visible.top + 1 + grid.fixedRows());
    state.counters["cells"] = cells;
    state.SetItemsProcessed(state.iterations() * cells);
}

// range(0): 1 = sheet-like cells, 0 = fill only.
void BM_PaintVisibleAreaOnScreen(benchmark::State &state)
{
    cuiGrid grid;
    buildSheetGrid(grid, state.range(0) != 0);
    grid.setTopRow(250);
    QImage image(client, QImage::Format_RGB32);
    for (auto _ : state) {
        grid.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    reportCells(state, grid);
}
BENCHMARK(BM_PaintVisibleAreaOnScreen)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The same cells through the paper path, as the print preview draws a page.
void BM_PaintVisibleAreaAsTile(benchmark::State &state)
{
    cuiGrid grid;
    buildSheetGrid(grid, state.range(0) != 0);
    grid.setTopRow(250);
    const GridRect visible = grid.visibleCells();
    QImage image(client, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        grid.paintTile(painter, {0, 0}, visible.left, visible.right - visible.left + 1, visible.top,
                       visible.bottom - visible.top + 1);
    }
    reportCells(state, grid);
}
BENCHMARK(BM_PaintVisibleAreaAsTile)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// range(0): the top row the view is scrolled to.
void BM_CellAtPoint(benchmark::State &state)
{
    cuiGrid grid;
    buildSheetGrid(grid, false);
    grid.setTopRow(static_cast<int>(state.range(0)));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(0, client.width() - 1);
    std::uniform_int_distribution<int> y(0, client.height() - 1);
    std::vector<QPoint> points(1024);
    for (QPoint &point : points)
        point = {x(random), y(random)};
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid.mouseCoord(points[next]));
        next = (next + 1) % points.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CellAtPoint)->Arg(1)->Arg(450);

void BM_CellRect(benchmark::State &state)
{
    cuiGrid grid;
    buildSheetGrid(grid, false);
    grid.setTopRow(250);
    const GridRect visible = grid.visibleCells();
    int col = visible.left;
    int row = visible.top;
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid.cellRect(col, row));
        if (++col > visible.right) {
            col = visible.left;
            row = row < visible.bottom ? row + 1 : visible.top;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CellRect);

// Down from the first row to the last, keeping the current cell in view.
void BM_WalkDownTheSheet(benchmark::State &state)
{
    cuiGrid grid;
    buildSheetGrid(grid, false);
    for (auto _ : state) {
        grid.setTopRow(1);
        for (int row = 1; row < sheetRows; ++row)
            grid.focusCell(1, row, true);
    }
    state.SetItemsProcessed(state.iterations() * (sheetRows - 1));
}
BENCHMARK(BM_WalkDownTheSheet)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return runWidgetBenchmarks(argc, argv); }
