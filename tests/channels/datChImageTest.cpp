// Whole-image properties of the record codec: a row owns its bytes and
// nothing else, and a second pass over a decoded and re-encoded image
// changes nothing more.

#include "WorkingImage.h"

#include "cells/CellCategories.h"
#include "channels/datCh.h"

#include <gtest/gtest.h>

#include <vector>

using namespace channel_testing;

namespace {

struct Span {
    int32_t base;
    int32_t stride;
    int32_t size;
    int firstRow = 0;
};

struct KindArea {
    int kind;
    int rows;
    std::vector<Span> rowSpans;
    // Places outside the rows that the kind writes: stride 0, size bytes.
    std::vector<Span> globals;
    // The kind recomputes every channel's derived DTMF bit.
    bool refreshesDtmf = false;
};

const Span kPriorityWords{0x103C0, 0, 4};
const Span kScanBitmaps{0x103D0, 0, 68};
const Span kBankSmarTrunk{0x10E8A, 0, 1};
const Span kChannelE{0x10E8B, 0, 2};
const Span kChannelEActive{0x10E95, 0, 1};
const Span kBankLtr{0x10F10, 0, 1};

// Where each kind keeps its rows, written down independently of the codec.
const std::vector<KindArea> &kindAreas()
{
    static const std::vector<KindArea> areas = {
        {1,
         32,
         {{0xFF80, 34, 34}, {0x109F6, 36, 36}},
         {kPriorityWords, kScanBitmaps, kBankSmarTrunk, kChannelE, kChannelEActive, kBankLtr},
         true},
        {2,
         32,
         {{0xFF80, 34, 34}, {0x109F6, 36, 36}},
         {kPriorityWords, kScanBitmaps, kBankSmarTrunk, kChannelE, kChannelEActive, kBankLtr},
         true},
        {3, 16, {{0x10F53, 24, 24}, {0x110D3, 49, 49}}, {}},
        {4, 11, {{0x11751, 37, 37}}, {}},
        {5, 17, {{0x1150F, 34, 34}}, {}},
        {6, 40, {{0x1146F, 4, 4}}, {{0x10EF1, 0, 5}}},
        {7, 11, {{0x11AA8, 44, 44}}, {}},
        {8, 32, {{0x10414, 4, 4}, {0x118E8, 14, 14}}, {}},
        {9, 15, {{0x113E3, 2, 2}, {0x11401, 4, 4}}, {}},
        {10,
         11,
         {{0x11AA8, 44, 44},
          {0x113DB, 8, 8, 1},
          {0x10410, 4, 4, 1},
          {0x11445, 2, 2, 1},
          {0x118DA, 14, 14, 1}},
         {}},
        {11, 10, {}, {}},
        {12, 1, {{0x11463, 12, 12}}, {kBankLtr}},
        {13, 8, {{0x11CCE, 42, 42}}, {}},
        {14, 32, {{0x10494, 4, 4}, {0x11E26, 14, 14}}, {}},
        {15, 24, {{0x12186, 16, 16}, {0x12006, 16, 16}}, {}},
        {16, 8, {{0x10514, 12, 12}, {0x12306, 2, 2}}, {}},
        {17, 500, {{0x12316, 16, 16}}, {}},
        {18, 500, {{0x14258, 14, 14}}, {}},
        {19, 40, {{0x163B3, 4, 4}}, {{0x10EF6, 0, 5}}},
        {20, 100, {{0x1706F, 16, 16}, {0x16A2F, 16, 16}}, {}},
        {21, 63, {{0x17719, 2, 2}}, {}},
        {22, 10, {{0x10574, 12, 12}, {0x176F5, 2, 2}}, {}},
        {23, 500, {{0x177B1, 18, 18}}, {}},
        {24, 32, {{0x19D05, 17, 17}, {0x19B05, 16, 16}}, {}},
        {25, 10, {{0x105EC, 100, 100}, {0x19F33, 2, 2}}, {}},
        {26, 32, {{0x19F49, 2, 2}}, {}},
        {27, 10, {{0x1A514, 54, 54}}, {}, true},
        {28, 32, {{0x1A730, 1, 1}}, {}},
        {29, 16, {{0x1A78B, 6, 6}}, {}},
    };
    return areas;
}

bool inSpan(const Span &span, int32_t address, int row)
{
    const int32_t start = span.base + span.stride * row;
    return row >= span.firstRow && address >= start && address < start + span.size;
}

// Why a byte may differ after row `row` of the area was decoded and encoded:
// 0 = it may not; otherwise the mask of bits that may change.
uint8_t allowedChange(const KindArea &area, int32_t address, int row)
{
    for (const Span &span : area.rowSpans)
        if (inSpan(span, address, row))
            return 0xFF;
    for (const Span &span : area.globals)
        if (inSpan(span, address, 0))
            return 0xFF;
    if (area.refreshesDtmf)
        for (int c = 0; c < 32; ++c)
            if (address == extraByte(c, 18))
                return 0x20;
    return 0;
}

void decodeAndEncode(cmcEeprom &image, int kind, int row)
{
    datCh record(&image);
    record.decode(kind, row);
    record.encode(kind, row);
}

TEST(datChImage, ARowWritesOnlyItsOwnBytes)
{
    ScopedModelType lmr(0);
    for (const KindArea &area : kindAreas()) {
        for (const int row : {0, 1, area.rows / 2, area.rows - 1}) {
            SCOPED_TRACE(::testing::Message() << "kind " << area.kind << " row " << row);
            WorkingImage w;
            w.fillRandom(static_cast<uint32_t>(area.kind * 1000 + row));
            const std::vector<uint8_t> before = w.bytes();
            decodeAndEncode(w.image, area.kind, row);
            const std::vector<uint8_t> after = w.bytes();
            for (int32_t a = 0; a < kWorkingSize; ++a) {
                const auto i = static_cast<std::size_t>(a);
                const uint8_t changed = before[i] ^ after[i];
                ASSERT_EQ(changed & ~allowedChange(area, a, row), 0)
                    << "stray write at 0x" << std::hex << a;
            }
        }
    }
}

TEST(datChImage, ASecondPassOverEveryRowChangesNothing)
{
    for (const KindArea &area : kindAreas()) {
        SCOPED_TRACE(area.kind);
        WorkingImage w;
        w.fillRandom(static_cast<uint32_t>(77 + area.kind));
        for (int row = 0; row < area.rows; ++row)
            decodeAndEncode(w.image, area.kind, row);
        const std::vector<uint8_t> once = w.bytes();
        for (int row = 0; row < area.rows; ++row)
            decodeAndEncode(w.image, area.kind, row);
        EXPECT_TRUE(w.bytes() == once);
    }
}

TEST(datChImage, KindsWithoutDerivedBitsReencodeRandomRowsUnchanged)
{
    for (const int kind : {3, 4, 9, 12, 15, 16, 17, 18, 19, 21, 22, 23, 25, 26, 28}) {
        SCOPED_TRACE(kind);
        WorkingImage w;
        w.fillRandom(static_cast<uint32_t>(kind));
        const std::vector<uint8_t> before = w.bytes();
        const int rows = kindAreas()[static_cast<std::size_t>(kind - 1)].rows;
        for (int row = 0; row < rows; ++row)
            decodeAndEncode(w.image, kind, row);
        EXPECT_TRUE(w.bytes() == before);
    }
}

struct KeptBits {
    int kind;
    int row;
    int32_t address;
    uint8_t mask;
};

// Bits inside a row that belong to no member and must keep their value.
const KeptBits kKeptBits[] = {
    {1, 7, mainByte(7, 8), 0x1E},         {1, 7, mainByte(7, 10), 0x1E},
    {1, 7, mainByte(7, 12), 0x80},        {1, 7, mainByte(7, 13), 0xFF},
    {1, 7, mainByte(7, 32), 0xFF},        {1, 7, extraByte(7, 0), 0x10},
    {1, 7, extraByte(7, 3), 0x0E},        {1, 7, extraByte(7, 4), 0xFF},
    {1, 7, extraByte(7, 6), 0x30},        {1, 7, extraByte(7, 16), 0xFF},
    {1, 7, extraByte(7, 17), 0x40},       {1, 7, extraByte(7, 19), 0x0F},
    {1, 7, extraByte(7, 22), 0xFF},       {2, 9, extraByte(9, 21), 0xFF},
    {2, 9, extraByte(9, 22), 0xFF},       {5, 3, 0x1150F + 34 * 3 + 24, 0x60},
    {5, 3, 0x1150F + 34 * 3 + 25, 0x03},  {8, 3, 0x118E8 + 14 * 3 + 13, 0x0F},
    {10, 2, 0x11AA8 + 44 * 2 + 1, 0xFF},  {10, 2, 0x11AA8 + 44 * 2 + 28, 0xFF},
    {10, 2, 0x11AA8 + 44 * 2 + 30, 0xC0}, {10, 2, 0x11AA8 + 44 * 2 + 31, 0x44},
    {10, 2, 0x11AA8 + 44 * 2 + 32, 0xFF}, {13, 1, 0x11CCE + 42 + 14, 0xFF},
    {13, 1, 0x11CCE + 42 + 28, 0xF0},     {13, 1, 0x11CCE + 42 + 29, 0xF8},
    {14, 1, 0x11E26 + 14 + 13, 0xCF},     {15, 1, 0x12186 + 16 + 12, 0x10},
    {15, 1, 0x12006 + 16 + 12, 0xFC},     {20, 1, 0x1706F + 16 + 12, 0xE0},
    {20, 1, 0x1706F + 16 + 14, 0xFC},     {20, 1, 0x16A2F + 16 + 12, 0xFD},
    {24, 1, 0x19D05 + 17 + 12, 0xEF},     {24, 1, 0x19D05 + 17 + 14, 0x3C},
    {24, 1, 0x19B05 + 16 + 12, 0xFC},     {23, 1, 0x177B1 + 18 + 16, 0x01},
    {23, 1, 0x177B1 + 18 + 17, 0x7F},     {27, 1, 0x1A514 + 54 + 36, 0xFF},
    {27, 1, 0x1A514 + 54 + 45, 0xFF},     {27, 1, 0x1A514 + 54 + 53, 0xFF},
    {29, 4, 0x1A78B + 24, 0x7F},          {29, 4, 0x1A78B + 27, 0x7F},
};

TEST(datChImage, BitsNoMemberOwnsKeepTheirValue)
{
    for (const KeptBits &k : kKeptBits) {
        SCOPED_TRACE(::testing::Message()
                     << "kind " << k.kind << " at 0x" << std::hex << k.address);
        WorkingImage w;
        w.fillRandom(static_cast<uint32_t>(k.address));
        const uint8_t before = w.at(k.address);
        decodeAndEncode(w.image, k.kind, k.row);
        EXPECT_EQ(w.at(k.address) & k.mask, before & k.mask);
    }
}

TEST(datChImage, RowsOutsideTheStorageDecodeToAResetRecordAndWriteNothing)
{
    for (const KindArea &area : kindAreas()) {
        SCOPED_TRACE(area.kind);
        WorkingImage w;
        w.fillRandom(5);
        const std::vector<uint8_t> before = w.bytes();
        for (const int row : {-1, area.rows}) {
            datCh record(&w.image);
            record.decode(area.kind, row);
            EXPECT_EQ(record.kind, area.kind);
            EXPECT_EQ(record.index, row);
            EXPECT_EQ(record.status, datCh::kUsed);
            record.FreqR = 1;
            record.Text.fill('Z');
            record.encode(area.kind, row);
        }
        EXPECT_TRUE(w.bytes() == before);
    }
}

TEST(datChImage, AnUnboundRecordDecodesToAResetRecord)
{
    datCh record;
    record.FreqR = 5;
    record.decode(1, 0);
    record.encode(1, 0);
    EXPECT_EQ(record.FreqR, 0);
    EXPECT_EQ(record.listCount(17), 0);
    EXPECT_EQ(record.usedChannelCount(0, 31), 0);
}

// --- Categories.

TEST(datChCategory, ChannelCategoriesFollowTheModelTypeOfTheSettings)
{
    struct ModelCase {
        int modelType;
        int channelKind;
    };
    for (const ModelCase &c : {ModelCase{0, 1}, ModelCase{1, 2}, ModelCase{2, 0}}) {
        ScopedModelType type(c.modelType);
        EXPECT_EQ(datCh::channelKind(), c.channelKind);
        EXPECT_EQ(cellRecordTable(CT_Mch), c.channelKind);
        EXPECT_EQ(cellRecordTable(CT_Mch_Check), c.channelKind);
        EXPECT_EQ(cellRecordTable(CT_UserTone), 9);
        EXPECT_EQ(cellRecordTable(CT_MultiTable), 29);
        EXPECT_EQ(cellRecordTable(kNoCategory), 0);
    }
}

TEST(datChCategoryDeathTest, ACategoryOutsideTheTableIsFatal)
{
    EXPECT_DEATH(cellRecordTable(38), "Unknown Cell Category\\. \\(38\\)");
    EXPECT_DEATH(cellRecordTable(-1), "Unknown Cell Category\\. \\(-1\\)");
}

TEST(datChCategory, OnlyChannelsCodeGlyphsAndIdListsTakeBlockInsertAndDelete)
{
    for (int kind = 0; kind < datCh::kKinds; ++kind) {
        const bool blocks =
            kind == 1 || kind == 2 || kind == 3 || kind == 17 || kind == 18 || kind == 23;
        EXPECT_EQ((datCh::kindFlags(kind) & 1) != 0, blocks) << kind;
    }
    EXPECT_EQ(datCh::firstIndex(7), 1);
    EXPECT_EQ(datCh::lastIndex(7), 8);
    EXPECT_EQ(datCh::lastIndex(15), 22);
}

} // namespace
