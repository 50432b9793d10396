#include "cells/CellBindingRegistry.h"

#include "cells/CellIdentifiers.h"
#include "platform/FatalError.h"

#include <string>

namespace {

std::string labelText(std::int32_t label)
{
    const std::string_view name = cellLabelName(label);
    return name.empty() ? std::to_string(label) : std::string(name);
}

bool rowIsUsable(const CellBinding &row)
{
    return (row.run != nullptr || static_cast<bool>(row.codec)) && row.storage.IsWellFormed();
}

} // namespace

CellBindingRegistry::CellBindingRegistry() : rows_(static_cast<std::size_t>(kLabelCount), nullptr)
{}

void CellBindingRegistry::Add(std::span<const CellBinding> family)
{
    for (const CellBinding &row : family) {
        if (row.label < 0 || row.LastLabel() >= kLabelCount || row.LastLabel() < row.label)
            platform::fatalError(platform::formatText("A cell binding names no label ('%s').",
                                                      labelText(row.label)));
        if (!rowIsUsable(row))
            platform::fatalError(platform::formatText("The cell binding of '%s' cannot be used.",
                                                      labelText(row.label)));
        for (std::int32_t label = row.label; label <= row.LastLabel(); ++label) {
            const CellBinding *&slot = rows_[static_cast<std::size_t>(label)];
            if (slot != nullptr)
                platform::fatalError(
                    platform::formatText("The cell label '%s' is bound twice.", labelText(label)));
            slot = &row;
        }
    }
}
