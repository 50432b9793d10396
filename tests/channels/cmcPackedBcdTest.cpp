#include "channels/cmcPackedBcd.h"
#include "channels/NibbleArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

cmcPackedBcd listOf(const std::vector<std::uint8_t> &nibbles)
{
    cmcPackedBcd list;
    for (std::uint8_t nibble : nibbles)
        list.AppendNibble(nibble);
    return list;
}

struct PackCase {
    const char *name;
    std::vector<std::uint8_t> nibbles;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
};

// Packing writes the list's nibbles high half first and nothing else: an odd
// count leaves the low half of its last byte, bytes past the list stay, and
// a list longer than the bytes stops at their end.
TEST(cmcPackedBcdTest, PacksOnlyTheNibblesItHolds)
{
    const PackCase cases[] = {
        {"Even", {1, 2, 14, 15}, {0, 0, 0}, {0x12, 0xEF, 0}},
        {"OddKeepsTheLowHalf", {1, 2, 3}, {0x00, 0x0B, 0x77}, {0x12, 0x3B, 0x77}},
        {"Empty", {}, {0x55}, {0x55}},
        {"LongerThanTheBytes", {1, 2, 3, 4, 5}, {0, 0}, {0x12, 0x34}},
        {"KeepsTheLowFourBits", {0x1A, 0xF3}, {0}, {0xA3}},
    };
    for (const PackCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> bytes = c.before;
        const cmcPackedBcd list = listOf(c.nibbles);
        EXPECT_EQ(list.Count(), static_cast<std::int32_t>(c.nibbles.size()));
        list.Pack(bytes);
        EXPECT_EQ(bytes, c.after);
    }
}

TEST(cmcPackedBcdTest, ClearEmptiesTheList)
{
    cmcPackedBcd list = listOf({1, 2, 3});
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.AppendNibble(9);
    EXPECT_EQ(list.Nibble(0), 9);
}

TEST(NibbleArrayTest, ReadsAndWritesInsideTheBytesOnly)
{
    std::vector<std::uint8_t> bytes = {0x12, 0x34};
    EXPECT_EQ(nibbleAt(bytes, 0), 1);
    EXPECT_EQ(nibbleAt(bytes, 3), 4);
    EXPECT_EQ(nibbleAt(bytes, 4), 0);
    setNibbleAt(bytes, 1, 0xF);
    setNibbleAt(bytes, 2, 0xA);
    setNibbleAt(bytes, 4, 0x7);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x1F, 0xA4}));
}

} // namespace
