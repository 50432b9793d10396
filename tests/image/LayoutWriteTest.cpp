#include "RadioLayoutBuilder.h"

#include "image/ImageWords.h"
#include "image/LayoutConversion.h"
#include "image/MultiTableShadows.h"
#include "image/ParameterBlockTable.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace {

namespace wl = working_layout;
namespace pb = parameter_blocks;
using image_words::read16;
using image_words::write16;

struct WrittenEntry {
    int recordSize = 0;
    int count = 0;
    int32_t address = 0;
};

// The directory as the radio layout holds it after a conversion, in order.
std::vector<std::pair<int, WrittenEntry>> writtenDirectory(const cmcEeprom &image)
{
    std::vector<std::pair<int, WrittenEntry>> entries;
    const int count = read16(image, wl::kTableHeader + 4);
    const int32_t first = read16(image, wl::kTableHeader + 6);
    for (int k = 0; k < count; ++k) {
        const int32_t at = first + 10 * k;
        entries.push_back({read16(image, at),
                           {read16(image, at + 2), read16(image, at + 4), read16(image, at + 6)}});
    }
    return entries;
}

std::map<int, WrittenEntry> directoryById(const cmcEeprom &image)
{
    std::map<int, WrittenEntry> byId;
    for (const auto &[id, entry] : writtenDirectory(image))
        byId[id] = entry;
    return byId;
}

void fillRandom(cmcEeprom &image, int32_t from, int32_t to, std::mt19937 &random)
{
    for (int32_t a = from; a < to; ++a)
        image.SetByte(a, static_cast<uint8_t>(random()));
}

using LayoutWriteTest = LayoutFixture;

TEST_F(LayoutWriteTest, WritesTheFixedFieldsAndTheEndMarker)
{
    image_words::write32(image, wl::kMapRevisionCopy, 1);
    image_words::write32(image, wl::kSecondVersionCopy, 0x0203);
    image.SetByte(0x1000, 0xAA); // stale parameter area
    EXPECT_FALSE(conversion(0).WorkingToRadio(image, false));

    EXPECT_EQ(read16(image, wl::kBaseAddress), 0x0200);
    EXPECT_EQ(image.GetByte(wl::kMapRevision), 1);
    EXPECT_EQ(image.GetByte(wl::kSecondVersion), 0x03);
    EXPECT_EQ(read16(image, wl::kTableHeader), 1);
    EXPECT_EQ(read16(image, wl::kTableHeader + 2), 10);
    const int32_t end = read16(image, wl::kEndAddress);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(bytesAt(image, end - 8, 8).data()), 8),
              "VORN Inc");
    const int32_t directory = read16(image, wl::kTableHeader + 6);
    EXPECT_EQ(directory + 10 * read16(image, wl::kTableHeader + 4) + 8, end);
    EXPECT_EQ(image.GetByte(0x1000 < directory ? end : 0x1000), 0); // stale bytes cleared
}

// Which blocks each model type emits, and in which order.
TEST_F(LayoutWriteTest, EmitsTheModelTypesBlocksInOrder)
{
    const std::vector<int> type0 = {2,  7,  15, 6,  41, 18, 27, 32, 56, 3,  8,  10, 11, 16, 24,
                                    25, 26, 29, 30, 31, 34, 35, 37, 68, 64, 65, 9,  12, 13, 17,
                                    19, 20, 21, 22, 28, 33, 40, 42, 43, 44, 45, 46, 47, 48, 49,
                                    50, 51, 66, 67, 52, 53, 54, 55, 57, 58, 59, 61, 62, 63};
    const std::vector<int> type1 = {2,  7,  15, 6,  41, 18, 27, 32, 76, 3,  8,  10, 11, 16,
                                    24, 25, 26, 29, 30, 31, 69, 80, 81, 82, 83, 84, 9,  12,
                                    13, 17, 19, 20, 21, 22, 28, 33, 40, 44, 45, 46, 47, 48,
                                    49, 50, 70, 71, 72, 73, 74, 75, 77, 78, 79};
    for (int type : {0, 1}) {
        image.SetSize(wl::kImageSize);
        conversion(type).WorkingToRadio(image, false);
        std::vector<int> ids;
        for (const auto &[id, entry] : writtenDirectory(image))
            ids.push_back(id);
        EXPECT_EQ(ids, type == 0 ? type0 : type1) << "model type " << type;
    }
}

