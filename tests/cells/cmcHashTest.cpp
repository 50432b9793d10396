#include "cells/cmcHash.h"
#include "cells/cmcFCache.h"
#include "cells/cmcHash2.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NameHash, BucketsFollowTheTableFormula)
{
    struct Case {
        const char *name;
        std::uint32_t buckets;
        std::uint32_t bucket;
    } cases[] = {
        {"abc", 1031, 937},
        {"clWindow", 101, 60},
        {"", 1031, 0},
        {"a", 1031, 97 + 515},              // the step halves only after
        {"\xE9", 1031, (515u - 23) % 1031}, // bytes above 0x7F count negative
        {"abc", 1, 0},
        {"abc", 2, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(nameHashBucket(c.name, c.buckets), c.bucket) << c.name << " / " << c.buckets;
}

TEST(cmcHash, DefaultSizeIs1031)
{
    EXPECT_EQ(cmcHash().bucketCount(), 1031u);
    EXPECT_EQ(cmcHash(0).bucketCount(), 1031u);
    EXPECT_EQ(cmcHash(101).bucketCount(), 101u);
    EXPECT_EQ(cmcHash2().bucketCount(), 1031u);
}

TEST(cmcHash, FindsWholeNamesCaseSensitively)
{
    cmcHash colours(101);
    colours.Insert("clWindow", static_cast<std::int32_t>(0x80000005));
    colours.Insert("clWindowText", static_cast<std::int32_t>(0x80000008));

    const auto *node = colours.Find("clWindow");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(static_cast<std::uint32_t>(node->value), 0x80000005u);
    EXPECT_EQ(node->name, "clWindow");
    for (const char *absent : {"clwindow", "clWindo", "clWindowT", "", "CLWINDOW"})
        EXPECT_EQ(colours.Find(absent), nullptr) << absent;
}

// One bucket forces every name into the same chain.
TEST(cmcHash, NamesSharingABucketStayApart)
{
    cmcHash table(1);
    const std::string names[] = {"CT_Menu", "CT_Sheet", "CL_Mch_FreqR", "CL_Mch_FreqT"};
    for (int i = 0; i < 4; ++i)
        table.Insert(names[i], i);
    for (int i = 0; i < 4; ++i) {
        const auto *node = table.Find(names[i]);
        ASSERT_NE(node, nullptr) << names[i];
        EXPECT_EQ(node->value, i);
    }
    EXPECT_EQ(table.Find("CT_Men"), nullptr);
}

TEST(cmcHash, NamesAreCopiedNotReferenced)
{
    cmcHash table;
    std::string name = "CL_Temp";
    table.Insert(name, 5);
    name = "CL_Xxxx";
    EXPECT_NE(table.Find("CL_Temp"), nullptr);
    EXPECT_EQ(table.Find("CL_Xxxx"), nullptr);
}

TEST(cmcHash2, MapsNamesToEntriesItDoesNotOwn)
{
    cmcFCacheEntry first;
    first.count = 1;
    cmcFCacheEntry second;
    second.count = 2;
    {
        cmcHash2 index;
        index.Insert("GI_Sheet_Sel_Mch_ChInh#1", &first);
        index.Insert("GI_Sheet_Sel_Mch_ChInh#2", &second);
        const auto *node = index.Find("GI_Sheet_Sel_Mch_ChInh#2");
        EXPECT_TRUE(node != nullptr && node->value == &second);
        EXPECT_EQ(index.Find("GI_Sheet_Sel_Mch_ChInh#3"), nullptr);
    }
    EXPECT_EQ(first.count, 1); // still ours after the index is gone
}

TEST(cmcHashDeathTest, EnteringANameTwiceIsFatal)
{
    cmcHash table;
    table.Insert("CT_Menu", 1);
    EXPECT_DEATH(table.Insert("CT_Menu", 2), "cells_tests: Overlapped Hash table\\.");

    cmcHash2 index;
    index.Insert("P#1", nullptr);
    EXPECT_DEATH(index.Insert("P#1", nullptr), "cells_tests: Overlapped Hash2 table\\.");
}

} // namespace
