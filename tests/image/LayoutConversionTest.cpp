#include "RadioLayoutBuilder.h"

#include "image/ImageWords.h"
#include "image/LayoutConversion.h"
#include "image/MultiTableShadows.h"
#include "image/ParameterBlockTable.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

namespace wl = working_layout;
using image_words::read16;
using image_words::write16;

using LayoutConversionTest = LayoutFixture;

TEST_F(LayoutConversionTest, ReadsBlocksRelativeToTheTablesBase)
{
    RadioLayoutBuilder radio(image, 0x0400);
    radio.addBlock({7, 16, 1, 0x0500}, 0x30);
    radio.writeDirectory(0x0600);
    conversion().RadioToWorking(image);
    const auto block7 = bytesAt(image, 0x103C0, 16);
    EXPECT_EQ(block7, bytesAt(image, 0x300, 16));
    EXPECT_EQ(block7[0], 0x30);
}

// Records of another size or number than the working layout's.
struct RecordShapeCase {
    const char *name;
    uint16_t id;
    uint16_t recordSize;
    uint16_t count;
    int expectedRecords; // records the working layout receives
    int expectedInUse;   // the list's counter, -1 where the block has none
};

class RecordShapeTest : public LayoutConversionTest,
                        public ::testing::WithParamInterface<RecordShapeCase>
{};

