#include "sheets/SheetSlotTools.h"

#include "sheets/SheetLayout.h"

#include <algorithm>

// Without multi-selection no row takes part.
void SheetSlotTools::setRowTakesPart(SheetLayout &sheet, int row, bool on)
{
    const bool takesPart = on && sheet.Style().multiSelect != SheetStyle::MultiSelect::Off;
    for (int col = 0; col < sheet.ColCount(); ++col)
        sheet.Slot(col, row).multiSelect = takesPart;
}

bool SheetSlotTools::AppendRow(SheetLayout &sheet)
{
    const int rows = sheet.RowCount();
    if (rows < 1 || rows >= sheet.SlotRows())
        return false;
    setRowTakesPart(sheet, rows - 1, true);
    setRowTakesPart(sheet, rows, false);
    SheetSurface &surface = sheet.Surface();
    surface.SetCounts(sheet.ColCount(), rows + 1);
    surface.SetRowHeight(rows, surface.RowHeight(rows - 1));
    return true;
}

bool SheetSlotTools::RemoveRow(SheetLayout &sheet, int keepRows)
{
    const int rows = sheet.RowCount();
    if (rows <= std::max(keepRows, 1) || rows > sheet.SlotRows())
        return false;
    setRowTakesPart(sheet, rows - 2, false);
    sheet.Surface().SetCounts(sheet.ColCount(), rows - 1);
    return true;
}

void SheetSlotTools::LockZeroWidthColumns(SheetLayout &sheet)
{
    for (int col = 0; col < sheet.ColCount(); ++col) {
        if (sheet.Surface().ColWidth(col) != 0)
            continue;
        for (int row = 0; row < sheet.SlotRows(); ++row)
            sheet.CellAt(col, row).flags2 &= static_cast<std::uint8_t>(~cmcCellObj::kSelectable);
    }
}

GridCoord SheetSlotTools::FirstSelectable(const SheetLayout &sheet)
{
    GridCoord first{sheet.ColCount(), sheet.RowCount()};
    for (int row = 0; row < sheet.RowCount(); ++row) {
        for (int col = 0; col < sheet.ColCount(); ++col) {
            if (sheet.IsSelectable(col, row)) {
                first.col = std::min(first.col, col);
                first.row = std::min(first.row, row);
            }
        }
    }
    return first;
}
