#include "image/AddressRange.h"

#include <gtest/gtest.h>

namespace {

bool operator==(const AddressRange &a, const AddressRange &b)
{
    return a.first == b.first && a.last == b.last;
}

TEST(usableRanges, StopsAtTheFirstImproperOrOutsidePair)
{
    struct Case {
        const char *name;
        RangeList ranges;
        RangeList expected;
    } cases[] = {
        {"terminated", {{0, 0xFF7F}, {1, 0}, {0, 3}}, {{0, 0xFF7F}}},
        {"end of vector", {{0, 3}, {8, 9}}, {{0, 3}, {8, 9}}},
        {"improper first", {{1, 0}, {0, 3}}, {}},
        {"single address", {{5, 5}}, {{5, 5}}},
        {"last past the image", {{0, 3}, {0x10000, 0x1B0F7}, {0, 1}}, {{0, 3}}},
        {"negative first", {{-1, 4}}, {}},
        {"empty list", {}, {}},
    };
    for (const Case &c : cases) {
        const RangeList usable = usableRanges(c.ranges, 0x1B0F7);
        EXPECT_EQ(usable.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < usable.size() && i < c.expected.size(); ++i)
            EXPECT_TRUE(usable[i] == c.expected[i]) << c.name << " #" << i;
    }
}

} // namespace
