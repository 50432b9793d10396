#include "sheets/SheetStyle.h"

#include "cells/CellFontFields.h"
#include "cells/DescriptionText.h"

#include <algorithm>
#include <iterator>

namespace {

using Setter = void (*)(SheetStyle &style, std::string_view value);

struct Property {
    std::string_view name;
    bool needsValue; // applied only when a '=' follows somewhere
    Setter apply;
};

int nonNegative(std::string_view value) { return std::max(readDecimal(value), 0); }

// First match wins, so a longer name must come before a shorter one that
// begins it.
const Property kProperties[] = {
    {"TitleString", true,
     [](SheetStyle &s, std::string_view v) {
         if (!v.empty())
             s.titleString = std::string(v);
     }},
    {"TitleColor", true,
     [](SheetStyle &s, std::string_view v) { findCellColour(v, s.titleColour); }},
    {"TitleFont", true,
     [](SheetStyle &s, std::string_view v) {
         CellFont font;
         applyFontFields(font, v);
         s.titleFont = font;
     }},
    {"FixedCols", true, [](SheetStyle &s, std::string_view v) { s.fixedCols = nonNegative(v); }},
    {"FixedRows", true, [](SheetStyle &s, std::string_view v) { s.fixedRows = nonNegative(v); }},
    {"PrintFontRatio", true,
     [](SheetStyle &s, std::string_view v) { s.printFontRatio = readDecimal(v); }},
    {"MultiSelect", true,
     [](SheetStyle &s, std::string_view v) {
         s.multiSelect = v == "Cell"   ? SheetStyle::MultiSelect::Cell
                         : v == "Line" ? SheetStyle::MultiSelect::Line
                                       : SheetStyle::MultiSelect::Off;
     }},
    {"ColSizing", false, [](SheetStyle &s, std::string_view) { s.colSizing = true; }},
    {"ColorSelectLine", false, [](SheetStyle &s, std::string_view) { s.colorSelectLine = true; }},
};

} // namespace

void SheetStyle::Apply(std::string_view property)
{
    // The only property that must match as a whole.
    if (property == "NoPrint") {
        noPrint = true;
        return;
    }
    const auto match =
        std::find_if(std::begin(kProperties), std::end(kProperties),
                     [&](const Property &p) { return property.starts_with(p.name); });
    if (match == std::end(kProperties))
        return;
    std::string_view value;
    if (!valueAfterEquals(property, value) && match->needsValue)
        return;
    match->apply(*this, value);
}
