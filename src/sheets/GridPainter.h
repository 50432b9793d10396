#pragma once

#include "sheets/GridAxis.h"
#include "sheets/GridOptions.h"

#include <QColor>
#include <QFlags>
#include <QPoint>
#include <QRect>

#include <functional>
#include <vector>

class QPainter;

// How a cell is to be drawn; the owner of the grid decides what it means.
enum class GridDrawFlag : unsigned {
    Selected = 1u << 0, // inside the selection (the current cell included)
    Focused = 1u << 1,  // the current cell while the grid has the focus
    Fixed = 1u << 2,    // a fixed (non-scrolling) cell; never selected or focused
};
Q_DECLARE_FLAGS(GridDrawState, GridDrawFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridDrawState)

// Paints laid-out cells into any painter: the screen, the print preview's
// bitmap or a printed or PDF page. The grid draws nothing inside a cell
// itself; every cell goes to the draw callback, and only the grid lines the
// options ask for are painted by the grid.
class GridPainter
{
public:
    using DrawCell =
        std::function<void(QPainter &, int col, int row, const QRect &rect, GridDrawState state)>;
    using StateOf = std::function<GridDrawState(int col, int row)>;

    // What to paint: the columns and rows as laid out (span starts are
    // relative to `origin`), how many of them are fixed, the lines.
    struct Job {
        std::vector<GridAxis::Span> cols;
        std::vector<GridAxis::Span> rows;
        int fixedCols = 0;
        int fixedRows = 0;
        int colLineWidth = 0;
        int rowLineWidth = 0;
        GridOptions options;
        QPoint origin;
        // Only cells meeting this rectangle are painted; null paints all.
        QRect clip;
    };

    static const QColor fixedLineColor;
    static const QColor lineColor;

    // Cells of zero width or height are skipped.
    static void paint(QPainter &painter, const Job &job, const StateOf &stateOf,
                      const DrawCell &drawCell);

private:
    static void paintLines(QPainter &painter, const Job &job, const QRect &cell, bool fixed);
};
