#pragma once

#include <string>
#include <vector>

class SheetLayout;

// A built sheet as plain text: one line per grid row, the cells' texts
// separated by TAB, as the sheet would show them. A cell the handler marks
// carries "!E" (error) or "!W" (warning) after its text. Line breaks and
// TABs inside a text become blanks so that the rows stay one line each.
class SheetTextDump
{
public:
    static constexpr const char *kErrorMark = "!E";
    static constexpr const char *kWarningMark = "!W";

    static std::vector<std::string> Rows(SheetLayout &layout);
};
