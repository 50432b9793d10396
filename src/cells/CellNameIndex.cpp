#include "cells/CellNameIndex.h"

#include "cells/CellIdentifiers.h"
#include "platform/FatalError.h"

#include <string>

CellNameIndex::CellNameIndex(std::span<const char *const> categories,
                             std::span<const char *const> labels)
    : categories_(categories), labels_(labels)
{}

void CellNameIndex::enter(cmcHash &index, std::span<const char *const> names)
{
    std::int32_t id = 0;
    for (const char *name : names)
        index.Insert(name, id++);
}

bool CellNameIndex::find(std::span<const char *const> names, std::string_view name,
                         std::int32_t &id) const
{
    const auto *node = index_.Find(name);
    // The table is shared, so a hit may belong to the other vocabulary.
    if (node == nullptr || node->value < 0 ||
        node->value >= static_cast<std::int32_t>(names.size()))
        return false;
    if (names[static_cast<std::size_t>(node->value)] != name)
        return false;
    id = node->value;
    return true;
}

bool CellNameIndex::lookup(std::span<const char *const> names, bool &entered, std::string_view name,
                           std::int32_t &id)
{
    if (name.empty()) {
        id = static_cast<std::int32_t>(names.size());
        return true;
    }
    if (!entered) {
        entered = true;
        enter(index_, names);
    }
    return find(names, name, id);
}

bool CellNameIndex::FindCategory(std::string_view name, std::int32_t &id)
{
    return lookup(categories_, categoriesEntered_, name, id);
}

bool CellNameIndex::FindLabel(std::string_view name, std::int32_t &id)
{
    return lookup(labels_, labelsEntered_, name, id);
}

std::int32_t CellNameIndex::CategoryId(std::string_view name)
{
    std::int32_t id = 0;
    if (!FindCategory(name, id)) {
        platform::fatalError(unknownCategoryText(name));
    }
    return id;
}

std::int32_t CellNameIndex::LabelId(std::string_view name)
{
    std::int32_t id = 0;
    if (!FindLabel(name, id)) {
        platform::fatalError(unknownLabelText(name));
    }
    return id;
}

CellNameIndex &cellNameIndex()
{
    static CellNameIndex index(kCellCategoryNames, kCellLabelNames);
    return index;
}
