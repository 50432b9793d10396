#include "sheets/cmcScrBlock.h"

#include "cells/DescriptionText.h"

void cmcScrBlock::Parse(std::string_view text)
{
    name_.clear();
    items_.clear();
    const std::size_t blank = text.find(' ');
    name_ = std::string(trimBlanks(text.substr(0, blank)));
    if (blank == std::string_view::npos)
        return;
    std::string_view rest = text.substr(blank + 1);
    for (;;) {
        const std::size_t comma = rest.find(',');
        items_.emplace_back(trimBlanks(rest.substr(0, comma)));
        if (comma == std::string_view::npos)
            return;
        rest.remove_prefix(comma + 1);
    }
}

const std::string &cmcScrBlock::Item(int n) const
{
    static const std::string none;
    return n >= 0 && n < ItemCount() ? items_[static_cast<std::size_t>(n)] : none;
}
