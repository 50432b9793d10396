// Cell engine: parsing every cell of a 500-row, 20-column sheet the way the
// sheet builder does (base cell as parent, shared @ch counters, cell models
// from the text database), and format-cache text lookups of option cells.

#include "cells/CellIdentifiers.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcFCache.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRows = 500;
constexpr int kColumns = 20;
constexpr int kOptions = 64;
constexpr int kLookups = 10000;

// One row of the sheet: a row number and nineteen channel columns of
// varied description shapes.
std::string sheetRow()
{
    std::string row = "{($Head)(%CT_Mch.CL_Misc_ChNo_1Base[@ch0])}";
    const char *const columns[] = {
        "{($eWh)(%CL_Mch_FreqR[@ch0])}",
        "{($eWh)>(%CL_Mch_FreqT[@ch0])(Font=,,clNavy,,,fsBold,)}",
        "{($eWh)^(%CL_Mch_Text[@ch0])}\\(@ch0+1)",
        "{S_(%CL_Mch_CTone_R[@ch0])(Color=clSilver)}",
        "{($eWh)(%CL_Mch_Inh[@ch0])X}",
    };
    for (int column = 1; column < kColumns; ++column)
        row += std::string("|") + columns[column % std::size(columns)];
    return row + "{(@ch0++)}";
}

const std::string &overlayPath()
{
    static const std::string path = [] {
        const std::string file = "/tmp/bench_cells_" + std::to_string(::getpid()) + ".ovl";
        std::FILE *out = std::fopen(file.c_str(), "wb");
        std::fputs("#CellModel_Basic\n"
                   "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)"
                   "(PopupMenu=GI_PMenu_Edit)\n"
                   "#CellModel_eWh\nS<_WHB\n"
                   "#CellModel_Head\n^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)\n"
                   "#GI_Sheet_Sel_Bench_Cells\n",
                   out);
        for (int value = 0; value < kOptions; ++value) {
            std::fprintf(out, "{($eWh)(%%Flex0[%d])}Option %d|{(%%FlexMark[%d])}\n",
                         (value * 37) % kOptions, value, value);
        }
        std::fputs("#\n#End_Of_Ovl\n", out);
        std::fclose(out);
        mainTextDatabase().Open(file);
        return file;
    }();
    return path;
}

void BM_ParseSheetCells(benchmark::State &state)
{
    overlayPath();
    const std::vector<std::string> rows(kRows, sheetRow());
    cmcCellObj base;
    base.Parse("{($Basic)(PopupMenu=GI_PMenu_NoItem)}", nullptr, nullptr, false);
    std::vector<cmcCellObj> cells(static_cast<std::size_t>(kRows * kColumns));
    std::int64_t parsed = 0;
    for (auto _ : state) {
        std::int32_t counters[cmcCellObj::kChannelCounterCount] = {};
        std::size_t slot = 0;
        for (const std::string &row : rows) {
            std::string_view rest = row;
            while (!rest.empty())
                rest = cells[slot++].Parse(rest, counters, &base, false);
        }
        benchmark::DoNotOptimize(cells.data());
        parsed += static_cast<std::int64_t>(slot);
    }
    state.SetItemsProcessed(parsed);
    state.counters["cells_per_sheet"] = static_cast<double>(kRows * kColumns);
}

void BM_FormatCacheTextLookups(benchmark::State &state)
{
    overlayPath();
    cmcFCache cache(mainTextDatabase());
    cache.Text("GI_Sheet_Sel_Bench", Flex0, 0); // built once, as in the program
    std::int64_t lookups = 0;
    for (auto _ : state) {
        for (int i = 0; i < kLookups; ++i)
            benchmark::DoNotOptimize(cache.Text("GI_Sheet_Sel_Bench", Flex0, i % (kOptions + 4)));
        lookups += kLookups;
    }
    state.SetItemsProcessed(lookups);
}

BENCHMARK(BM_ParseSheetCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatCacheTextLookups)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::remove(overlayPath().c_str());
    return 0;
}
