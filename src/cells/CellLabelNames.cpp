#include "cells/CellLabels.h"

const char *const kCellLabelNames[kLabelCount] = {
#define CELL_LABEL(name) #name,
#include "cells/CellLabelList.h"
#undef CELL_LABEL
};
