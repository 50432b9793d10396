#pragma once

// What the benchmarks of the program's own sheets share: a headless
// application, the overlays and initial files beside the program, and
// Google Benchmark's command line.
#include "platform/ProgramDir.h"

#include <QApplication>
#include <QFileInfo>
#include <QString>

#include <benchmark/benchmark.h>

inline int runProgramSheetBenchmarks(int argc, char **argv)
{
    // Painting needs a QApplication, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The overlays and initial files are copied beside the programs.
    platform::setProgramDirectory(
        QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath().toStdString() + "/");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
