#pragma once

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

// The label names of src/cells/CellLabelList.h in their order, read as text
// rather than through the preprocessor, so that they check what the
// program's tables and commands made of that list. A line that is neither
// blank, a comment, a preprocessor line nor one CELL_LABEL(name) is a test
// failure, as is a list without labels: a changed format must not leave the
// tests comparing nothing.
inline std::vector<std::string> listedLabels()
{
    static const std::regex entry(R"(CELL_LABEL\(([A-Za-z_][A-Za-z0-9_]*)\))");
    const std::string path = testing_support::sourceDir() + "src/cells/CellLabelList.h";
    std::istringstream in(testing_support::readFile(path));
    std::vector<std::string> names;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        std::smatch match;
        if (std::regex_match(line, match, entry))
            names.push_back(match[1]);
        else if (!line.empty() && !line.starts_with("//") && !line.starts_with('#'))
            ADD_FAILURE() << path << ":" << number << ": not a label line: " << line;
    }
    if (names.empty())
        ADD_FAILURE() << path << ": no labels";
    return names;
}
