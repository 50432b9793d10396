#include "sheets/SheetInput.h"

#include "cells/cmcCellCapsule.h"
#include "sheets/cuiSheet.h"

#include <algorithm>
#include <cmath>

namespace {

// Function keys reach the handler as their Windows key code times 256.
constexpr std::int32_t kFirstFunctionKeyCode = 0x70;

bool onlyCtrl(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

void SheetInput::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    sheet_.CommitEditor(false);
    cuiSheet::ClearStatus();
    const GridCoord current = sheet_.CurrentCell();
    switch (key) {
    case Qt::Key_PageUp:
        sheet_.MoveCursor(0, -cuiSheet::kPageStep);
        break;
    case Qt::Key_PageDown:
        sheet_.MoveCursor(0, cuiSheet::kPageStep);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        break;
    case Qt::Key_Left:
        if (!sheet_.MoveCursor(-1, 0))
            sheet_.ActionRequest(current.col, current.row, cuiSheet::kCodeLeftEdge);
        break;
    case Qt::Key_Right:
        if (!sheet_.MoveCursor(1, 0))
            sheet_.ActionRequest(current.col, current.row, cuiSheet::kCodeRightEdge);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!onlyCtrl(modifiers))
            sheet_.MoveCursor(0, key == Qt::Key_Up ? -1 : 1);
        break;
    default:
        if (key < Qt::Key_F1 || key > Qt::Key_F12)
            return;
        sheet_.ActionRequest(current.col, current.row,
                             (kFirstFunctionKeyCode + key - Qt::Key_F1) * 256);
        break;
    }
    key = 0;
}

void SheetInput::KeyPress(char32_t ch)
{
    const GridCoord current = sheet_.CurrentCell();
    sheet_.ActionRequest(current.col, current.row, static_cast<std::int32_t>(ch));
}

void SheetInput::EditorKey(int key, Qt::KeyboardModifiers modifiers, bool &handled)
{
    cuiSheet::ClearStatus();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        sheet_.CommitEditor(true);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        sheet_.CommitEditor(true);
        sheet_.MoveCursor(0, key == Qt::Key_Up ? -1 : 1);
        break;
    case Qt::Key_Escape:
        sheet_.HideEditor(true);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        sheet_.CommitEditor(true);
        int sheetKey = key;
        KeyDown(sheetKey, modifiers);
        break;
    }
    default:
        return;
    }
    handled = true;
}

void SheetInput::MouseDown(const cuiGrid::MouseEvent &event)
{
    if (event.button == Qt::LeftButton)
        sheet_.dragExtends_ = true;
    else if (event.button == Qt::RightButton)
        openPopupMenu(event.pos);
}

void SheetInput::MouseMove(const cuiGrid::MouseEvent &event)
{
    if (!sheet_.PopupMode() || sheet_.EditorActive())
        return;
    const cuiGrid::MouseEvent &e = event;
    const GridCoord hit = sheet_.Grid()->mouseCoord(e.pos);
    if (sheet_.IsSelectable(hit.col, hit.row) && hit != sheet_.CurrentCell())
        sheet_.PutCursor(hit.col, hit.row);
}

void SheetInput::MouseUp(const cuiGrid::MouseEvent &event)
{
    sheet_.dragExtends_ = false;
    if (sheet_.PopupMode() && event.button == Qt::LeftButton)
        DoubleClick(event);
}

void SheetInput::DoubleClick(const cuiGrid::MouseEvent &event)
{
    if (sheet_.Style().colSizing && fitColumnAt(event.pos))
        return;
    const GridCoord target = selectableAt(event.pos);
    if (target.col >= 0 && target == sheet_.CurrentCell())
        sheet_.ActionRequest(target.col, target.row, cmcCellCapsule::kCodeEnterAlias);
}

