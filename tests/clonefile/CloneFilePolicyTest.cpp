#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"

#include <gtest/gtest.h>

namespace {

TEST(CloneFilePolicy, HeaderCodes)
{
    struct Case {
        int model;
        int sub;
        bool accepted;
        int error;
    } cases[] = {
        {0x3079, 0x0000, true, 0},  {0x3079, 0x0100, true, 0},  {0x3079, 0x0001, false, 4},
        {0x3079, 0x0101, false, 4}, {0x3078, 0x0000, false, 3}, {0x3080, 0x0100, false, 3},
    };
    for (const Case &c : cases) {
        int error = 0;
        EXPECT_EQ(clone_file_policy::acceptHeader(nullptr, c.model, c.sub, &error), c.accepted)
            << std::hex << c.model << "/" << c.sub;
        EXPECT_EQ(error, c.error) << std::hex << c.model << "/" << c.sub;
    }
}

TEST(CloneFilePolicy, MapRevisionsBelowTwo)
{
    for (const int revision : {-1, 0, 1})
        EXPECT_TRUE(clone_file_policy::acceptMapRevision(nullptr, revision)) << revision;
    for (const int revision : {2, 3, 1000})
        EXPECT_FALSE(clone_file_policy::acceptMapRevision(nullptr, revision)) << revision;
}

TEST(CloneFilePolicy, FilesHoldTheRadioLayoutOnly)
{
    const RangeList ranges = clone_file_policy::fileRanges();
    const RangeList usable = usableRanges(ranges, 110839);
    ASSERT_EQ(usable.size(), 1u);
    EXPECT_EQ(usable[0].first, 0x0000);
    EXPECT_EQ(usable[0].last, 0xFF7F);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_GT(ranges[1].first, ranges[1].last) << "the list carries its end pair";
}

} // namespace
