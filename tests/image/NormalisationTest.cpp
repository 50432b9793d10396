#include "channels/WorkingImage.h"

#include "channels/Normalisation.h"
#include "channels/datCh.h"
#include "image/LayoutConversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace channel_testing;

namespace {

constexpr bool kStore = true;
constexpr bool kLoad = false;

int32_t dpmrId(int row) { return 0x177B1 + 18 * row; }

class NormalisationTest : public ::testing::Test
{
protected:
    WorkingImage working;
    WorkingImage initial;
    std::vector<std::string> calls;
    int modelType = 0;

    void run(bool store)
    {
        Normalisation::Conversions conversions{
            [this](cmcEeprom &) { calls.push_back("radio to working"); },
            [this](cmcEeprom &image) {
                calls.push_back("working to radio, marks " +
                                std::to_string(image.GetByte(0x10F32) & 0xC0) + ", newer " +
                                std::to_string(image.GetByte(0x11C8C)));
            }};
        Normalisation(initial.image, modelType, conversions).run(working.image, store);
    }

    // Channel c in use with the given inhibit bit.
    void useChannel(int c, bool inhibited = false)
    {
        working.set(mainByte(c, 3), 0x10);
        if (inhibited)
            working.set(mainByte(c, 0), 0x80);
    }
    void setDpmrDigits(int row, const std::vector<uint8_t> &digits)
    {
        for (std::size_t n = 0; n < digits.size(); ++n) {
            const int32_t a = dpmrId(row) + static_cast<int32_t>(n / 2);
            const uint8_t old = working.at(a);
            working.set(a, n % 2 == 0 ? static_cast<uint8_t>((old & 0x0F) | (digits[n] << 4))
                                      : static_cast<uint8_t>((old & 0xF0) | digits[n]));
        }
    }
    std::vector<int> dpmrDigits(int row) const
    {
        std::vector<int> digits;
        for (int n = 0; n < 7; ++n) {
            const uint8_t packed = working.at(dpmrId(row) + n / 2);
            digits.push_back(n % 2 == 0 ? packed >> 4 : packed & 0x0F);
        }
        return digits;
    }
    std::vector<int> indexEntries(int32_t index, int n) const
    {
        std::vector<int> entries;
        for (int i = 0; i < n; ++i)
            entries.push_back(working.word(index + 2 * i));
        return entries;
    }
};

// --- Order and the two directions.

TEST_F(NormalisationTest, ALoadStartsWithTheRadioLayoutAndNeverWritesIt)
{
    working.set(0x11C8C, 0x5A);
    initial.set(0x11C8D, 0x33);
    run(kLoad);
    EXPECT_EQ(calls, std::vector<std::string>{"radio to working"});
    EXPECT_EQ(working.at(0x10F32) & 0xC0, 0) << "the marks are only set when storing";
    EXPECT_EQ(working.at(0x11C8C), 0);
    EXPECT_EQ(working.at(0x11C8D), 0x33);
}

TEST_F(NormalisationTest, AStoreMarksTheDataThenRebuildsTheRadioLayoutBeforeTheLastStep)
{
    working.set(0x11C8C, 0x5A);
    run(kStore);
    EXPECT_EQ(calls, std::vector<std::string>{"working to radio, marks 192, newer 90"});
    EXPECT_EQ(working.at(0x11C8C), 0);
}

TEST_F(NormalisationTest, OldDataTakesTheStatusTextsFromTheTemplate)
{
    for (int32_t a = 0x19AE5; a <= 0x19B04; ++a) {
        initial.set(a, 'T');
        working.set(a, 'u');
    }
    working.set(0x19B05, 'u');
    run(kStore);
    EXPECT_EQ(working.at(0x19AE5), 'u') << "a store keeps the user's texts";
    working.set(0x10F32, 0x00);
    run(kLoad);
    EXPECT_EQ(working.at(0x19AE5), 'T');
    EXPECT_EQ(working.at(0x19B04), 'T');
    EXPECT_EQ(working.at(0x19B05), 'u');

    working.set(0x19AE5, 'u');
    working.set(0x10F32, 0x80);
    run(kLoad);
    EXPECT_EQ(working.at(0x19AE5), 'u') << "marked data keeps its texts";
}

// --- dPMR wildcards of old data.

struct WildcardCase {
    const char *what;
    std::vector<uint8_t> stored;
    std::vector<int> expected;
};

TEST_F(NormalisationTest, OldDataSpreadsAWildcardFromTheFourthDigitOn)
{
    const WildcardCase cases[] = {
        {"wildcard at digit 4", {1, 2, 3, 10, 5, 6, 7}, {1, 2, 3, 10, 10, 10, 10}},
        {"wildcard at digit 6", {1, 2, 3, 4, 5, 10, 7}, {1, 2, 3, 4, 5, 10, 10}},
        {"wildcard at digit 7", {9, 9, 9, 9, 9, 9, 10}, {9, 9, 9, 9, 9, 9, 10}},
        {"wildcard at digit 2 only", {1, 10, 3, 4, 5, 6, 7}, {1, 10, 3, 4, 5, 6, 7}},
        {"no wildcard", {0, 0, 0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 0, 1}},
    };
    for (const WildcardCase &c : cases) {
        SCOPED_TRACE(c.what);
        working.setWord(0x1B0ED, 2);
        setDpmrDigits(1, c.stored);
        working.set(dpmrId(1) + 3, static_cast<uint8_t>(working.at(dpmrId(1) + 3) | 0x0F));
        working.set(0x10F32, 0x00);
        run(kLoad);
        EXPECT_EQ(dpmrDigits(1), c.expected);
        EXPECT_EQ(working.at(dpmrId(1) + 3) & 0x0F, 0x0F) << "the eighth nibble is no digit";
    }
}

TEST_F(NormalisationTest, WildcardsAreLeftAloneInMarkedDataAndBeyondTheList)
{
    const std::vector<uint8_t> id = {1, 2, 3, 10, 5, 6, 7};
    working.setWord(0x1B0ED, 0);
    setDpmrDigits(0, id); // row 0 is looked at even in an empty list
    setDpmrDigits(1, id);
    working.set(0x10F32, 0x00);
    run(kLoad);
    EXPECT_EQ(dpmrDigits(0), (std::vector<int>{1, 2, 3, 10, 10, 10, 10}));
    EXPECT_EQ(dpmrDigits(1), (std::vector<int>{1, 2, 3, 10, 5, 6, 7}));

    setDpmrDigits(0, id);
    working.set(0x10F32, 0x40);
    run(kLoad);
    EXPECT_EQ(dpmrDigits(0), (std::vector<int>{1, 2, 3, 10, 5, 6, 7}));

    working.set(0x10F32, 0x00);
    run(kStore);
    EXPECT_EQ(dpmrDigits(0), (std::vector<int>{1, 2, 3, 10, 5, 6, 7}));
}

// --- Identification and pointers.

TEST_F(NormalisationTest, IdentificationComesFromTheTemplate)
{
    for (int32_t a = 0x090; a <= 0x10B; ++a) {
        initial.set(a, 0xA5);
        working.set(a, 0x11);
    }
    run(kStore);
    for (const int32_t a : {0x090, 0x093, 0x098, 0x09A, 0x100, 0x10B})
        EXPECT_EQ(working.at(a), 0xA5) << std::hex << a;
    for (const int32_t a : {0x094, 0x097, 0x09B, 0x0FF})
        EXPECT_EQ(working.at(a), 0x11) << std::hex << a;
}

TEST_F(NormalisationTest, FactoryByteComesFromTheTemplateOnlyWhenLoadedWithoutIt)
{
    initial.set(0x09C, 0x02);
    initial.set(0x0C8, 0x77);
    working.set(0x09C, 0x81);
    working.set(0x0C8, 0x12);
    run(kStore);
    EXPECT_EQ(working.at(0x09C), 0x81);
    EXPECT_EQ(working.at(0x0C8), 0x12);
    run(kLoad);
    EXPECT_EQ(working.at(0x09C), 0x83);
    EXPECT_EQ(working.at(0x0C8), 0x77);
    working.set(0x0C8, 0x12);
    run(kLoad);
    EXPECT_EQ(working.at(0x0C8), 0x12) << "the bit is set now";
}

struct FirstChannelCase {
    const char *what;
    std::vector<std::pair<int, bool>> channels; // channel, inhibited
    int expected;
};

TEST_F(NormalisationTest, FirstUsableChannelPrefersReceivingChannels)
{
    const FirstChannelCase cases[] = {
        {"only present channel inhibited", {{7, true}}, 7},
        {"first receiving", {{2, true}, {4, false}, {6, false}}, 4},
        {"all inhibited", {{3, true}, {9, true}}, 3},
        {"last slot", {{31, false}}, 31},
        {"no channel keeps the template", {}, 0x1234},
    };
    for (const FirstChannelCase &c : cases) {
        SCOPED_TRACE(c.what);
        working.clear();
        initial.setWord(0x109E6, 0x1234);
        working.setWord(0x10F0E, 32);
        for (const auto &[channel, inhibited] : c.channels)
            useChannel(channel, inhibited);
        run(kStore);
        EXPECT_EQ(working.word(0x109E6), c.expected);
    }
}

TEST_F(NormalisationTest, FirstActiveListsFallBackToTheTemplate)
{
    initial.set(0x109E9, 0x21);
    initial.set(0x109EA, 0x22);
    initial.set(0x109E8, 0x08);
    initial.set(0x109EB, 0x0B);
    run(kStore);
    EXPECT_EQ(working.at(0x109E9), 0x21);
    EXPECT_EQ(working.at(0x109EA), 0x22);
    EXPECT_EQ(working.at(0x109E8), 0x08);
    EXPECT_EQ(working.at(0x109EB), 0x0B);

    working.set(0x1150F + 34 * 16 + 24, 0x01); // the 17th scan list has a mode
    working.set(0x11751 + 37 * 3 + 36, 2);     // the 4th DTMF memory holds digits
    working.set(0x11751 + 37 * 9 + 36, 2);
    run(kStore);
    EXPECT_EQ(working.at(0x109E9), 16);
    EXPECT_EQ(working.at(0x109EA), 3);
}

TEST_F(NormalisationTest, PointerFlagsTakeTheirFixedBitsFromTheTemplate)
{
    initial.set(0x109EC, 0xFF);
    initial.set(0x109ED, 0xFF);
    working.set(0x109EC, 0x00);
    working.set(0x109ED, 0x00);
    run(kStore);
    EXPECT_EQ(working.at(0x109EC), 0xEF);
    EXPECT_EQ(working.at(0x109ED), 0xF7);
}

struct HomeCase {
    const char *what;
    bool ltrBank;
    bool store;
    std::vector<std::pair<int, bool>> channels;
    int expected;
};

TEST_F(NormalisationTest, HomeChannelIsTheFirstReceivingOrTheLastOfALoadedLtrBank)
{
    const HomeCase cases[] = {
        {"first receiving", false, kStore, {{1, true}, {3, false}, {5, false}}, 3},
        {"all inhibited", false, kStore, {{2, true}, {4, true}}, 2},
        {"none", false, kStore, {}, 0},
        {"beyond the bank", false, kStore, {{12, false}}, 0},
        {"LTR bank loaded", true, kLoad, {{1, true}, {3, false}, {5, true}}, 9},
        {"LTR bank stored", true, kStore, {{1, true}, {3, false}, {5, true}}, 0},
    };
    for (const HomeCase &c : cases) {
        SCOPED_TRACE(c.what);
        working.clear();
        working.setWord(0x10F0E, 10);
        working.setWord(0x109F4, 0x7777);
        if (c.ltrBank)
            working.set(0x10F10, 0x80);
        for (const auto &[channel, inhibited] : c.channels)
            useChannel(channel, inhibited);
        run(c.store);
        EXPECT_EQ(working.word(0x109F4), c.expected);
    }
}

TEST_F(NormalisationTest, ADamagedChannelCountNamesNoHomeChannel)
{
    working.setWord(0x10F0E, 40);
    useChannel(3);
    run(kStore);
    EXPECT_EQ(working.word(0x109F4), 0);
    EXPECT_EQ(working.word(0x10F0E), 0);
    EXPECT_EQ(working.word(0x109E6), 3) << "the first usable channel looks at every slot";
}

// --- Template bits and derived flags.

TEST_F(NormalisationTest, OptionBitsComeFromTheTemplateByModelType)
{
    struct Bits {
        int32_t address;
        uint8_t pmr;
        uint8_t lmr;
    };
    // 0x10E98 bit 5 follows the opening text, which is not blank here.
    const Bits bits[] = {{0x10E7C, 0x04, 0x04}, {0x10E94, 0x20, 0x23}, {0x10F17, 0xFF, 0xFF},
                         {0x10F18, 0xFF, 0xFF}, {0x10E95, 0x04, 0x06}, {0x10E96, 0x01, 0x41},
                         {0x10E98, 0x60, 0xE0}};
    for (const int type : {0, 1}) {
        modelType = type;
        for (const Bits &b : bits) {
            initial.set(b.address, 0xFF);
            working.set(b.address, 0x00);
        }
        run(kStore);
        for (const Bits &b : bits)
            EXPECT_EQ(working.at(b.address), type == 0 ? b.lmr : b.pmr)
                << "model type " << type << " at 0x" << std::hex << b.address;
    }
}

TEST_F(NormalisationTest, KeyFlagsFollowTheKeyTables)
{
    struct KeyCase {
        const char *what;
        int32_t address;
        uint8_t key;
        uint8_t keyFlags; // 0x10E95 bit 0
        uint8_t groups;   // 0x10E9A with bits 5-7 set before
    };
    const KeyCase cases[] = {
        {"nothing", 0x10EBD, 'x', 0x00, 0x00}, {"space", 0x10ED1, ' ', 0x01, 0x00},
        {"group 1", 0x10ED2, '3', 0x00, 0x22}, {"group 2", 0x10EE6, '1', 0x00, 0x44},
        {"group 3", 0x10EBD, '5', 0x00, 0x88}, {"just past the tables", 0x10EE7, '0', 0x00, 0x00},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.what);
        working.clear();
        for (int32_t a = 0x10EBD; a < 0x10EE7; ++a)
            working.set(a, 'x');
        working.set(c.address, c.key);
        working.set(0x10E95, 0x00);
        working.set(0x10E9A, 0xEF);
        run(kStore);
        EXPECT_EQ(working.at(0x10E95) & 0x01, c.keyFlags);
        EXPECT_EQ(working.at(0x10E9A), c.groups | 0x01) << "bit 0 is kept";
    }
}

