// A 500-row list sheet as the channel and ID lists are: a heading row and
// column, eight labelled columns, the rows made by a loop. How long it takes
// to build (the whole sheet on its grid, and the engine alone), and to paint
// the visible area of a 1200 x 800 window.
#include "WidgetBench.h"

#include "sheets/SheetLayout.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr QSize client(1200, 800);

// One-line loop body (rows after the first are copies) or a two-line body
// (every row parsed).
const char *const kSheets[] = {"GI_Sheet_Bench", "GI_Sheet_BenchPair"};

std::string fixtureOverlay()
{
    return (std::filesystem::path(QUILLON_FIXTURE_DIR) / "sheets" / "sheets.ovl").string();
}

// Texts as the model's handler gives them, with a warning mark now and then.
std::int32_t listHandler(indActiveCell *, cmcCellCapsule &capsule, std::int32_t mode)
{
    if (mode == kHandlerDraw && capsule.cell->label == FlexMark && capsule.cell->index % 7 == 0)
        capsule.stateBits |= cmcCellCapsule::kStateWarning;
    return 0;
}

std::unique_ptr<cuiSheet> showSheet(QWidget &container, const char *descriptor)
{
    auto sheet =
        std::make_unique<cuiSheet>(&container, nullptr, 0, 0, mainTextDatabase(), descriptor);
    sheet->SetWidthsPersistent(false);
    sheet->SetHandler(&listHandler, nullptr);
    sheet->Show();
    return sheet;
}

// A window of the client's size, shown, to build sheets in.
struct Window {
    Window()
    {
        container.resize(client);
        container.show();
    }
    QWidget container;
};

void BM_BuildSheetOnScreen(benchmark::State &state)
{
    Window window;
    const char *descriptor = kSheets[state.range(0)];
    int rows = 0;
    for (auto _ : state) {
        const auto sheet = showSheet(window.container, descriptor);
        rows = sheet->RowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_BuildSheetOnScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BuildSheetEngineOnly(benchmark::State &state)
{
    const char *descriptor = kSheets[state.range(0)];
    for (auto _ : state) {
        SheetLayout layout(mainTextDatabase(), descriptor, nullptr, 0, 0);
        layout.SetWidthsPersistent(false);
        layout.Show();
        benchmark::DoNotOptimize(layout.RowCount());
    }
}
BENCHMARK(BM_BuildSheetEngineOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// range(0): the top row the view is scrolled to; range(1): 1 with the focus.
void BM_PaintVisibleArea(benchmark::State &state)
{
    Window window;
    const auto sheet = showSheet(window.container, kSheets[0]);
    cuiGrid &grid = *sheet->Grid();
    grid.setTopRow(static_cast<int>(state.range(0)));
    QApplication::processEvents();
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        grid.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    const GridRect visible = grid.visibleCells();
    const int cells = (visible.right - visible.left + 1 + grid.fixedCols()) *
                      (visible.bottom - visible.top + 1 + grid.fixedRows());
    state.counters["cells"] = cells;
    state.SetItemsProcessed(state.iterations() * cells);
}
BENCHMARK(BM_PaintVisibleArea)->Arg(1)->Arg(250)->Unit(benchmark::kMicrosecond);

// Down through every row with the keys' navigation, as holding the arrow key does.
void BM_WalkDownTheSheet(benchmark::State &state)
{
    Window window;
    const auto sheet = showSheet(window.container, kSheets[0]);
    for (auto _ : state) {
        sheet->PutCursor(1, 1);
        while (sheet->MoveCursor(0, 1)) {
        }
    }
    state.SetItemsProcessed(state.iterations() * (sheet->RowCount() - 2));
}
BENCHMARK(BM_WalkDownTheSheet)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv, [] { mainTextDatabase().Open(fixtureOverlay()); });
}
