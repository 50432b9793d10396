#pragma once

#include "cells/CellCategories.h"
#include "cells/CellColours.h"
#include "cells/CellFont.h"
#include "cells/CellLabels.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CellFaultReport;

// One parsed cell description: the look, behaviour flags, identity and
// static text of a grid cell, menu item, tool button, tree node or list
// entry. A cell is parsed against a parent (the sheet's or menu's base cell)
// and starts as a copy of it, so a description states only what differs.
// Font and popup menu are not copied from the parent but found through it
// when used.
class cmcCellObj
{
public:
    // Bits of flags1.
    static constexpr std::uint8_t kAlignHorizontal = 0x03; // 0 left, 1 centre, 2 right
    static constexpr std::uint8_t kAlignVertical = 0x0C;   // 0 top, 1 middle, 2 bottom
    static constexpr std::uint8_t kWiden = 0x10;           // W
    static constexpr std::uint8_t kHeighten = 0x20;        // H
    static constexpr std::uint8_t kJoined = 0x40;          // +
    static constexpr std::uint8_t kBottomLine = 0x80;      // B
    // Bits of flags2; bits 4-7 are the user flags 0-3, bits 0-4 of flags3
    // the user flags 4-8.
    static constexpr std::uint8_t kRightLine = 0x03;  // 0 none, 1 full (X), 2 lower 30 % (Q)
    static constexpr std::uint8_t kSelectable = 0x04; // S
    static constexpr std::uint8_t kTrailer = 0x08;    // T
    static constexpr int kUserFlagCount = 9;
    static constexpr int kChannelCounterCount = 10;
    static constexpr std::uint32_t kDefaultBackground = kColourWindow;

    cmcCellObj() = default;
    ~cmcCellObj() = default;
    cmcCellObj(const cmcCellObj &) = default;
    cmcCellObj &operator=(const cmcCellObj &) = default;

    // Takes the first cell off `line` (up to the first '|' that no backslash
    // escapes), makes this cell a copy of `parent` and, unless `splitOnly`,
    // applies the cell's description. Returns the rest of the line after the
    // '|'; callers repeat until the rest is empty, so an empty line holds no
    // cell and "|A|" two. `counters` (ten of them) are the @ch counters of the
    // sheet being built, or nullptr where none exist (base cells, menus). A
    // faulty description ends the program unless `faults` takes the reports,
    // in which case the faulty element is skipped.
    std::string_view Parse(std::string_view line, std::int32_t *counters, const cmcCellObj *parent,
                           bool splitOnly, CellFaultReport *faults = nullptr);

    // Becomes a copy of the parent without font and popup menu, or a default
    // cell when there is no parent.
    void ResetFromParent(const cmcCellObj *parent);

    void SetText(std::string_view value) { text = std::string(value); }
    // Empty when the cell has no text.
    const std::string &GetText() const;

    // The popup menu name of this cell or, when it has none or an empty one,
    // of its nearest ancestor that has one; nullptr when none has.
    const std::string *PopupMenuName() const;
    // The cell's own font or its nearest ancestor's; nullptr when none has.
    const CellFont *FontInUse() const;

    int HorizontalAlign() const { return flags1 & kAlignHorizontal; }
    int VerticalAlign() const { return (flags1 & kAlignVertical) >> 2; }
    bool Widen() const { return (flags1 & kWiden) != 0; }
    bool Heighten() const { return (flags1 & kHeighten) != 0; }
    bool Joined() const { return (flags1 & kJoined) != 0; }
    bool BottomLine() const { return (flags1 & kBottomLine) != 0; }
    int RightLine() const { return flags2 & kRightLine; }
    bool Selectable() const { return (flags2 & kSelectable) != 0; }
    bool Trailer() const { return (flags2 & kTrailer) != 0; }
    // User flags 0-8; other numbers read false and are not stored.
    bool UserFlag(int n) const;
    void SetUserFlag(int n, bool on);

    bool HasLabel() const { return label != kLabelCount; }

    const cmcCellObj *parent = nullptr;
    // Set only while a description is parsed.
    std::int32_t *channelCounters = nullptr;
    std::int32_t category = kNoCategory;
    std::int32_t label = kLabelCount; // no label
    std::int32_t index = 0;
    // Shortcut text of a menu item, alternative text of a list entry.
    std::optional<std::string> suffix;
    std::int32_t imageIndex = -1;
    std::uint8_t flags1 = 0;
    std::uint8_t flags2 = 0;
    std::uint8_t flags3 = 0;
    std::uint32_t background = kDefaultBackground;
    std::optional<CellFont> font;
    std::optional<std::string> popupMenu;
    std::optional<std::string> text;
};
