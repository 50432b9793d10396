#include "cells/cmcCellCapsule.h"

#include "cells/CellCategories.h"
#include "cells/cmcCellObj.h"

#include <iterator>

bool cmcCellCapsule::RedrawMatches(std::uint32_t mask, const cmcCellObj &addressed,
                                   const cmcCellObj &cell)
{
    const bool sameLabel = cell.label == addressed.label;
    const bool sameIndex = cell.index == addressed.index;
    const bool sameCategory = cell.category == addressed.category;
    const bool indexComparable = addressed.category != kNoCategory && cell.HasLabel();
    const std::int64_t distance = std::int64_t{cell.index} - addressed.index;

    const bool matches[] = {
        sameLabel && sameIndex,
        sameCategory,
        sameLabel,
        indexComparable && sameIndex,
        sameCategory && cell.HasLabel() && distance >= -1 && distance <= 1,
        cell.HasLabel(),
        indexComparable && distance >= 0,
        indexComparable && distance <= 0,
    };
    for (std::uint32_t bit = 0; bit < std::size(matches); ++bit) {
        if ((mask & (1u << bit)) != 0 && matches[bit])
            return true;
    }
    return false;
}
