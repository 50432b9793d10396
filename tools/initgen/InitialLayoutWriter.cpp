#include "InitialLayoutWriter.h"

#include "image/ImageWords.h"
#include "image/ParameterBlockTable.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"

#include <cstring>
#include <vector>

namespace wl = working_layout;
using image_words::write16;
using parameter_blocks::Block;
using parameter_blocks::InitialFill;

namespace {

struct Shape {
    int32_t recordSize;
    int32_t count;
};

// What the initial-file conversion expects to find for a block.
Shape initialShape(const Block &block)
{
    switch (block.initial) {
    case InitialFill::Single:
        return {block.initialLength, 1};
    case InitialFill::Records:
        return {block.recordSize, block.count};
    case InitialFill::Template:
        return {block.recordSize, block.id == 69 ? 2 : 1};
    case InitialFill::NotRead:
        break;
    }
    return {0, 0};
}

} // namespace

void writeInitialRadioLayout(cmcEeprom &image)
{
    std::vector<uint8_t> zeros(static_cast<size_t>(wl::kRadioEnd - wl::kParameterArea), 0);
    image.WriteBlock(wl::kParameterArea, zeros.data(), static_cast<int32_t>(zeros.size()));
    int32_t next = wl::kParameterArea;
    std::vector<uint8_t> directory;
    for (const Block &block : parameter_blocks::all()) {
        const Shape shape = initialShape(block);
        if (shape.count == 0)
            continue;
        const int32_t length = shape.recordSize * shape.count;
        image_words::copyWithin(image, block.offset, next, length);
        for (const int value : {int{block.id}, shape.recordSize, shape.count, next, 0}) {
            directory.push_back(static_cast<uint8_t>(value >> 8));
            directory.push_back(static_cast<uint8_t>(value));
        }
        next += length;
    }
    const int entries = static_cast<int>(directory.size()) / wl::kDirectoryEntrySize;
    write16(image, wl::kTableHeader, 1);
    write16(image, wl::kTableHeader + 2, wl::kDirectoryEntrySize);
    write16(image, wl::kTableHeader + 4, static_cast<uint16_t>(entries));
    write16(image, wl::kTableHeader + 6, static_cast<uint16_t>(next));
    image.WriteBlock(next, directory.data(), static_cast<int32_t>(directory.size()));
    next += static_cast<int32_t>(directory.size());
    image.WriteBlock(next, reinterpret_cast<const uint8_t *>(wl::kMakerTextValue),
                     wl::kMakerTextLength);
    next += wl::kMakerTextLength;
    write16(image, wl::kChannelBlocksEnd, wl::kParameterArea);
    write16(image, wl::kEndAddress, static_cast<uint16_t>(next));
    write16(image, wl::kBaseAddress, wl::kParameterArea);
}