TEST_F(LayoutWriteTest, ModelType1LeavesTheDigitalListsInTheWorkingLayout)
{
    write16(image, wl::kRecordsInUse34, 3);
    image.SetByte(0x12316, 0x42);
    image.SetByte(0x14258, 0x43);
    conversion(1).WorkingToRadio(image, false);
    const auto directory = directoryById(image);
    for (int id : {34, 35, 42, 43})
        EXPECT_EQ(directory.count(id), 0u) << id;
    EXPECT_EQ(image.GetByte(0x12316), 0x42);
    EXPECT_EQ(image.GetByte(0x14258), 0x43);
}

TEST_F(LayoutWriteTest, ListsAreWrittenWithTheirRecordsInUse)
{
    write16(image, wl::kRecordsInUse34, 3);
    write16(image, wl::kRecordsInUse35, 65535); // beyond the list: all of it
    auto directory = (conversion(0).WorkingToRadio(image, false), directoryById(image));
    EXPECT_EQ(directory[34].count, 3);
    EXPECT_EQ(directory[34].recordSize, 16);
    EXPECT_EQ(directory[35].count, 500);
    write16(image, wl::kRecordsInUse69, 2);
    directory = (conversion(1).WorkingToRadio(image, false), directoryById(image));
    EXPECT_EQ(directory[69].count, 2);
    EXPECT_EQ(directory[69].recordSize, 18);
}

// How many channel records the fixed (2, 3) and variable (4, 5) blocks carry.
struct ChannelCase {
    const char *name;
    int convertedCount; // channel count word of the converted image
    int currentCount;   // of the main frame's current image; -1: the converted image is current
    bool sendAllBit;
    bool cloneWrite;
    int fixedRecords;
    int variableRecords; // -1: blocks 4 and 5 absent
};

class ChannelRecordsTest : public LayoutWriteTest, public ::testing::WithParamInterface<ChannelCase>
{};