TEST_F(NormalisationTest, DisplayTextFlagsAndPairedKeys)
{
    for (int n = 0; n < 24; ++n) {
        working.set(0x11C94 + n, ' ');
        working.set(0x11CAC + n, ' ');
    }
    working.set(0x11CAC + 23, '!');
    working.set(0x10E98, 0x20);
    working.set(0x10EC7, 0x48);
    working.set(0x10EC8, '3');
    working.set(0x10EDC, 0x47);
    working.set(0x10EDD, 0x99);
    run(kStore);
    EXPECT_EQ(working.at(0x10E98) & 0x20, 0);
    EXPECT_EQ(working.at(0x10EEF) & 0x20, 0x20);
    EXPECT_EQ(working.at(0x10EC8), 0x49);
    EXPECT_EQ(working.at(0x10EDD), 0x00);
    EXPECT_EQ(working.at(0x10E9A) & 0x02, 0) << "the replaced key no longer counts";
}

// --- Limits.

TEST_F(NormalisationTest, ChannelCountAndCommentsAreKeptWithinTheirLimits)
{
    for (const auto &[count, kept] : {std::pair{32, 32}, std::pair{33, 0}, std::pair{0xFFFF, 0}}) {
        working.setWord(0x10F0E, count);
        run(kStore);
        EXPECT_EQ(working.word(0x10F0E), kept) << count;
    }
    const std::string comment = "Fleet\tA\x7f\x1f~ ok";
    for (std::size_t n = 0; n < comment.size(); ++n)
        working.set(0x10F43 + static_cast<int32_t>(n), static_cast<uint8_t>(comment[n]));
    working.set(0x10F33, 0x80);
    run(kStore);
    std::string stored;
    for (int32_t a = 0x10F43; a < 0x10F43 + 12; ++a)
        stored += static_cast<char>(working.at(a));
    EXPECT_EQ(stored, "Fleet A  ~ o");
    EXPECT_EQ(working.at(0x10F33), ' ');
    EXPECT_EQ(working.at(0x10F43 + 15), ' ') << "zero bytes become spaces too";
}

