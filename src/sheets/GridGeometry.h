#pragma once

#include "sheets/GridAxis.h"
#include "sheets/GridCoord.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// Where every cell of the grid is: the column and row axes together, the
// client area they are shown in and the scroll position (the top-left
// scrolling cell). Pure arithmetic, no widget: the grid widget, its tests and
// the print layout share it.
class GridGeometry
{
public:
    // A fresh grid: 5 x 5 cells of 64 x 24 pixels with one fixed column and
    // one fixed row, as a new grid widget starts.
    GridGeometry();

    GridAxis &cols() { return cols_; }
    const GridAxis &cols() const { return cols_; }
    GridAxis &rows() { return rows_; }
    const GridAxis &rows() const { return rows_; }

    QSize clientSize() const { return {cols_.clientExtent(), rows_.clientExtent()}; }
    void setClientSize(QSize size);

    GridCoord topLeft() const { return {cols_.first(), rows_.first()}; }
    // Each axis clamped to its scroll range; true when the view moved.
    bool setTopLeft(GridCoord topLeft);
    // Scrolls the least needed to show the cell wholly; true when the view moved.
    bool scrollIntoView(GridCoord cell);
    // The scrolling cells at least partly in view (fixed cells always are).
    GridRect visibleCells() const;

    // The cell's rectangle in client coordinates, without the lines after
    // it, when any part of it is in view; not clipped to the client. An
    // empty rectangle for a cell out of view.
    QRect cellRect(int col, int row) const;
    // The cell under a client point (the lines after a cell belong to it);
    // (-1, -1) when the point is on no cell.
    GridCoord cellAt(QPoint point) const;
    // Which way a drag should scroll from a client point: left or up over the
    // fixed cells, right or down beyond the laid-out cells (GridScroll* bits).
    int scrollDirectionsAt(QPoint point) const;
    // The column whose right edge can be dragged from this point: only in
    // the fixed rows; -1 when there is none.
    int sizingColumnAt(QPoint point) const;

private:
    GridAxis cols_;
    GridAxis rows_;
};
