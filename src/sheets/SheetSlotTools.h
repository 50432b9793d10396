#pragma once

#include "sheets/GridCoord.h"

class SheetLayout;

// Changes to a built sheet that the sheets whose rows follow a list make:
// rows shown or hidden at the end (their cell slots were prepared by the
// build), and columns taken out of reach.
class SheetSlotTools
{
public:
    // Shows one more prepared row: the previous last row takes part in
    // multi-selection again, the new last row (the empty row for a new
    // entry) does not, and it takes the height of the row above. False when
    // no prepared row is left.
    static bool AppendRow(SheetLayout &sheet);
    // Hides the last row; the row that becomes last stops taking part in
    // multi-selection. False when no more than `keepRows` rows are left
    // (the rows above a list stay).
    static bool RemoveRow(SheetLayout &sheet, int keepRows);
    // Every cell of a column without width becomes unselectable, so that the
    // cursor never stops in a column the user cannot see.
    static void LockZeroWidthColumns(SheetLayout &sheet);
    // The smallest column and row holding a selectable cell among the rows
    // shown; the counts when there is none.
    static GridCoord FirstSelectable(const SheetLayout &sheet);

private:
    static void setRowTakesPart(SheetLayout &sheet, int row, bool on);
};
