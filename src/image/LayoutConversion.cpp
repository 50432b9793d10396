#include "image/LayoutConversion.h"

#include "image/ImageWords.h"
#include "image/MultiTableShadows.h"
#include "image/ParameterBlockTable.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"
#include "platform/FatalError.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace wl = working_layout;
using image_words::copyWithin;
using image_words::read16;
using image_words::read32;
using image_words::spanInside;
using image_words::write16;
using parameter_blocks::Block;
using parameter_blocks::InitialFill;

namespace {

constexpr int kListMaxRecords = 500;
constexpr int kMultiTableBlock = 49;
constexpr int32_t kMultiTableRecordSize = 96;

// The order in which blocks are read from a radio layout. Overlapping blocks
// (the legacy lists before 64 and 65) make it matter.
constexpr uint8_t kReadOrder[] = {2,  3,  7,  8,  10, 11, 14, 15, 16, 24, 25, 26, 29, 30, 31, 34,
                                  62, 35, 63, 37, 68, 38, 39, 64, 65, 36, 42, 43, 60, 61, 59, 56,
                                  57, 58, 51, 66, 67, 52, 53, 54, 55, 69, 70, 71, 72, 73, 74, 75,
                                  76, 77, 78, 79, 80, 81, 82, 83, 84, 6,  41, 18, 27, 32, 9,  12,
                                  13, 17, 19, 20, 21, 22, 28, 33, 40, 44, 45, 46, 47, 48, 49, 50};

// Steps of the conversion into the radio layout, in emission order. Ids
// above 200 are the channel steps that are not plain table blocks.
enum Step : uint8_t {
    kFixedMainRecords = 201,  // block 2 with the channels the current image holds beyond this one
    kVariableChannels = 202,  // blocks 4 and 5
    kChannelBlocksEnd = 203,  // the address after the channel blocks
    kFixedExtraRecords = 204, // block 3
};

struct EmitStep {
    uint8_t id;
    int8_t modelType; // -1: every model type
};

constexpr EmitStep kEmitOrder[] = {
    {kFixedMainRecords, -1},
    {7, -1},
    {15, -1},
    {6, -1},
    {41, -1},
    {18, -1},
    {27, -1},
    {32, -1},
    {56, 0},
    {76, 1},
    {kVariableChannels, -1},
    {kChannelBlocksEnd, -1},
    {kFixedExtraRecords, -1},
    {8, -1},
    {10, -1},
    {11, -1},
    {16, -1},
    {24, -1},
    {25, -1},
    {26, -1},
    {29, -1},
    {30, -1},
    {31, -1},
    {34, 0},
    {35, 0},
    {37, 0},
    {68, 0},
    {64, 0},
    {65, 0},
    {69, 1},
    {80, 1},
    {81, 1},
    {82, 1},
    {83, 1},
    {84, 1},
    {9, -1},
    {12, -1},
    {13, -1},
    {17, -1},
    {19, -1},
    {20, -1},
    {21, -1},
    {22, -1},
    {28, -1},
    {33, -1},
    {40, -1},
    {42, 0},
    {43, 0},
    {44, -1},
    {45, -1},
    {46, -1},
    {47, -1},
    {48, -1},
    {49, -1},
    {50, -1},
    {51, 0},
    {66, 0},
    {67, 0},
    {52, 0},
    {53, 0},
    {54, 0},
    {55, 0},
    {57, 0},
    {58, 0},
    {59, 0},
    {61, 0},
    {62, 0},
    {63, 0},
    {70, 1},
    {71, 1},
    {72, 1},
    {73, 1},
    {74, 1},
    {75, 1},
    {77, 1},
    {78, 1},
    {79, 1},
};

bool insideRadio(int64_t address, int64_t n) { return spanInside(address, n, 0, wl::kRadioEnd); }

int32_t directoryEntry(int k) { return wl::kDirectoryCopy + wl::kDirectoryEntrySize * k; }

// The channel count word, limited to the slots that exist: a larger word
// would make the conversion copy other blocks as channel records.
int channelCount(const cmcEeprom &image)
{
    return std::min<int>(read16(image, wl::kChannelCount), wl::kChannelSlots);
}

bool isWorkingImage(const cmcEeprom &image) { return image.GetSize() >= wl::kImageSize; }

// Where a block's records lie in the radio layout, from its directory entry.
struct BlockSource {
    int32_t source = 0; // image offset of the first record
    int32_t recordSize = 0;
    int32_t count = 0;

