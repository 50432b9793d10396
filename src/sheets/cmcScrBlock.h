#pragma once

#include <string>
#include <string_view>
#include <vector>

// A sheet tag read as a name and a list of items: "Bank 0" names "Bank"
// with the item "0", "M P,3" names "M" with the items "P" and "3". The name
// ends at the first blank; the items follow it, separated by commas. Both
// are trimmed of blanks and tabs.
class cmcScrBlock
{
public:
    cmcScrBlock() = default;
    explicit cmcScrBlock(std::string_view text) { Parse(text); }

    void Parse(std::string_view text);

    const std::string &Name() const { return name_; }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    // An item beyond the list reads as empty.
    const std::string &Item(int n) const;

private:
    std::string name_;
    std::vector<std::string> items_;
};
