// Throughput of the link's byte queue: frames appended at the end and taken
// byte by byte from the front, as the receive path does.
#include "link/HexText.h"
#include "platform/cmcBuff.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_QueueFeedAndDrain(benchmark::State &state)
{
    const auto frameBytes = static_cast<std::int32_t>(state.range(0));
    cmcBuff frame;
    frame.AppendRepeated(0xA5, frameBytes);
    cmcBuff queue;
    for (auto _ : state) {
        queue.Append(frame);
        int sum = 0;
        while (queue.Length() > 0)
            sum += queue.PopFront();
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * frameBytes);
}
BENCHMARK(BM_QueueFeedAndDrain)->Arg(16)->Arg(256)->Arg(8192);

// A queue that never runs empty: the reader lags one frame behind, so dead
// bytes pile up in front until compaction.
void BM_QueueWithBacklog(benchmark::State &state)
{
    cmcBuff frame;
    frame.AppendRepeated(0x5A, 64);
    cmcBuff queue;
    queue.Append(frame);
    for (auto _ : state) {
        queue.Append(frame);
        for (int i = 0; i < 64; ++i)
            benchmark::DoNotOptimize(queue.PopFront());
    }
    state.SetBytesProcessed(state.iterations() * 64);
}
BENCHMARK(BM_QueueWithBacklog);

void BM_AppendByteGrowth(benchmark::State &state)
{
    for (auto _ : state) {
        cmcBuff buffer;
        for (int i = 0; i < 65536; ++i)
            buffer.AppendByte(static_cast<std::uint8_t>(i));
        benchmark::DoNotOptimize(buffer.Data());
    }
    state.SetBytesProcessed(state.iterations() * 65536);
}
BENCHMARK(BM_AppendByteGrowth);

void BM_BytesFromHex(benchmark::State &state)
{
    std::string text;
    for (int i = 0; i < 1024; ++i)
        text += "FE ";
    for (auto _ : state)
        benchmark::DoNotOptimize(BytesFromHex(text).Length());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_BytesFromHex);

} // namespace

BENCHMARK_MAIN();
