#include "TerminalProgressView.h"

#include "link/dst_CDrv_Result.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

TerminalProgressView::TerminalProgressView() : enabled_(::isatty(STDERR_FILENO) != 0) {}

TerminalProgressView::TerminalProgressView(std::string *sink) : enabled_(true), sink_(sink) {}

void TerminalProgressView::OpenProgress(const CloneProgress &progress)
{
    shown_.clear();
    drawing_ = enabled_ && progress.kind != clonekind::kIdRead;
    UpdateProgress(progress);
}

void TerminalProgressView::UpdateProgress(const CloneProgress &progress)
{
    if (!drawing_)
        return;
    const std::int32_t filled = std::clamp(progress.filledSegments, 0, kSegments);
    const std::string line = "Cloning [" + std::string(std::size_t(filled), '#') +
                             std::string(std::size_t(kSegments - filled), '.') + "] " +
                             cloneProgressText(progress);
    if (line == shown_)
        return;
    // Blanks wipe what a longer line before left behind.
    const std::size_t wipe = shown_.size() > line.size() ? shown_.size() - line.size() : 0;
    shown_ = line;
    Write("\r" + line + std::string(wipe, ' '));
}

void TerminalProgressView::CloseProgress()
{
    if (drawing_ && !shown_.empty())
        Write("\n");
    drawing_ = false;
    shown_.clear();
}

void TerminalProgressView::Write(const std::string &text)
{
    if (sink_ != nullptr) {
        *sink_ += text;
        return;
    }
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}