// --- Rows against the template.

TEST_F(NormalisationTest, ScanListsKeepTheUsersOptionsAndTakeEverythingElseFromTheTemplate)
{
    const int32_t row = 0x1150F + 34 * 2;
    for (int n = 24; n < 34; ++n)
        initial.set(row + n, 0xFF);
    working.set(row + 24, 0x03);
    working.set(row + 0, 'N');
    run(kStore);
    EXPECT_EQ(working.at(row + 24), 0x63) << "mode 3 kept, bits 6-5 from the template";
    EXPECT_EQ(working.at(row + 25), 0x03);
    EXPECT_EQ(working.at(row + 0), 'N');
}

TEST_F(NormalisationTest, ChannelsNotInUseBecomeTheTemplatesChannel)
{
    for (int n = 0; n < 36; ++n)
        initial.set(extraByte(4, n), static_cast<uint8_t>(n));
    for (int n = 4; n < 34; ++n)
        initial.set(mainByte(4, n), static_cast<uint8_t>(0x40 + n));
    initial.set(extraByte(4, 3), 0x0B);
    working.set(extraByte(4, 5), 0xEE);
    working.set(mainByte(4, 13), 0xEE);
    run(kStore);
    EXPECT_EQ(working.at(extraByte(4, 5)), 5);
    EXPECT_EQ(working.at(mainByte(4, 13)), 0x40 + 13);
    EXPECT_EQ(working.at(extraByte(4, 3)), 0x03) << "MSK signalling is always cleared";
}

