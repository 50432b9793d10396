#include "sheets/iuiSh_Mch.h"

#include "sheets/cuiGrid.h"

#include <algorithm>

iuiSh_Mch::iuiSh_Mch(QWidget *container, const cmcCellCapsule *origin, std::int32_t initialLabel,
                     std::int32_t initialIndex, cmcGTex &texts, const std::string &descriptor,
                     const cuiImageList *images)
    : ListSheetLayout<cuiSheet>(container, origin, initialLabel, initialIndex, texts, descriptor,
                                images)
{}

int iuiSh_Mch::AppendRows(int count)
{
    const int appended = ListSheetLayout::AppendRows(count);
    if (appended > 0 && Grid() != nullptr)
        Grid()->invalidateGrid();
    return appended;
}

int iuiSh_Mch::RemoveRows(int count)
{
    const GridCoord from = CurrentCell();
    RemoveSelection();
    const int removed = ListSheetLayout::RemoveRows(count);
    if (removed == 0 || Grid() == nullptr)
        return removed;
    if (from.row >= LoopMark()) {
        const int row =
            count == 1 ? std::max(from.row - 1, LoopMark()) : std::min(from.row, RowCount() - 1);
        PutCursor(from.col, row);
    }
    Grid()->invalidateGrid();
    return removed;
}
