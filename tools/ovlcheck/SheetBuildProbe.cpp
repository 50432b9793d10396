#include "SheetBuildProbe.h"

#include "cells/indCellHandler.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "platform/ProgramDir.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "sheets/SheetTextDump.h"
#include "textdb/GlobalTexts.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace {

void buildSheet(const std::string &dataDir, int language, const std::string &descriptor)
{
    platform::setProgramDirectory(dataDir);
    environment().languageNumber = language;
    indMain model;
    model.BuildWindow();
    installModelObject(&model);
    // The class the descriptor names, as the program would open it.
    const std::unique_ptr<SheetLayout> layout =
        SheetLayoutFactory::Create(mainTextDatabase(), descriptor);
    layout->SetWidthsPersistent(false);
    layout->SetHandler(&indCellHandler::Handle, nullptr);
    layout->Show();
    SheetTextDump::Rows(*layout);
    installModelObject(nullptr);
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

} // namespace

std::string buildSheetInChild(const std::string &dataDir, int language,
                              const std::string &descriptor)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "cannot create a pipe";
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return "cannot start a child process";
    }
    if (child == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDERR_FILENO);
        buildSheet(dataDir, language, descriptor);
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string report = readAll(pipeEnds[0]);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {};
    while (!report.empty() && (report.back() == '\n' || report.back() == '\r'))
        report.pop_back();
    for (char &c : report) {
        if (c == '\n')
            c = ' ';
    }
    return report.empty() ? "the sheet engine stopped" : report;
}