TEST_F(NormalisationTest, ChannelsInUseKeepTheirMembersOverTheTemplate)
{
    initial.set(mainByte(6, 13), 0xAB);
    initial.set(mainByte(6, 12), 0x80);
    initial.set(extraByte(6, 7), 0x55);
    initial.set(extraByte(6, 3), 0x08);
    useChannel(6);
    working.set(extraByte(6, 7), 0x81);
    working.set(extraByte(6, 20), 0x09);
    for (const int type : {1, 0}) {
        SCOPED_TRACE(type);
        modelType = type;
        run(kStore);
        EXPECT_EQ(working.at(mainByte(6, 3)), 0x10);
        EXPECT_EQ(working.at(mainByte(6, 13)), 0xAB);
        EXPECT_EQ(working.at(mainByte(6, 12)) & 0x80, 0x80);
        EXPECT_EQ(working.at(extraByte(6, 20)), 0x09);
        EXPECT_EQ(working.at(extraByte(6, 3)) & 0x08, 0);
        EXPECT_EQ(working.at(extraByte(6, 7)), type == 0 ? 0x55 : 0x81)
            << "model type 0 takes the repeater code byte from the template";
    }
}

TEST_F(NormalisationTest, ScramblerCodeFollowsTheScramblerType)
{
    struct ScramblerCase {
        uint8_t type;
        uint8_t code;
        uint8_t expected;
    };
    const ScramblerCase cases[] = {{0, 200, 200}, {1, 200, 1}, {1, 0, 1},    {2, 200, 15},
                                   {2, 15, 15},   {2, 7, 7},   {3, 200, 200}};
    for (const ScramblerCase &c : cases) {
        SCOPED_TRACE(::testing::Message() << int{c.type} << "/" << int{c.code});
        working.clear();
        useChannel(0);
        working.set(extraByte(0, 18), static_cast<uint8_t>(c.type << 6));
        working.set(extraByte(0, 5), c.code);
        run(kStore);
        EXPECT_EQ(working.at(extraByte(0, 5)), c.expected);
    }
}

