#pragma once

#include "ui/WindowPlacement.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;
class cmcCellCapsule;

// Where a window that opens at a cell goes (selection lists, the flag bits
// window, the cell editor, the text window): just below the cell, a little to
// the right of its left edge; above it when there is no room below; and
// pinned to the bottom of the work area, covering the cell, when there is no
// room above either. A window overflowing the right edge moves back onto
// it, or, when it covers the cell, to the left of the cell if it fits there.
// The left and top edges are not enforced.
namespace popup_placement {

// Right of the cell's left edge by this much.
constexpr int kIndent = 8;

// `cell` in screen coordinates; the window's top-left corner.
QPoint position(const QRect &cell, QSize window, const WorkArea &area);

// Moves `window` to the cell of `opening` (whose rectangle is in the
// coordinates of its grid's cells) on the work area of the owner's screen.
// Nothing happens without a cell rectangle or an owner control.
void place(const cmcCellCapsule &opening, QWidget &window);

} // namespace popup_placement
