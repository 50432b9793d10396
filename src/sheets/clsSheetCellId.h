#pragma once

#include "cells/cmcCellObj.h"

// One grid row of a sheet as the first pass of the build found it: the line
// of the cells key it is built from, and whether it takes part in
// multi-selection.
struct clsSheeRowAtr {
    int line = 0;
    bool select = true;
};

// One cell slot of a sheet: the parsed cell and its selection state.
struct clsSheetCellId {
    cmcCellObj cell;
    // The row takes part in multi-selection.
    bool multiSelect = true;
    // Selected as a cell, or as part of a selected line.
    bool selected = false;
    bool lineSelected = false;

    // Drawn as selected: only rows that take part count.
    bool Highlighted() const { return multiSelect && (selected || lineSelected); }
};
