#include "sheets/SheetFactory.h"

#include "sheets/SheetDescriptor.h"
#include "sheets/iuiSh_ChBank.h"
#include "sheets/iuiSh_Common.h"
#include "sheets/iuiSh_Mch.h"

std::unique_ptr<cuiSheet> SheetFactory::Create(QWidget *container, const cmcCellCapsule *origin,
                                               std::int32_t initialLabel, std::int32_t initialIndex,
                                               cmcGTex &texts, const std::string &descriptor,
                                               const cuiImageList *images)
{
    switch (SheetDescriptor::Parse(descriptor).kind()) {
    case SheetDescriptor::Kind::Bank:
        return std::make_unique<iuiSh_ChBank>(container, origin, initialLabel, initialIndex, texts,
                                              descriptor, images);
    case SheetDescriptor::Kind::Common:
        return std::make_unique<iuiSh_Common>(container, origin, initialLabel, initialIndex, texts,
                                              descriptor, images);
    case SheetDescriptor::Kind::List:
        return std::make_unique<iuiSh_Mch>(container, origin, initialLabel, initialIndex, texts,
                                           descriptor, images);
    case SheetDescriptor::Kind::Plain:
        break;
    }
    return std::make_unique<cuiSheet>(container, origin, initialLabel, initialIndex, texts,
                                      descriptor, images);
}
