#pragma once

#include "sheets/GridCoord.h"
#include "sheets/GridGeometry.h"
#include "sheets/GridOptions.h"

#include <Qt>

#include <functional>

// The current cell and the selection anchor of a grid, and every move of
// them the grid makes on its own: programmatic moves, the keys the owner
// leaves to the grid, and the step of an automatic scroll while dragging.
// Each move first asks the select-cell check, which may refuse it; without a
// check every cell may become current.
class GridCursor
{
public:
    using SelectCheck = std::function<bool(int col, int row)>;

    explicit GridCursor(GridGeometry &geometry);

    void setSelectCheck(SelectCheck check) { selectCheck_ = std::move(check); }
    // Uses RangeSelect and Tabs.
    void setOptions(GridOptions options) { options_ = options; }

    GridCoord current() const { return current_; }
    // With rectangle selection the far corner of the selection (it follows a
    // drag or Shift+click while the current cell stays); otherwise the
    // current cell itself.
    GridCoord anchor() const { return anchor_; }
    GridRect selection() const { return GridRect::spanning(current_, anchor_); }

    // Makes (col, row) current when it lies in the grid and the select check
    // allows it; moving the anchor along collapses the selection, showing
    // scrolls the cell into view. Fixed cells may be made current this way.
    bool moveCurrent(int col, int row, bool moveAnchor, bool show);
    // Extends a rectangle selection to the cell, or, without rectangle
    // selection, makes it current; scrolls it into view either way.
    bool moveAnchor(GridCoord cell);
    // Puts current cell and anchor on a cell without asking the select check
    // (the grid's own reset after its size or fixed cells change); clamped
    // into the grid.
    void place(GridCoord cell);
    // Keeps current cell and anchor inside the grid after it shrank.
    void clampToGrid();

    // The grid's own handling of a key (Qt::Key) its owner did not take:
    // arrows, Page Up/Down, Home/End, with Ctrl the view moves instead, and
    // Tab when enabled. Shift keeps the anchor. True when the key is one of
    // these.
    bool navigate(int key, Qt::KeyboardModifiers modifiers);
    // One step of the automatic scroll while dragging beyond the cells: the
    // anchor moves one cell in each direction (GridScroll* bits).
    void timedScroll(int directions);

private:
    GridCoord clamped(GridCoord cell) const;
    bool navigateWithCtrl(int key, GridCoord &target, GridCoord &topLeft) const;
    bool navigatePlain(int key, GridCoord &target, GridCoord &topLeft) const;
    GridCoord nextTabStop(bool backwards) const;

    GridGeometry &geometry_;
    SelectCheck selectCheck_;
    GridOptions options_ = defaultGridOptions();
    GridCoord current_;
    GridCoord anchor_;
};
