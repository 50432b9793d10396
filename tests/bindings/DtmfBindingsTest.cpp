// The DTMF memories, decode entries and common DTMF settings: what each cell
// shows from the image, where a typed or chosen value lands, and that codes
// a radio stored out of bounds are shown without harm and left alone.
#include "SignallingCells.h"

#include "cells/cmcFCache.h"

namespace {

constexpr std::int32_t kMemories = 0x11751;
constexpr std::int32_t kMemorySize = 37;
constexpr std::int32_t kDecodes = 0x1A514;
constexpr std::int32_t kDecodeSize = 54;
constexpr std::int32_t kTimers = 0x109DD;
constexpr std::int32_t kOptions = 0x109E3;

std::int32_t memory(int row) { return kMemories + kMemorySize * row; }
std::int32_t decode(int row) { return kDecodes + kDecodeSize * row; }

// DTMF decoding belongs to the LMR model's channels.
class DtmfCells : public SignallingCells
{
protected:
    void SetUp() override { ASSERT_TRUE(model->ChangeModelType(0, false)); }
};

// Digits are packed two a byte after the name; the count follows them.
TEST_F(DtmfCells, MemoriesShowTheirDigitsAndRowNumbers)
{
    struct Case {
        int row;
        std::vector<std::uint8_t> digits;
        std::uint8_t count;
        const char *shown;
    } cases[] = {
        {0, {0x12, 0xEF}, 4, "12*#"},
        {3, {0x12, 0xEF}, 3, "12*"},
        {4, {0xAB, 0xCD}, 4, "ABCD"},
        {5, {0x12}, 0, ""},
        // A count beyond the 24 places shows the 24 and stays as stored.
        {10, std::vector<std::uint8_t>(12, 0x90), 0xFF, "909090909090909090909090"},
    };
    for (const Case &c : cases) {
        setBytes(memory(c.row) + 24, std::vector<std::uint8_t>(12, 0));
        setBytes(memory(c.row) + 24, c.digits);
        setByte(memory(c.row) + 36, c.count);
        EXPECT_EQ(shown(CT_DTMF, CL_Dtmf_Code, c.row), c.shown) << c.row;
        EXPECT_EQ(byteAt(memory(c.row) + 36), c.count) << c.row;
    }
    EXPECT_EQ(shown(CT_DTMF, CL_Dtmf_CodeID, 10), shown(CT_DTMF, CL_Dtmf_Code, 10));
    EXPECT_EQ(shown(CT_DTMF, CL_Dtmf_ChNo, 0), "  1");
    EXPECT_EQ(shown(CT_DTMF, CL_Dtmf_ChNo, 9), " 10");
    EXPECT_EQ(shown(CT_DTMF, CL_Dtmf_ChNo, 10), "ID");
    EXPECT_EQ(shown(CT_DTMF_Rx, CL_Dtmf_Decode_ChNo, 9), " 10");
}

TEST_F(DtmfCells, TypedCodesKeepOnlyDtmfDigits)
{
    struct Case {
        const char *typed;
        std::vector<std::uint8_t> digits;
        std::uint8_t count;
        const char *shown;
    } cases[] = {
        {"12*#", {0x12, 0xEF, 0x00}, 4, "12*#"},
        {"a-b c!d", {0xAB, 0xCD, 0x00}, 4, "ABCD"},
        // E and F are the codes of * and #.
        {"9ef", {0x9E, 0xF0, 0x00}, 3, "9*#"},
        {"", {0x00, 0x00, 0x00}, 0, ""},
        {"1234567890123456789012345678", {0x12, 0x34, 0x56}, 24, "123456789012345678901234"},
    };
    for (const Case &c : cases) {
        setBytes(memory(2) + 24, std::vector<std::uint8_t>(12, 0x77));
        typeIntoCell(CT_DTMF, CL_Dtmf_Code, 2, c.typed);
        EXPECT_EQ(bytesAt(memory(2) + 24, 3), c.digits) << c.typed;
        EXPECT_EQ(byteAt(memory(2) + 36), c.count) << c.typed;
        EXPECT_EQ(shown(CT_DTMF, CL_Dtmf_Code, 2), c.shown) << c.typed;
    }
    // The name before the digits and the next memory stay.
    setBytes(memory(2), std::vector<std::uint8_t>(24, 'N'));
    setBytes(memory(3) - 1, {0x04, 'M'});
    typeIntoCell(CT_DTMF, CL_Dtmf_Code, 2, "5");
    EXPECT_EQ(textAt(memory(2), 24), std::string(24, 'N'));
    EXPECT_EQ(bytesAt(memory(3) - 1, 2), (std::vector<std::uint8_t>{0x01, 'M'}));
}

TEST_F(DtmfCells, NamesAreTwelveCharactersInTheLargeFontAndTwentyFourInTheSmall)
{
    constexpr std::int32_t kFontSize = 0x10E98;
    const std::string typed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    setByte(kFontSize, 0);
    typeIntoCell(CT_DTMF, CL_Dtmf_Text, 1, typed);
    EXPECT_EQ(textAt(memory(1), 24), "ABCDEFGHIJKL" + std::string(12, ' '));
    setByte(kFontSize, 0x04);
    typeIntoCell(CT_DTMF_Rx, CL_Dtmf_Decode_Text, 1, typed);
    EXPECT_EQ(textAt(decode(1) + 12, 24), typed.substr(0, 24));
    EXPECT_EQ(shown(CT_DTMF_Rx, CL_Dtmf_Decode_Text, 1), typed.substr(0, 24));
}

// A code in any decode entry switches DTMF decoding on for every channel
// that is not purely digital; the channel sheet shows it at once.
TEST_F(DtmfCells, ADecodeCodeSwitchesDecodingOnForTheChannels)
{
    setChannels({145000000, 146000000});
    constexpr std::int32_t kChannelExtra = 0x109F6;
    typeIntoCell(CT_DTMF_Rx, CL_Dtmf_Decode_Code, 4, "123");
    EXPECT_EQ(bytesAt(decode(4), 2), (std::vector<std::uint8_t>{0x12, 0x30}));
    EXPECT_EQ(byteAt(decode(4) + 52), 3);
    EXPECT_EQ(shown(CT_Mch, CL_Mch_DtmfDec, 1), "On");
    EXPECT_NE(byteAt(kChannelExtra + 36 + 18) & 0x20, 0);

    typeIntoCell(CT_DTMF_Rx, CL_Dtmf_Decode_Code, 4, "");
    EXPECT_EQ(shown(CT_Mch, CL_Mch_DtmfDec, 1), "Off");
    EXPECT_EQ(byteAt(kChannelExtra + 36 + 18) & 0x20, 0);
}

// Each choice of a decode entry lands in its own bits of its row.
TEST_F(DtmfCells, DecodeEntryChoicesLandInTheirBits)
{
    struct Case {
        std::int32_t label;
        std::int32_t entry;
        std::int32_t at; // offset in the row
        std::uint8_t mask;
        std::uint8_t bits;
        const char *shown;
    } cases[] = {
        {CL_Dtmf_Decode_Beep, 5, 38, 0x07, 0x05, "Pattern 5"},
        {CL_Dtmf_Decode_Sfunc, 1, 38, 0x08, 0x08, "On"},
        {CL_Dtmf_Decode_Scan, 2, 38, 0x30, 0x20, "Stop (timer)"},
        {CL_Dtmf_Decode_Aud, 3, 38, 0xC0, 0xC0, "Open until reset"},
        {CL_Dtmf_Decode_Bell, 3, 39, 0x03, 0x03, "Continuous"},
        {CL_Dtmf_Decode_Stun, 2, 39, 0x18, 0x10, "Kill"},
        {CL_Dtmf_Decode_AutoTx, 1, 39, 0x20, 0x20, "On"},
        {CL_Dtmf_Decode_IdDec, 1, 39, 0x40, 0x40, "On"},
        {CL_Dtmf_Decode_Exo, 1, 39, 0x80, 0x80, "On"},
        {CL_Dtmf_Decode_EmerCancel, 1, 40, 0x80, 0x80, "On"},
        {CL_Dtmf_Decode_Abc, 7, 37, 0xFF, 7, "7"},
        {CL_Dtmf_Decode_Ack, 1, 42, 0xFF, 1, "On"},
    };
    for (const Case &c : cases) {
        setBytes(decode(6) + 37, std::vector<std::uint8_t>(8, 0));
        answerCell(CT_DTMF_Rx, c.label, 6, Flex0, c.entry);
        EXPECT_EQ(byteAt(decode(6) + c.at) & c.mask, c.bits) << cellLabelName(c.label);
        EXPECT_EQ(shown(CT_DTMF_Rx, c.label, 6), c.shown) << cellLabelName(c.label);
        EXPECT_EQ(byteAt(decode(5) + c.at), 0) << cellLabelName(c.label);
    }
}

// An AUX action also writes its output and state beside it.
TEST_F(DtmfCells, ActionsWriteTheirOutputAndState)
{
    struct Case {
        std::int32_t action;
        std::uint8_t group;
        std::uint8_t state;
        const char *shown;
    } cases[] = {
        {30, 2, 1, "AUX 2 On"},
        {37, 4, 2, "AUX 4 Momentary"},
        {2, 0, 0, "Call Alert"},
    };
    for (const Case &c : cases) {
        answerCell(CT_DTMF_Rx, CL_Dtmf_Decode_Action, 0, FlexMark, c.action);
        EXPECT_EQ(byteAt(decode(0) + 41), c.action);
        EXPECT_EQ(byteAt(decode(0) + 43), c.group) << c.action;
        EXPECT_EQ(byteAt(decode(0) + 44) & 0x03, c.state) << c.action;
        EXPECT_EQ(shown(CT_DTMF_Rx, CL_Dtmf_Decode_Action, 0), c.shown);
    }
}

// A memory chosen to be sent that holds no digits would send nothing.
TEST_F(DtmfCells, ChoosingAnEmptyMemoryIsMarked)
{
    typeIntoCell(CT_DTMF, CL_Dtmf_Code, 2, "123");
    typeIntoCell(CT_DTMF, CL_Dtmf_Code, 3, "");
    struct Case {
        std::int32_t memory;
        bool warning;
    } cases[] = {{0, false}, {3, false}, {4, true}};
    for (const Case &c : cases) {
        answerCell(CT_Null, CL_Dtmf_CodeEmer, 0, Flex0, c.memory);
        answerCell(CT_DTMF_Rx, CL_Dtmf_Decode_Abc, 5, Flex0, c.memory);
        EXPECT_EQ(drawCell(CT_Null, CL_Dtmf_CodeEmer, 0).warning, c.warning) << c.memory;
        EXPECT_EQ(drawCell(CT_DTMF_Rx, CL_Dtmf_Decode_Abc, 5).warning, c.warning) << c.memory;
    }
}

// Values no list offers, as an erased radio leaves them, show the list's
// error text; drawing writes nothing back.
TEST_F(DtmfCells, ValuesOutsideTheListsAreShownAndKept)
{
    setByte(decode(3) + 41, 99);
    setByte(decode(3) + 37, 0xFF);
    setByte(kOptions, 0x0F);
    EXPECT_EQ(shown(CT_DTMF_Rx, CL_Dtmf_Decode_Action, 3), cmcFCache::kErrorText);
    EXPECT_EQ(shown(CT_DTMF_Rx, CL_Dtmf_Decode_Abc, 3), cmcFCache::kErrorText);
    EXPECT_EQ(shown(CT_Null, CL_Dtmf_CodeEmer), cmcFCache::kErrorText);
    EXPECT_EQ(byteAt(decode(3) + 41), 99);
    EXPECT_EQ(byteAt(decode(3) + 37), 0xFF);
    EXPECT_EQ(byteAt(kOptions), 0x0F);
}

TEST_F(DtmfCells, CommonSettingsShowAndTakeTheirBytes)
{
    const CommonCase cases[] = {
        {CL_Dtmf_PttDelayTimer, kTimers, 50, "  0.50", "1.2", 120},
        {CL_Dtmf_DtmfTimer, kTimers + 1, 15, "  1.5", "3", 30},
        {CL_Dtmf_FirstTimer, kTimers + 2, 0, "  0.00", "0.25", 25},
        {CL_Dtmf_MarkTimer, kTimers + 3, 100, "  0.100", "0.07", 70},
        // Shorter than the shortest digit: held at 30 ms.
        {CL_Dtmf_NotoneTimer, kTimers + 4, 50, "  0.050", "0.01", 30},
        {CL_Dtmf_ANI_Disp_Timer, kTimers + 5, 0, "Off", "10", 10},
        {CL_Dtmf_Setting_DecodeWithCTone, kOptions, 0x0A, "Off", nullptr, 0x8A},
        {CL_Dtmf_CodeEmer, kOptions, 0x83, "3", nullptr, 0x84},
    };
    checkCommonSettings(CT_Null, cases);
}

} // namespace
