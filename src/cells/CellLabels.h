#pragma once

#include <cstdint>

// The labels of cells, made from CellLabelList.h.
enum CellLabel : std::int32_t {
#define CELL_LABEL(name) name,
#include "cells/CellLabelList.h"
#undef CELL_LABEL
};

inline constexpr std::int32_t kLabelCount = 0
#define CELL_LABEL(name) +1
#include "cells/CellLabelList.h"
#undef CELL_LABEL
    ;

// Names by identifier.
extern const char *const kCellLabelNames[kLabelCount];
