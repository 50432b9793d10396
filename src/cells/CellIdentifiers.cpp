#include "cells/CellIdentifiers.h"

#include "cells/CellNameIndex.h"
#include "platform/FatalError.h"

std::int32_t cellCategoryId(std::string_view name) { return cellNameIndex().CategoryId(name); }

std::int32_t cellLabelId(std::string_view name) { return cellNameIndex().LabelId(name); }

bool findCellCategoryId(std::string_view name, std::int32_t &id)
{
    return cellNameIndex().FindCategory(name, id);
}

bool findCellLabelId(std::string_view name, std::int32_t &id)
{
    return cellNameIndex().FindLabel(name, id);
}

std::string_view cellLabelName(std::int32_t label)
{
    if (label < 0 || label >= kLabelCount)
        return {};
    return kCellLabelNames[label];
}

std::string unknownCategoryText(std::string_view name)
{
    return platform::formatText("Cannot use the specified category.\n'%s'", std::string(name));
}

std::string unknownLabelText(std::string_view name)
{
    return platform::formatText("Cannot use the specified cell.\n'%s'", std::string(name));
}
