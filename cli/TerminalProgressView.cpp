#include "TerminalProgressView.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

TerminalProgressView::TerminalProgressView() : enabled_(::isatty(STDERR_FILENO) != 0) {}

void TerminalProgressView::OpenProgress()
{
    shown_ = -1;
    UpdateProgress(0);
}

void TerminalProgressView::UpdateProgress(std::int32_t filledSegments)
{
    const std::int32_t filled = std::clamp(filledSegments, 0, kSegments);
    if (!enabled_ || filled == shown_)
        return;
    shown_ = filled;
    const std::string bar =
        std::string(std::size_t(filled), '#') + std::string(std::size_t(kSegments - filled), '.');
    std::fprintf(stderr, "\rCloning [%s]", bar.c_str());
    std::fflush(stderr);
}

void TerminalProgressView::CloseProgress()
{
    if (enabled_ && shown_ >= 0)
        std::fprintf(stderr, "\n");
    shown_ = -1;
}