TEST_F(NormalisationTest, LtrBankChannelsOfModelTypeZeroGetTheirGroupBits)
{
    working.setWord(0x10F0E, 4);
    working.set(0x10F10, 0x80);
    initial.set(extraByte(2, 1), 0x04);
    modelType = 0;
    run(kStore);
    EXPECT_EQ(working.at(extraByte(2, 1)) & 0x04, 0x04);
    EXPECT_EQ(working.at(extraByte(2, 2)) & 0x40, 0x40);
    EXPECT_EQ(working.at(extraByte(5, 2)) & 0x40, 0) << "channel 5 is outside the bank";
}

TEST_F(NormalisationTest, CodeRowsTakeTheirFixedBitsFromTheTemplate)
{
    const int32_t rx = 0x11AA8 + 44 * 10;
    initial.set(rx + 28, 0x5A);
    initial.set(rx + 30, 0x08);
    initial.set(rx + 1, 0x77);
    working.set(rx + 28, 0x11);
    working.set(rx + 30, 0x07);
    working.set(rx + 1, 0x22);
    const int32_t tx = 0x118E8 + 14 * 31 + 13;
    initial.set(tx, 0x10);
    working.set(tx, 0x80);
    modelType = 1;
    run(kStore);
    EXPECT_EQ(working.at(rx + 28), 0x11) << "model type 1 keeps it";
    EXPECT_EQ(working.at(rx + 30), 0x0F);
    EXPECT_EQ(working.at(rx + 1), 0x22) << "the code bytes are the user's";
    EXPECT_EQ(working.at(tx), 0x90);
    modelType = 0;
    run(kStore);
    EXPECT_EQ(working.at(rx + 28), 0x5A);
}