TEST_P(RecordShapeTest, CutsOrPrefillsRecords)
{
    const RecordShapeCase &c = GetParam();
    const auto &block = *parameter_blocks::find(c.id);
    // Mark the working area so that untouched bytes show.
    for (int32_t i = 0; i < block.workingLength(); ++i)
        image.SetByte(block.offset + i, 0xEE);
    RadioLayoutBuilder radio(image);
    radio.addBlock({c.id, c.recordSize, c.count, 0x0300}, 0x01);
    radio.writeDirectory(0x0200);
    conversion().RadioToWorking(image);

    const int copied = std::min<int>(c.recordSize, block.recordSize);
    for (int r = 0; r < block.count; ++r) {
        for (int b = 0; b < block.recordSize; ++b) {
            const uint8_t got = image.GetByte(block.offset + r * block.recordSize + b);
            if (r < c.expectedRecords && b < copied)
                ASSERT_EQ(got, static_cast<uint8_t>(0x01 + r * c.recordSize + b))
                    << "record " << r << " byte " << b;
            else
                ASSERT_EQ(got, 0xEE) << "record " << r << " byte " << b;
        }
    }
    const int32_t inUse = parameter_blocks::recordsInUseWord(c.id);
    if (c.expectedInUse >= 0) {
        EXPECT_EQ(read16(image, inUse), c.expectedInUse);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, RecordShapeTest,
    ::testing::Values(RecordShapeCase{"LongerAndMoreRecords", 17, 40, 20, 11, -1},
                      RecordShapeCase{"ShorterAndFewerRecords", 17, 30, 4, 4, -1},
                      RecordShapeCase{"ListBeyondItsCapacity", 34, 16, 700, 500, 500},
                      RecordShapeCase{"ListPartlyUsed", 35, 14, 3, 3, 3},
                      RecordShapeCase{"DpmrListWithLongerRecords", 69, 20, 7, 7, 7}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(LayoutConversionTest, SingleBlocksTakeAtMostTheirLength)
{
    RadioLayoutBuilder radio(image);
    radio.addBlock({38, 600, 1, 0x0300}, 0x10); // legacy list, capped at 500 bytes
    radio.addBlock({46, 1, 1, 0x0600}, 0x77);
    radio.writeDirectory(0x0800);
    image.SetByte(0x15DD7 + 500, 0xAB); // first byte of block 64 behind it
    conversion().RadioToWorking(image);
    EXPECT_EQ(bytesAt(image, 0x15DD7, 500), bytesAt(image, 0x0300, 500));
    EXPECT_EQ(image.GetByte(0x15DD7 + 500), 0xAB);
    EXPECT_EQ(image.GetByte(0x1A762), 0x77);
}

TEST_F(LayoutConversionTest, MissingTableCopiesOnlyTheVersionBytes)
{
    image.SetByte(wl::kMapRevision, 1);
    image.SetByte(wl::kSecondVersion, 7);
    image.SetByte(0x10E76, 0x55); // block 8's working area
    RadioLayoutBuilder radio(image);
    radio.addBlock({8, 189, 1, 0x0300}, 0x01);
    radio.writeDirectory(0x0200);
    write16(image, wl::kTableHeader, 2); // not the table marker

    EXPECT_FALSE(conversion().LoadDirectory(image));
    conversion().RadioToWorking(image);
    EXPECT_EQ(image.GetByte(0x10E76), 0x55);
    EXPECT_EQ(image_words::read32(image, wl::kMapRevisionCopy), 1u);
    EXPECT_EQ(image_words::read32(image, wl::kSecondVersionCopy), 7u);
}

TEST_F(LayoutConversionTest, BlocksMissingFromTheDirectoryKeepTheirWorkingContent)
{
    image.SetByte(0x10E76, 0x55);
    RadioLayoutBuilder radio(image);
    radio.addBlock({7, 16, 1, 0x0300}, 0x01);
    radio.writeDirectory(0x0200);
    EXPECT_TRUE(conversion().LoadDirectory(image));
    conversion().RadioToWorking(image);
    EXPECT_EQ(image.GetByte(0x10E76), 0x55);
    EXPECT_EQ(image.GetByte(0x103C0), 0x01);
}

// Broken layouts: whatever the table says, nothing outside the radio's
// memory is read and nothing outside the block's working area is written.
struct BrokenLayoutCase {
    const char *name;
    uint16_t base;
    RadioLayoutBuilder::Entry entry;
    uint16_t directoryAddress;
    uint16_t entrySize;
    int declaredCount; // -1: the real number of entries
    bool blockExpected;
};

class BrokenLayoutTest : public LayoutConversionTest,
                         public ::testing::WithParamInterface<BrokenLayoutCase>
{};

TEST_P(BrokenLayoutTest, ReadsOnlyWhatLiesInsideTheRadioMemory)
{
    const BrokenLayoutCase &c = GetParam();
    cmcEeprom before;
    for (int32_t a = wl::kRadioEnd; a < wl::kImageSize; ++a)
        image.SetByte(a, static_cast<uint8_t>(a * 7));
    RadioLayoutBuilder radio(image, c.base);
    radio.addEntry(c.entry);
    radio.writeDirectory(c.directoryAddress, c.entrySize, c.declaredCount);
    before.CopyFrom(image);

    conversion().RadioToWorking(image);

    const auto &block = *parameter_blocks::find(c.entry.id);
    bool blockChanged = false;
    for (int32_t a = wl::kRadioEnd; a < wl::kImageSize; ++a) {
        if (image.GetByte(a) == before.GetByte(a))
            continue;
        const bool inBlock = a >= block.offset && a < block.offset + block.workingLength();
        const bool bookkeeping = a >= wl::kDirectoryCopy;
        ASSERT_TRUE(inBlock || bookkeeping) << std::hex << "changed 0x" << a;
        blockChanged = blockChanged || inBlock;
    }
    EXPECT_EQ(blockChanged, c.blockExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, BrokenLayoutTest,
    ::testing::Values(
        BrokenLayoutCase{
            "BlockBeyondTheRadioMemory", 0x0200, {8, 189, 1, 0xFF00}, 0x0200, 10, -1, false},
        BrokenLayoutCase{"BlockBelowTheBase", 0x8000, {8, 189, 1, 0x0100}, 0x8000, 10, -1, false},
        BrokenLayoutCase{
            "RecordsRunningOutOfMemory", 0x0200, {17, 37, 65535, 0xFF00}, 0x0200, 10, -1, true},
        BrokenLayoutCase{
            "HugeRecordSize", 0x0200, {17, 65535, 65535, 0x0300}, 0x0200, 10, -1, true},
        BrokenLayoutCase{
            "ListOf65535Records", 0x0200, {34, 16, 65535, 0x0300}, 0x0200, 10, -1, true},
        BrokenLayoutCase{
            "DirectoryRunningOffTheEnd", 0x0200, {8, 189, 1, 0x0300}, 0xFF7A, 10, 85, false},
        BrokenLayoutCase{
            "DirectoryBelowTheBase", 0x1000, {8, 189, 1, 0x1100}, 0x0010, 10, -1, false},
        BrokenLayoutCase{
            "EntriesTooShortToHoldAnAddress", 0x0200, {8, 189, 1, 0x0300}, 0x0200, 4, -1, false},
        BrokenLayoutCase{
            "MoreEntriesThanTheCopyHolds", 0x0200, {8, 189, 1, 0x0300}, 0x0200, 10, 65535, true},
        BrokenLayoutCase{"HugeEntrySize", 0x0200, {8, 189, 1, 0x0300}, 0x0200, 65535, 3, true},
        BrokenLayoutCase{
            "DirectoryOverlappingItsBlock", 0x0200, {8, 189, 1, 0x0200}, 0x0200, 10, -1, true}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(LayoutConversionTest, ListCounterFollowsTheRecordsThatLieInsideTheMemory)
{
    RadioLayoutBuilder radio(image);
    // 16-byte records from 0xFF00: eight of them fit below 0xFF80.
    radio.addEntry({35, 14, 400, 0xFF00});
    radio.writeDirectory(0x0200);
    conversion().RadioToWorking(image);
    EXPECT_EQ(read16(image, wl::kRecordsInUse35), 9); // 0xFF00 + 9 * 14 = 0xFF7E
}

TEST_F(LayoutConversionTest, MultiTableShadowsFollowTheItemsForm)
{
    RadioLayoutBuilder radio(image);
    radio.addEntry({49, 96, 2, 0x0300});
    radio.writeDirectory(0x0200);
    const int32_t at = radio.offsetOf(0x0300);
    const uint8_t listForm[6] = {0x81, 0x01, 0x02, 0x03, 0x04, 0x05};
    const uint8_t valueForm[6] = {0x01, 0x11, 0x12, 0x13, 0x14, 0x15};
    image.WriteBlock(at, listForm, 6);
    image.WriteBlock(at + 96 + 6, valueForm, 6); // record 1, item 1
    shadows.first[2][0][0] = 0x99;               // beyond the records read: untouched

    conversion().RadioToWorking(image);

    EXPECT_EQ(shadows.first[0][0], (MultiTableShadows::Item{0x81, 0x81, 0x02, 0x03, 0x84, 0x05}));
    EXPECT_EQ(shadows.second[0][0], (MultiTableShadows::Item{0x81, 0x01, 0x02, 0x03, 0x04, 0x05}));
    EXPECT_EQ(shadows.first[1][1], (MultiTableShadows::Item{0x01, 0x11, 0x12, 0x13, 0x14, 0x15}));
    EXPECT_EQ(shadows.second[1][1], (MultiTableShadows::Item{0x01, 0x11, 0x00, 0x13, 0x14, 0x00}));
    EXPECT_EQ(shadows.first[2][0][0], 0x99);
}

} // namespace
