#pragma once

#include "cells/CellCodec.h"
#include "cells/CellStorage.h"

#include <cstdint>

class indCellHandler;

// One row of a label family's table: what a label (or a run of labels)
// means. Most rows are data for the standard interpreter RunValue: where the
// value lives, the codec that shows and changes it with its parameters, the
// redraw bits a change needs and a rule for the marks and the look. A row
// with its own runner is a special case; the runner is a small function
// named after the label.
struct CellBinding {
    using Runner = void (*)(indCellHandler &frame, const CellBinding &row);
    // Decides the look that depends on the value (warning or error mark,
    // "-" in silver, a menu item's flags); runs after the codec.
    using Rule = void (*)(indCellHandler &frame, const CellBinding &row, std::int32_t value);

    static constexpr std::int32_t kSameLabel = -1;
    // The row also speaks for the empty row below the last entry of a list
    // and for channels not in use (row numbers, the attribute column);
    // otherwise such rows show nothing there.
    static constexpr std::uint32_t kShowsOnEmptyRow = 0x01;

    std::int32_t label = 0;
    // Last label of a run bound by this row; kSameLabel for one label.
    std::int32_t lastLabel = kSameLabel;
    // nullptr: RunValue.
    Runner run = nullptr;
    CellStorage storage{};
    CellCodec codec = nullptr;
    CellCodecParams params{};
    // Redraw mask bits added when the value changed (bit 2 the same label
    // elsewhere, bit 3 the whole row, bit 5 every labelled cell).
    std::uint32_t redrawOnChange = 0;
    Rule rule = nullptr;
    std::uint32_t flags = 0;

    std::int32_t LastLabel() const { return lastLabel == kSameLabel ? label : lastLabel; }

    // Load the value, let the codec show and change it, store a change and
    // widen the redraw mask, then apply the rule.
    static void RunValue(indCellHandler &frame, const CellBinding &row);
    // Rows of labels that only structure sheets.
    static void RunNothing(indCellHandler &frame, const CellBinding &row);
};
