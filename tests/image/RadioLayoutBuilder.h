#pragma once

#include "image/ImageWords.h"
#include "image/LayoutConversion.h"
#include "image/MultiTableShadows.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Writes a radio layout by hand: a table header, directory entries and
// block bytes at chosen addresses, with any base, so that tests can hand the
// conversions layouts of other firmware versions and broken ones.
class RadioLayoutBuilder
{
public:
    struct Entry {
        uint16_t id;
        uint16_t recordSize;
        uint16_t count;
        uint16_t address;
    };

    explicit RadioLayoutBuilder(cmcEeprom &image, uint16_t base = 0x0200)
        : image_(image), base_(base)
    {
        image_words::write16(image_, working_layout::kBaseAddress, base);
    }

    // The image offset of a table address.
    int32_t offsetOf(uint16_t address) const
    {
        return working_layout::kParameterArea + (int32_t{address} - base_);
    }

    void addEntry(const Entry &entry) { entries_.push_back(entry); }

    // Fills the block's bytes with value + (index of the byte), so that every
    // copied byte can be told apart.
    void addBlock(const Entry &entry, uint8_t value)
    {
        addEntry(entry);
        const int32_t at = offsetOf(entry.address);
        for (int32_t i = 0; i < int32_t{entry.recordSize} * entry.count; ++i)
            image_.SetByte(at + i, static_cast<uint8_t>(value + i));
    }

    // Writes the header and the entries (entrySize bytes each) at the address.
    void writeDirectory(uint16_t address, uint16_t entrySize = 10, int declaredCount = -1)
    {
        using image_words::write16;
        const int32_t header = working_layout::kTableHeader;
        write16(image_, header, 1);
        write16(image_, header + 2, entrySize);
        write16(image_, header + 4,
                static_cast<uint16_t>(declaredCount < 0 ? int(entries_.size()) : declaredCount));
        write16(image_, header + 6, address);
        int32_t at = offsetOf(address);
        for (const Entry &entry : entries_) {
            if (at < 0 || at + 8 > working_layout::kRadioEnd)
                break;
            write16(image_, at, entry.id);
            write16(image_, at + 2, entry.recordSize);
            write16(image_, at + 4, entry.count);
            write16(image_, at + 6, entry.address);
            at += entrySize;
        }
    }

private:
    cmcEeprom &image_;
    uint16_t base_;
    std::vector<Entry> entries_;
};

// A working image and the conversions over it, for the layout tests.
class LayoutFixture : public ::testing::Test
{
protected:
    LayoutFixture() { image.SetSize(working_layout::kImageSize); }

    LayoutConversion conversion(int modelType = 0, const cmcEeprom *current = nullptr)
    {
        LayoutContext context;
        context.modelType = modelType;
        context.currentImage = current;
        context.shadows = &shadows;
        return LayoutConversion(context);
    }

    static std::vector<uint8_t> bytesAt(const cmcEeprom &from, int32_t offset, int32_t n)
    {
        std::vector<uint8_t> bytes(static_cast<size_t>(n));
        from.ReadBlock(offset, bytes.data(), n);
        return bytes;
    }

    cmcEeprom image;
    MultiTableShadows shadows;
};
