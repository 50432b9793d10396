// The 2-tone codes and timers: tones and lengths in their units, the rows
// they share with the 5-tone codes and the user tones, and the settings the
// template of a new radio keeps.
#include "SignallingCells.h"

#include "cells/cmcFCache.h"

namespace {

constexpr std::int32_t kReceiveRows = 0x11AA8;
constexpr std::int32_t kReceiveTones = 0x113DB;
constexpr std::int32_t kTransmitTones = 0x10410;
constexpr std::int32_t kLengths = 0x11445;
constexpr std::int32_t kTransmitRows = 0x118DA;
constexpr std::int32_t kTimers = 0x11443;

std::int32_t receiveRow(int code) { return kReceiveRows + 44 * code; }
std::int32_t receiveTones(int code) { return kReceiveTones + 8 * code; }
std::int32_t transmitTones(int code) { return kTransmitTones + 4 * code; }
std::int32_t lengths(int code) { return kLengths + 2 * code; }
std::int32_t transmitRow(int code) { return kTransmitRows + 14 * code; }

class TwoToneCells : public SignallingCells
{};

// Tones are 0.1 Hz, lengths 0.1 s; the second number of a receive pair is
// the radio's and stays.
TEST_F(TwoToneCells, TonesAndLengthsShowAndTakeTheirUnits)
{
    struct Case {
        std::int32_t label;
        std::int32_t at;
        int bytes;
        int stored;
        const char *shown;
        const char *typed;
        int after;
    } cases[] = {
        {CL_2T_RxFreq_1st, receiveTones(4), 2, 10005, "1000.5", "1500", 15000},
        {CL_2T_RxFreq_2nd, receiveTones(4) + 4, 2, 3300, "330.0", "2805.05", 28051},
        {CL_2TTx_Freq_1st, transmitTones(4), 2, 0, "  0.0", "1234.56", 12346},
        {CL_2TTx_Freq_2nd, transmitTones(4) + 2, 2, 9999, "999.9", "3500", 30000},
        {CL_2T_1st_Period, lengths(4), 1, 10, "  1.0", "2.5", 25},
        {CL_2T_2nd_Period, lengths(4) + 1, 1, 255, " 25.5", "0.3", 3},
    };
    setWord(receiveTones(4) + 2, 0x1234);
    setWord(receiveTones(4) + 6, 0x5678);
    for (const Case &c : cases) {
        if (c.bytes == 2)
            setWord(c.at, c.stored);
        else
            setByte(c.at, static_cast<std::uint8_t>(c.stored));
        EXPECT_EQ(shown(CT_2Tone_Code, c.label, 4), c.shown) << cellLabelName(c.label);
        typeIntoCell(CT_2Tone_Code, c.label, 4, c.typed);
        EXPECT_EQ(c.bytes == 2 ? word(c.at) : byteAt(c.at), c.after) << cellLabelName(c.label);
    }
    EXPECT_EQ(word(receiveTones(4) + 2), 0x1234);
    EXPECT_EQ(word(receiveTones(4) + 6), 0x5678);
    EXPECT_EQ(word(receiveTones(3)), 0) << "code 3 keeps its tones";
}

// Code i is the 5-tone receive row i and the transmit row i - 1: a name typed
// here is both codes' name, the transmit tones are the transmit code's bytes,
// and the receive tones are the user tones' bytes.
TEST_F(TwoToneCells, CodesShareTheFiveToneRowsAndTheUserTones)
{
    typeIntoCell(CT_2Tone_Code, CL_2T_Text, 3, "ALPHA");
    EXPECT_EQ(textAt(receiveRow(3) + 4, 5), "ALPHA");
    EXPECT_EQ(textAt(transmitRow(3), 5), "ALPHA");
    EXPECT_EQ(shown(CT_RX_Code, CL_5TRx_Text, 3), "ALPHA");
    EXPECT_EQ(shown(CT_TX_Code, CL_5TTx_Text, 2), "ALPHA");
    EXPECT_EQ(shown(CT_2Tone_Code, CL_2T_TxText, 3), "ALPHA");

    typeIntoCell(CT_2Tone_Code, CL_2TTx_Freq_1st, 3, "1000");
    EXPECT_EQ(word(transmitTones(3)), 10000);
    EXPECT_EQ(bytesAt(0x10414 + 4 * 2, 2), (std::vector<std::uint8_t>{0x27, 0x10}))
        << "the first two code bytes of transmit code 3";

    typeIntoCell(CT_UserTone, CL_UTone_Encode, 0, "88.5");
    EXPECT_EQ(shown(CT_2Tone_Code, CL_2T_RxFreq_1st, 1), " 88.5");
}

TEST_F(TwoToneCells, TransmitSwitchMarksTheTransmitRow)
{
    answerCell(CT_2Tone_Code, CL_2T_Code_Type, 5, Flex0, 0);
    EXPECT_EQ(byteAt(transmitRow(5) + 12), 0x4F);
    EXPECT_EQ(shown(CT_2Tone_Code, CL_2T_Code_Type, 5), "Off");
    answerCell(CT_2Tone_Code, CL_2T_Code_Type, 5, Flex0, 1);
    EXPECT_EQ(byteAt(transmitRow(5) + 12), 0x44);
    EXPECT_EQ(shown(CT_2Tone_Code, CL_2T_Code_Type, 5), "On");
}

TEST_F(TwoToneCells, ReceiveChoicesLandInTheSharedRow)
{
    struct Case {
        std::int32_t label;
        std::int32_t entry;
        std::int32_t at;
        std::uint8_t mask;
        std::uint8_t bits;
    } cases[] = {
        {CL_2T_GroupCall, 1, 0, 0xFF, 0x01}, {CL_2T_ANS, 1, 29, 0xFF, 0xFF},
        {CL_2T_Beep, 3, 30, 0x07, 0x03},     {CL_2T_Scan, 1, 30, 0x30, 0x10},
        {CL_2T_Bell, 2, 31, 0x03, 0x02},     {CL_2T_Stun, 3, 31, 0x18, 0x18},
        {CL_2T_AutoTx, 1, 31, 0x20, 0x20},   {CL_2T_EXO, 1, 31, 0x80, 0x80},
    };
    for (const Case &c : cases) {
        setBytes(receiveRow(7), std::vector<std::uint8_t>(44, 0));
        answerCell(CT_2Tone_Code, c.label, 7, Flex0, c.entry);
        EXPECT_EQ(byteAt(receiveRow(7) + c.at) & c.mask, c.bits) << cellLabelName(c.label);
    }
}

// Saving takes the special function bit from the template: the cell offers
// nothing to change. A row in use as a 5-tone code shows its first code byte
// as no group call choice, and drawing leaves it.
TEST_F(TwoToneCells, SettingsThe2ToneCodeDoesNotHoldAreShownSafely)
{
    setByte(receiveRow(2) + 30, 0x08);
    const ShownCell special = drawCell(CT_2Tone_Code, CL_2T_Sfunc, 2);
    EXPECT_EQ(special.text, "----");
    EXPECT_TRUE(special.silver);
    pressCell(CT_2Tone_Code, CL_2T_Sfunc, 2, ' ');
    EXPECT_EQ(byteAt(receiveRow(2) + 30), 0x08);

    setBytes(receiveRow(2), {0x12, 0x34, 0x5F, 0xFF});
    EXPECT_EQ(shown(CT_2Tone_Code, CL_2T_GroupCall, 2), cmcFCache::kErrorText);
    EXPECT_EQ(shown(CT_RX_Code, CL_5TRx_RxCode, 2), "12345");
    EXPECT_EQ(byteAt(receiveRow(2)), 0x12);
}

TEST_F(TwoToneCells, CommonTimersShowAndTakeTheirBytes)
{
    const CommonCase cases[] = {
        {CL_2T_NotoneTimer, kTimers, 5, "  0.05", "0.2", 20},
        {CL_2T_GroupTimer, kTimers + 1, 30, "  3.0", "1.5", 15},
        {CL_2T_ExoTimer, kTimers + 2, 0, "Off", "20", 20},
        {CL_2T_BeepRepeatTimer, kTimers + 3, 10, " 10", "off", 0},
        {CL_2T_AutoTxTimer, 0x1145B, 255, " 25.5", "0.5", 5},
    };
    checkCommonSettings(CT_2ToneTX_Common, cases);
}

} // namespace
