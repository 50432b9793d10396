#pragma once

#include "sheets/CommonSheetLayout.h"
#include "sheets/cuiSheet.h"

// A common settings page on screen (CommonSheetLayout on a cuiSheet): its
// lines follow the model's capabilities.
class iuiSh_Common : public CommonSheetLayout<cuiSheet>
{
public:
    iuiSh_Common(QWidget *container, const cmcCellCapsule *origin, std::int32_t initialLabel,
                 std::int32_t initialIndex, cmcGTex &texts, const std::string &descriptor,
                 const cuiImageList *images = nullptr);
};
