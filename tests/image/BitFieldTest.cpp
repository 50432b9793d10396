#include "image/BitField.h"

#include "image/cmcEeprom.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The image's six bytes as one number, first byte leftmost, so a table row
// reads as a hex dump.
using Bytes = uint64_t;
constexpr int32_t kSize = 6;

// Every byte differs, so a write that strays onto a neighbour shows.
constexpr Bytes kCounting = 0x112233445566;

void load(cmcEeprom &image, Bytes bytes)
{
    image.SetSize(kSize);
    for (int32_t a = kSize - 1; a >= 0; --a, bytes >>= 8)
        image.SetByte(a, static_cast<uint8_t>(bytes));
}

Bytes contents(const cmcEeprom &image)
{
    Bytes bytes = 0;
    for (int32_t a = 0; a < kSize; ++a)
        bytes = (bytes << 8) | image.GetByte(a);
    return bytes;
}

TEST(BitField, ReadsAndWritesOnlyItsOwnBits)
{
    struct Case {
        const char *name;
        int32_t address;
        int firstBit;
        int width;
        Bytes before;
        uint32_t read;
        uint32_t written;
        Bytes after;
    } cases[] = {
        {"bit 7 set", 2, 7, 1, kCounting, 0, 1, 0x1122B3445566},
        {"bit 7 cleared", 2, 7, 1, 0x1122F3445566, 1, 0, 0x112273445566},
        {"bit 0 of the first byte", 0, 0, 1, kCounting, 1, 0, 0x102233445566},
        {"bit 0 of the last byte", 5, 0, 1, kCounting, 0, 1, 0x112233445567},
        {"bits 4-2", 1, 2, 3, kCounting, 0, 5, 0x113633445566},
        {"wider value masked", 1, 2, 3, kCounting, 0, 0xFF, 0x113E33445566},
        {"whole byte, wider value masked", 3, 0, 8, kCounting, 0x44, 0x1AB, 0x112233AB5566},
        {"16 bits, high byte first", 1, 0, 16, kCounting, 0x2233, 0xBEEF, 0x11BEEF445566},
        {"straddles two bytes", 1, 4, 8, kCounting, 0x23, 0xA5, 0x112A53445566},
        {"straddles three bytes", 1, 6, 12, kCounting, 0x8CD, 0x123, 0x112048C45566},
        {"full 32 bits", 1, 0, 32, kCounting, 0x22334455, 0xDEADBEEF, 0x11DEADBEEF66},
        {"32 bits from bit 4: five bytes", 0, 4, 32, kCounting, 0x12233445, 0xCAFEBABE,
         0x1CAFEBABE566},
    };
    for (const Case &c : cases) {
        cmcEeprom image;
        load(image, c.before);
        const BitField field{c.address, c.firstBit, c.width};
        EXPECT_EQ(field.Read(image), c.read) << c.name;
        field.Write(image, c.written);
        EXPECT_EQ(contents(image), c.after) << c.name;
        EXPECT_EQ(field.Read(image), c.written & field.Mask()) << c.name;
    }
}

// A field no caller can mean is a fault of its table, not of the image.
TEST(BitField, FieldOfAnImpossibleShapeReadsZeroAndWritesNothing)
{
    struct Case {
        int firstBit;
        int width;
    } cases[] = {{0, 0}, {0, 33}, {8, 1}, {-1, 4}};
    for (const Case &c : cases) {
        cmcEeprom image;
        load(image, kCounting);
        const BitField field{1, c.firstBit, c.width};
        EXPECT_FALSE(field.IsValid()) << c.firstBit << "/" << c.width;
        EXPECT_EQ(field.Read(image), 0u) << c.firstBit << "/" << c.width;
        field.Write(image, 0xFFFFFFFF);
        EXPECT_EQ(contents(image), kCounting) << c.firstBit << "/" << c.width;
    }
}

TEST(BitField, HelpersNameTheFieldTheyDescribe)
{
    struct Case {
        const char *name;
        BitField field;
        int32_t address;
        int firstBit;
        int width;
    } cases[] = {
        {"two bytes", BitField::bytes(3, 2), 3, 0, 16},
        {"bit", BitField::bit(3, 5), 3, 5, 1},
        {"map bit 0 is the top bit", BitField::mapBit(10, 0), 10, 7, 1},
        {"map bit 7", BitField::mapBit(10, 7), 10, 0, 1},
        {"map bit 9", BitField::mapBit(10, 9), 11, 6, 1},
        {"nibble 0 is the high half", BitField::nibble(10, 0), 10, 4, 4},
        {"nibble 1", BitField::nibble(10, 1), 10, 0, 4},
        {"nibble 6", BitField::nibble(10, 6), 13, 4, 4},
        {"row 3 of 18-byte rows", BitField(100, 2, 3).Stepped(3, 18), 154, 2, 3},
        {"stride 0", BitField(100, 0, 8).Stepped(7, 0), 100, 0, 8},
        // Places no image holds become an address every image refuses.
        {"negative map bit", BitField::mapBit(10, -1), -1, 0, 1},
        {"negative nibble", BitField::nibble(10, -2), -1, 0, 4},
        {"stepped below 0", BitField(10, 0, 8).Stepped(-1, 18), -1, 0, 8},
        {"stepped past 32 bits", BitField(10, 0, 8).Stepped(INT32_MAX, 2), -1, 0, 8},
        {"refused stays refused", BitField::mapBit(10, -1).Stepped(1, 4), -1, 0, 1},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.field.Address(), c.address) << c.name;
        EXPECT_EQ(c.field.FirstBit(), c.firstBit) << c.name;
        EXPECT_EQ(c.field.Width(), c.width) << c.name;
    }
}

TEST(BitField, NibblesAndMapBitsOfAnArray)
{
    cmcEeprom image;
    load(image, kCounting);
    for (int n = 0; n < 4; ++n)
        BitField::nibble(1, n).Write(image, static_cast<uint32_t>(0xA + n));
    EXPECT_EQ(contents(image), 0x11ABCD445566u);
    EXPECT_EQ(BitField::nibble(1, 3).Read(image), 0xDu);
    BitField::mapBit(3, 0).Write(image, 1);
    BitField::mapBit(3, 14).Write(image, 1);
    EXPECT_EQ(contents(image), 0x11ABCDC45766u);
    EXPECT_EQ(BitField::mapBit(3, 1).Read(image), 1u); // 0xC4: second bit from the top
    EXPECT_EQ(BitField::mapBit(3, 2).Read(image), 0u);
}

using BitFieldDeathTest = testing::Test;

// Outside the image a field stops the program as byte access does, and a
// write stops before it has changed any byte of the image.
TEST(BitFieldDeathTest, AFieldOutsideTheImageIsFatal)
{
    cmcEeprom image;
    load(image, kCounting);
    const char *read = "Out of EEPROM image address \\(GetByte\\)\\.";
    EXPECT_DEATH(BitField(6, 0, 1).Read(image), read);
    EXPECT_DEATH(BitField::bytes(4, 4).Read(image), read);
    EXPECT_DEATH(BitField::bytes(-1, 2).Read(image), read);
    EXPECT_DEATH(BitField::bytes(4, 4).Write(image, 0), read);
    EXPECT_DEATH(BitField::bytes(-1, 2).Write(image, 0), read);
    EXPECT_DEATH(BitField::bytes(INT32_MAX - 1, 4).Write(image, 0), read);
    EXPECT_DEATH(BitField::mapBit(0, -1).Read(image), read);
}

} // namespace
