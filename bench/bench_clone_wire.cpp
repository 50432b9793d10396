// A full clone read and a full clone write of the radio's 65408-byte memory
// through the real transports, against quillon-virtual-radio holding its
// line to 38400 or 9600 baud in both directions. Reported per run:
//   data_ms   wall time from the read or write request leaving the program
//             to the end frame (read) or the end acknowledgement (write)
//             reaching it,
//   wire_ms   the time the bytes of that phase need on the line: every byte
//             either way, ten bits each at the baud rate,
//   ratio     data_ms / wire_ms,
//   waits_ms  the fixed waits before the data phase: 300 ms before each
//             port reopen of the transport script, 100 ms before each flush.
// The manual time of a run is its data phase.
//
//   build/dev/bin/bench_clone_wire --benchmark_filter=Serial
//
// runs the serial cases (a pseudo-terminal); the Tcp cases talk to the radio
// on a TCP port paced the same way.
#include "image/cmcEeprom.h"
#include "link/CloneHost.h"
#include "link/PortMap.h"
#include "link/cmcCloneDrv.h"
#include "link/cmcComm.h"
#include "link/cmcTcpClient.h"
#include "link/dst_CDrv_Result.h"
#include "link/imcCloneDrv.h"
#include "link/indCloneMan.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/RegistryStore.h"
#include "textdb/GlobalTexts.h"
#include "textdb/LanguageList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::int32_t kImageSize = 110839;
constexpr std::int32_t kLastAddress = 0xFF7F;
constexpr std::int32_t kComPort = 220;
constexpr std::uint8_t kReadRequest = 0xE2;
constexpr std::uint8_t kWriteRequest = 0xE3;
constexpr std::uint8_t kEndFrame = 0xE5;
constexpr std::uint8_t kEndAck = 0xE6;

// True when the bytes hold a frame start FE FE, the two direction bytes and
// the command.
bool holdsCommand(const std::uint8_t *bytes, std::int32_t count, std::uint8_t first,
                  std::uint8_t second, std::uint8_t command)
{
    for (std::int32_t i = 0; i + 4 < count; ++i) {
        if (bytes[i] == 0xFE && bytes[i + 1] == 0xFE && bytes[i + 2] == first &&
            bytes[i + 3] == second && bytes[i + 4] == command)
            return true;
    }
    return false;
}

// A transport that passes everything on and notes when the data phase
// starts and ends, the bytes it carried, and the opens.
class PhaseRecorder final : public cmcTransport
{
public:
    explicit PhaseRecorder(std::unique_ptr<cmcTransport> link) : link_(std::move(link))
    {
        clock_.start();
    }

    bool Open(std::int32_t port, const std::string &text) override
    {
        ++opens;
        return link_->Open(port, text);
    }
    void Close() override { link_->Close(); }
    bool IsOpen() const override { return link_->IsOpen(); }
    std::int32_t Send(const std::uint8_t *bytes, std::int32_t count) override
    {
        if (startNs < 0 && (holdsCommand(bytes, count, 0xEE, 0xEF, kReadRequest) ||
                            holdsCommand(bytes, count, 0xEE, 0xEF, kWriteRequest))) {
            startNs = clock_.nsecsElapsed();
            requestBytes = count;
        }
        if (startNs >= 0 && endNs < 0)
            phaseBytes += count;
        return link_->Send(bytes, count);
    }
    std::int32_t Read(std::uint8_t *buffer, std::int32_t maximum) override
    {
        const std::int32_t n = link_->Read(buffer, maximum);
        if (n <= 0 || startNs < 0 || endNs >= 0)
            return n;
        phaseBytes += n;
        // The end frame (read) or the end acknowledgement (write) closes
        // the phase once its FD came.
        tail_.insert(tail_.end(), buffer, buffer + n);
        if (tail_.size() > 64)
            tail_.erase(tail_.begin(), tail_.end() - 64);
        const auto *bytes = tail_.data();
        const auto size = static_cast<std::int32_t>(tail_.size());
        if ((holdsCommand(bytes, size, 0xEF, 0xEE, kEndFrame) ||
             holdsCommand(bytes, size, 0xEF, 0xEE, kEndAck)) &&
            tail_.back() == 0xFD)
            endNs = clock_.nsecsElapsed();
        return n;
    }
    std::int32_t Pending() override { return link_->Pending(); }
    bool WriteFailed() const override { return link_->WriteFailed(); }
    bool IsConnecting() const override { return link_->IsConnecting(); }
    void DropOutput() override { link_->DropOutput(); }

    qint64 startNs = -1;
    qint64 endNs = -1;
    std::int64_t phaseBytes = 0;
    std::int32_t requestBytes = 0;
    int opens = 0;

private:
    std::unique_ptr<cmcTransport> link_;
    QElapsedTimer clock_;
    Bytes tail_;
};

// What the clone manager asks of the main frame, for a bare read or write.
class BenchHost final : public CloneHost
{
public:
    CloneSettings LinkSettings() override { return settings; }
    void EnableMainWindow(bool) override {}
    void FocusMainWindow() override {}
    void EndCellEdit() override {}
    bool QuerySaveChanges() override { return true; }
    std::int32_t ModelId1() override { return 0x3079; }
    std::int32_t ModelId2() override { return 0; }
    bool MakerMode() override { return true; }
    void StoreCloneIds(const std::uint8_t *) override {}
    std::uint8_t *CloneInfoArea() override { return info_; }
    cmcEeprom &WorkingImage() override { return working_; }
    bool ImageCheck(const cmcEeprom &, bool) override { return true; }
    bool ModelCheck(const cmcEeprom &) override { return false; }
    void AfterLoadHook(cmcEeprom &) override {}
    void BeforeSaveHook(cmcEeprom &, bool) override {}
    void ReadContinuation(dst_CDrv_Result &) override {}
    void WriteContinuation(dst_CDrv_Result &) override {}
    RangeList MakeRangeList(std::int32_t) override { return {{0, kLastAddress}, {1, 0}}; }
    void MarkClonedDocument() override {}
    void CloseCurrentSheet() override {}
    void PostEvent(std::int32_t) override {}
    void ShowCloneInfoWindow() override {}
    void ShowStatus(const std::string &) override {}
    std::string KeepBackup(const cmcEeprom &, bool) override { return {}; }

