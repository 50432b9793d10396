#include "cells/cmcFCache.h"
#include "cells/CellIdentifiers.h"
#include "textdb/cmcGTex.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class FormatCache : public testing::Test
{
protected:
    void SetUp() override { texts.Open(testing_support::fixtureDir() + "cells/cells.ovl"); }

    cmcGTex texts;
    cmcFCache cache{texts};
};

// The "Order" sheet lists Flex0 values 30 10 / 20 / 40 in two columns.
TEST_F(FormatCache, TextsAreLookedUpByValue)
{
    struct Case {
        std::int32_t value;
        const char *text;
    } cases[] = {
        {10, "ten"},  {20, "twenty-alt"}, {30, "thirty"}, {40, "forty"},
        {9, "error"}, {25, "error"},      {41, "error"},  {99, "error"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cache.Text("GI_Sheet_Sel_Order", Flex0, c.value), c.text) << c.value;
    EXPECT_EQ(cache.Text("GI_Sheet_Sel_Order", Flex1, 99), "other");
    EXPECT_EQ(cache.Text("GI_Sheet_Sel_Plain", Flex0, 0), "error");
}

TEST_F(FormatCache, EntryRecordsTheSheetShape)
{
    const cmcFCacheEntry &entry = cache.Entry("GI_Sheet_Sel_Order", Flex0);
    EXPECT_EQ(entry.lines, 3);
    EXPECT_EQ(entry.columns, 2);
    EXPECT_EQ(entry.count, 4);
    std::vector<std::int32_t> byValue;
    for (const auto &record : entry.byValue)
        byValue.push_back(record.value);
    std::vector<std::int32_t> byPosition;
    for (const auto &record : entry.byPosition)
        byPosition.push_back(record.value);
    EXPECT_EQ(byValue, (std::vector<std::int32_t>{10, 20, 30, 40}));
    EXPECT_EQ(byPosition, (std::vector<std::int32_t>{30, 20, 40, 10}));
    EXPECT_EQ(&cache.Entry("GI_Sheet_Sel_Order", Flex0), &entry); // built once
}

TEST_F(FormatCache, StepFollowsPositionOrderAndWraps)
{
    EXPECT_EQ(cache.Step("GI_Sheet_Sel_Order", Flex0, 30, 1), std::nullopt); // not built yet
    cache.Text("GI_Sheet_Sel_Order", Flex0, 30);
    struct Case {
        std::int32_t value;
        std::int32_t delta;
        std::int32_t next;
    } cases[] = {
        {30, 1, 20},  {20, 1, 40},  {40, 1, 10}, {10, 1, 30},
        {30, -1, 10}, {10, -1, 40}, {25, 1, 30}, {25, -1, 30},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cache.Step("GI_Sheet_Sel_Order", Flex0, c.value, c.delta), c.next)
            << c.value << " " << c.delta;

    cache.Text("GI_Sheet_Sel_Plain", Flex0, 0);
    EXPECT_EQ(cache.Step("GI_Sheet_Sel_Plain", Flex0, 0, 1), std::nullopt); // nothing listed
}

// The second pass goes on from the counters the first pass left.
TEST_F(FormatCache, CounterIndexesContinueFromTheFirstPass)
{
    const cmcFCacheEntry &entry = cache.Entry("GI_Sheet_Sel_Counted", Flex0);
    ASSERT_EQ(entry.byValue.size(), 2u);
    EXPECT_EQ(entry.byValue[0].value, 2);
    EXPECT_EQ(entry.byValue[1].value, 3);
    EXPECT_EQ(cache.Text("GI_Sheet_Sel_Counted", Flex0, 2), "3");
    EXPECT_EQ(cache.Text("GI_Sheet_Sel_Counted", Flex0, 0), "error");
}

} // namespace
