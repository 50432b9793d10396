#pragma once

#include "CellRequests.h"

#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"

#include <cstdint>
#include <span>
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

    // A setting of a common sheet: one byte as stored and shown, then typed
    // (or stepped with Space) and stored.
    struct CommonCase {
        std::int32_t label;
        std::int32_t at;
        std::uint8_t stored;
        const char *shown;
        const char *typed; // nullptr: Space
        std::uint8_t after;
    };
    void checkCommonSettings(std::int32_t category, std::span<const CommonCase> cases)
    {
        for (const CommonCase &c : cases) {
            setByte(c.at, c.stored);
            EXPECT_EQ(shown(category, c.label), c.shown) << cellLabelName(c.label);
            if (c.typed != nullptr)
                typeIntoCell(category, c.label, 0, c.typed);
            else
                pressCell(category, c.label, 0, ' ');
            EXPECT_EQ(byteAt(c.at), c.after) << cellLabelName(c.label);
        }
    }
};
