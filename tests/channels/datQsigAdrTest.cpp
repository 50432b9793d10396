#include "WorkingImage.h"

#include "channels/ChannelOffsets.h"
#include "channels/datQsigAdr.h"

#include <gtest/gtest.h>

using namespace channel_testing;

namespace {

class datQsigAdrTest : public ::testing::Test
{
protected:
    datQsigAdr planWithGroupStart(int groupStart)
    {
        working.setWord(channel_offsets::kMskGroupStart, groupStart);
        return datQsigAdr(working.image);
    }

    WorkingImage working;
};

TEST_F(datQsigAdrTest, RangesFollowTheGroupStart)
{
    const datQsigAdr plan = planWithGroupStart(100);
    EXPECT_EQ(plan.GroupStart(), 100);
    using Range = datQsigAdr::Range;
    EXPECT_EQ(plan.RangeOf(0), (Range{0, 0}));
    EXPECT_EQ(plan.RangeOf(datQsigAdr::kGroupRange), (Range{100, 4095}));
    EXPECT_EQ(plan.RangeOf(3), (Range{4095, 4095}));
    EXPECT_EQ(plan.RangeOf(datQsigAdr::kKillerRange), (Range{0, 99}));
    EXPECT_EQ(plan.RangeOf(datQsigAdr::kIdGroupRanges), (Range{0, 99}));
    EXPECT_EQ(plan.RangeOf(datQsigAdr::kIdGroupRanges + 7), (Range{100, 4095}));
    EXPECT_EQ(plan.RangeOf(datQsigAdr::kCallListRanges), (Range{0, 4095}));
    EXPECT_EQ(plan.RangeOf(datQsigAdr::kEntries - 1), (Range{0, 4095}));
    EXPECT_FALSE(plan.Allows(datQsigAdr::kEntries, 0));
    EXPECT_FALSE(plan.Allows(-1, 0));
}

TEST_F(datQsigAdrTest, IndividualRangeRowsShowTheirEnds)
{
    const datQsigAdr plan = planWithGroupStart(100);
    EXPECT_EQ(plan.IndividualRangeText(0), "0000 (No Edit)");
    EXPECT_EQ(plan.IndividualRangeText(1), "0099 (No Edit)");
    EXPECT_EQ(plan.IndividualRangeText(2), "error");
    EXPECT_EQ(datQsigAdr::GroupRangeEndText(), "4095 (No Edit)");
    EXPECT_EQ(planWithGroupStart(1).IndividualRangeText(1), "0000 (No Edit)");
    EXPECT_EQ(planWithGroupStart(0).IndividualRangeText(0), "----");
}

// An address of ID group 0 is individual, of groups 1..7 a group address;
// the killer address is individual.
TEST_F(datQsigAdrTest, AddressesOutsideTheirRangeAreRefused)
{
    datQsigAdr plan = planWithGroupStart(100);
    EXPECT_FALSE(plan.Allows(datQsigAdr::kIdGroupRanges, 150));
    EXPECT_TRUE(plan.Allows(datQsigAdr::kIdGroupRanges + 1, 150));
    EXPECT_FALSE(plan.Allows(datQsigAdr::kKillerRange, 1500));
    EXPECT_FALSE(plan.Allows(datQsigAdr::kCallListRanges, 65535));

    plan.Store(2000);
    EXPECT_EQ(working.word(channel_offsets::kMskGroupStart), 2000);
    EXPECT_EQ(datQsigAdr(working.image).GroupStart(), 2000);
    EXPECT_TRUE(plan.Allows(datQsigAdr::kIdGroupRanges, 150));
    EXPECT_FALSE(plan.Allows(datQsigAdr::kIdGroupRanges + 1, 150));
    EXPECT_TRUE(plan.Allows(datQsigAdr::kKillerRange, 1500));
    EXPECT_FALSE(plan.Allows(datQsigAdr::kKillerRange, 2000));
}

// With the group start at 0 every address is a group address.
TEST_F(datQsigAdrTest, GroupStartZeroLeavesNoIndividualAddress)
{
    const datQsigAdr plan = planWithGroupStart(0);
    EXPECT_FALSE(plan.Allows(datQsigAdr::kKillerRange, 0));
    EXPECT_TRUE(plan.Allows(datQsigAdr::kIdGroupRanges + 1, 0));
}

} // namespace
