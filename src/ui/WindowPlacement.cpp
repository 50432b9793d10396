#include "ui/WindowPlacement.h"

namespace {
constexpr std::int32_t kGrip = 16;
}

WindowBounds keepOnWorkArea(WindowBounds window, const WorkArea &area)
{
    if (area.right - kGrip < window.left)
        window.left = area.right - kGrip;
    if (area.bottom - kGrip < window.top)
        window.top = area.bottom - kGrip;
    if (window.left + window.width < area.left + kGrip)
        window.left = area.left + kGrip - window.width;
    if (window.top < area.top)
        window.top = area.top;
    return window;
}
