// The memory channel sheet of each model type with 32 channels: building
// and painting it as the tree opens it, and one typed frequency through the
// cell handler, its codec and the record with the repaint that follows.
#include "WidgetBench.h"

#include "cells/CellHandler.h"
#include "cells/CellLabels.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "image/WorkingLayout.h"
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

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr QSize kClient(1400, 900);
const char *const kSheets[] = {"[St_ChBank]GI_Sheet_Mch_Conv_Lmr_KCOOP_Rep,Bank 0",
                               "[St_ChBank]GI_Sheet_Mch_Conv_Pmr_Dpmr_Rep,Bank 0"};

// The model of a model type, its bank holding every channel it can.
struct Radio {
    explicit Radio(int modelType)
    {
        settings.modelType = modelType;
        installEnvironment(&settings);
        model.BuildWindow();
        installModelObject(&model);
        datCh channel(&model.WorkingImage());
        channel.setBankChannelCount(0, working_layout::kChannelSlots);
        for (int row = 0; row < working_layout::kChannelSlots; ++row) {
            channel.decode(datCh::channelKind(), row);
            channel.FreqR = channel.FreqT = 446006250 + row * 12500;
            channel.encode(datCh::kKindNone, row);
        }
        container.resize(kClient);
        container.show();
    }
    ~Radio()
    {
        installModelObject(nullptr);
        installEnvironment(nullptr);
    }
    std::unique_ptr<cuiSheet> show(int modelType)
    {
        return showProgramSheet(container, kSheets[modelType]);
    }

    indEnviron settings{indEnviron::Detached::Defaults};
    indMain model;
    QWidget container;
};

void BM_ChannelSheetBuildAndPaint(benchmark::State &state)
{
    const int modelType = static_cast<int>(state.range(0));
    Radio radio(modelType);
    QImage image(kClient, QImage::Format_RGB32);
    int columns = 0;
    for (auto _ : state) {
        const auto sheet = radio.show(modelType);
        paintVisibleArea(*sheet->Grid(), image);
        columns = sheet->Grid()->colCount();
    }
    state.counters["columns"] = columns;
}
BENCHMARK(BM_ChannelSheetBuildAndPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// range(1): 0 the edit alone, 1 with the repaint of the edited row's
// visible part (what the row redraw asks for), 2 with the whole visible area.
void BM_TypedFrequencyWithRepaint(benchmark::State &state)
{
    const int modelType = static_cast<int>(state.range(0));
    const auto repaint = state.range(1);
    Radio radio(modelType);
    const auto sheet = radio.show(modelType);
    cuiGrid &grid = *sheet->Grid();
    // Channel 6 is grid row 8, below the two heading rows.
    const QRect row(0, grid.cellRect(0, 7).top(), kClient.width(), grid.cellRect(0, 7).height());
    QImage image(kClient, QImage::Format_RGB32);
    cmcCellObj cell;
    cell.category = CT_Mch;
    cell.label = CL_Mch_FreqR;
    cell.index = 5;
    bool other = false;
    for (auto _ : state) {
        cmcCellCapsule capsule;
        capsule.cell = &cell;
        capsule.inputMode = cmcCellCapsule::kInputText;
        capsule.inputText = other ? "146.5" : "145.5";
        other = !other;
        indActiveCell context;
        indCellHandler::Handle(&context, capsule, kHandlerAction);
        eventManager().Tick();
        if (repaint == 1)
            grid.viewport()->render(&image, row.topLeft(), QRegion(row));
        else if (repaint == 2)
            paintVisibleArea(grid, image);
    }
}
BENCHMARK(BM_TypedFrequencyWithRepaint)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return runProgramSheetBenchmarks(argc, argv); }