TEST_P(ChannelRecordsTest, SplitsTheChannelsAsTheCountsSay)
{
    const ChannelCase &c = GetParam();
    cmcEeprom current;
    current.SetSize(wl::kImageSize);
    write16(current, wl::kChannelCount, static_cast<uint16_t>(std::max(c.currentCount, 0)));
    write16(image, wl::kChannelCount, static_cast<uint16_t>(c.convertedCount));
    if (c.sendAllBit)
        image.SetByte(wl::kOptionFlags, wl::kSendAllChannelsBit);
    std::mt19937 random(5);
    fillRandom(image, wl::kChannelMain, wl::kChannelMain + 32 * 34, random);
    fillRandom(image, wl::kChannelExtra, wl::kChannelExtra + 32 * 36, random);

    conversion(0, c.currentCount < 0 ? nullptr : &current).WorkingToRadio(image, c.cloneWrite);

    auto directory = directoryById(image);
    EXPECT_EQ(directory[2].count, c.fixedRecords);
    EXPECT_EQ(directory[3].count, c.fixedRecords);
    EXPECT_EQ(directory[2].recordSize, 34);
    EXPECT_EQ(directory[3].recordSize, 36);
    if (c.variableRecords < 0) {
        EXPECT_EQ(directory.count(4), 0u);
        EXPECT_EQ(directory.count(5), 0u);
        return;
    }
    ASSERT_EQ(directory[4].count, c.variableRecords);
    ASSERT_EQ(directory[5].count, c.variableRecords);
    EXPECT_EQ(bytesAt(image, directory[4].address, 34 * c.variableRecords),
              bytesAt(image, wl::kChannelMain + 34 * c.fixedRecords, 34 * c.variableRecords));
    EXPECT_EQ(bytesAt(image, directory[5].address, 36 * c.variableRecords),
              bytesAt(image, wl::kChannelExtra + 36 * c.fixedRecords, 36 * c.variableRecords));
    EXPECT_EQ(read16(image, wl::kChannelBlocksEnd), directory[5].address + 36 * c.variableRecords);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ChannelRecordsTest,
    ::testing::Values(ChannelCase{"CurrentImageWithFiveChannels", 5, -1, false, false, 0, 5},
                      ChannelCase{"NoChannels", 0, -1, false, false, 0, -1},
                      ChannelCase{"SendAllBitWithoutCloneWrite", 0, -1, true, false, 0, 0},
                      ChannelCase{"CloneWriteSendsEverySlot", 3, -1, true, true, 0, 32},
                      ChannelCase{"CloneWriteWithoutTheBit", 3, -1, false, true, 0, 3},
                      ChannelCase{"CurrentImageHoldsMoreChannels", 4, 10, false, false, 6, 4},
                      ChannelCase{"CloneWriteOfASmallerCopy", 4, 10, true, true, 6, 26},
                      ChannelCase{"CurrentImageHoldsFewerChannels", 8, 2, false, false, 0, 8},
                      ChannelCase{"CountWordBeyondTheSlots", 600, -1, false, false, 0, 32}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

// Working images with random content read back unchanged: every block the
// conversion emitted returns to its working place, and a second round trip
// changes nothing at all.
TEST_F(LayoutWriteTest, RoundTripKeepsEveryEmittedBlock)
{
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 40; ++trial) {
        const int modelType = trial % 2;
        image.SetSize(wl::kImageSize);
        fillRandom(image, 0, wl::kImageSize, random);
        write16(image, wl::kChannelCount, static_cast<uint16_t>(random() % 33));
        write16(image, wl::kRecordsInUse34, static_cast<uint16_t>(random() % 501));
        write16(image, wl::kRecordsInUse35, static_cast<uint16_t>(random() % 501));
        write16(image, wl::kRecordsInUse69, static_cast<uint16_t>(random() % 501));
        image_words::write32(image, wl::kMapRevisionCopy, random() % 2);
        cmcEeprom original;
        original.CopyFrom(image);

        const LayoutConversion convert = conversion(modelType);
        ASSERT_FALSE(convert.WorkingToRadio(image, false));
        const auto directory = directoryById(image);
        convert.RadioToWorking(image);

        for (const auto &[id, entry] : directory) {
            const int32_t offset = id == 4   ? wl::kChannelMain
                                   : id == 5 ? wl::kChannelExtra
                                             : pb::find(id)->offset;
            const int32_t length = entry.recordSize * entry.count;
            ASSERT_EQ(bytesAt(image, offset, length), bytesAt(original, offset, length))
                << "trial " << trial << " block " << id;
        }
        for (int32_t word : {wl::kRecordsInUse34, wl::kRecordsInUse35, wl::kRecordsInUse69})
            ASSERT_EQ(read16(image, word), read16(original, word)) << "trial " << trial;

        cmcEeprom once;
        once.CopyFrom(image);
        convert.WorkingToRadio(image, false);
        convert.RadioToWorking(image);
        ASSERT_TRUE(image.Equals(once)) << "trial " << trial;
    }
}

TEST_F(LayoutWriteTest, DuplicateDirectoryIdsEndTheProgram)
{
    write16(image, wl::kDirectoryCopy, 17);
    write16(image, wl::kDirectoryCopy + 10, 4);
    write16(image, wl::kDirectoryCopy + 20, 17);
    LayoutConversion::CheckDirectoryIds(image, 2); // the duplicate lies beyond the count
    EXPECT_DEATH(LayoutConversion::CheckDirectoryIds(image, 3),
                 "### BoobyTrap ###\nError Detect in Static2Dynaimc Sequence.\n\n"
                 "Duplicate PTBL-ID : '17'");
}

// A layout of an older firmware: channels split into a fixed part (2, 3)
// and a variable part (4, 5) behind it.
TEST_F(LayoutWriteTest, LegacyChannelPartsAreMergedAndRewritten)
{
    RadioLayoutBuilder radio(image);
    radio.addBlock({2, 34, 2, 0x0300}, 0x10);
    radio.addBlock({3, 36, 2, 0x0400}, 0x20);
    radio.addBlock({4, 30, 3, 0x0500}, 0x30);
    radio.addBlock({5, 40, 3, 0x0600}, 0x40);
    radio.addBlock({8, 189, 1, 0x0700}, 0x00);
    radio.writeDirectory(0x0A00);
    // Block 8 carries the channel count word at 0x98 of the block.
    const int32_t countInBlock8 = radio.offsetOf(0x0700) + (wl::kChannelCount - 0x10E76);
    write16(image, countInBlock8, 4);
    cmcEeprom source;
    source.CopyFrom(image);

    LayoutContext context;
    context.modelType = 0;
    LayoutConversion(context).RadioToWorking(image);

    // Slots 0 and 1 from the fixed part, 2 to 4 from the variable part with
    // their records cut or padded.
    EXPECT_EQ(bytesAt(image, wl::kChannelMain, 68), bytesAt(source, radio.offsetOf(0x0300), 68));
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(bytesAt(image, wl::kChannelMain + 34 * (2 + j), 30),
                  bytesAt(source, radio.offsetOf(0x0500) + 30 * j, 30));
        EXPECT_EQ(bytesAt(image, wl::kChannelExtra + 36 * (2 + j), 36),
                  bytesAt(source, radio.offsetOf(0x0600) + 40 * j, 36));
    }
    EXPECT_EQ(read16(image, wl::kChannelCount), 5);
    // Rewritten in the current form: everything in the variable part.
    auto directory = directoryById(image);
    EXPECT_EQ(directory[2].count, 0);
    EXPECT_EQ(directory[4].count, 5);
}

