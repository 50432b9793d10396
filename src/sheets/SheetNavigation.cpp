#include "sheets/SheetNavigation.h"

#include <cstdlib>
#include <limits>

SheetNavigation::SheetNavigation(int cols, int rows, Selectable selectable)
    : cols_(cols), rows_(rows), selectable_(std::move(selectable))
{}

GridCoord SheetNavigation::Move(GridCoord from, int dx, int dy, bool popupMode,
                                GridCoord &remembered) const
{
    if (cols_ <= 0 || rows_ <= 0 || (dx == 0 && dy == 0))
        return from;
    const bool horizontal = dx != 0;
    const int steps = std::abs(horizontal ? dx : dy);
    const int direction = (horizontal ? dx : dy) > 0 ? 1 : -1;
    const int dCol = horizontal ? direction : 0;
    const int dRow = horizontal ? 0 : direction;
    // Only single steps wrap: a page move stops at the edge.
    const bool wrapping = popupMode && steps == 1;
    GridCoord at = from;
    for (int i = 0; i < steps; ++i) {
        if (step(at, dCol, dRow, wrapping, !popupMode, remembered))
            remembered = at;
    }
    return at;
}

bool SheetNavigation::step(GridCoord &at, int dCol, int dRow, bool wrap, bool searchAside,
                           const GridCoord &remembered) const
{
    return walk(at, dCol, dRow, wrap) || (searchAside && nearestAside(at, dCol, dRow, remembered));
}

bool SheetNavigation::walk(GridCoord &at, int dCol, int dRow, bool wrap) const
{
    GridCoord probe = at;
    for (;;) {
        probe.col += dCol;
        probe.row += dRow;
        if (wrap) {
            probe.col = (probe.col + cols_) % cols_;
            probe.row = (probe.row + rows_) % rows_;
            if (probe == at)
                return false;
        } else if (!inside(probe.col, probe.row)) {
            return false;
        }
        if (selectable_(probe.col, probe.row)) {
            at = probe;
            return true;
        }
    }
}

// The columns beside the current one (or the rows after it), one at a time:
// the first that holds a selectable cell gives the one nearest to the
// remembered row (column); the earlier of two equally near ones wins.
bool SheetNavigation::nearestAside(GridCoord &at, int dCol, int dRow,
                                   const GridCoord &remembered) const
{
    const bool horizontal = dCol != 0;
    const int lines = horizontal ? cols_ : rows_;
    const int across = horizontal ? rows_ : cols_;
    const int target = horizontal ? remembered.row : remembered.col;
    for (int line = (horizontal ? at.col : at.row) + (horizontal ? dCol : dRow);
         line >= 0 && line < lines; line += horizontal ? dCol : dRow) {
        int best = -1;
        int bestDistance = std::numeric_limits<int>::max();
        for (int i = 0; i < across; ++i) {
            const int col = horizontal ? line : i;
            const int row = horizontal ? i : line;
            const int distance = std::abs(i - target);
            if (distance < bestDistance && selectable_(col, row)) {
                best = i;
                bestDistance = distance;
            }
        }
        if (best >= 0) {
            at = horizontal ? GridCoord{line, best} : GridCoord{best, line};
            return true;
        }
    }
    return false;
}
