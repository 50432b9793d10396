#pragma once

#include "sheets/ListSheetLayout.h"
#include "sheets/cuiSheet.h"

// A list sheet on screen (ListSheetLayout on a cuiSheet): the rows follow
// the list's entries, and the cursor stays in the list as entries come and
// go. Which columns it shows and what they do is the overlay's and the cell
// handler's.
class iuiSh_Mch : public ListSheetLayout<cuiSheet>
{
public:
    iuiSh_Mch(QWidget *container, const cmcCellCapsule *origin, std::int32_t initialLabel,
              std::int32_t initialIndex, cmcGTex &texts, const std::string &descriptor,
              const cuiImageList *images = nullptr);

    int AppendRows(int count) override;
    // One row: the cursor moves up with it, within the list. More rows: the
    // cursor stays where it was, or on the last row left.
    int RemoveRows(int count) override;
};
