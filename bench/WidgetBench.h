#pragma once

// What the benchmarks of widgets share: Google Benchmark's command line in a
// headless application, and for the program's own sheets the overlays and
// initial files beside the program, a sheet shown on the model's handler and
// its visible area painted.
#include "cells/indCellHandler.h"
#include "platform/ProgramDir.h"
#include "sheets/SheetFactory.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/GlobalTexts.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>

// `prepare` runs once the application exists (opening overlays, naming the
// program's folder).
template <class Prepare>
int runWidgetBenchmarks(int argc, char **argv, Prepare prepare)
{
    // Painting needs a QApplication, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepare();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

inline int runWidgetBenchmarks(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv, [] {});
}

// For the program's own sheets: the overlays and initial files are copied
// beside the programs.
inline int runProgramSheetBenchmarks(int argc, char **argv)
{
    const std::string folder =
        QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath().toStdString() + "/";
    return runWidgetBenchmarks(argc, argv, [&folder] { platform::setProgramDirectory(folder); });
}

// A sheet of the program as the tree opens it, on the model's handler.
inline std::unique_ptr<cuiSheet> showProgramSheet(QWidget &container, const char *descriptor)
{
    auto sheet = SheetFactory::Create(&container, nullptr, 0, 0, mainTextDatabase(), descriptor);
    sheet->SetWidthsPersistent(false);
    sheet->SetHandler(&indCellHandler::Handle, nullptr);
    sheet->Show();
    QApplication::processEvents();
    return sheet;
}

inline void paintVisibleArea(cuiGrid &grid, QImage &image)
{
    grid.viewport()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
}
