#include "sheets/SheetSelection.h"

#include "sheets/SheetLayout.h"

#include <algorithm>

bool SheetSelection::RowTakesPart(int row) const
{
    return layout_.HasSlot(0, row) && layout_.Slot(0, row).multiSelect;
}

void SheetSelection::SelectRectangle(GridCoord to)
{
    const GridRect area = GridRect::spanning(anchor_, to);
    for (int row = 0; row < layout_.RowCount(); ++row) {
        for (int col = 0; col < layout_.ColCount(); ++col) {
            clsSheetCellId &slot = layout_.Slot(col, row);
            slot.selected = area.contains(col, row) && slot.cell.Selectable();
        }
    }
    markLines();
    shown_ = true;
}

void SheetSelection::SelectRange(GridCoord current, std::int32_t label, std::int32_t low,
                                 std::int32_t high)
{
    Clear();
    const std::int32_t index = layout_.CellAt(current.col, current.row).index;
    const std::int64_t toHigh = std::int64_t{high} - index;
    const std::int64_t toLow = std::int64_t{index} - low;
    const std::int32_t farEnd = toHigh >= toLow ? high : low;
    anchor_ = current;
    bool anchored = false;
    for (int row = 0; row < layout_.RowCount(); ++row) {
        for (int col = 0; col < layout_.ColCount(); ++col) {
            clsSheetCellId &slot = layout_.Slot(col, row);
            if (slot.cell.label != label || slot.cell.index < low || slot.cell.index > high)
                continue;
            slot.selected = true;
            if (!anchored && slot.cell.index == farEnd) {
                anchor_.row = row;
                anchored = true;
            }
        }
    }
    markLines();
    shown_ = true;
}

void SheetSelection::Clear()
{
    for (int row = 0; row < layout_.SlotRows(); ++row) {
        for (int col = 0; col < layout_.ColCount(); ++col) {
            clsSheetCellId &slot = layout_.Slot(col, row);
            slot.selected = false;
            slot.lineSelected = false;
        }
    }
    shown_ = false;
}

void SheetSelection::IndexRange(GridCoord current, std::int32_t &low, std::int32_t &high) const
{
    const int col = layout_.FixedCols();
    const int anchorRow = layout_.HasSlot(col, anchor_.row) ? anchor_.row : current.row;
    const std::int32_t a = layout_.CellAt(col, anchorRow).index;
    const std::int32_t b = layout_.CellAt(col, current.row).index;
    low = std::min(a, b);
    high = std::max(a, b);
}

void SheetSelection::markLines()
{
    if (layout_.Style().multiSelect != SheetStyle::MultiSelect::Line)
        return;
    const int first = layout_.FixedCols();
    for (int row = 0; row < layout_.RowCount(); ++row) {
        bool any = false;
        for (int col = 0; col < layout_.ColCount() && !any; ++col)
            any = layout_.Slot(col, row).selected;
        for (int col = 0; col < layout_.ColCount(); ++col)
            layout_.Slot(col, row).lineSelected = any && col >= first;
    }
}