    CloneSettings settings;

private:
    std::uint8_t info_[kCloneInfoBytes] = {};
    cmcEeprom working_;
};

void keepCode(void *, dst_CDrv_Result *) {}

// The radio program with its line paced; stopped when the object goes.
class PacedRadio
{
public:
    PacedRadio(int baud, bool tcp)
    {
        QStringList arguments{"--baud-pace", QString::number(baud)};
        if (tcp)
            arguments << "--tcp"
                      << "0";
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QString::fromStdString(platform::programDirectory()) +
                           "quillon-virtual-radio",
                       arguments);
        if (process_.waitForStarted() && process_.waitForReadyRead(10000))
            where = QString::fromUtf8(process_.readLine()).trimmed().toStdString();
    }
    ~PacedRadio()
    {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
    }

    std::string where;

private:
    QProcess process_;
};

enum class Operation { Read, Write };

struct Measured {
    std::int32_t code = -1;
    double dataMs = 0;
    double wireMs = 0;
    double waitsMs = 0;
    double totalMs = 0;
};

Measured runOnce(Operation operation, int baud, bool tcp)
{
    Measured measured;
    PacedRadio radio(baud, tcp);
    if (radio.where.empty())
        return measured;
    BenchHost host;
    host.settings.comSpeedHigh = baud > 9600;
    if (tcp) {
        host.settings.portSelect = 1;
        host.settings.ipAddress = "127.0.0.1";
        host.settings.tcpPort = std::stoi(radio.where);
    } else {
        host.settings.comPort = kComPort;
        platform::RegistryStore::writeString(PortMap::settingsKey(),
                                             PortMap::overrideName(kComPort), radio.where);
    }
    auto serial = std::make_unique<PhaseRecorder>(std::make_unique<cmcComm>());
    auto network = std::make_unique<PhaseRecorder>(std::make_unique<cmcTcpClient>());
    PhaseRecorder &recorder = tcp ? *network : *serial;
    indCloneMan manager(
        host, std::make_unique<cmcCloneDrv>(CloneTransports{std::move(serial), std::move(network)}),
        std::make_unique<imcCloneDrv>());
    manager.RegisterReadHandler(keepCode, nullptr);
    manager.SetModelIds(0x3079, 0);
    manager.SetImageSize(kImageSize);
    const RangeList ranges{{0, kLastAddress}, {1, 0}};
    cmcEeprom image;
    image.SetSize(kImageSize);
    image.Fill(0x5A);

    QElapsedTimer total;
    total.start();
    const bool started = operation == Operation::Read
                             ? manager.Read(ranges, keepCode, nullptr)
                             : manager.Write(image, ranges, keepCode, nullptr);
    QTimer wakeUp;
    wakeUp.start(1);
    while (started && manager.IsBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    measured.totalMs = double(total.nsecsElapsed()) / 1e6;
    measured.code = manager.LastCode();
    if (recorder.startNs < 0 || recorder.endNs < 0)
        return measured;
    measured.dataMs = double(recorder.endNs - recorder.startNs) / 1e6;
    measured.wireMs = double(recorder.phaseBytes) * 10.0 * 1000.0 / baud;
    // Every open but the last of the main settings follows a settings
    // element of the script; every serial open is followed by a flush.
    if (!tcp)
        measured.waitsMs = (recorder.opens - 1) * double(cmcCloneDrv::kSettleBeforeReopenMs) +
                           recorder.opens * double(cmcCloneDrv::kSettleBeforeFlushMs);
    return measured;
}

void BM_CloneOnTheWire(benchmark::State &state, Operation operation, bool tcp)
{
    const int baud = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const Measured measured = runOnce(operation, baud, tcp);
        if (measured.code != 0 || measured.wireMs <= 0) {
            const std::string why =
                "the clone operation failed with code " + std::to_string(measured.code);
            state.SkipWithError(why.c_str());
            return;
        }
        state.SetIterationTime(measured.dataMs / 1000.0);
        state.counters["data_ms"] = measured.dataMs;
        state.counters["wire_ms"] = measured.wireMs;
        state.counters["ratio"] = measured.dataMs / measured.wireMs;
        state.counters["waits_ms"] = measured.waitsMs;
        state.counters["total_ms"] = measured.totalMs;
    }
}

BENCHMARK_CAPTURE(BM_CloneOnTheWire, SerialRead, Operation::Read, false)
    ->Arg(38400)
    ->Arg(9600)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CloneOnTheWire, SerialWrite, Operation::Write, false)
    ->Arg(38400)
    ->Arg(9600)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CloneOnTheWire, TcpRead, Operation::Read, true)
    ->Arg(38400)
    ->Arg(9600)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CloneOnTheWire, TcpWrite, Operation::Write, true)
    ->Arg(38400)
    ->Arg(9600)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The port override lives in a private settings store, and failures are
    // counted, not shown.
    QTemporaryDir store;
    platform::RegistryStore::setBackingFile(store.filePath("settings.ini").toStdString());
    platform::RecordingMessageService messages;
    platform::MessageService::install(&messages);
    int language = 0;
    openTextDatabases(languageTextDatabase(), mainTextDatabase(), language,
                      platform::programDirectory());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::MessageService::install(nullptr);
    return 0;
}