// The count word of such a layout counts the fixed part and the variable
// part's first, empty slot, but not the channel behind it: the count grows
// to the last slot in use of those the file filled, so that channel is not
// lost, while a slot the file left alone does not come back to life.
TEST_F(LayoutWriteTest, LegacyMergeKeepsAChannelBehindAnEmptySlot)
{
    RadioLayoutBuilder radio(image);
    radio.addBlock({2, 34, 1, 0x0300}, 0x10);
    radio.addBlock({3, 36, 1, 0x0400}, 0x20);
    radio.addBlock({4, 34, 2, 0x0500}, 0x30);
    radio.addBlock({5, 36, 2, 0x0600}, 0x40);
    radio.addBlock({8, 189, 1, 0x0700}, 0x00);
    radio.writeDirectory(0x0A00);
    for (int i = 0; i < 34; ++i)
        image.SetByte(radio.offsetOf(0x0500) + i, 0); // the empty slot
    write16(image, radio.offsetOf(0x0700) + (wl::kChannelCount - 0x10E76), 2);
    // A channel the image held before, in a slot the file does not fill.
    image_words::write32(image, wl::kChannelMain + 5 * wl::kChannelMainSize, 145000000);

    LayoutConversion(LayoutContext{}).RadioToWorking(image);

    EXPECT_TRUE(LayoutConversion::ChannelSlotUsed(image, 2));
    EXPECT_FALSE(LayoutConversion::ChannelSlotUsed(image, 1));
    EXPECT_EQ(LayoutConversion::UsedChannelSlotEnd(image, 3), 3);
    EXPECT_EQ(read16(image, wl::kChannelCount), 3);
    EXPECT_EQ(directoryById(image)[4].count, 3);
}

TEST_F(LayoutWriteTest, LegacyMergeNeverPassesTheLastSlot)
{
    RadioLayoutBuilder radio(image);
    radio.addBlock({2, 34, 30, 0x0300}, 0x10);
    radio.addBlock({3, 36, 30, 0x1000}, 0x20);
    radio.addBlock({4, 34, 9, 0x2000}, 0x30);
    radio.addBlock({5, 36, 9, 0x3000}, 0x40);
    radio.writeDirectory(0x4000);
    image.SetByte(wl::kChannelExtra + 32 * 36, 0x5A); // first byte behind the slots
    conversion(0).RadioToWorking(image);
    EXPECT_EQ(image.GetByte(wl::kChannelExtra + 32 * 36), 0x5A);
}

// The initial files hold one template record per array.
TEST_F(LayoutWriteTest, InitialFileFillsArraysFromTheirTemplate)
{
    RadioLayoutBuilder radio(image);
    radio.addBlock({10, 24, 1, 0x0300}, 0x10);  // template array
    radio.addBlock({69, 18, 2, 0x0400}, 0x40);  // two templates
    radio.addBlock({34, 16, 1, 0x0500}, 0x50);  // list: one record in use
    radio.addBlock({17, 37, 11, 0x0600}, 0x60); // records
    radio.addBlock({15, 68, 1, 0x0900}, 0x70);  // single block of 68 bytes
    radio.addBlock({23, 10, 1, 0x0A00}, 0x23);  // read by no other conversion
    radio.addBlock({4, 34, 1, 0x0B00}, 0x04);   // never read from an initial file
    radio.writeDirectory(0x0C00);
    cmcEeprom source;
    source.CopyFrom(image);
    conversion(0).InitialToWorking(image);

    for (int slot = 0; slot < 16; ++slot)
        ASSERT_EQ(bytesAt(image, 0x10F53 + 24 * slot, 24), bytesAt(source, 0x0300, 24)) << slot;
    EXPECT_EQ(bytesAt(image, 0x177B1, 18), bytesAt(source, 0x0400, 18));
    EXPECT_EQ(bytesAt(image, 0x177B1 + 18, 18), bytesAt(source, 0x0400 + 18, 18));
    EXPECT_EQ(bytesAt(image, 0x177B1 + 18 * 499, 18), bytesAt(source, 0x0400, 18));
    EXPECT_EQ(read16(image, wl::kRecordsInUse69), 2);
    EXPECT_EQ(read16(image, wl::kRecordsInUse34), 1);
    EXPECT_EQ(bytesAt(image, 0x11751, 37 * 11), bytesAt(source, 0x0600, 37 * 11));
    EXPECT_EQ(bytesAt(image, 0x103D0, 68), bytesAt(source, 0x0900, 68));
    EXPECT_EQ(bytesAt(image, 0x11CC4, 10), bytesAt(source, 0x0A00, 10));
    EXPECT_EQ(image.GetByte(wl::kChannelMain), 0); // block 4 ignored, block 2 absent
}

} // namespace
