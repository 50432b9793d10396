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

// The same requests as HandlerTestFixture.h makes, naming the cell by its
// identity.
inline std::vector<std::uint32_t> pressCell(std::int32_t category, std::int32_t label, int index,
                                            std::int32_t key)
{
    return pressKey(cellOf(category, label, index), key);
}

inline void typeIntoCell(std::int32_t category, std::int32_t label, int index,
                         const std::string &text)
{
    typeInto(cellOf(category, label, index), text);
}

inline void answerCell(std::int32_t category, std::int32_t label, int index, std::int32_t style,
                       std::int32_t entry, const std::string &text = {})
{
    chooseFor(cellOf(category, label, index), style, entry, text);
}
