#pragma once

#include "cells/CellColours.h"
#include "cells/CellFont.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The sheet-wide settings of the "_Style" key: a title bar, fixed columns
// and rows, printing, multi-selection and column sizing. Unknown properties
// are ignored so that overlays may carry settings of other sheet kinds.
struct SheetStyle {
    enum class MultiSelect { Off, Cell, Line };

    static constexpr std::uint32_t kDefaultTitleColour = kColourGrayText;

    // Empty: no title bar.
    std::string titleString;
    std::uint32_t titleColour = kDefaultTitleColour;
    // None: the base cell's font.
    std::optional<CellFont> titleFont;
    int fixedCols = 0;
    int fixedRows = 0;
    bool noPrint = false;
    int printFontRatio = 100;
    MultiSelect multiSelect = MultiSelect::Off;
    bool colSizing = false;
    bool colorSelectLine = false;

    // One property as written between the parentheses, e.g. "FixedCols=2".
    // Names match by prefix and case; the value is the text after the first
    // '='.
    void Apply(std::string_view property);
};