    int64_t record(int r) const { return int64_t{source} + int64_t{r} * recordSize; }
};

// Copies up to `count` records of `size` bytes each into consecutive slots of
// `slotSize` bytes; stops at the first record that is not wholly inside the
// radio memory. Returns the records copied.
int copyRecords(cmcEeprom &image, const BlockSource &from, int count, int32_t size,
                int32_t destination, int32_t slotSize)
{
    for (int r = 0; r < count; ++r) {
        const int64_t source = from.record(r);
        if (!insideRadio(source, size))
            return r;
        copyWithin(image, static_cast<int32_t>(source), destination + r * slotSize, size);
    }
    return count;
}

// A block from a radio: other record sizes and counts are cut to the
// working layout's or fill only a prefix of it.
int copyRadioBlock(cmcEeprom &image, const Block &block, const BlockSource &from)
{
    if (block.isSingle()) {
        const int32_t length = std::min(from.recordSize, block.recordSize);
        if (insideRadio(from.source, length))
            copyWithin(image, from.source, block.offset, length);
        return 1;
    }
    const int count = std::min(from.count, block.count);
    const int32_t size = std::min(from.recordSize, block.recordSize);
    return copyRecords(image, from, count, size, block.offset, block.recordSize);
}

// A block from an initial file: fixed lengths, and arrays filled from the
// file's template record.
int copyInitialBlock(cmcEeprom &image, const Block &block, const BlockSource &from)
{
    switch (block.initial) {
    case InitialFill::NotRead:
        return 0;
    case InitialFill::Single:
        if (insideRadio(from.source, block.initialLength))
            copyWithin(image, from.source, block.offset, block.initialLength);
        return 1;
    case InitialFill::Records:
        return copyRecords(image, from, std::min(from.count, block.count), block.recordSize,
                           block.offset, block.recordSize);
    case InitialFill::Template:
        break;
    }
    // The dPMR list keeps a second template record for its second row.
    const bool secondTemplate = block.id == 69;
    if (!insideRadio(from.source, block.recordSize * (secondTemplate ? 2 : 1)))
        return 0;
    for (int slot = 0; slot < block.count; ++slot) {
        const int32_t source = from.source + (secondTemplate && slot == 1 ? block.recordSize : 0);
        copyWithin(image, source, block.offset + slot * block.recordSize, block.recordSize);
    }
    return secondTemplate ? 2 : 1;
}

// Writes blocks one after another into the parameter area, with their
// directory entries, until one does not fit.
struct Emitter {
    cmcEeprom &image;
    int32_t next = wl::kParameterArea;
    int entries = 0;
    bool overflow = false;

    bool fits(int64_t length) const
    {
        return !overflow && next + length <= wl::kRadioEnd && entries < wl::kDirectoryEntries;
    }

    void emit(int id, int32_t recordSize, int32_t count, int32_t source)
    {
        const int32_t length = recordSize * count;
        if (!fits(length)) {
            overflow = true;
            return;
        }
        const int32_t at = directoryEntry(entries);
        write16(image, at, static_cast<uint16_t>(id));
        write16(image, at + 2, static_cast<uint16_t>(recordSize));
        write16(image, at + 4, static_cast<uint16_t>(count));
        write16(image, at + 6, static_cast<uint16_t>(next));
        copyWithin(image, source, next, length);
        next += length;
        ++entries;
    }

