#pragma once

#include <cstdint>
#include <memory>
#include <string>

class QWidget;
class cmcCellCapsule;
class cmcGTex;
class cuiImageList;
class cuiSheet;

// The sheet class a descriptor names, on screen: "[St_ChBank]" the channel
// list of a bank (iuiSh_ChBank), "[St_Common]" a common settings page
// (iuiSh_Common), a tag starting with D, M, Q, R, X, q or x a list sheet
// (iuiSh_Mch), anything else the plain cuiSheet. The arguments are the
// sheets' own.
class SheetFactory
{
public:
    static std::unique_ptr<cuiSheet> Create(QWidget *container, const cmcCellCapsule *origin,
                                            std::int32_t initialLabel, std::int32_t initialIndex,
                                            cmcGTex &texts, const std::string &descriptor,
                                            const cuiImageList *images = nullptr);
};
