#include "cells/CellCategories.h"

#include "platform/FatalError.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include <string>

const char *const kCellCategoryNames[kCategoryCount] = {
#define CELL_CATEGORY(name, recordTable) #name,
#include "cells/CellCategoryList.h"
#undef CELL_CATEGORY
};

namespace {

// Stands for the model-dependent table of the memory channel categories.
constexpr std::int32_t kChannelTable = -1;

// By identifier, with a last entry for no category.
constexpr std::int32_t kRecordTables[kCategoryCount + 1] = {
#define CELL_CATEGORY(name, recordTable) recordTable,
#include "cells/CellCategoryList.h"
#undef CELL_CATEGORY
    0, // no category
};

std::int32_t channelTable(std::int32_t modelType)
{
    switch (modelType) {
    case 0:
        return 1;
    case 1:
        return 2;
    default:
        return 0;
    }
}

} // namespace

std::string_view cellCategoryName(std::int32_t category)
{
    if (category < 0 || category >= kCategoryCount)
        return {};
    return kCellCategoryNames[category];
}

std::int32_t cellRecordTable(std::int32_t category, std::int32_t modelType)
{
    if (category < 0 || category > kNoCategory) {
        platform::fatalError(
            platform::formatText("Unknown Cell Category. (%s)", std::to_string(category)));
    }
    const std::int32_t table = kRecordTables[category];
    return table == kChannelTable ? channelTable(modelType) : table;
}

std::int32_t cellRecordTable(std::int32_t category)
{
    return cellRecordTable(category, environment().modelType);
}