    void emitBlock(const Block &block)
    {
        if (block.isSingle()) {
            emit(block.id, block.recordSize, 1, block.offset);
            return;
        }
        int32_t count = block.count;
        const int32_t inUse = parameter_blocks::recordsInUseWord(block.id);
        if (inUse >= 0)
            count = std::min<int32_t>(read16(image, inUse), block.count);
        emit(block.id, block.recordSize, count, block.offset);
    }
};

// The channel records beyond the fixed part. A clone write that is asked to
// send every slot (count -1) sends as many as fit; otherwise both blocks hold
// `count` records or neither is written.
void emitVariableChannels(Emitter &out, int fixed, int count)
{
    const int32_t mainSource = wl::kChannelMain + fixed * wl::kChannelMainSize;
    const int32_t extraSource = wl::kChannelExtra + fixed * wl::kChannelExtraSize;
    const int32_t bothSize = wl::kChannelMainSize + wl::kChannelExtraSize;
    if (count < 0) {
        count = wl::kChannelSlots - fixed;
        while (count > 0 && !out.fits(int64_t{count} * bothSize))
            --count;
    }
    if (!out.fits(int64_t{count} * bothSize) || out.entries + 2 > wl::kDirectoryEntries) {
        out.overflow = true;
        return;
    }
    out.emit(4, wl::kChannelMainSize, count, mainSource);
    out.emit(5, wl::kChannelExtraSize, count, extraSource);
}

// The table header, the directory and the end marker behind the blocks.
void writeDirectory(Emitter &out)
{
    cmcEeprom &image = out.image;
    const int32_t directoryLength = out.entries * wl::kDirectoryEntrySize;
    if (out.fits(directoryLength)) {
        write16(image, wl::kTableHeader, 1);
        write16(image, wl::kTableHeader + 2, static_cast<uint16_t>(wl::kDirectoryEntrySize));
        write16(image, wl::kTableHeader + 4, static_cast<uint16_t>(out.entries));
        write16(image, wl::kTableHeader + 6, static_cast<uint16_t>(out.next));
        copyWithin(image, wl::kDirectoryCopy, out.next, directoryLength);
        out.next += directoryLength;
    } else {
        out.overflow = true;
    }
    if (!out.overflow && out.next + wl::kMakerTextLength <= wl::kRadioEnd) {
        image.WriteBlock(out.next, reinterpret_cast<const uint8_t *>(wl::kMakerTextValue),
                         wl::kMakerTextLength);
        out.next += wl::kMakerTextLength;
    }
    write16(image, wl::kEndAddress, static_cast<uint16_t>(out.next));
}

} // namespace

// The radio layout's directory as loaded into the working copy.
struct LayoutConversion::Directory {
    bool present = false;
    int32_t base = 0;
    int entries = 0; // entries that lay inside the radio memory

    bool find(const cmcEeprom &image, int id, BlockSource &entry) const
    {
        for (int k = 0; k < entries; ++k) {
            const int32_t at = directoryEntry(k);
            if (read16(image, at) != id)
                continue;
            entry.recordSize = read16(image, at + 2);
            entry.count = read16(image, at + 4);
            entry.source = wl::kParameterArea + (int32_t{read16(image, at + 6)} - base);
            return true;
        }
        return false;
    }
};

LayoutConversion::LayoutConversion(LayoutContext context) : context_(std::move(context)) {}

LayoutConversion::Directory LayoutConversion::loadDirectory(cmcEeprom &image) const
{
    Directory directory;
    // Both conversions into the working layout keep the version bytes,
    // table or not.
    image_words::write32(image, wl::kMapRevisionCopy, image.GetByte(wl::kMapRevision));
    image_words::write32(image, wl::kSecondVersionCopy, image.GetByte(wl::kSecondVersion));
    directory.base = read16(image, wl::kBaseAddress);
    if (read16(image, wl::kTableHeader) != 1)
        return directory;
    directory.present = true;
    const int32_t entrySize = read16(image, wl::kTableHeader + 2);
    const int count = std::min<int>(read16(image, wl::kTableHeader + 4), wl::kDirectoryEntries);
    const int64_t first =
        int64_t{wl::kParameterArea} + read16(image, wl::kTableHeader + 6) - directory.base;
    // An entry too short to name its address cannot be used; reading it would
    // mix it with whatever the working copy held before.
    if (entrySize < 8)
        return directory;
    const int32_t copied = std::min(entrySize, wl::kDirectoryEntrySize);
    for (int k = 0; k < count; ++k) {
        const int64_t source = first + int64_t{k} * entrySize;
        if (!insideRadio(source, copied))
            break;
        copyWithin(image, static_cast<int32_t>(source), directoryEntry(k), copied);
        directory.entries = k + 1;
    }
    return directory;
}

