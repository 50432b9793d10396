#include "WorkingImage.h"

#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "channels/datClipCh.h"

#include <gtest/gtest.h>

#include <vector>

using namespace channel_testing;
namespace co = channel_offsets;

namespace {

constexpr int kLmr = datCh::kKindChannelLmr;
constexpr int kTalkGroups = datCh::kKindDigTg;

// Bank 0 with eight channels in use, channel n on 146 MHz + n × 12.5 kHz.
class ChannelClipboard : public ::testing::Test
{
protected:
    ChannelClipboard() : lmr_(0)
    {
        w.setWord(co::kBankCounts, 8);
        for (int channel = 0; channel < 8; ++channel)
            change(channel, [channel](datCh &c) { c.FreqR = c.FreqT = frequency(channel); });
    }

    static int32_t frequency(int channel) { return 146000000 + 12500 * channel; }

    datCh read(int kind, int row)
    {
        datCh record(&w.image);
        record.decode(kind, row);
        return record;
    }
    template <class Change>
    void change(int row, Change apply, int kind = kLmr)
    {
        datCh record = read(kind, row);
        apply(record);
        record.encode(kind, row);
    }

    ScopedModelType lmr_;
    WorkingImage w;
    datClipCh clipboard;
};

TEST_F(ChannelClipboard, StartsEmptyAndCopyReplacesTheContent)
{
    EXPECT_EQ(clipboard.Kind(), datCh::kKindNone);
    EXPECT_FALSE(clipboard.CanPaste(kLmr));
    EXPECT_FALSE(clipboard.CanPaste(datCh::kKindNone)) << "an empty clipboard pastes nothing";

    clipboard.Copy(w.image, kLmr, 2, 3);
    EXPECT_EQ(clipboard.Kind(), kLmr);
    EXPECT_EQ(clipboard.FirstIndex(), 2);
    ASSERT_EQ(clipboard.Count(), 3);
    EXPECT_EQ(clipboard.Record(2).FreqR, frequency(4));

    clipboard.Copy(w.image, kTalkGroups, 0, 1);
    EXPECT_EQ(clipboard.Count(), 1);
    EXPECT_FALSE(clipboard.CanPaste(kLmr));

    clipboard.Clear();
    EXPECT_EQ(clipboard.Count(), 0);
    EXPECT_FALSE(clipboard.CanPaste(kTalkGroups));
}

TEST_F(ChannelClipboard, PasteIntoAnotherKindChangesNothing)
{
    clipboard.Copy(w.image, kLmr, 0, 2);
    const std::vector<uint8_t> before = w.bytes();
    clipboard.Paste(w.image, kTalkGroups, 0, 2);
    clipboard.PasteKeepingTargetAttributes(w.image, datCh::kKindChannelPmr, 0, 2);
    EXPECT_EQ(w.bytes(), before);
}

TEST_F(ChannelClipboard, PasteStoresNoMoreRowsThanCopiedOrAllowed)
{
    clipboard.Copy(w.image, kLmr, 0, 3);
    clipboard.Paste(w.image, kLmr, 5, 2);
    EXPECT_EQ(read(kLmr, 5).FreqR, frequency(0));
    EXPECT_EQ(read(kLmr, 6).FreqR, frequency(1));
    EXPECT_EQ(read(kLmr, 7).FreqR, frequency(7)) << "room for two stores two";

    clipboard.Copy(w.image, kLmr, 0, 1);
    clipboard.Paste(w.image, kLmr, 3, 4);
    EXPECT_EQ(read(kLmr, 3).FreqR, frequency(0));
    EXPECT_EQ(read(kLmr, 4).FreqR, frequency(4)) << "rows beyond the copied ones stay";
}

TEST_F(ChannelClipboard, PastingTwiceStoresTheSameRows)
{
    change(0, [](datCh &c) { c.AtrA = 1; });
    clipboard.Copy(w.image, kLmr, 0, 1);
    clipboard.PasteKeepingTargetAttributes(w.image, kLmr, 3, 1);
    EXPECT_EQ(clipboard.Record(0).AtrA, 1) << "a paste leaves the held row as copied";
    clipboard.Paste(w.image, kLmr, 5, 1);
    EXPECT_EQ(w.word(co::kPriorityA), 5);
}

// Channel 0 is priority channel A; it is stored over channel 4 either
// keeping the target's attributes or as a carry stores it.
struct DesignationCase {
    const char *what;
    bool raw;
    int priorityAAfter;
};

const DesignationCase kDesignationCases[] = {
    {"a raw paste leaves the designation where it was", true, 0},
    {"a normal store takes the designation with the record", false, 4},
};

TEST_F(ChannelClipboard, PriorityDesignationTravelsOnlyWithANormalStore)
{
    for (const DesignationCase &c : kDesignationCases) {
        SCOPED_TRACE(c.what);
        w.setWord(co::kPriorityA, 0);
        clipboard.Copy(w.image, kLmr, 0, 1);
        ASSERT_EQ(clipboard.Record(0).AtrA, 1);
        if (c.raw)
            clipboard.PasteKeepingTargetAttributes(w.image, kLmr, 4, 1);
        else
            clipboard.Paste(w.image, kLmr, 4, 1);
        EXPECT_EQ(w.word(co::kPriorityA), c.priorityAAfter);
        EXPECT_EQ(read(kLmr, 4).FreqR, frequency(0));
    }
}

// The bank flags and the E switch belong to the position: a row copied while
// they were on does not switch them on again when it is stored.
TEST_F(ChannelClipboard, PasteLeavesTheBankFlagsAndTheESwitchAsTheTargetHasThem)
{
    for (const bool raw : {true, false}) {
        SCOPED_TRACE(raw ? "raw paste" : "normal store");
        ChannelGlobals::setBankFlag(w.image, co::kBankSmarTrunk, 0, true);
        ChannelGlobals::setBankFlag(w.image, co::kBankLtr, 0, true);
        w.set(co::kChannelEActive, 0x20);
        clipboard.Copy(w.image, kLmr, 1, 1);
        ChannelGlobals::setBankFlag(w.image, co::kBankSmarTrunk, 0, false);
        ChannelGlobals::setBankFlag(w.image, co::kBankLtr, 0, false);
        w.set(co::kChannelEActive, 0x00);

        if (raw)
            clipboard.PasteKeepingTargetAttributes(w.image, kLmr, 2, 1);
        else
            clipboard.Paste(w.image, kLmr, 2, 1);
        EXPECT_FALSE(ChannelGlobals::bankFlag(w.image, co::kBankSmarTrunk, 0));
        EXPECT_FALSE(ChannelGlobals::bankFlag(w.image, co::kBankLtr, 0));
        EXPECT_EQ(w.at(co::kChannelEActive) & 0x20, 0);
        EXPECT_EQ(read(kLmr, 2).FreqR, frequency(1));
    }
}

TEST_F(ChannelClipboard, ListRowsCopyAndPasteLikeChannels)
{
    ChannelGlobals::setListCount(w.image, kTalkGroups, 4);
    for (int row = 0; row < 4; ++row)
        change(
            row, [row](datCh &c) { c.Id = 700 + row; }, kTalkGroups);
    clipboard.Copy(w.image, kTalkGroups, 0, 2);
    clipboard.Paste(w.image, kTalkGroups, 2, 2);
    EXPECT_EQ(read(kTalkGroups, 2).Id, 700);
    EXPECT_EQ(read(kTalkGroups, 3).Id, 701);
}

} // namespace
