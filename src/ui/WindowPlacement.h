#pragma once

#include <cstdint>

// A window's outer rectangle as the settings keep it.
struct WindowBounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const WindowBounds &) const = default;
};

// The desktop without the panels: right and bottom are exclusive edges.
struct WorkArea {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Moves a saved window back far enough that the user can still grab it after
// the screen shrank or a monitor went away: 16 pixels stay inside at the
// right and at the bottom, the right edge comes 16 pixels in from the left,
// and the title bar never hides above the top. The size never changes.
WindowBounds keepOnWorkArea(WindowBounds window, const WorkArea &area);
