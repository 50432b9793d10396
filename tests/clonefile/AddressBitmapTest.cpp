#include "clonefile/AddressBitmap.h"

#include <gtest/gtest.h>

namespace {

TEST(AddressBitmap, MarkSpanSetsExactlyTheSpanWhereverItStartsAndEnds)
{
    constexpr int32_t size = 41; // a partial last byte
    for (int32_t first = -2; first <= size + 1; ++first) {
        for (int32_t last = first - 1; last <= size + 1; ++last) {
            AddressBitmap bitmap;
            bitmap.Reset(size);
            bitmap.MarkSpan(first, last);
            const bool inside = first >= 0 && last < size && first <= last;
            for (int32_t a = 0; a < size; ++a) {
                const bool expected = inside && a >= first && a <= last;
                ASSERT_EQ(bitmap.Test(a), expected) << first << ".." << last << " at " << a;
            }
            ASSERT_EQ(bitmap.Count(), inside ? last - first + 1 : 0) << first << ".." << last;
        }
    }
}

TEST(AddressBitmap, ComparesBitsAgainstAnother)
{
    AddressBitmap expected;
    AddressBitmap loaded;
    expected.Reset(64);
    loaded.Reset(64);
    expected.MarkRanges({{0, 31}, {1, 0}, {40, 63}});
    EXPECT_EQ(expected.Count(), 32);
    loaded.MarkSpan(0, 31);
    EXPECT_TRUE(loaded.Equals(expected));
    loaded.MarkSpan(33, 33);
    EXPECT_TRUE(loaded.HasBitsOutside(expected));
    EXPECT_FALSE(expected.HasBitsOutside(loaded));
    loaded.Clear();
    EXPECT_EQ(loaded.Count(), 0);
    EXPECT_FALSE(loaded.HasBitsOutside(expected));
}

} // namespace
