#pragma once

#include "sheets/GridCoord.h"

#include <cstdint>

class SheetLayout;

// The multi-selection of a sheet: which cells are selected, the anchor it
// spans from and whether it is shown. The bits live in the sheet's cell
// slots; only rows that take part in multi-selection are ever drawn
// selected. With line selection every row holding a selected cell is
// marked from the first scrolling column to the last.
class SheetSelection
{
public:
    explicit SheetSelection(SheetLayout &layout) : layout_(layout) {}

    bool Shown() const { return shown_; }
    GridCoord Anchor() const { return anchor_; }
    void SetAnchor(GridCoord anchor) { anchor_ = anchor; }
    bool RowTakesPart(int row) const;

    // Selects the selectable cells between the anchor and `to`, deselects
    // every other one, and shows the selection.
    void SelectRectangle(GridCoord to);
    // Selects the cells with this label whose index lies in [low, high];
    // the anchor moves to the row of the range's far end as seen from the
    // current cell.
    void SelectRange(GridCoord current, std::int32_t label, std::int32_t low, std::int32_t high);
    // Clears every selected bit; the selection is no longer shown.
    void Clear();

    // The smallest and largest index of the cells of the anchor row and of
    // `current`'s row in the first scrolling column.
    void IndexRange(GridCoord current, std::int32_t &low, std::int32_t &high) const;

private:
    void markLines();

    SheetLayout &layout_;
    GridCoord anchor_;
    bool shown_ = false;
};
