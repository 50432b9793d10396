#pragma once

#include "ui/WindowPlacement.h"

#include <QPoint>
#include <QSize>

class QWidget;

// Placing the program's windows on the desktop.
namespace window_geometry {

// The work area of the screen that shows `widget` (the primary screen when
// it is null or not shown yet).
WorkArea workAreaOf(const QWidget *widget);

// The top-left corner of a window of `size` centred over `over` (halves
// truncated), then pushed inside the work area: off the right or bottom edge
// first, then onto the left or top edge.
QPoint centredOnWorkArea(QSize size, const QWidget *over);

} // namespace window_geometry
