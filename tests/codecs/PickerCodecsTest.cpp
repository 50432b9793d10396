#include "TextCodecCases.h"

#include "cells/CellLabels.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "codecs/PickerCodecs.h"
#include "image/cmcEeprom.h"

namespace {

using namespace text_codec_cases;

constexpr const char *kItems = "GI_Sheet_Sel_TestItems";
constexpr const char *kOptions = "GI_Sheet_Sel_TestOptions";
constexpr const char *kNumbers = "GI_Sheet_Sel_TestNumbers";

// The items (sheet order): OFF 0, 12.5 1, 25 2, Alpha 3, Beta 5; a cell of
// another label, "20", takes no part.
TEST(PickFromCellsTest, TypedTextsMatchAnItem)
{
    const CellCodec number = pickFromCells(kItems, Flex0, CellMatch::Number, true);
    const CellCodec prefix = pickFromCells(kItems, Flex0, CellMatch::Prefix, true);
    const CellCodec both = pickFromCells(kItems, Flex0, CellMatch::PrefixThenNumber, true);
    runCases(std::vector<ValueCase>{
        {"NearestNumber", number, 0, typed("20"), "25", 2},
        {"NearestBelow", number, 0, typed(" 13 "), "12.5", 1},
        {"OffIsZero", number, 2, typed("Off"), "OFF", 0},
        {"EqualDistancesTakeTheFirst", number, 2, typed("-100"), "OFF", 0},
        {"NoNumber", number, 2, typed("x"), "25"},
        {"Empty", number, 2, typed(""), "25"},
        {"PrefixAnyCase", prefix, 0, typed("al"), "Alpha", 3},
        {"PrefixOfANumber", prefix, 0, typed("1"), "12.5", 1},
        {"NoPrefix", prefix, 0, typed("x"), "OFF"},
        {"PrefixFirst", both, 0, typed("b"), "Beta", 5},
        {"ThenTheNearestNumber", both, 0, typed("30"), "25", 2},
    });
}

TEST(PickFromCellsTest, ListKeysAndSteps)
{
    const CellCodec codec = pickFromCells(kItems, Flex0, CellMatch::Number, true);
    const CellCodec fixed = pickFromCells(kItems, Flex0, CellMatch::Number, false);
    runCases(std::vector<ValueCase>{
        {"Shown", codec, 3, draw(), "Alpha"},
        {"NotAnItem", codec, 4, draw(), "error"},
        {"ListAnswer", codec, 0, chosen(Flex0, 5), "Beta", 5},
        {"OtherListsAnswer", codec, 0, chosen(Flex1, 9), "OFF"},
        {"SpaceSteps", codec, 2, key(kSpace), "Alpha", 3},
        {"BackspaceWraps", codec, 0, key(kBackspace), "Beta", 5},
        {"NoSteppingHere", fixed, 2, key(kSpace), "25"},
        {"Enter", codec, 2, key(kEnter), "25", std::nullopt, list(kItems, Flex0, 2)},
        {"DigitStartsTheEditor", codec, 2, key('7'), "7", std::nullopt, editor(1, 0)},
    });
    EXPECT_EQ(cellItemRange(fixtureTexts().formats, kItems, Flex0), std::pair(0, 5));
    EXPECT_EQ(cellItemRange(fixtureTexts().formats, kItems, Flex2), std::nullopt);
}

// Options OFF 0, Auto 1 and Number 2 (the last: a number), numbers up to 20.
TEST(PickOptionOrNumberTest, ShowsAndTakesOptionsAndNumbers)
{
    const CellCodec codec = pickOptionOrNumber(kOptions, Flex0, kNumbers, Flex1, true);
    const CellCodec noZero = pickOptionOrNumber(kOptions, Flex0, kNumbers, Flex1, false);
    runCases(std::vector<ValueCase>{
        {"Option", codec, 1, draw(), "Auto"},
        {"TheNumberOptionIsANumber", codec, 2, draw(), "2"},
        {"Number", codec, 15, draw(), "15"},
        {"BeyondTheNumbers", codec, 21, draw(), "error"},
        {"TypedNumber", codec, 0, typed("7"), "7", 7},
        {"DigitsOnly", codec, 0, typed("1a2"), "12", 12},
        {"AboveTheNumbers", codec, 0, typed("99"), "20", 20},
        {"BelowTheNumbers", codec, 0, typed("1"), "2", 2},
        {"TooManyDigits", codec, 0, typed("99999999999"), "20", 20},
        {"Off", codec, 7, typed("off"), "OFF", 0},
        {"Zero", codec, 7, typed("0"), "OFF", 0},
        {"ZeroNotAllowed", noZero, 7, typed("0"), "2", 2},
        {"OffNotAllowed", noZero, 7, typed("off"), "7"},
        {"NoDigits", codec, 7, typed("x"), "7"},
        {"OptionChosen", codec, 7, chosen(Flex0, 1), "Auto", 1},
        {"NumberOptionOpensTheNumbers", codec, 7, chosen(Flex0, 2), "7", std::nullopt,
         list(kNumbers, Flex1, 7)},
        {"NumberChosen", codec, 0, chosen(Flex1, 10), "10", 10},
    });
}

TEST(PickOptionOrNumberTest, KeysStepThroughTheOptions)
{
    const CellCodec codec = pickOptionOrNumber(kOptions, Flex0, kNumbers, Flex1, true);
    runCases(std::vector<ValueCase>{
        {"Next", codec, 0, key(kSpace), "Auto", 1},
        {"PastTheNumberOption", codec, 1, key(kSpace), "OFF", 0},
        {"FromANumber", codec, 7, key(kSpace), "OFF", 0},
        {"BackPastTheNumberOption", codec, 0, key(kBackspace), "Auto", 1},
        {"EnterOnANumber", codec, 7, key(kEnter), "7", std::nullopt, list(kOptions, Flex0, 2)},
        {"EnterOnAnOption", codec, 1, key(kEnter), "Auto", std::nullopt, list(kOptions, Flex0, 1)},
        {"Digit", codec, 1, key('5'), "5", std::nullopt, editor(1, 0)},
        {"O", codec, 1, key('o'), "o", std::nullopt, editor(1, 0)},
        {"OtherKey", codec, 1, key('x'), "Auto"},
    });
}

// --- Lists of the working image ---

constexpr std::int32_t kWorkingSize = 110839;

class ImageListTest : public ::testing::Test
{
protected:
    ImageListTest()
    {
        image.SetSize(kWorkingSize);
        image.Fill(0);
        record.decode(datCh::kKindScanList, 0);
    }
    void setWord(std::int32_t at, int value)
    {
        image.SetByte(at, static_cast<std::uint8_t>(value >> 8));
        image.SetByte(at + 1, static_cast<std::uint8_t>(value));
    }
    void setIdentity(std::int32_t at, std::uint32_t identity)
    {
        for (int i = 0; i < 4; ++i)
            image.SetByte(at + i, static_cast<std::uint8_t>(identity >> (24 - 8 * i)));
    }