bool LayoutConversion::LoadDirectory(cmcEeprom &image) const
{
    if (!isWorkingImage(image))
        return false;
    return loadDirectory(image).present;
}

void LayoutConversion::initialiseShadows(const cmcEeprom &image, int records) const
{
    if (context_.shadows == nullptr)
        return;
    const Block &block = *parameter_blocks::find(kMultiTableBlock);
    for (int r = 0; r < std::min(records, MultiTableShadows::kRecords); ++r) {
        for (int i = 0; i < MultiTableShadows::kItems; ++i) {
            MultiTableShadows::Item item{};
            image.ReadBlock(block.offset + r * kMultiTableRecordSize +
                                i * MultiTableShadows::kItemBytes,
                            item.data(), MultiTableShadows::kItemBytes);
            MultiTableShadows::Item &first = context_.shadows->first[r][i];
            MultiTableShadows::Item &second = context_.shadows->second[r][i];
            first = item;
            second = item;
            if ((item[0] & 0x80) != 0) {
                first[1] |= 0x80;
                first[4] |= 0x80;
            } else {
                second[2] = 0;
                second[5] = 0;
            }
        }
    }
}

int LayoutConversion::channelCountOfCurrent(const cmcEeprom &image) const
{
    const cmcEeprom *current = context_.currentImage;
    if (current == nullptr || !isWorkingImage(*current))
        current = &image;
    return channelCount(*current);
}

void LayoutConversion::RadioToWorking(cmcEeprom &image) const
{
    if (!isWorkingImage(image))
        return;
    const Directory directory = loadDirectory(image);
    for (const uint8_t id : kReadOrder) {
        BlockSource from;
        if (!directory.find(image, id, from))
            continue;
        const Block &block = *parameter_blocks::find(id);
        const int copied = copyRadioBlock(image, block, from);
        const int32_t inUse = parameter_blocks::recordsInUseWord(id);
        if (inUse >= 0)
            write16(image, inUse, static_cast<uint16_t>(std::min(copied, kListMaxRecords)));
        if (id == kMultiTableBlock)
            initialiseShadows(image, copied);
    }
    mergeLegacyChannels(image, directory);
}

void LayoutConversion::mergeLegacyChannels(cmcEeprom &image, const Directory &directory) const
{
    BlockSource fixedMain;
    BlockSource fixedExtra;
    BlockSource variableMain;
    BlockSource variableExtra;
    if (!directory.find(image, 2, fixedMain) || !directory.find(image, 3, fixedExtra) ||
        !directory.find(image, 4, variableMain) || !directory.find(image, 5, variableExtra))
        return;
    const int first = std::min(fixedMain.count, wl::kChannelSlots);
    const int count = std::min(variableMain.count, wl::kChannelSlots - first);
    const int32_t mainStart = wl::kChannelMain + first * wl::kChannelMainSize;
    const int32_t extraStart = wl::kChannelExtra + first * wl::kChannelExtraSize;
    copyRecords(image, variableMain, count, std::min(variableMain.recordSize, wl::kChannelMainSize),
                mainStart, wl::kChannelMainSize);
    copyRecords(image, variableExtra, count,
                std::min(variableExtra.recordSize, wl::kChannelExtraSize), extraStart,
                wl::kChannelExtraSize);

    // The count word of such a layout may stop short of channels that the
    // variable part holds behind an empty slot; the count grows to the last
    // slot in use of those the two parts filled, so none is lost. Slots
    // behind them still hold whatever the image held before and stay out.
    const int usedEnd = UsedChannelSlotEnd(image, first + count);
    const int count8 = read16(image, wl::kChannelCount);
    write16(image, wl::kChannelCount, static_cast<uint16_t>(std::max(count8, usedEnd)));
    WorkingToRadio(image, false);
}

