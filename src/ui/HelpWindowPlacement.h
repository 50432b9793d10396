#pragma once

#include "ui/WindowPlacement.h"

#include <QPoint>
#include <QSize>

// Where the context help window goes: centred under the mouse cursor with
// its top edge at the cursor (never left of the screen's origin), above the
// cursor when it would run off the bottom of the work area and there is room
// above, else pinned to the bottom; a window overflowing the right edge moves
// back onto it. The left and top edges of the work area are not enforced.
namespace help_placement {

// The window's top-left corner.
QPoint position(QPoint cursor, QSize window, const WorkArea &area);

} // namespace help_placement