    cmcEeprom image;
    datCh record{&image};
};

// Entries: 0 and 3 individual, 1 (wildcards) and 2 group identities.
class CallListTest : public ImageListTest
{
protected:
    CallListTest()
    {
        setIdentity(channel_offsets::kDpmrFirstGroupId, 0x50000000);
        const std::uint32_t entries[] = {0x00012340, 0x123AAAA0, 0x60000000, 0x00000010};
        setWord(channel_offsets::kDpmrIdCount, 4);
        for (std::int32_t row = 0; row < 4; ++row)
            setIdentity(channel_offsets::kDpmrId + 18 * row, entries[row]);
    }
    CodecRequest on(CodecRequest request) { return withRecord(request, &record); }
};

TEST_F(CallListTest, ShowsTheEntryAndStepsThroughThosePassing)
{
    const CellCodec all = pickCallList("GI_Sheet_Sel_CallList", DpmrIdFilter::All);
    const CellCodec group = pickCallList("GI_Sheet_Sel_CallList_Grp", DpmrIdFilter::Group);
    const CellCodec single = pickCallList("GI_Sheet_Sel_CallList_Inv", DpmrIdFilter::Individual);
    runCases(std::vector<ValueCase>{
        {"Shown", all, 1, on(draw()), "2: 123****"},
        {"BeyondTheList", all, 600, on(draw()), "601: "},
        {"WithoutARecord", all, 1, key(kSpace), "2: "},
        {"AllWrapsForward", all, 3, on(key(kSpace)), "1: 0001234", 0},
        {"AllWrapsBack", all, 0, on(key(kBackspace)), "4: 0000001", 3},
        {"GroupNext", group, 1, on(key(kSpace)), "3: 6000000", 2},
        {"GroupWraps", group, 2, on(key(kSpace)), "2: 123****", 1},
        {"FromAnEntryNotPassing", group, 0, on(key(kSpace)), "2: 123****", 1},
        {"GroupBackWraps", group, 1, on(key(kBackspace)), "3: 6000000", 2},
        {"Individual", single, 0, on(key(kSpace)), "4: 0000001", 3},
        {"ListAnswerIsTheNthPassingEntry", group, 0, on(chosen(Flex_Dpmr_CallList_ChNo_Grp, 1)),
         "3: 6000000", 2},
        {"AnswerPastThePassing", group, 1, on(chosen(Flex_Dpmr_CallList_ChNo_Grp, 5)),
         "2: 123****"},
        {"AnswerOfAnotherList", group, 1, on(chosen(Flex_Dpmr_CallList_ChNo, 0)), "2: 123****"},
    });
}

TEST_F(CallListTest, EnterOpensThePassingEntries)
{
    runCases(std::vector<ValueCase>{
        {"Group", pickCallList("Grp", DpmrIdFilter::Group), 2, on(key(kEnter)), "3: 6000000",
         std::nullopt, list("Grp", Flex_Dpmr_CallList_ChNo_Grp, 1, "W")},
        {"All", pickCallList("All", DpmrIdFilter::All), 3, on(key(kEnter)), "4: 0000001",
         std::nullopt, list("All", Flex_Dpmr_CallList_ChNo, 3, "Z")},
        {"CurrentNotPassing", pickCallList("Inv", DpmrIdFilter::Individual), 1, on(key(kEnter)),
         "2: 123****", std::nullopt, list("Inv", Flex_Dpmr_CallList_ChNo_Inv, 0, "V")},
    });
}

// --- Scan list channels: the option, then the channel ---

CellBytes setting(std::int32_t option, std::int32_t channel)
{
    CellBytes bytes;
    for (std::int32_t number : {option, channel}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<std::uint8_t>(number >> shift));
    }
    return bytes;
}