TEST_F(NormalisationTest, DtmfRowsAreRebuiltOverTheirTemplate)
{
    const int32_t memory = 0x11751 + 37 * 10;
    const int32_t decode = 0x1A514 + 54 * 9;
    initial.set(decode + 45, 0x66);
    initial.set(memory + 36, 0x05);
    working.set(decode + 45, 0x11);
    working.set(decode + 52, 4);
    working.set(memory + 36, 0x09);
    run(kStore);
    EXPECT_EQ(working.at(decode + 45), 0x66);
    EXPECT_EQ(working.at(decode + 52), 4);
    EXPECT_EQ(working.at(memory + 36), 0x09);
}

// --- Status nibbles, unset values.

TEST_F(NormalisationTest, StatusNibblesComeFromTheTemplate)
{
    for (const int32_t a : {0x1706F + 12, 0x1706F + 16 * 99 + 12, 0x176CF + 16 + 12}) {
        initial.set(a, 0x0A);
        working.set(a, 0xF0);
    }
    initial.set(0x17709, 0x05);
    working.set(0x17709, 0xF8);
    initial.set(0x1770B, 0x07);
    run(kStore);
    for (const int32_t a : {0x1706F + 12, 0x1706F + 16 * 99 + 12, 0x176CF + 16 + 12})
        EXPECT_EQ(working.at(a), 0xFA) << std::hex << a;
    EXPECT_EQ(working.at(0x17709), 0xFD);
    EXPECT_EQ(working.at(0x1770B), 0x07);
}

