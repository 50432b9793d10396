#include "WorkingImage.h"

#include "channels/datCh.h"

#include <gtest/gtest.h>

using namespace channel_testing;

namespace {

class Banks : public ::testing::Test
{
protected:
    Banks() : lmr_(0) { w.setWord(0x10F0E, 6); }

    // A channel is in use when its receive frequency is not 0.
    void useChannel(int channel) { w.set(mainByte(channel, 3), 0x01); }

    ScopedModelType lmr_;
    WorkingImage w;
    datCh record{&w.image};
};

TEST_F(Banks, ChannelsBeyondBankZeroFallIntoAnEmptyBankOne)
{
    EXPECT_EQ(record.bankOfChannel(0), 0);
    EXPECT_EQ(record.bankOfChannel(5), 0);
    EXPECT_EQ(record.bankOfChannel(6), 1);
    EXPECT_EQ(record.bankChannelCount(0), 6);
    EXPECT_EQ(record.bankChannelCount(1), 0);
    EXPECT_EQ(record.bankFirstChannel(0), 0);
    EXPECT_EQ(record.bankFirstChannel(1), 6);
}

TEST_F(Banks, OnlyBankZerosCountCanBeSet)
{
    record.setBankChannelCount(0, 12);
    EXPECT_EQ(w.word(0x10F0E), 12);
    record.setBankChannelCount(1, 3);
    EXPECT_EQ(w.word(0x10F0E), 12);
    EXPECT_EQ(w.word(0x10F10), 0) << "bank 1 has no count word to write";
}

TEST_F(Banks, UsedChannelsAndTheEndOfTheUsedRunStayInsideTheBank)
{
    useChannel(1);
    useChannel(3);
    useChannel(7); // beyond the bank
    EXPECT_EQ(record.bankUsedChannels(0), 2);
    EXPECT_EQ(record.bankUsedEnd(0), 4);
    EXPECT_EQ(record.bankUsedChannels(1), 0);

    w.setWord(0x10F0E, 0xFFFF); // a count no image can hold stops at the last channel
    useChannel(31);
    EXPECT_EQ(record.bankUsedChannels(0), 4);
    EXPECT_EQ(record.bankUsedEnd(0), 32);
}

TEST_F(Banks, FlagsOfBankZeroAreTheTopBitsOfTheirBytes)
{
    w.set(0x10E8A, 0x3F);
    w.set(0x10F10, 0x7F);
    EXPECT_TRUE(record.setBankSmarTrunk(0, true));
    EXPECT_TRUE(record.setBankLtr(0, true));
    EXPECT_EQ(w.at(0x10E8A), 0xBF);
    EXPECT_EQ(w.at(0x10F10), 0xFF);
    EXPECT_TRUE(record.bankSmarTrunk(0));
    EXPECT_FALSE(record.setBankLtr(0, false));
    EXPECT_EQ(w.at(0x10F10), 0x7F);

    EXPECT_FALSE(record.setBankSmarTrunk(1, true));
    EXPECT_FALSE(record.bankSmarTrunk(1));
    EXPECT_EQ(w.at(0x10E8A), 0xBF);
}

TEST_F(Banks, UsedChannelCountChecksItsRange)
{
    useChannel(0);
    useChannel(31);
    EXPECT_EQ(record.usedChannelCount(0, 31), 2);
    EXPECT_EQ(record.usedChannelCount(1, 30), 0);
    EXPECT_EQ(record.usedChannelCount(31, 31), 1);
    EXPECT_EQ(record.usedChannelCount(-1, 5), -1);
    EXPECT_EQ(record.usedChannelCount(0, 32), -1);
    EXPECT_EQ(record.usedChannelCount(5, 4), -1);
}

TEST_F(Banks, UsedChannelCountFollowsTheModelType)
{
    useChannel(2);
    ScopedModelType pmr(1);
    EXPECT_EQ(record.usedChannelCount(0, 31), 1);
}

struct ListWord {
    int kind;
    int32_t address;
};
const ListWord kListWords[] = {{17, 0x1B0E9}, {18, 0x1B0EB}, {23, 0x1B0ED}};

TEST_F(Banks, ListCountsOfTheGrowingListsStayWithinTheList)
{
    for (const ListWord &list : kListWords) {
        SCOPED_TRACE(list.kind);
        record.setListCount(list.kind, 7);
        EXPECT_EQ(w.word(list.address), 7);
        record.incrementListCount(list.kind);
        EXPECT_EQ(record.listCount(list.kind), 8);
        record.decrementListCount(list.kind);
        record.decrementListCount(list.kind);
        EXPECT_EQ(record.listCount(list.kind), 6);

        record.setListCount(list.kind, 0);
        record.decrementListCount(list.kind);
        EXPECT_EQ(w.word(list.address), 0);
        record.setListCount(list.kind, 500);
        record.incrementListCount(list.kind);
        EXPECT_EQ(w.word(list.address), 500);

        w.setWord(list.address, 0xFFFF); // damaged data
        EXPECT_EQ(record.listCount(list.kind), 500);
    }
}

TEST_F(Banks, OtherKindsHaveNoListCount)
{
    w.fillRandom(9);
    const std::vector<uint8_t> before = w.bytes();
    for (const int kind : {0, 1, 5, 16, 19, 24, 29}) {
        EXPECT_EQ(record.listCount(kind), 0) << kind;
        record.setListCount(kind, 3);
        record.incrementListCount(kind);
    }
    EXPECT_TRUE(w.bytes() == before);
}

} // namespace
