#pragma once

#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The sheet fixtures: the cell models live in the main text database (the
// description language reads them there); a test's own small sheets come
// as lines held in memory.
inline std::string sheetFixture() { return testing_support::fixtureDir() + "sheets/sheets.ovl"; }

inline void openSheetFixture() { mainTextDatabase().Open(sheetFixture()); }

// The three keys of one sheet: "_Style", "_BasicCell" and "_Cells".
inline std::vector<std::string> sheetKeys(const std::string &prefix, const std::string &style,
                                          const std::vector<std::string> &cells,
                                          const std::string &baseCell = "{($Basic)}")
{
    std::vector<std::string> lines{"#" + prefix + "_Style", style, "#" + prefix + "_BasicCell",
                                   baseCell, "#" + prefix + "_Cells"};
    lines.insert(lines.end(), cells.begin(), cells.end());
    lines.push_back("#");
    return lines;
}

// A text database on lines held by the test.
class InlineTexts
{
public:
    explicit InlineTexts(std::vector<std::string> lines) : lines_(std::move(lines))
    {
        lines_.push_back("#End_Of_Ovl");
        texts_.SetItems(&lines_);
    }
    cmcGTex &texts() { return texts_; }

private:
    std::vector<std::string> lines_;
    cmcGTex texts_;
};

// A death-test pattern that matches the fatal report of `text` exactly.
inline std::string fatalPattern(const std::string &program, const std::string &text)
{
    std::string pattern = program + ": ";
    for (char c : text) {
        if (std::string("().[]{}*+?|^$\\").find(c) != std::string::npos)
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}
