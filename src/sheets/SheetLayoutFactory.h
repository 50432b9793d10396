#pragma once

#include "sheets/SheetLayout.h"

#include <memory>
#include <string>

class cmcCellCapsule;
class cmcGTex;

// The window-free sheet for a descriptor, of the class the descriptor names:
// "[St_ChBank]" the channel list of a bank, "[St_Common]" a common settings
// page, a tag starting with D, M, Q, R, X, q or x a list sheet, anything
// else the plain sheet. The command-line tool and the overlay checker build
// sheets with it, so that they see what the desktop program shows.
class SheetLayoutFactory
{
public:
    static std::unique_ptr<SheetLayout> Create(cmcGTex &texts, const std::string &descriptor,
                                               const cmcCellCapsule *origin = nullptr,
                                               std::int32_t initialLabel = 0,
                                               std::int32_t initialIndex = 0);
};
