#include "sheets/cuiMenuClick.h"

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"

void cuiMenuClick::SendEnter(cmcCellHandler handler, QObject *owner, const cmcCellObj &itemCell,
                             const cmcCellObj *origin)
{
    if (handler == nullptr)
        return;
    // Copies: the handler may change the cells it is given, and the item's
    // own cell may go with a rebuild the command makes.
    cmcCellObj cell = itemCell;
    cmcCellCapsule capsule;
    capsule.ownerControl = owner;
    capsule.cell = &cell;
    capsule.code = cmcCellCapsule::kCodeEnter;
    cmcCellObj originCell;
    cmcCellCapsule originCapsule;
    if (origin != nullptr) {
        originCell = *origin;
        originCapsule.cell = &originCell;
        capsule.origin = &originCapsule;
    }
    indActiveCell context;
    handler(&context, capsule, kHandlerDraw);
}
