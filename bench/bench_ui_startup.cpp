// Start-up of the desktop program: the global objects (settings, text
// databases, event manager, model object with its initial file) and the main
// form built and shown with its menus, tool bar, tree and status bar.

#include "platform/InstanceLock.h"
#include "platform/MessageService.h"
#include "platform/RegistryStore.h"
#include "shell/ProgramGlobals.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Private settings and lock, as on a first start.
struct Sandbox {
    QTemporaryDir folder;
    Sandbox()
    {
        platform::RegistryStore::setBackingFile(folder.filePath("settings.conf").toStdString());
        platform::InstanceLock::setLockFolder(folder.path().toStdString());
    }
};

void BM_GlobalObjects(benchmark::State &state)
{
    Sandbox sandbox;
    for (auto _ : state) {
        auto globals = std::make_unique<ProgramGlobals>(ScreenSize{1920, 1080});
        benchmark::DoNotOptimize(globals.get());
        state.PauseTiming();
        globals.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GlobalObjects)->Unit(benchmark::kMillisecond);

void BM_StartUpToWindowShown(benchmark::State &state)
{
    Sandbox sandbox;
    platform::RecordingMessageService messages;
    platform::ScopedMessageService scoped(messages);
    for (auto _ : state) {
        auto globals = std::make_unique<ProgramGlobals>(ScreenSize{1920, 1080});
        auto form = std::make_unique<TForm1>(globals->Model(), std::vector<std::string>{"quillon"});
        // The first paint is part of coming up.
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        globals.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToWindowShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
