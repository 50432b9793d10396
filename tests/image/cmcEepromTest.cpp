#include "image/cmcEeprom.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace {

// An image whose byte a holds a + 1, so misplaced copies show.
void fillCounting(cmcEeprom &image, int32_t size)
{
    image.SetSize(size);
    for (int32_t a = 0; a < size; ++a)
        image.SetByte(a, static_cast<uint8_t>(a + 1));
}

TEST(cmcEeprom, StartsEmptyAndSizesToZeroedBytes)
{
    cmcEeprom image;
    EXPECT_EQ(image.GetSize(), 0);
    EXPECT_FALSE(image.IsValidAddress(0));
    image.SetSize(4);
    EXPECT_EQ(image.GetSize(), 4);
    for (int32_t a = 0; a < 4; ++a)
        EXPECT_EQ(image.GetByte(a), 0);
}

TEST(cmcEeprom, SetSizeWithTheSameSizeClearsTheContent)
{
    cmcEeprom image;
    fillCounting(image, 8);
    image.SetSize(8);
    EXPECT_EQ(image.GetSize(), 8);
    for (int32_t a = 0; a < 8; ++a)
        EXPECT_EQ(image.GetByte(a), 0) << a;
}

TEST(cmcEeprom, ZeroOrNegativeSizeLeavesAnEmptyImage)
{
    for (const int32_t n : {0, -1, INT32_MIN}) {
        cmcEeprom image;
        fillCounting(image, 8);
        image.SetSize(n);
        EXPECT_EQ(image.GetSize(), 0) << n;
        EXPECT_FALSE(image.IsValidAddress(0)) << n;
    }
}

TEST(cmcEeprom, ValidAddressesRunFromZeroToSizeMinusOne)
{
    cmcEeprom image;
    image.SetSize(16);
    EXPECT_FALSE(image.IsValidAddress(-1));
    EXPECT_TRUE(image.IsValidAddress(0));
    EXPECT_TRUE(image.IsValidAddress(15));
    EXPECT_FALSE(image.IsValidAddress(16));
    EXPECT_FALSE(image.IsValidAddress(INT32_MAX));
}

TEST(cmcEeprom, FillSetsEveryByteAndIgnoresAnEmptyImage)
{
    cmcEeprom empty;
    empty.Fill(0xAA);
    EXPECT_EQ(empty.GetSize(), 0);
    cmcEeprom image;
    image.SetSize(5);
    image.Fill(0xAA);
    for (int32_t a = 0; a < 5; ++a)
        EXPECT_EQ(image.GetByte(a), 0xAA);
}

TEST(cmcEeprom, BlockCopiesHappenOnlyWhenWhollyInside)
{
    struct Case {
        int32_t address;
        int32_t count;
        bool copies;
    } cases[] = {
        {0, 16, true},         // the whole image
        {12, 4, true},         // ends exactly at the end
        {12, 8, false},        // starts 4 before the end, runs past it
        {-1, 2, false},        // starts before the image
        {16, 1, false},        // starts at the size
        {0, 0, false},         // nothing asked
        {0, -3, false},        // negative count
        {8, INT32_MAX, false}, // a count that would wrap a 32-bit sum
        {INT32_MAX, 1, false}, // far outside
    };
    for (const Case &c : cases) {
        cmcEeprom image;
        fillCounting(image, 16);
        std::array<uint8_t, 16> buffer{};
        buffer.fill(0xEE);
        image.ReadBlock(c.address, buffer.data(), c.count);
        const bool read = buffer[0] != 0xEE;
        EXPECT_EQ(read, c.copies) << c.address << "+" << c.count;
        if (read) {
            EXPECT_EQ(buffer[0], c.address + 1);
        }

        const std::array<uint8_t, 16> zeros{};
        image.WriteBlock(c.address, zeros.data(), c.count);
        const bool written = c.address >= 0 && c.address < 16 && image.GetByte(c.address) == 0;
        EXPECT_EQ(written, c.copies) << c.address << "+" << c.count;
    }
}

TEST(cmcEeprom, ReadBlockCopiesExactlyTheAskedBytes)
{
    cmcEeprom image;
    fillCounting(image, 16);
    std::array<uint8_t, 6> buffer{};
    buffer.fill(0xEE);
    image.ReadBlock(3, buffer.data() + 1, 4);
    EXPECT_EQ(buffer, (std::array<uint8_t, 6>{0xEE, 4, 5, 6, 7, 0xEE}));
}

TEST(cmcEeprom, CopyFromMakesAnEqualImage)
{
    cmcEeprom source;
    fillCounting(source, 32);
    cmcEeprom copy;
    copy.SetSize(3);
    copy.CopyFrom(source);
    EXPECT_TRUE(copy.Equals(source));
    EXPECT_FALSE(copy.Differs(source));
    copy.SetByte(31, 0);
    EXPECT_TRUE(copy.Differs(source));
    EXPECT_EQ(source.GetByte(31), 32) << "the copy must not share the bytes";

    cmcEeprom empty;
    copy.CopyFrom(empty);
    EXPECT_EQ(copy.GetSize(), 0);
    EXPECT_TRUE(copy.Equals(empty));

    source.CopyFrom(source);
    EXPECT_EQ(source.GetByte(31), 32);
}

TEST(cmcEeprom, EqualityNeedsTheSameSizeAndBytes)
{
    cmcEeprom a;
    cmcEeprom b;
    EXPECT_TRUE(a.Equals(b)) << "two empty images";
    fillCounting(a, 16);
    fillCounting(b, 8);
    EXPECT_FALSE(a.Equals(b)) << "a prefix is not equal";
    EXPECT_FALSE(b.Equals(a));
    fillCounting(b, 16);
    EXPECT_TRUE(a.Equals(b));
    b.SetByte(0, 0x55);
    EXPECT_FALSE(a.Equals(b));
}

using cmcEepromDeathTest = testing::Test;

TEST(cmcEepromDeathTest, ByteAccessOutsideTheImageIsFatal)
{
    cmcEeprom image;
    image.SetSize(16);
    EXPECT_DEATH(image.GetByte(16), "Out of EEPROM image address \\(GetByte\\)\\.");
    EXPECT_DEATH(image.GetByte(-1), "Out of EEPROM image address \\(GetByte\\)\\.");
    EXPECT_DEATH(image.SetByte(16, 0), "Out of EEPROM image address \\(SetByte\\)\\.");
    EXPECT_DEATH(image.SetByte(-1, 0), "Out of EEPROM image address \\(SetByte\\)\\.");
    cmcEeprom empty;
    EXPECT_DEATH(empty.GetByte(0), "Out of EEPROM image address \\(GetByte\\)\\.");
}

} // namespace
