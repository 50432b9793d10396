// The warning check on a full image: 32 channels in use and 500-entry
// digital and dPMR ID lists, for each model type. It runs 250 ms after every
// edit and before every clone write; the goal is under 5 ms. Also the first
// cell mark after an edit, which inspects the changed image once.
#include "cells/CellCategories.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "image/WorkingLayout.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The model of a model type with every channel and list entry it can hold.
struct FullRadio {
    explicit FullRadio(int modelType) : settings(indEnviron::Detached::Defaults)
    {
        settings.modelType = modelType;
        installEnvironment(&settings);
        model = std::make_unique<indMain>();
        model->BuildWindow();
        installModelObject(model.get());
        datCh record(&model->WorkingImage());
        record.setBankChannelCount(0, working_layout::kChannelSlots);
        for (int row = 0; row < working_layout::kChannelSlots; ++row) {
            record.decode(datCh::channelKind(), row);
            record.FreqR = 446006250 + row * 12500;
            record.FreqT = record.FreqR + 5000000;
            record.DigSig = row % 2;
            record.encode(datCh::kKindNone, row);
        }
        for (int kind : {datCh::kKindDigInd, datCh::kKindDigTg, datCh::kKindDpmrId}) {
            record.setListCount(kind, channel_offsets::kListCapacity);
            for (int row = 0; row < channel_offsets::kListCapacity; ++row) {
                record.decode(kind, row);
                record.Id = 0x1000000 + row * 16;
                record.encode(datCh::kKindNone, row);
            }
        }
    }
    ~FullRadio()
    {
        installModelObject(nullptr);
        installEnvironment(nullptr);
    }
    indEnviron settings;
    std::unique_ptr<indMain> model;
};

void BM_WarningCheck(benchmark::State &state)
{
    FullRadio radio(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(radio.model->WarningCheck());
    state.counters["errors"] = radio.model->LastWarningCheck().ErrorCount();
    state.counters["warnings"] = radio.model->LastWarningCheck().WarningCount();
}
BENCHMARK(BM_WarningCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// An edit makes the next cell that may carry a finding inspect the image.
void BM_FirstMarkAfterAnEdit(benchmark::State &state)
{
    FullRadio radio(static_cast<int>(state.range(0)));
    cmcEeprom &image = radio.model->WorkingImage();
    const std::int32_t name = channel_offsets::kBankName;
    for (auto _ : state) {
        image.SetByte(name, static_cast<std::uint8_t>(image.GetByte(name) + 1));
        benchmark::DoNotOptimize(indCellHandler::MarksOf(CT_Mch, CL_Mch_FreqR, 3));
    }
}
BENCHMARK(BM_FirstMarkAfterAnEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
