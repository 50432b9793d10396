#include "codecs/BitSetCodecs.h"

#include "cells/CellLabels.h"
#include "channels/datCh.h"

#include "CodecCases.h"

namespace {

using namespace codec_cases;

TEST(BitSetCodec, SixteenScanLists)
{
    const CellCodec scan = editBitSet(1, 16, 3, "GI_Win_Scan");
    runCases({
        {"none", scan, 0, draw(), {"________________\n"}},
        {"first and last", scan, 0x8001, draw(), {"1______________G\n"}},
        {"backspace with none set sets all",
         scan,
         0,
         key(kBackspace),
         {"123456789ABCDEFG\n", 0xFFFF}},
        {"backspace inverts", scan, 0x8001, key(kBackspace), {"_23456789ABCDEF_\n", 0x7FFE}},
        {"space with none set sets all", scan, 0, key(kSpace), {"123456789ABCDEFG\n", 0xFFFF}},
        {"space with any set clears all", scan, 0x0100, key(kSpace), {"________________\n", 0}},
        {"a digit toggles its member", scan, 0, key('1'), {"1_______________\n", 0x8000}},
        {"and back", scan, 0x8000, key('1'), {"________________\n", 0}},
        {"a letter of either case", scan, 0, key('a'), {"_________A______\n", 0x0040}},
        {"the sixteenth", scan, 0, key('G'), {"_______________G\n", 0x0001}},
        {"a character of no member", scan, 0, key('H'), {"________________\n"}},
        {"the window answers the left-aligned mask",
         scan,
         0,
         chosen(Flex0, 0, "8388608"),
         {"__3_____________\n", 0x2000}},
        {"bits of no member are dropped",
         scan,
         0,
         chosen(Flex0, 0, "67108863"),
         {"123456789ABCDEFG\n", 0xFFFF}},
        {"an answer that is no number changes nothing",
         scan,
         0x8000,
         chosen(Flex0, 0, "12x"),
         {"1_______________\n"}},
        {"off the grid nothing toggles", scan, 0, keyOffGrid('1'), {"________________\n"}},
    });
}

TEST(BitSetCodec, ByteSizedSetsAndOtherStyles)
{
    const CellCodec eight = editBitSet(1, 8, 0, "");
    const CellCodec five = editBitSet(1, 5, 0, "");
    const CellCodec ten = editBitSet(1, 10, 2, "");
    const CellCodec seventeen = editBitSet(1, 17, 3, "");
    runCases({
        {"first member is bit 7", eight, 0x80, draw(), {"1_______\n"}},
        {"five members fill the top bits", five, 0x08, draw(), {"____5\n"}},
        {"the low bits are no members", five, 0x07, draw(), {"_____\n"}},
        {"and are written 0", five, 0x07, key(kBackspace), {"12345\n", 0xF8}},
        {"the tenth shows as 0", ten, 0x001, draw(), {"_________0\n"}},
        {"and toggles with 0", ten, 0, key('0'), {"_________0\n", 0x001}},
        {"the seventeenth is Z", seventeen, 0x00001, draw(), {"________________Z\n"}},
        {"and toggles with z", seventeen, 0, key('z'), {"________________Z\n", 0x00001}},
    });
}

TEST(BitSetCodec, EnterOpensTheFlagBitsWindowWithTheLeftAlignedMask)
{
    const CodecAnswer answer = editBitSet(1, 16, 3, "GI_Win_Scan")(0x8001, key(kEnter));
    EXPECT_EQ(answer.open.kind, CodecOpen::Kind::Window);
    EXPECT_EQ(answer.open.window, CodecOpen::Window::FlagBits);
    EXPECT_EQ(answer.open.key, "GI_Win_Scan");
    EXPECT_EQ(answer.open.current, (1 << 25) | (1 << 10));
    EXPECT_EQ(answer.open.first, 1);
    EXPECT_EQ(answer.open.last, 16);
    EXPECT_EQ(answer.open.style, 3);
    EXPECT_FALSE(answer.value);
}

TEST(BitSetCodec, LeftAlignedMasks)
{
    struct {
        std::int32_t first, last, stored, aligned;
    } cases[] = {
        {1, 8, 0x80, 1 << 25},       {1, 5, 0x08, 1 << 21},      {1, 16, 0x0001, 1 << 10},
        {1, 25, 0x1000000, 1 << 25}, {1, 25, 0x0000001, 1 << 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(leftAlignedMembers(c.stored, c.first, c.last), c.aligned) << c.last;
        EXPECT_EQ(membersFromLeftAligned(c.aligned, c.first, c.last), c.stored) << c.last;
    }
    // Garbage above the members never reaches the window.
    EXPECT_EQ(leftAlignedMembers(-1, 1, 8), 0xFF << 18);
}

TEST(FlagSetCodec, ShowsAndAnswersTheAttributeMenu)
{
    const CellCodec flags = editFlagSet("GI_PMenu_Atr");
    constexpr std::int32_t kABE = kAttributeA | kAttributeB | kAttributeE;
    runCases({
        {"none", flags, 0, draw(), {""}},
        {"all three", flags, kABE, draw(), {"ABE"}},
        {"E switched off", flags, kABE | kAttributeEOff, draw(), {"AB"}},
        {"bank flags are not shown", flags, kAttributeBankLtr, draw(), {""}},
        {"1 sets A", flags, 0, chosen(1, 1), {"A", kAttributeA}},
        {"setting A again is still a change", flags, kAttributeA, chosen(1, 1), {"A", kAttributeA}},
        {"2 sets B", flags, kAttributeA, chosen(1, 2), {"AB", kAttributeA | kAttributeB}},
        {"3 switches E on", flags, kAttributeEOff, chosen(1, 3), {"E", kAttributeE}},
        {"4 switches E off", flags, kAttributeE, chosen(1, 4), {"", kAttributeEOff}},
        {"5 toggles SmarTrunk", flags, kAttributeBankSmarTrunk, chosen(1, 5), {"", 0}},
        {"6 toggles LTR", flags, 0, chosen(1, 6), {"", kAttributeBankLtr}},
        {"other items do nothing", flags, kAttributeA, chosen(1, 7), {"A"}},
        {"answers of other lists do nothing", flags, 0, chosen(4, 1), {""}},
        {"space does nothing", flags, kAttributeA, key(kSpace), {"A"}},
    });
    const CodecAnswer opened = flags(0, key(kEnter));
    EXPECT_EQ(opened.open.kind, CodecOpen::Kind::List);
    EXPECT_EQ(opened.open.key, "GI_PMenu_Atr");
    EXPECT_EQ(opened.open.style, 1);
}

TEST(FlagSetCodec, AttributesOfAChannelRecord)
{
    datCh record;
    record.AtrB = 1;
    record.AtrEOff = 1;
    record.BankLtr = 1;
    const std::int32_t attributes = channelAttributes(record);
    EXPECT_EQ(attributes, kAttributeB | kAttributeEOff | kAttributeBankLtr);
    datCh other;
    other.AtrA = 1;
    setChannelAttributes(other, attributes);
    EXPECT_EQ(other.AtrA, 0);
    EXPECT_EQ(other.AtrB, 1);
    EXPECT_EQ(other.AtrE, 0);
    EXPECT_EQ(other.AtrEOff, 1);
    EXPECT_EQ(other.BankSmarTrunk, 0);
    EXPECT_EQ(other.BankLtr, 1);
}

} // namespace