TEST_F(NormalisationTest, UnsetValuesAreFilledFromTheTemplate)
{
    for (const int32_t a : {0x17718, 0x15DD1, 0x17797, 0x1779D, 0x1779F, 0x177A1, 0x1779E})
        initial.set(a, 0x42);
    working.set(0x1779D, 0x01);
    initial.setWord(0x15DB3, 0x0102);
    working.setWord(0x15DB1, 0x0100);
    initial.setWord(0x15DB1, 0x0304);
    initial.setWord(0x17719 + 2 * 62, 0xBEEF);
    initial.setWord(0x17719, 0xCAFE);
    working.setWord(0x17719, 0x0001);
    run(kStore);
    for (const int32_t a : {0x17718, 0x15DD1, 0x17797, 0x1779F, 0x177A1})
        EXPECT_EQ(working.at(a), 0x42) << std::hex << a;
    EXPECT_EQ(working.at(0x1779D), 0x01);
    EXPECT_EQ(working.at(0x1779E), 0x00) << "not one of the filled bytes";
    EXPECT_EQ(working.word(0x15DB3), 0x0102);
    EXPECT_EQ(working.word(0x15DB1), 0x0100);
    EXPECT_EQ(working.word(0x17719 + 2 * 62), 0xBEEF);
    EXPECT_EQ(working.word(0x17719), 0x0001);
}

// --- Sorted ID indexes.

TEST_F(NormalisationTest, DigitalIdIndexListsRowsInIdOrder)
{
    const uint32_t ids[] = {300, 100, 200};
    for (int row = 0; row < 3; ++row) {
        working.setWord(0x12316 + 16 * row, 0);
        working.setWord(0x12316 + 16 * row + 2, static_cast<int>(ids[row]));
    }
    working.setWord(0x1B0E9, 3);
    initial.setWord(0x15FCB + 2 * 3, 0x0777);
    initial.setWord(0x15FCB + 2 * 499, 0x0499);
    run(kStore);
    EXPECT_EQ(indexEntries(0x15FCB, 4), (std::vector<int>{1, 2, 0, 0x0777}));
    EXPECT_EQ(working.word(0x15FCB + 2 * 499), 0x0499)
        << "entries beyond the list are the template's";
}

TEST_F(NormalisationTest, IdIndexesSortUnsignedAndKeepEqualIdsInOrder)
{
    const uint32_t ids[] = {0x80000000u, 5, 0xFFFFFFFFu, 5, 0};
    for (int row = 0; row < 5; ++row) {
        working.setWord(0x12316 + 16 * row, static_cast<int>(ids[row] >> 16));
        working.setWord(0x12316 + 16 * row + 2, static_cast<int>(ids[row] & 0xFFFF));
    }
    working.setWord(0x1B0E9, 5);
    const int groups[] = {9, 3, 9, 1};
    for (int row = 0; row < 4; ++row)
        working.setWord(0x14258 + 14 * row, groups[row]);
    working.setWord(0x1B0EB, 4);
    run(kStore);
    EXPECT_EQ(indexEntries(0x15FCB, 5), (std::vector<int>{4, 1, 3, 0, 2}));
    EXPECT_EQ(indexEntries(0x16647, 4), (std::vector<int>{3, 1, 0, 2}));
}

TEST_F(NormalisationTest, DpmrIndexCountsAWildcardAsTen)
{
    setDpmrDigits(0, {0, 0, 0, 0, 0, 2, 0});  // 20
    setDpmrDigits(1, {0, 0, 0, 0, 0, 1, 10}); // 1 then a wildcard: 20 as well
    setDpmrDigits(2, {0, 0, 0, 0, 0, 1, 9});  // 19
    working.setWord(0x1B0ED, 3);
    working.set(0x10F32, 0xC0);
    run(kStore);
    EXPECT_EQ(indexEntries(0x1A0DC, 3), (std::vector<int>{2, 0, 1}));
}

