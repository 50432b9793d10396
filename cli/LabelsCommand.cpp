#include "LabelsCommand.h"

#include "CommandTable.h"

#include "cells/CellIdentifiers.h"

#include <cstdio>
#include <string_view>

int runLabelsCommand(const std::vector<std::string> &arguments)
{
    if (!arguments.empty()) {
        printCommandUsage("labels", stderr);
        return 2;
    }
    for (std::int32_t label = 0; label < kLabelCount; ++label) {
        const std::string_view name = cellLabelName(label);
        std::fwrite(name.data(), 1, name.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
