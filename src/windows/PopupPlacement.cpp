#include "windows/PopupPlacement.h"

#include "cells/cmcCellCapsule.h"
#include "sheets/cuiGrid.h"
#include "ui/WindowGeometry.h"

#include <QWidget>

namespace popup_placement {

QPoint position(const QRect &cell, QSize window, const WorkArea &area)
{
    const int cellTop = cell.top();
    const int cellBottom = cellTop + cell.height();
    int y = cellBottom;
    bool covering = false;
    if (y + window.height() > area.bottom) {
        if (window.height() < cellTop - area.top) {
            y = cellTop - window.height();
        } else {
            y = area.bottom - window.height();
            covering = true;
        }
    }
    int x = cell.left() + kIndent;
    if (x + window.width() > area.right) {
        if (covering && window.width() < cell.left() - area.left)
            x = cell.left() - window.width();
        else
            x = area.right - window.width();
    }
    return {x, y};
}

// A grid's cell rectangles are in the coordinates of its viewport.
void place(const cmcCellCapsule &opening, QWidget &window)
{
    auto *owner = qobject_cast<QWidget *>(opening.ownerControl);
    if (opening.cellRect == nullptr || owner == nullptr)
        return;
    const QWidget *cellSpace = owner;
    if (auto *grid = qobject_cast<cuiGrid *>(owner))
        cellSpace = grid->viewport();
    const QRect cell(cellSpace->mapToGlobal(opening.cellRect->topLeft()), opening.cellRect->size());
    window.move(position(cell, window.frameGeometry().size(), window_geometry::workAreaOf(owner)));
}

} // namespace popup_placement
