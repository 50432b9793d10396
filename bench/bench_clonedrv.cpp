// Processor time the clone driver spends on a full read and a full write of
// the radio's 65408-byte memory, with the radio's answers already waiting in
// an in-memory link. The line, not the driver, should set the pace: at 38400
// baud a full read carries about 150 KB over some 40 s of wire time.
#include "image/cmcEeprom.h"
#include "link/CloneFrames.h"
#include "link/cmcCloneDrv.h"
#include "platform/ManualTickClock.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <deque>
#include <memory>

namespace {

constexpr std::int32_t kMemory = 65408;

class MemoryLink final : public cmcTransport
{
public:
    bool Open(std::int32_t, const std::string &) override { return open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    std::int32_t Send(const std::uint8_t *, std::int32_t count) override
    {
        sent_ += count;
        return count;
    }
    std::int32_t Read(std::uint8_t *buffer, std::int32_t maximum) override
    {
        if (!answering_)
            return 0;
        const auto n = std::int32_t(std::min<std::size_t>(incoming_.size(), std::size_t(maximum)));
        std::copy_n(incoming_.begin(), n, buffer);
        incoming_.erase(incoming_.begin(), incoming_.begin() + n);
        return n;
    }
    std::int32_t Pending() override { return 0; }

    std::deque<std::uint8_t> incoming_;
    bool answering_ = false;
    std::int64_t sent_ = 0;

private:
    bool open_ = false;
};

struct Rig {
    Rig()
    {
        auto serial = std::make_unique<MemoryLink>();
        link = serial.get();
        driver = std::make_unique<cmcCloneDrv>(
            CloneTransports{std::move(serial), std::make_unique<MemoryLink>()});
        driver->SetModelIds(0x3079, 0);
        driver->SetImageSize(kMemory);
        driver->SetAckInterval(128, 0);
    }
    // Steps until the driver waits in the state, then lets the link answer.
    void runAnswering(std::int32_t answerFrom)
    {
        while (driver->IsBusy()) {
            link->answering_ = driver->CurrentState() >= answerFrom;
            driver->Step();
        }
    }
    MemoryLink *link;
    std::unique_ptr<cmcCloneDrv> driver;
};

void noteResult(void *context, dst_CDrv_Result *result)
{
    *static_cast<std::int32_t *>(context) = result->code;
}

void BM_FullRead(benchmark::State &state)
{
    ManualTickClock clock(0, 1);
    const RangeList ranges = {{0, kMemory - 1}, {1, 0}};
    cmcBuff radio;
    std::vector<std::uint8_t> memory(kMemory);
    for (std::int32_t a = 0; a < kMemory; ++a)
        memory[std::size_t(a)] = std::uint8_t(a * 13);
    for (std::int32_t a = 0; a < kMemory; a += 16)
        cloneframes::appendDataFrame(radio, cloneframes::Direction::FromRadio, a, memory.data() + a,
                                     16);
    radio.Append(cloneframes::endFrame(cloneframes::Direction::FromRadio, true, kMemory / 16));
    for (auto _ : state) {
        Rig rig;
        rig.link->incoming_.assign(radio.Data(), radio.Data() + radio.Length());
        std::int32_t code = -1;
        rig.driver->StartRead(&ranges, noteResult, &code);
        rig.runAnswering(cmcCloneDrv::kReceiveData);
        if (code != 0)
            state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(state.iterations() * radio.Length());
}
BENCHMARK(BM_FullRead)->Unit(benchmark::kMillisecond);

void BM_FullWrite(benchmark::State &state)
{
    ManualTickClock clock(0, 1);
    const RangeList ranges = {{0, kMemory - 1}, {1, 0}};
    cmcEeprom image;
    image.SetSize(kMemory);
    image.Fill(0x3C);
    const cmcBuff ack = cloneframes::endAckFrame();
    for (auto _ : state) {
        Rig rig;
        // FB for the request and every 128-byte block, then the end ack.
        rig.link->incoming_.assign(kMemory / 128 + 1, 0xFB);
        rig.link->incoming_.insert(rig.link->incoming_.end(), ack.Data(),
                                   ack.Data() + ack.Length());
        std::int32_t code = -1;
        rig.driver->StartWrite(image, ranges, noteResult, &code);
        rig.runAnswering(cmcCloneDrv::kWaitWriteAck);
        if (code != 0)
            state.SkipWithError("write failed");
        benchmark::DoNotOptimize(rig.link->sent_);
    }
    state.SetBytesProcessed(state.iterations() * kMemory);
}
BENCHMARK(BM_FullWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
