#pragma once

#include "cells/CellHandler.h"

#include <cstdint>

class cmcCellObj;
class QObject;

// What a click on a menu item or tool button does when the builder's own
// handling (the item's cell to the cell handler with the Enter code) is not
// wanted: a sheet's context menu turns the item's label into a command for
// its current cell. The cell passed is a copy that stays valid for the whole
// call, even when the call rebuilds the menu.
struct cuiMenuClick {
    void (*function)(void *context, const cmcCellObj &itemCell) = nullptr;
    void *context = nullptr;

    // Small values are resource numbers or error codes, never functions.
    bool bound() const { return reinterpret_cast<std::uintptr_t>(function) >= 65536; }
    void operator()(const cmcCellObj &itemCell) const
    {
        if (bound())
            function(context, itemCell);
    }

    // The builders' own handling: the item's cell goes to the handler with
    // the Enter code in mode 0, with `origin` (a sheet's current cell) when
    // one is given.
    static void SendEnter(cmcCellHandler handler, QObject *owner, const cmcCellObj &itemCell,
                          const cmcCellObj *origin);
};