ScanChannelLists scanLists(const char *options)
{
    return {.options = options,
            .banks = "GI_Sheet_Sel_ScanZoneSel",
            .channels = "GI_Sheet_Sel_ScanCHSel",
            .afterChannel = "GI_AddCH"};
}

class ScanChannelTest : public ImageListTest
{
protected:
    ScanChannelTest() { record.setBankChannelCount(0, 10); }
    CodecRequest on(CodecRequest request) { return withRecord(request, &record); }

    ScanBankChoice remembered;
    CellCodec priority1 = pickScanChannel(scanLists("GI_Sheet_Sel_ScanPrio1CH"), &remembered);
};

TEST_F(ScanChannelTest, ShowsTheOptionOrTheChannel)
{
    runCases(std::vector<BytesCase>{
        {"Option", priority1, setting(1, 0), on(draw()), "Selected"},
        {"Channel", priority1, setting(5, 3), on(draw()), "4ch"},
        {"TransmitList", pickScanChannel(scanLists("GI_Sheet_Sel_ScanTXCH"), &remembered),
         setting(0, 0), on(draw()), "Current"},
        {"TooShort", priority1, CellBytes{0, 0, 0, 5}, on(draw()), ""},
    });
}

TEST_F(ScanChannelTest, OptionListAndKeys)
{
    const auto channels = list("GI_Sheet_Sel_ScanCHSel", FlexCHSel, 0, "C");
    runCases(std::vector<BytesCase>{
        {"OptionChosen", priority1, setting(0, 3), on(chosen(Flex0, 1)), "Selected", setting(1, 3)},
        {"ChannelOptionOpensTheChannels", priority1, setting(0, 3), on(chosen(Flex0, 5)), "4ch",
         setting(5, 3), channels},
        {"SpaceSteps", priority1, setting(1, 3), on(key(kSpace)), "4ch", setting(5, 3)},
        {"SpaceWraps", priority1, setting(5, 3), on(key(kSpace)), "OFF", setting(0, 3)},
        {"BackspaceWraps", priority1, setting(0, 3), on(key(kBackspace)), "4ch", setting(5, 3)},
        {"Enter", priority1, setting(1, 3), on(key(kEnter)), "Selected", std::nullopt,
         list("GI_Sheet_Sel_ScanPrio1CH", Flex0, 1)},
    });
}

TEST_F(ScanChannelTest, BankAndChannelListsPickTheChannel)
{
    const auto channels = list("GI_Sheet_Sel_ScanCHSel", FlexCHSel, 0, "C");
    remembered.bank = 1;
    runCases(std::vector<BytesCase>{
        {"BankWithChannels", priority1, setting(5, 3), on(chosen(FlexZoneSel, 0)), "4ch",
         std::nullopt, channels},
    });
    EXPECT_EQ(remembered.bank, 0);
    runCases(std::vector<BytesCase>{
        {"ChannelOfTheBank", priority1, setting(5, 3), on(chosen(FlexCHSel, 6)), "7ch",
         setting(5, 6)},
        {"BankWithoutChannelsAsksAgain", priority1, setting(5, 3), on(chosen(FlexZoneSel, 1)),
         "4ch", std::nullopt, list("GI_Sheet_Sel_ScanZoneSel", FlexZoneSel, 1, "B")},
    });
    EXPECT_EQ(remembered.bank, 1);
    runCases(std::vector<BytesCase>{
        {"NoChannelInABankWithout", priority1, setting(5, 3), on(chosen(FlexCHSel, 6)), "4ch"},
    });
}

} // namespace
