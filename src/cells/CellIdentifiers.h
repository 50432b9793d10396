#pragma once

#include "cells/CellCategories.h"
#include "cells/CellLabels.h"

#include <cstdint>
#include <string>
#include <string_view>

// One past the last label: a cell without a label.
inline constexpr std::int32_t kNoLabel = kLabelCount;

// Identifiers of the names that cell descriptions use. The empty name gives
// "none"; an unknown name is a fault of the text database and ends the
// program ("Cannot use the specified category/cell.").
std::int32_t cellCategoryId(std::string_view name);
std::int32_t cellLabelId(std::string_view name);

// The same without the fatal end, for checking descriptions.
bool findCellCategoryId(std::string_view name, std::int32_t &id);
bool findCellLabelId(std::string_view name, std::int32_t &id);

// The name of a label identifier; empty for no label and for anything that
// is not an identifier.
std::string_view cellLabelName(std::int32_t label);

// The texts of the faults of unknown names.
std::string unknownCategoryText(std::string_view name);
std::string unknownLabelText(std::string_view name);