TEST_F(NormalisationTest, ADamagedListCountStopsAtTheListSize)
{
    working.setWord(0x1B0E9, 0xFFFF);
    working.setWord(0x1B0ED, 0xFFFF);
    working.set(0x10F32, 0x00);
    run(kLoad);
    EXPECT_EQ(working.word(0x15FCB + 2 * 499), 499);
}

// --- Normalising twice.

TEST_F(NormalisationTest, ASecondRunChangesNothingMore)
{
    for (const int type : {0, 1}) {
        for (const bool store : {kLoad, kStore}) {
            SCOPED_TRACE(::testing::Message() << "model type " << type << " store " << store);
            modelType = type;
            working.fillRandom(static_cast<uint32_t>(100 + type * 2 + store));
            initial.fillRandom(static_cast<uint32_t>(200 + type));
            run(store);
            const std::vector<uint8_t> once = working.bytes();
            run(store);
            const std::vector<uint8_t> twice = working.bytes();
            const auto differs = std::mismatch(once.begin(), once.end(), twice.begin());
            EXPECT_EQ(differs.first, once.end())
                << "first change at 0x" << std::hex << (differs.first - once.begin());
        }
    }
}

// --- With the model's own layout conversions.

class NormalisationWithLayout : public NormalisationTest
{
protected:
    void runConverted(bool store)
    {
        LayoutContext context;
        context.modelType = modelType;
        context.currentImage = &working.image;
        const LayoutConversion conversion(context);
        Normalisation(initial.image, modelType, Normalisation::fromLayout(conversion))
            .run(working.image, store);
    }
    std::string textAt(int32_t a, int n) const
    {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += static_cast<char>(working.at(a + i));
        return text;
    }
};

TEST_F(NormalisationWithLayout, AStoreLeavesARadioLayoutWithTableAndEndMarker)
{
    runConverted(kStore);
    EXPECT_EQ(working.word(0x120), 1) << "the parameter table is present";
    const int end = working.word(0x112);
    ASSERT_GT(end, 0x200 + 8);
    EXPECT_EQ(textAt(end - 8, 8), "VORN Inc");
}

TEST_F(NormalisationWithLayout, ALoadTakesTheChannelsFromTheRadioLayout)
{
    working.setWord(0x10F0E, 2);
    useChannel(1);
    runConverted(kStore);
    working.set(mainByte(1, 3), 0x77); // only the working layout changes
    runConverted(kLoad);
    EXPECT_EQ(working.at(mainByte(1, 3)), 0x10);
    EXPECT_EQ(working.word(0x109E6), 1);
}

// A load records the version bytes of the radio layout it reads and then
// puts the template's into that layout; a second load over the same image
// reads the template's. Everything else stays.
TEST_F(NormalisationWithLayout, ASecondRunChangesNothingMoreButTheRecordedVersions)
{
    for (const int type : {0, 1}) {
        SCOPED_TRACE(type);
        modelType = type;
        working.fillRandom(static_cast<uint32_t>(300 + type));
        initial.fillRandom(static_cast<uint32_t>(400 + type));
        runConverted(kStore); // a radio layout the load can read
        for (const bool store : {kLoad, kStore}) {
            SCOPED_TRACE(store ? "store" : "load");
            runConverted(store);
            const std::vector<uint8_t> once = working.bytes();
            runConverted(store);
            const std::vector<uint8_t> twice = working.bytes();
            for (int32_t a = 0; a < kWorkingSize; ++a) {
                const bool versions = !store && a >= 0x1B0EF && a < 0x1B0F7;
                const auto i = static_cast<std::size_t>(a);
                if (!versions) {
                    ASSERT_EQ(twice[i], once[i]) << "address 0x" << std::hex << a;
                }
            }
        }
    }
}

} // namespace
