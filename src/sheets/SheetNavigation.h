#pragma once

#include "sheets/GridCoord.h"

#include <functional>

// How the cursor of a sheet moves over its selectable cells. A move goes
// |dx| or |dy| single steps (a horizontal move ignores dy). Each step walks
// from the current cell in its direction to the first selectable cell; when
// the walk finds none, the next columns (rows) are searched for the
// selectable cell nearest to the remembered row (column), so the cursor
// keeps to its line across gaps. Selection lists wrap around the edges
// instead. Pure arithmetic: the sheet puts the cursor where it says.
class SheetNavigation
{
public:
    using Selectable = std::function<bool(int col, int row)>;

    SheetNavigation(int cols, int rows, Selectable selectable);

    // The position after the move, `from` itself when no step found a cell.
    // Every step that found one makes its cell the remembered position.
    // `popupMode`: a selection list, where single steps wrap around the grid and
    // a step that finds nothing stays.
    GridCoord Move(GridCoord from, int dx, int dy, bool popupMode, GridCoord &remembered) const;

private:
    bool step(GridCoord &at, int dCol, int dRow, bool wrap, bool searchAside,
              const GridCoord &remembered) const;
    bool walk(GridCoord &at, int dCol, int dRow, bool wrap) const;
    bool nearestAside(GridCoord &at, int dCol, int dRow, const GridCoord &remembered) const;
    bool inside(int col, int row) const
    {
        return col >= 0 && col < cols_ && row >= 0 && row < rows_;
    }

    int cols_;
    int rows_;
    Selectable selectable_;
};
