// The individual ID list of the LMR model full to its 500 entries, as the
// tree opens it: building and painting the sheet, and one step of the cursor
// down the list with the repaint it needs. Goals: under 20 ms and under 4 ms.
#include "WidgetBench.h"

#include "cells/CellHandler.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetFactory.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/GlobalTexts.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstdio>
#include <memory>

namespace {

constexpr QSize kClient(1400, 900);
constexpr const char *kSheet = "GI_Sheet_Digital_Ind_Id,X";

// The LMR model with every individual ID entry in use, each with its own ID
// and name but for a few duplicates, which the sheet marks.
struct FullList {
    FullList()
    {
        settings.modelType = 0;
        installEnvironment(&settings);
        model.BuildWindow();
        installModelObject(&model);
        cmcEeprom &image = model.WorkingImage();
        ChannelGlobals::setListCount(image, datCh::kKindDigInd, channel_offsets::kListCapacity);
        datCh entry(&image);
        for (int row = 0; row < channel_offsets::kListCapacity; ++row) {
            entry.decode(datCh::kKindDigInd, row);
            entry.Id = row % 97 == 0 ? 1 : 1000 + row;
            char name[16];
            std::snprintf(name, sizeof name, "UNIT %03d    ", row + 1);
            std::copy_n(name, 12, entry.Text.begin());
            entry.encode(datCh::kKindDigInd, row);
        }
        container.resize(kClient);
        container.show();
    }
    ~FullList()
    {
        installModelObject(nullptr);
        installEnvironment(nullptr);
    }
    std::unique_ptr<cuiSheet> show() { return showProgramSheet(container, kSheet); }

    indEnviron settings{indEnviron::Detached::Defaults};
    indMain model;
    QWidget container;
};

void BM_IndividualIdListBuildAndPaint(benchmark::State &state)
{
    FullList list;
    QImage image(kClient, QImage::Format_RGB32);
    int rows = 0;
    for (auto _ : state) {
        const auto sheet = list.show();
        paintVisibleArea(*sheet->Grid(), image);
        rows = sheet->RowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_IndividualIdListBuildAndPaint)->Unit(benchmark::kMillisecond);

// One step down from the entry the cursor is on, and the repaint of the
// visible area (which also covers the scrolling once the cursor leaves it);
// back to the top when the list ends.
void BM_IndividualIdListCursorStepDown(benchmark::State &state)
{
    FullList list;
    const auto sheet = list.show();
    cuiGrid &grid = *sheet->Grid();
    QImage image(kClient, QImage::Format_RGB32);
    constexpr int kIdColumn = 2;
    constexpr int kFirstEntryRow = 2;
    sheet->PutCursor(kIdColumn, kFirstEntryRow);
    for (auto _ : state) {
        if (!sheet->MoveCursor(0, 1))
            sheet->PutCursor(kIdColumn, kFirstEntryRow);
        paintVisibleArea(grid, image);
    }
}
BENCHMARK(BM_IndividualIdListCursorStepDown)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return runProgramSheetBenchmarks(argc, argv); }
