#pragma once

#include <cstdint>
#include <string_view>

// Cell categories: the kind of record a cell belongs to, made from
// CellCategoryList.h. One past the last category means no category.
enum CellCategory : std::int32_t {
#define CELL_CATEGORY(name, recordTable) name,
#include "cells/CellCategoryList.h"
#undef CELL_CATEGORY
};

inline constexpr std::int32_t kCategoryCount = 0
#define CELL_CATEGORY(name, recordTable) +1
#include "cells/CellCategoryList.h"
#undef CELL_CATEGORY
    ;
inline constexpr std::int32_t kNoCategory = kCategoryCount;

// Names by identifier.
extern const char *const kCellCategoryNames[kCategoryCount];

// The name of a category identifier; empty for no category and for anything
// that is not an identifier.
std::string_view cellCategoryName(std::int32_t category);

// The record table of the working layout that a category's cells belong to,
// 0 when the category has none (no category included). The memory channel
// categories depend on the model type: table 1 for type 0, table 2 for type
// 1, none for anything else. An identifier outside 0..37 is a fault of the
// caller and ends the program.
std::int32_t cellRecordTable(std::int32_t category, std::int32_t modelType);
// The same for the model type of the settings.
std::int32_t cellRecordTable(std::int32_t category);
