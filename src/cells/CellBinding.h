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
//
// A run of labels (..._0 ... ..._6) shares one row; with a storage step per
// label (CellStorage::stepPerLabel) each label of the run reads its own
// value.
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
    // The row's image bits are also another row's on purpose (two labels
    // showing one setting, a field inside a wider one); the storage-map
    // check lets such rows overlap.
    static constexpr std::uint32_t kSharedBits = 0x02;

    std::int32_t label = 0;
    // Last label of a run bound by this row; kSameLabel for one label.
    std::int32_t lastLabel = kSameLabel;
    // nullptr: RunValue.
    Runner run = nullptr;
    CellStorage storage{};
    CellCodec codec{};
    // A second value the codec reads but never changes (the display font
    // size of names, the 5-tone group code), handed over as the request's
    // `context`; none: 0.
    CellStorage context{};
    // What the row's runner or rule needs beyond the value (a record table,
    // the base of the index); codecs carry their own parameters.
    std::int32_t argument = 0;
    // Redraw mask bits (cmcCellCapsule::RedrawBit) added when the value
    // changed: other cells that show it or depend on it.
    std::uint32_t redrawOnChange = 0;
    Rule rule = nullptr;
    std::uint32_t flags = 0;

    std::int32_t LastLabel() const { return lastLabel == kSameLabel ? label : lastLabel; }
    // The place of `cellLabel` in the row's run, 0 for its first label.
    std::int32_t PositionOf(std::int32_t cellLabel) const { return cellLabel - label; }

    // Load the value, let the codec answer the request, carry out the answer
    // (text, look, what to open), store a new value and widen the redraw
    // mask, then apply the rule. A value of bytes goes to a codec of bytes;
    // a row whose storage and codec disagree on that is broken and stops
    // the program. The rule of a byte value sees 0.
    static void RunValue(indCellHandler &frame, const CellBinding &row);
    // Rows of labels that only structure sheets.
    static void RunNothing(indCellHandler &frame, const CellBinding &row);
};
