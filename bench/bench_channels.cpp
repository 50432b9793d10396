// The record codec on a full working image: every row of every kind decoded
// and encoded again, as a redraw and commit of every list would do.
#include "channels/datCh.h"
#include "image/cmcEeprom.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int32_t kWorkingSize = 110839;

// Storage rows of each kind (the multi-table counts one set).
constexpr int kRows[datCh::kKinds] = {0,   32, 32, 16,  11, 17, 40, 11,  32,  15,
                                      11,  10, 1,  8,   32, 24, 8,  500, 500, 40,
                                      100, 63, 10, 500, 32, 10, 32, 10,  32,  16};

void fillRandom(cmcEeprom &image)
{
    image.SetSize(kWorkingSize);
    std::mt19937 random(1);
    for (int32_t a = 0; a < kWorkingSize; ++a)
        image.SetByte(a, static_cast<uint8_t>(random()));
}

void BM_AllRowsDecodeEncode(benchmark::State &state)
{
    cmcEeprom image;
    fillRandom(image);
    datCh record(&image);
    int64_t rows = 0;
    for (auto _ : state) {
        for (int kind = 1; kind < datCh::kKinds; ++kind) {
            for (int row = 0; row < kRows[kind]; ++row) {
                record.decode(kind, row);
                record.encode(kind, row);
            }
            rows += kRows[kind];
        }
        benchmark::DoNotOptimize(record.FreqR);
    }
    state.SetItemsProcessed(rows);
}
BENCHMARK(BM_AllRowsDecodeEncode)->Unit(benchmark::kMillisecond);

// One row decoded, as each visible cell of a list costs; the channel pays
// for its derived DTMF bits on every decode.
void BM_RowDecode(benchmark::State &state)
{
    const auto kind = static_cast<int>(state.range(0));
    cmcEeprom image;
    fillRandom(image);
    datCh record(&image);
    int row = 0;
    for (auto _ : state) {
        record.decode(kind, row);
        row = (row + 1) % kRows[kind];
        benchmark::DoNotOptimize(record.status);
    }
}
BENCHMARK(BM_RowDecode)->Arg(datCh::kKindChannelLmr)->Arg(5)->Arg(datCh::kKindDigInd);

} // namespace

BENCHMARK_MAIN();
