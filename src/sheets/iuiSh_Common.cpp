#include "sheets/iuiSh_Common.h"

iuiSh_Common::iuiSh_Common(QWidget *container, const cmcCellCapsule *origin,
                           std::int32_t initialLabel, std::int32_t initialIndex, cmcGTex &texts,
                           const std::string &descriptor, const cuiImageList *images)
    : CommonSheetLayout<cuiSheet>(container, origin, initialLabel, initialIndex, texts, descriptor,
                                  images)
{}
