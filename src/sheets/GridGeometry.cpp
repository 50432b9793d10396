#include "sheets/GridGeometry.h"

#include "sheets/GridOptions.h"

namespace {

constexpr int freshCount = 5;
constexpr int freshFixed = 1;
constexpr int freshColWidth = 64;
constexpr int freshRowHeight = 24;

int directionBits(int direction, int before, int after)
{
    if (direction < 0)
        return before;
    return direction > 0 ? after : 0;
}

} // namespace

GridGeometry::GridGeometry()
    : cols_(freshCount, freshFixed, freshColWidth), rows_(freshCount, freshFixed, freshRowHeight)
{}

void GridGeometry::setClientSize(QSize size)
{
    cols_.setClientExtent(size.width());
    rows_.setClientExtent(size.height());
}

bool GridGeometry::setTopLeft(GridCoord topLeft)
{
    const bool movedCols = cols_.setFirst(topLeft.col);
    const bool movedRows = rows_.setFirst(topLeft.row);
    return movedCols || movedRows;
}

bool GridGeometry::scrollIntoView(GridCoord cell)
{
    const bool movedCols = cols_.scrollIntoView(cell.col);
    const bool movedRows = rows_.scrollIntoView(cell.row);
    return movedCols || movedRows;
}

GridRect GridGeometry::visibleCells() const
{
    return {cols_.first(), rows_.first(), cols_.lastVisible(), rows_.lastVisible()};
}

QRect GridGeometry::cellRect(int col, int row) const
{
    const int x = cols_.start(col);
    const int y = rows_.start(row);
    if (x < 0 || y < 0)
        return {};
    return {x, y, cols_.extent(col), rows_.extent(row)};
}

GridCoord GridGeometry::cellAt(QPoint point) const
{
    const GridCoord cell{cols_.cellAt(point.x()), rows_.cellAt(point.y())};
    if (cell.col < 0 || cell.row < 0)
        return {-1, -1};
    return cell;
}

int GridGeometry::scrollDirectionsAt(QPoint point) const
{
    return directionBits(cols_.directionAt(point.x()), GridScrollLeft, GridScrollRight) |
           directionBits(rows_.directionAt(point.y()), GridScrollUp, GridScrollDown);
}

int GridGeometry::sizingColumnAt(QPoint point) const
{
    if (point.y() < 0 || point.y() >= rows_.fixedBoundary())
        return -1;
    return cols_.sizingIndexAt(point.x());
}
