#pragma once

#include "HandlerTestFixture.h"

#include "cells/CellColours.h"

#include <cstdint>
#include <string>
#include <vector>

// A cell asked as a sheet asks it: what it shows, and how it takes a key, a
// typed text or the answer of the list or window it opened.

struct ShownCell {
    std::string text;
    bool silver = false;
    bool warning = false;
    bool error = false;
    int horizontal = 0;
    int vertical = 0;
    bool lowerBar = false;
};

inline ShownCell drawCell(std::int32_t category, std::int32_t label, int index)
{
    cmcCellObj cell = cellOf(category, label, index);
    Request request(cell);
    request.run(kHandlerDraw);
    return {request.capsule.outputText,
            cell.font && cell.font->colour == kColourSilver,
            (request.capsule.stateBits & cmcCellCapsule::kStateWarning) != 0,
            (request.capsule.stateBits & cmcCellCapsule::kStateError) != 0,
            cell.HorizontalAlign(),
            cell.VerticalAlign(),
            request.capsule.lowerBar};
}

// The redraw masks the handler asked for.
inline std::vector<std::uint32_t> pressCell(std::int32_t category, std::int32_t label, int index,
                                            std::int32_t key)
{
    cmcCellObj cell = cellOf(category, label, index);
    Request request(cell, key);
    // Keys count only on a grid the user works in; the handler never
    // touches the grid for these cells.
    int grid = 0;
    request.capsule.grid = reinterpret_cast<cuiGrid *>(&grid);
    request.run(kHandlerAction);
    return request.masks;
}

inline void typeIntoCell(std::int32_t category, std::int32_t label, int index,
                         const std::string &text)
{
    cmcCellObj cell = cellOf(category, label, index);
    Request request(cell);
    request.capsule.inputMode = cmcCellCapsule::kInputText;
    request.capsule.inputText = text;
    request.run(kHandlerAction);
}

// The answer of a list (entry `entry` of style `style`) or of a window
// (style 1, with its text).
inline void answerCell(std::int32_t category, std::int32_t label, int index, std::int32_t style,
                       std::int32_t entry, const std::string &text = {})
{
    cmcCellObj cell = cellOf(category, label, index);
    cmcCellObj answering = cellOf(CT_Null, style, entry);
    cmcCellCapsule list;
    list.cell = &answering;
    Request request(cell);
    request.capsule.origin = &list;
    request.capsule.inputMode = cmcCellCapsule::kInputChosen;
    request.capsule.inputText = text;
    request.run(kHandlerAction);
}
