#pragma once

#include "CellRequests.h"

#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"

#include <cstdint>
#include <string>
#include <vector>

// Cells of the DTMF, 2-tone and 5-tone sheets on the program's own overlays
// and initial file, with the bytes of the working image they stand for.
class SignallingCells : public HandlerTest
{
protected:
    SignallingCells() : HandlerTest(true) {}

    cmcEeprom &image() { return model->WorkingImage(); }
    std::uint8_t byteAt(std::int32_t address) { return image().GetByte(address); }
    void setByte(std::int32_t address, std::uint8_t value) { image().SetByte(address, value); }
    void setBytes(std::int32_t address, const std::vector<std::uint8_t> &bytes)
    {
        for (std::uint8_t value : bytes)
            setByte(address++, value);
    }
    std::vector<std::uint8_t> bytesAt(std::int32_t address, int count)
    {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < count; ++i)
            bytes.push_back(byteAt(address + i));
        return bytes;
    }
    int word(std::int32_t address) { return byteAt(address) << 8 | byteAt(address + 1); }
    void setWord(std::int32_t address, int value)
    {
        setByte(address, static_cast<std::uint8_t>(value >> 8));
        setByte(address + 1, static_cast<std::uint8_t>(value));
    }
    std::string textAt(std::int32_t address, int count)
    {
        std::string text;
        for (std::uint8_t value : bytesAt(address, count))
            text += static_cast<char>(value);
        return text;
    }

    std::string shown(std::int32_t category, std::int32_t label, int index = 0)
    {
        return drawCell(category, label, index).text;
    }
};
