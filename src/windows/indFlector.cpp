#include "windows/indFlector.h"

#include "cells/cmcCellCapsule.h"
#include "sheets/iuiSh_Mch.h"

indFlector *indFlector::Open(const cmcCellCapsule &opening, std::int32_t style,
                             std::int32_t current, cmcGTex &texts, const std::string &sheetKey,
                             const std::string &listTag)
{
    auto *owner = qobject_cast<QWidget *>(opening.ownerControl);
    if (owner == nullptr)
        return nullptr;
    auto *popup = new indFlector(owner, texts, sheetKey,
                                 static_cast<const cuiImageList *>(opening.imageList), listTag);
    popup->Start(opening, style, current);
    return popup;
}

indFlector::indFlector(QWidget *owner, cmcGTex &texts, std::string sheetKey,
                       const cuiImageList *images, std::string listTag)
    : cuiFlector(owner, texts, std::move(sheetKey), images), listTag_(std::move(listTag))
{}

std::unique_ptr<cuiSheet> indFlector::CreateSheet(QWidget *container, const cmcCellCapsule &opening,
                                                  std::int32_t style, std::int32_t current)
{
    auto sheet = std::make_unique<iuiSh_Mch>(container, &opening, style, current, Texts(),
                                             SheetKey(), Images());
    sheet->SetTag(listTag_);
    return sheet;
}
