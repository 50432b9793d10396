#include "cells/cmcCellObj.h"

#include "cells/CellDescriptionParser.h"

namespace {

const std::string kNoText;

} // namespace

std::string_view cmcCellObj::Parse(std::string_view line, std::int32_t *counters,
                                   const cmcCellObj *parentCell, bool splitOnly,
                                   CellFaultReport *faults)
{
    const std::size_t end = CellDescriptionParser::CellEnd(line);
    const std::string_view rest = end < line.size() ? line.substr(end + 1) : std::string_view{};
    ResetFromParent(parentCell);
    if (!splitOnly) {
        channelCounters = counters;
        CellDescriptionParser(*this, faults).Apply(line.substr(0, end));
    }
    channelCounters = nullptr;
    return rest;
}

// Without a parent the whole cell goes back to its defaults; keeping the
// identity of whatever was parsed into this object before would hand a stale
// category and index to the next description.
void cmcCellObj::ResetFromParent(const cmcCellObj *parentCell)
{
    if (parentCell == this)
        return;
    if (parentCell == nullptr) {
        *this = cmcCellObj();
        return;
    }
    *this = *parentCell;
    parent = parentCell;
    font.reset();
    popupMenu.reset();
}

const std::string &cmcCellObj::GetText() const { return text ? *text : kNoText; }

const std::string *cmcCellObj::PopupMenuName() const
{
    for (const cmcCellObj *cell = this; cell != nullptr; cell = cell->parent) {
        if (cell->popupMenu && !cell->popupMenu->empty())
            return &*cell->popupMenu;
    }
    return nullptr;
}

const CellFont *cmcCellObj::FontInUse() const
{
    for (const cmcCellObj *cell = this; cell != nullptr; cell = cell->parent) {
        if (cell->font)
            return &*cell->font;
    }
    return nullptr;
}

bool cmcCellObj::UserFlag(int n) const
{
    if (n < 0 || n >= kUserFlagCount)
        return false;
    return n < 4 ? (flags2 >> (4 + n)) & 1 : (flags3 >> (n - 4)) & 1;
}

void cmcCellObj::SetUserFlag(int n, bool on)
{
    if (n < 0 || n >= kUserFlagCount)
        return;
    std::uint8_t &flags = n < 4 ? flags2 : flags3;
    const auto bit = static_cast<std::uint8_t>(n < 4 ? 1u << (4 + n) : 1u << (n - 4));
    flags = static_cast<std::uint8_t>(on ? flags | bit : flags & ~bit);
}
