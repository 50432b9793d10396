#pragma once

#include "HandlerTestFixture.h"

#include "cells/CellColours.h"
#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"

#include <cstdint>
#include <string>
#include <vector>

// Cells of the radio-wide settings sheets (category CT_Null, index 0) on the
// program's own overlays and initial file: what a cell shows, and what a
// key, a typed text or a list's answer stores in the working image.
class SettingCells : public HandlerTest
{
protected:
    SettingCells() : HandlerTest(true) {}

    struct Shown {
        std::string text;
        bool silver = false;
        bool warning = false;
        bool error = false;
        int horizontal = 0;
    };
    Shown draw(std::int32_t label, std::int32_t index = 0)
    {
        cmcCellObj cell = cellOf(CT_Null, label, index);
        Request request(cell);
        request.run(kHandlerDraw);
        return {request.capsule.outputText, cell.font && cell.font->colour == kColourSilver,
                (request.capsule.stateBits & cmcCellCapsule::kStateWarning) != 0,
                (request.capsule.stateBits & cmcCellCapsule::kStateError) != 0,
                cell.HorizontalAlign()};
    }
    std::vector<std::uint32_t> press(std::int32_t label, std::int32_t key, std::int32_t index = 0)
    {
        return pressKey(cellOf(CT_Null, label, index), key);
    }
    void type(std::int32_t label, const std::string &text, std::int32_t index = 0)
    {
        typeInto(cellOf(CT_Null, label, index), text);
    }
    void choose(std::int32_t label, std::int32_t entry, std::int32_t style = Flex0)
    {
        chooseFor(cellOf(CT_Null, label), style, entry);
    }

    std::uint8_t byteAt(std::int32_t address) { return model->WorkingImage().GetByte(address); }
    void setByte(std::int32_t address, std::uint8_t value)
    {
        model->WorkingImage().SetByte(address, value);
    }
    std::string bytesAt(std::int32_t address, int count)
    {
        std::string bytes;
        for (int i = 0; i < count; ++i)
            bytes += static_cast<char>(byteAt(address + i));
        return bytes;
    }
    void setBytes(std::int32_t address, const std::string &bytes)
    {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            setByte(address + static_cast<std::int32_t>(i), static_cast<std::uint8_t>(bytes[i]));
    }
    // A big-endian word, as the radio keeps numbers wider than a byte.
    int word(std::int32_t address) { return byteAt(address) << 8 | byteAt(address + 1); }
    void setWord(std::int32_t address, int value)
    {
        setByte(address, static_cast<std::uint8_t>(value >> 8));
        setByte(address + 1, static_cast<std::uint8_t>(value));
    }
};
