#pragma once

#include "cells/CellBinding.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The label dispatch of the cell handler: one slot per label identifier,
// each pointing at the table row that binds it, so a lookup is one array
// access. Families are added as whole tables.
//
// A family is one function returning its table (std::span<const
// CellBinding>, rows in static storage), which the program adds once to its
// registry (CellHost::Bindings). Rows describe storage, codec and parameters
// for CellBinding::RunValue; a label that needs more gets a runner named
// after it. Neither touches the handler itself.
class CellHost;

class CellBindingRegistry
{
public:
    // Marks that other settings put on a cell (the warning check's findings),
    // added to whatever the cell's own row decides: warning and error bits
    // of cmcCellCapsule for the cell (label, index) in the host's image.
    using MarkSource = std::uint8_t (*)(CellHost &host, std::int32_t label, std::int32_t index);

    CellBindingRegistry();

    // Binds every label of every row. A label bound twice, a label outside
    // the label table or a row that names no runner, no codec or an unusable
    // storage is a fault of the tables and ends the program.
    void Add(std::span<const CellBinding> family);

    // The row of a label; nullptr when none binds it.
    const CellBinding *Find(std::int32_t label) const
    {
        return label >= 0 && static_cast<std::size_t>(label) < rows_.size()
                   ? rows_[static_cast<std::size_t>(label)]
                   : nullptr;
    }

    void SetMarkSource(MarkSource source) { markSource_ = source; }
    MarkSource Marks() const { return markSource_; }

private:
    std::vector<const CellBinding *> rows_;
    MarkSource markSource_ = nullptr;
};
