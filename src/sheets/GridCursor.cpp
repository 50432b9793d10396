#include "sheets/GridCursor.h"

#include <algorithm>

namespace {

int pageOf(const GridAxis &axis) { return std::max(axis.lastFullVisible() - axis.first(), 1); }

} // namespace

GridCursor::GridCursor(GridGeometry &geometry) : geometry_(geometry)
{
    place({geometry_.cols().fixedCount(), geometry_.rows().fixedCount()});
}

bool GridCursor::moveCurrent(int col, int row, bool moveAnchor, bool show)
{
    if (col < 0 || row < 0 || col >= geometry_.cols().count() || row >= geometry_.rows().count())
        return false;
    if (selectCheck_ && !selectCheck_(col, row))
        return false;
    current_ = {col, row};
    if (moveAnchor || !(options_ & GridOption::RangeSelect))
        anchor_ = current_;
    if (show)
        geometry_.scrollIntoView(current_);
    return true;
}

bool GridCursor::moveAnchor(GridCoord cell)
{
    if (!(options_ & GridOption::RangeSelect))
        return moveCurrent(cell.col, cell.row, true, true);
    if (cell.col < 0 || cell.row < 0 || cell.col >= geometry_.cols().count() ||
        cell.row >= geometry_.rows().count())
        return false;
    anchor_ = cell;
    geometry_.scrollIntoView(anchor_);
    return true;
}

void GridCursor::place(GridCoord cell)
{
    current_ = clamped(cell);
    anchor_ = current_;
}

void GridCursor::clampToGrid()
{
    current_ = clamped(current_);
    anchor_ = clamped(anchor_);
}

GridCoord GridCursor::clamped(GridCoord cell) const
{
    return {std::clamp(cell.col, 0, geometry_.cols().count() - 1),
            std::clamp(cell.row, 0, geometry_.rows().count() - 1)};
}

bool GridCursor::navigate(int key, Qt::KeyboardModifiers modifiers)
{
    GridCoord target = current_;
    GridCoord topLeft = geometry_.topLeft();
    bool keepAnchor = modifiers & Qt::ShiftModifier;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        if (!(options_ & GridOption::Tabs) || (modifiers & Qt::AltModifier))
            return false;
        target = nextTabStop(key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier));
        keepAnchor = false;
    } else if (!((modifiers & Qt::ControlModifier) ? navigateWithCtrl(key, target, topLeft)
                                                   : navigatePlain(key, target, topLeft))) {
        return false;
    }
    geometry_.setTopLeft(topLeft);
    const GridAxis &cols = geometry_.cols();
    const GridAxis &rows = geometry_.rows();
    target = {std::clamp(target.col, cols.fixedCount(), cols.count() - 1),
              std::clamp(target.row, rows.fixedCount(), rows.count() - 1)};
    if (target != current_)
        moveCurrent(target.col, target.row, !keepAnchor, true);
    return true;
}

// Ctrl moves the view by a row or a page of columns, or jumps to the ends.
bool GridCursor::navigateWithCtrl(int key, GridCoord &target, GridCoord &topLeft) const
{
    const GridAxis &cols = geometry_.cols();
    const GridAxis &rows = geometry_.rows();
    switch (key) {
    case Qt::Key_Up:
        --topLeft.row;
        return true;
    case Qt::Key_Down:
        ++topLeft.row;
        return true;
    case Qt::Key_Left:
        target.col -= pageOf(cols);
        topLeft.col -= pageOf(cols);
        return true;
    case Qt::Key_Right:
        target.col += pageOf(cols);
        topLeft.col += pageOf(cols);
        return true;
    case Qt::Key_PageUp:
        target.row = rows.first();
        return true;
    case Qt::Key_PageDown:
        target.row = rows.lastFullVisible();
        return true;
    case Qt::Key_Home:
        target = {cols.fixedCount(), rows.fixedCount()};
        return true;
    case Qt::Key_End:
        target = {cols.count() - 1, rows.count() - 1};
        return true;
    default:
        return false;
    }
}

bool GridCursor::navigatePlain(int key, GridCoord &target, GridCoord &topLeft) const
{
    const GridAxis &cols = geometry_.cols();
    const GridAxis &rows = geometry_.rows();
    switch (key) {
    case Qt::Key_Up:
        --target.row;
        return true;
    case Qt::Key_Down:
        ++target.row;
        return true;
    case Qt::Key_Left:
        --target.col;
        return true;
    case Qt::Key_Right:
        ++target.col;
        return true;
    case Qt::Key_PageUp:
        target.row -= pageOf(rows);
        topLeft.row -= pageOf(rows);
        return true;
    case Qt::Key_PageDown:
        target.row += pageOf(rows);
        topLeft.row += pageOf(rows);
        return true;
    case Qt::Key_Home:
        target.col = cols.fixedCount();
        return true;
    case Qt::Key_End:
        target.col = cols.count() - 1;
        return true;
    default:
        return false;
    }
}

// Tab walks the scrolling cells row by row and wraps around the grid.
GridCoord GridCursor::nextTabStop(bool backwards) const
{
    const GridAxis &cols = geometry_.cols();
    const GridAxis &rows = geometry_.rows();
    GridCoord cell = current_;
    if (backwards) {
        if (--cell.col < cols.fixedCount()) {
            cell.col = cols.count() - 1;
            if (--cell.row < rows.fixedCount())
                cell.row = rows.count() - 1;
        }
    } else if (++cell.col >= cols.count()) {
        cell.col = cols.fixedCount();
        if (++cell.row >= rows.count())
            cell.row = rows.fixedCount();
    }
    return cell;
}

void GridCursor::timedScroll(int directions)
{
    const GridAxis &cols = geometry_.cols();
    const GridAxis &rows = geometry_.rows();
    GridCoord next = anchor_;
    if ((directions & GridScrollLeft) && next.col > cols.fixedCount())
        --next.col;
    if ((directions & GridScrollRight) && next.col < cols.count() - 1)
        ++next.col;
    if ((directions & GridScrollUp) && next.row > rows.fixedCount())
        --next.row;
    if ((directions & GridScrollDown) && next.row < rows.count() - 1)
        ++next.row;
    if (next != anchor_)
        moveAnchor(next);
}
