// Text database on a synthetic overlay of 10,000 keys and about 200,000
// lines: the cost of the first lookup at either end of the file, of hot keys
// and of reading a long key line by line.

#include "textdb/cmcGTex.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

constexpr int kKeys = 10000;
constexpr int kLinesPerKey = 19;
constexpr int kLongKey = 5000;
constexpr int kLongKeyLines = 500;

std::string keyName(int k) { return "GI_Bench_Key_" + std::to_string(k); }

const std::string &overlayPath()
{
    static const std::string path = [] {
        const std::string file = "/tmp/bench_textdb_" + std::to_string(::getpid()) + ".ovl";
        std::FILE *out = std::fopen(file.c_str(), "wb");
        for (int k = 0; k < kKeys; ++k) {
            std::fprintf(out, "#%s\r\n", keyName(k).c_str());
            const int lines = k == kLongKey ? kLongKeyLines : kLinesPerKey;
            for (int line = 0; line < lines; ++line)
                std::fprintf(out, "%d\tCL_Cell_%d\tsome descriptive text of line %d\r\n", k, line,
                             line);
        }
        std::fputs("#End_Of_Ovl\r\n", out);
        std::fclose(out);
        return file;
    }();
    return path;
}

void firstLookup(benchmark::State &state, int key)
{
    int64_t reads = 0;
    for (auto _ : state) {
        cmcGTex db;
        db.Open(overlayPath());
        benchmark::DoNotOptimize(db.GetFirstLine(keyName(key)));
        reads = db.counters().sourceReads;
    }
    state.counters["source_reads"] = static_cast<double>(reads);
}

void BM_FirstLookupOfFirstKey(benchmark::State &state) { firstLookup(state, 0); }
void BM_FirstLookupOfLastKey(benchmark::State &state) { firstLookup(state, kKeys - 1); }

void BM_HotKeys(benchmark::State &state)
{
    cmcGTex db;
    db.Open(overlayPath());
    const int hot[] = {3, 250, 1200, 4999, 7300, 9998, 17, 8800};
    for (int k : hot)
        db.GetFirstLine(keyName(k));
    const auto readsBefore = db.counters().sourceReads;
    int64_t lookups = 0;
    for (auto _ : state) {
        for (int k : hot)
            benchmark::DoNotOptimize(db.GetLine(keyName(k), 2));
        lookups += 8;
    }
    state.SetItemsProcessed(lookups);
    state.counters["source_reads_per_lookup"] =
        static_cast<double>(db.counters().sourceReads - readsBefore) / static_cast<double>(lookups);
}

void BM_SequentialReadOfLongKey(benchmark::State &state)
{
    cmcGTex db;
    db.Open(overlayPath());
    const std::string key = keyName(kLongKey);
    db.GetFirstLine(key); // index the key; the reads below are what is measured
    int64_t lines = 0;
    int64_t reads = 0;
    for (auto _ : state) {
        // A fresh database per pass, so every line really comes from the file.
        state.PauseTiming();
        cmcGTex fresh;
        fresh.Open(overlayPath());
        fresh.HasKey(key);
        const auto before = fresh.counters().sourceReads;
        state.ResumeTiming();
        for (int line = 0; line < kLongKeyLines; ++line)
            benchmark::DoNotOptimize(fresh.GetLine(key, line));
        reads += fresh.counters().sourceReads - before;
        lines += kLongKeyLines;
    }
    state.SetItemsProcessed(lines);
    state.counters["source_reads_per_line"] =
        static_cast<double>(reads) / static_cast<double>(lines);
}

BENCHMARK(BM_FirstLookupOfFirstKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstLookupOfLastKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HotKeys)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SequentialReadOfLongKey)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::remove(overlayPath().c_str());
    return 0;
}