void LayoutConversion::InitialToWorking(cmcEeprom &image) const
{
    if (!isWorkingImage(image))
        return;
    const Directory directory = loadDirectory(image);
    for (const Block &block : parameter_blocks::all()) {
        BlockSource from;
        if (block.initial == InitialFill::NotRead || !directory.find(image, block.id, from))
            continue;
        const int copied = copyInitialBlock(image, block, from);
        const int32_t inUse = parameter_blocks::recordsInUseWord(block.id);
        if (inUse >= 0 && copied > 0)
            write16(image, inUse, static_cast<uint16_t>(copied));
        if (block.id == kMultiTableBlock)
            initialiseShadows(image, copied);
    }
}

bool LayoutConversion::HasRoomForAnother(const cmcEeprom &image, int32_t countWord) const
{
    if (!isWorkingImage(image) || !spanInside(countWord, 2, 0, image.GetSize()))
        return false;
    cmcEeprom trial;
    trial.CopyFrom(image);
    write16(trial, countWord, static_cast<uint16_t>(read16(trial, countWord) + 1));
    return !WorkingToRadio(trial, false);
}

bool LayoutConversion::WorkingToRadio(cmcEeprom &image, bool cloneWrite) const
{
    if (!isWorkingImage(image))
        return false;
    const int convertedCount = channelCount(image);
    const bool anyChannel = read16(image, wl::kChannelCount) > 0;
    // Another image than the current one may hold more channels; the fixed
    // part then holds none rather than a negative number.
    const int fixed = std::max(0, channelCountOfCurrent(image) - convertedCount);
    const bool sendAll = (image.GetByte(wl::kOptionFlags) & wl::kSendAllChannelsBit) != 0;

    std::vector<uint8_t> zeros(static_cast<size_t>(wl::kRadioEnd - wl::kParameterArea), 0);
    image.WriteBlock(wl::kParameterArea, zeros.data(), static_cast<int32_t>(zeros.size()));
    write16(image, wl::kBaseAddress, wl::kParameterArea);
    image.SetByte(wl::kMapRevision, image.GetByte(wl::kMapRevisionCopy + 3));
    image.SetByte(wl::kSecondVersion, image.GetByte(wl::kSecondVersionCopy + 3));

    Emitter out{image};
    for (const EmitStep &step : kEmitOrder) {
        if (step.modelType >= 0 && step.modelType != context_.modelType)
            continue;
        switch (step.id) {
        case kFixedMainRecords:
            out.emit(2, wl::kChannelMainSize, fixed, wl::kChannelMain);
            break;
        case kFixedExtraRecords:
            out.emit(3, wl::kChannelExtraSize, fixed, wl::kChannelExtra);
            break;
        case kChannelBlocksEnd:
            write16(image, wl::kChannelBlocksEnd, static_cast<uint16_t>(out.next));
            break;
        case kVariableChannels:
            if (anyChannel || sendAll)
                emitVariableChannels(out, fixed, sendAll && cloneWrite ? -1 : convertedCount);
            break;
        default:
            out.emitBlock(*parameter_blocks::find(step.id));
            break;
        }
    }
    CheckDirectoryIds(image, out.entries);
    writeDirectory(out);
    return out.overflow;
}

void LayoutConversion::CheckDirectoryIds(const cmcEeprom &image, int count)
{
    count = std::min(count, wl::kDirectoryEntries);
    for (int k = 0; k < count; ++k) {
        const uint16_t id = read16(image, directoryEntry(k));
        for (int other = k + 1; other < count; ++other) {
            if (read16(image, directoryEntry(other)) == id)
                platform::fatalError(
                    "### BoobyTrap ###\nError Detect in Static2Dynaimc Sequence.\n\n"
                    "Duplicate PTBL-ID : '" +
                    std::to_string(id) + "'");
        }
    }
}

bool LayoutConversion::ChannelSlotUsed(const cmcEeprom &image, int slot)
{
    const uint32_t frequency = read32(image, wl::kChannelMain + slot * wl::kChannelMainSize);
    return (frequency & 0x7FFFFFFF) != 0;
}

int LayoutConversion::UsedChannelSlotEnd(const cmcEeprom &image, int slots)
{
    for (int slot = std::min(slots, wl::kChannelSlots); slot > 0; --slot) {
        if (ChannelSlotUsed(image, slot - 1))
            return slot;
    }
    return 0;
}