void SheetInput::TimedScroll(int directions)
{
    const int dx = ((directions & GridScrollRight) != 0 ? 1 : 0) -
                   ((directions & GridScrollLeft) != 0 ? 1 : 0);
    const int dy =
        ((directions & GridScrollDown) != 0 ? 1 : 0) - ((directions & GridScrollUp) != 0 ? 1 : 0);
    if (dx != 0)
        sheet_.MoveCursor(dx, 0);
    if (dy != 0)
        sheet_.MoveCursor(0, dy);
}

GridCoord SheetInput::selectableAt(QPoint point) const
{
    const GridCoord hit = sheet_.Grid()->mouseCoord(point);
    if (!sheet_.HasSlot(hit.col, hit.row))
        return {-1, -1};
    if (sheet_.IsSelectable(hit.col, hit.row))
        return hit;
    if (!sheet_.CellAt(hit.col, hit.row).Trailer())
        return {-1, -1};
    for (int col = hit.col - 1; col >= 0; --col) {
        const cmcCellObj &cell = sheet_.CellAt(col, hit.row);
        if (cell.Selectable())
            return {col, hit.row};
        if (!cell.Trailer())
            break;
    }
    return {-1, -1};
}

void SheetInput::openPopupMenu(QPoint point)
{
    bool placed = false;
    if (!sheet_.Selection().Shown()) {
        const GridCoord target = selectableAt(point);
        placed = target.col >= 0 && sheet_.PutCursor(target.col, target.row);
    }
    if (placed || sheet_.Selection().Shown())
        sheet_.OpenContextMenu(sheet_.Grid()->viewport()->mapToGlobal(point));
}

// A double click on a column border in the fixed rows fits the column on
// its left to its widest text.
bool SheetInput::fitColumnAt(QPoint point)
{
    const cuiGrid &grid = *sheet_.Grid();
    const int fixedRows = grid.fixedRows();
    const GridCoord hit = grid.mouseCoord(point);
    if (hit.row < 0 || hit.row >= fixedRows) {
        // Right of the last column, still level with the fixed rows.
        const int last = lastVisibleCol();
        const QRect rect = grid.cellRect(last, 0);
        const bool inFixedRows =
            fixedRows > 0 && point.y() >= 0 && point.y() < grid.geometry().rows().fixedBoundary();
        if (hit.col >= 0 || !inFixedRows || last < 0 || rect.isEmpty() ||
            point.x() - (rect.right() + 1) > kBorderSlack)
            return false;
        fitColumn(last);
        return true;
    }
    const QRect rect = grid.cellRect(hit.col, hit.row);
    if (point.x() - rect.left() <= kBorderSlack) {
        const int previous = previousVisibleCol(hit.col);
        if (previous < 0)
            return false;
        fitColumn(previous);
        return true;
    }
    if (rect.right() + 1 - point.x() <= kBorderSlack) {
        fitColumn(hit.col);
        return true;
    }
    return false;
}

void SheetInput::fitColumn(int col)
{
    const int fixedRows = sheet_.Grid()->fixedRows();
    cmcCellCapsule capsule;
    cmcCellObj look;
    int widest = 0;
    for (int row = 0; row < sheet_.RowCount(); ++row) {
        const cmcCellObj &cell = sheet_.CellAt(col, row);
        std::string text;
        if (row < fixedRows) {
            // A heading that runs on into the next column does not size this one.
            if (col + 1 < sheet_.ColCount() && sheet_.CellAt(col + 1, row).Joined())
                continue;
            text = cell.GetText();
        } else {
            text = sheet_.CellText(col, row, capsule, look, 0);
        }
        widest = std::max(widest, sheet_.Surface().MeasureText(sheet_.FontOf(cell), text).width());
    }
    sheet_.Grid()->setColWidth(col,
                               widest + static_cast<int>(std::lround(8 * sheet_.PrintScale())));
}

int SheetInput::previousVisibleCol(int col) const
{
    const cuiGrid &grid = *sheet_.Grid();
    if (col == grid.leftCol())
        return grid.fixedCols() - 1;
    return col - 1;
}

int SheetInput::lastVisibleCol() const
{
    const GridRect visible = sheet_.Grid()->visibleCells();
    return std::min(visible.right, sheet_.ColCount() - 1);
}
