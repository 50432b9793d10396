#include "WorkingImage.h"

#include "channels/MultiTableSelection.h"
#include "channels/datCh.h"
#include "image/MultiTableShadows.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace channel_testing;

namespace {

struct Stored {
    int32_t address;
    uint8_t value;
};

struct ListCase {
    const char *what;
    int kind;
    int row;
    std::vector<Stored> stored;
    int32_t datCh::*member;
    int32_t expected;
    bool decodeOnly = false;
};

// Row r of a list that starts at base with rows of size bytes.
constexpr int32_t at(int32_t base, int32_t size, int row, int byte)
{
    return base + size * row + byte;
}

const std::vector<ListCase> &listCases()
{
    static const std::vector<ListCase> cases = {
        {"DTMF digit count", 4, 10, {{at(0x11751, 37, 10, 36), 24}}, &datCh::DigitCount, 24},
        {"scan mode low bits", 5, 16, {{at(0x1150F, 34, 16, 24), 0x0F}}, &datCh::ScanMode, 15},
        {"scan mode bit 4", 5, 0, {{at(0x1150F, 34, 0, 25), 0x20}}, &datCh::ScanMode, 16},
        {"scan power save", 5, 1, {{at(0x1150F, 34, 1, 24), 0x10}}, &datCh::PwrSave, 1},
        {"priority 1 option", 5, 2, {{at(0x1150F, 34, 2, 26), 0x05}}, &datCh::Prio1_CH, 5},
        {"transmit option", 5, 2, {{at(0x1150F, 34, 2, 26), 0x50}}, &datCh::TX_CH, 5},
        {"priority 2 option", 5, 2, {{at(0x1150F, 34, 2, 27), 0x30}}, &datCh::Prio2_CH, 3},
        {"cancel option",
         5,
         2,
         {{at(0x1150F, 34, 2, 27), 0x0A}, {at(0x1150F, 34, 2, 25), 0x08}},
         &datCh::Cancel_CH,
         26},
        {"talk back", 5, 3, {{at(0x1150F, 34, 3, 25), 0x04}}, &datCh::TalkBack, 1},
        {"transmit action", 5, 3, {{at(0x1150F, 34, 3, 25), 0x10}}, &datCh::TX_Action, 1},
        {"display text high bit", 5, 3, {{at(0x1150F, 34, 3, 25), 0x40}}, &datCh::DispText, 2},
        {"display text low bit", 5, 3, {{at(0x1150F, 34, 3, 25), 0x80}}, &datCh::DispText, 1},
        {"transmit channel",
         5,
         4,
         {{at(0x1150F, 34, 4, 28), 0x00}, {at(0x1150F, 34, 4, 29), 31}},
         &datCh::TxChNo,
         31},
        {"priority 1 channel",
         5,
         4,
         {{at(0x1150F, 34, 4, 30), 0x01}, {at(0x1150F, 34, 4, 31), 2}},
         &datCh::Prio1ChNo,
         258},
        {"priority 2 channel", 5, 4, {{at(0x1150F, 34, 4, 33), 7}}, &datCh::Prio2ChNo, 7},
        {"tone pair selected", 6, 9, {{0x10EF2, 0x40}}, &datCh::Sel, 1},
        {"tone pair last row", 6, 39, {{0x10EF5, 0x01}}, &datCh::Sel, 1},
        {"receive code unnamed byte", 7, 3, {{at(0x11AA8, 44, 3, 28), 0x99}}, &datCh::Byte28, 0x99},
        {"receive code ABC", 7, 3, {{at(0x11AA8, 44, 3, 29), 0x42}}, &datCh::Abc, 0x42},
        {"receive code beep", 7, 3, {{at(0x11AA8, 44, 3, 30), 0x07}}, &datCh::Beep, 7},
        {"receive code function", 7, 3, {{at(0x11AA8, 44, 3, 30), 0x08}}, &datCh::Sfunc, 1},
        {"receive code scan", 7, 3, {{at(0x11AA8, 44, 3, 30), 0x30}}, &datCh::Scan, 3},
        {"receive code audio", 7, 3, {{at(0x11AA8, 44, 3, 30), 0xC0}}, &datCh::Aud, 3},
        {"receive code bell", 7, 3, {{at(0x11AA8, 44, 3, 31), 0x03}}, &datCh::Bell, 3},
        {"receive code stun", 7, 3, {{at(0x11AA8, 44, 3, 31), 0x18}}, &datCh::Stun, 3},
        {"receive code auto transmit", 7, 3, {{at(0x11AA8, 44, 3, 31), 0x20}}, &datCh::AutoTx, 1},
        {"receive code ID decode", 7, 3, {{at(0x11AA8, 44, 3, 31), 0x40}}, &datCh::IdDec, 1},
        {"receive code EXO", 7, 3, {{at(0x11AA8, 44, 3, 31), 0x80}}, &datCh::Exo, 1},
        {"receive code repeat", 7, 3, {{at(0x11AA8, 44, 3, 32), 0x60}}, &datCh::Rpt, 3},
        {"receive code emergency cancel",
         7,
         3,
         {{at(0x11AA8, 44, 3, 32), 0x80}},
         &datCh::EmerCancel,
         1},
        {"receive code group code", 7, 10, {{0x10E90, 0x0E}}, &datCh::GroupCode, 14, true},
        {"transmit code group code", 8, 0, {{0x10E90, 0x0B}}, &datCh::GroupCode, 11, true},
        {"transmit code input digit",
         8,
         31,
         {{at(0x118E8, 14, 31, 12), 0xFE}},
         &datCh::InputDigit,
         0xFE},
        {"transmit code update", 8, 31, {{at(0x118E8, 14, 31, 12), 0x01}}, &datCh::Update, 1},
        {"transmit code ABC decode", 8, 1, {{at(0x118E8, 14, 1, 13), 0x80}}, &datCh::AbcDec, 1},
        {"transmit code ABC audio", 8, 1, {{at(0x118E8, 14, 1, 13), 0x40}}, &datCh::AbcAud, 1},
        {"transmit code not selected", 8, 1, {{at(0x118E8, 14, 1, 13), 0x10}}, &datCh::Sel, 0},
        {"transmit code selected", 8, 1, {{at(0x118E8, 14, 1, 13), 0x00}}, &datCh::Sel, 1},
        {"user tone encode",
         9,
         14,
         {{at(0x113E3, 2, 14, 0), 0x12}, {at(0x113E3, 2, 14, 1), 0x34}},
         &datCh::Encode,
         0x1234},
        {"user tone low", 9, 0, {{0x11401, 0x03}, {0x11402, 0xE8}}, &datCh::Dec_Low, 1000},
        {"user tone high", 9, 0, {{0x11403, 0xFF}, {0x11404, 0xFF}}, &datCh::Dec_High, 65535},
        {"2-tone group call", 10, 3, {{at(0x11AA8, 44, 3, 0), 0x5A}}, &datCh::GroupCall, 0x5A},
        {"2-tone bell", 10, 3, {{at(0x11AA8, 44, 3, 31), 0x02}}, &datCh::Bell, 2},
        {"2-tone EXO", 10, 3, {{at(0x11AA8, 44, 3, 31), 0x80}}, &datCh::Exo, 1},
        {"2-tone beep", 10, 3, {{at(0x11AA8, 44, 3, 30), 0x05}}, &datCh::Beep, 5},
        {"2-tone code type", 10, 3, {{at(0x118DA, 14, 3, 12), 0x22}}, &datCh::Code_Type, 1},
        {"2-tone without code type", 10, 3, {{at(0x118DA, 14, 3, 12), 0x2F}}, &datCh::Code_Type, 0},
        {"bank LTR", 12, 0, {{0x10F10, 0x80}}, &datCh::BankLtr, 1},
        {"MSK group address",
         13,
         7,
         {{at(0x11CCE, 42, 7, 0), 0xAB}, {at(0x11CCE, 42, 7, 1), 0xCD}},
         &datCh::Adr,
         0xABCD},
        {"MSK group alert", 13, 7, {{at(0x11CCE, 42, 7, 28), 0x07}}, &datCh::Alert, 7},
        {"MSK group function", 13, 7, {{at(0x11CCE, 42, 7, 28), 0x08}}, &datCh::Sfunc, 1},
        {"MSK group bell", 13, 7, {{at(0x11CCE, 42, 7, 29), 0x03}}, &datCh::Bell, 3},
        {"MSK call address",
         14,
         2,
         {{at(0x10494, 4, 2, 0), 0x12}, {at(0x10494, 4, 2, 1), 0x34}},
         &datCh::Adr,
         1234},
        {"MSK call digit", 14, 2, {{at(0x11E26, 14, 2, 12), 0xFE}}, &datCh::Digit, 127},
        {"MSK call update", 14, 2, {{at(0x11E26, 14, 2, 12), 0x01}}, &datCh::Update, 1},
        {"MSK call not selected", 14, 2, {{at(0x11E26, 14, 2, 13), 0x10}}, &datCh::Sel, 0},
        {"MSK status beep", 15, 23, {{at(0x12186, 16, 23, 12), 0x0F}}, &datCh::Beep, 15},
        {"MSK status horn", 15, 23, {{at(0x12186, 16, 23, 12), 0x20}}, &datCh::Horn, 1},
        {"MSK status function", 15, 23, {{at(0x12186, 16, 23, 12), 0x40}}, &datCh::Sfunc, 1},
        {"MSK status auto", 15, 23, {{at(0x12186, 16, 23, 12), 0x80}}, &datCh::Auto, 1},
        {"MSK status priority", 15, 0, {{at(0x12006, 16, 0, 12), 0x01}}, &datCh::Rriority, 1},
        {"MSK status selection", 15, 0, {{at(0x12006, 16, 0, 12), 0x02}}, &datCh::Selection, 1},
        {"MSK short text selected", 16, 7, {{at(0x12306, 2, 7, 0), 0x02}}, &datCh::Sel, 1},
        {"digital individual ID",
         17,
         499,
         {{at(0x12316, 16, 499, 0), 0x00},
          {at(0x12316, 16, 499, 1), 0xFF},
          {at(0x12316, 16, 499, 2), 0xFF},
          {at(0x12316, 16, 499, 3), 0xFE}},
         &datCh::Id,
         0x00FFFFFE},
        {"digital talk group",
         18,
         499,
         {{at(0x14258, 14, 499, 0), 0xFF}, {at(0x14258, 14, 499, 1), 0xFF}},
         &datCh::Id,
         0xFFFF},
        {"NAC receive",
         19,
         39,
         {{at(0x163B3, 4, 39, 0), 0x02}, {at(0x163B3, 4, 39, 1), 0x93}},
         &datCh::RxNac,
         0x293},
        {"NAC transmit",
         19,
         39,
         {{at(0x163B3, 4, 39, 2), 0x0F}, {at(0x163B3, 4, 39, 3), 0x7F}},
         &datCh::TxNac,
         0xF7F},
        {"NAC selected", 19, 0, {{0x10EF6, 0x80}}, &datCh::Sel, 1},
        {"digital status beep", 20, 99, {{at(0x1706F, 16, 99, 12), 0x0F}}, &datCh::Beep, 15},
        {"digital status receive", 20, 99, {{at(0x1706F, 16, 99, 12), 0x10}}, &datCh::RX, 1},
        {"digital status action", 20, 99, {{at(0x1706F, 16, 99, 15), 0x25}}, &datCh::Action, 37},
        {"digital status selection",
         20,
         99,
         {{at(0x16A2F, 16, 99, 12), 0x02}},
         &datCh::Selection,
         1},
        {"digital key",
         21,
         62,
         {{at(0x17719, 2, 62, 0), 0xBE}, {at(0x17719, 2, 62, 1), 0xEF}},
         &datCh::Key,
         0xBEEF},
        {"digital message selected", 22, 9, {{at(0x176F5, 2, 9, 0), 0x02}}, &datCh::Sel, 1},
        {"dPMR ID digits",
         23,
         499,
         {{at(0x177B1, 18, 499, 0), 0x12},
          {at(0x177B1, 18, 499, 1), 0x3A},
          {at(0x177B1, 18, 499, 2), 0x56},
          {at(0x177B1, 18, 499, 3), 0x70}},
         &datCh::Id,
         0x123A5670},
        {"dPMR input digit", 23, 0, {{at(0x177B1, 18, 0, 16), 0x0E}}, &datCh::InputDigit, 0x0E},
        {"dPMR ID selected", 23, 0, {{at(0x177B1, 18, 0, 17), 0x80}}, &datCh::Id_Sel, 1},
        {"dPMR status receive", 24, 31, {{at(0x19D05, 17, 31, 12), 0x10}}, &datCh::RX, 1},
        {"dPMR status audio", 24, 31, {{at(0x19D05, 17, 31, 14), 0xC0}}, &datCh::Aud, 3},
        {"dPMR status transmit", 24, 31, {{at(0x19B05, 16, 31, 12), 0x01}}, &datCh::TX, 1},
        {"dPMR status selection", 24, 31, {{at(0x19B05, 16, 31, 12), 0x02}}, &datCh::Selection, 1},
        {"dPMR status function", 24, 31, {{at(0x19B05, 16, 31, 13), 0x04}}, &datCh::Function, 4},
        {"dPMR message selected", 25, 9, {{at(0x19F33, 2, 9, 0), 0x02}}, &datCh::Sel, 1},
        {"dPMR key",
         26,
         31,
         {{at(0x19F49, 2, 31, 0), 0x01}, {at(0x19F49, 2, 31, 1), 0x02}},
         &datCh::Key,
         0x0102},
        {"DTMF decode ABC", 27, 9, {{at(0x1A514, 54, 9, 37), 0x33}}, &datCh::Abc, 0x33},
        {"DTMF decode beep", 27, 9, {{at(0x1A514, 54, 9, 38), 0x07}}, &datCh::Beep, 7},
        {"DTMF decode EXO", 27, 9, {{at(0x1A514, 54, 9, 39), 0x80}}, &datCh::Exo, 1},
        {"DTMF decode emergency cancel",
         27,
         9,
         {{at(0x1A514, 54, 9, 40), 0x80}},
         &datCh::EmerCancel,
         1},
        {"DTMF decode action", 27, 9, {{at(0x1A514, 54, 9, 41), 0x1B}}, &datCh::Action, 27},
        {"DTMF decode acknowledge", 27, 9, {{at(0x1A514, 54, 9, 42), 0x02}}, &datCh::Ack, 2},
        {"DTMF decode digit count",
         27,
         9,
         {{at(0x1A514, 54, 9, 52), 0x10}},
         &datCh::DigitCount,
         16},
        {"channel switch table", 28, 31, {{0x1A730 + 31, 0x7E}}, &datCh::Value, 0x7E},
    };
    return cases;
}

void blankTexts(datCh &record)
{
    record.Text.fill(' ');
    record.Text_Rx.fill(' ');
    record.Text_Tx.fill(' ');
}

TEST(datChKinds, EachMemberDecodesFromItsBitsAndEncodesBackToThem)
{
    for (const ListCase &c : listCases()) {
        SCOPED_TRACE(c.what);
        WorkingImage stored;
        for (const Stored &b : c.stored)
            stored.set(b.address, b.value);
        datCh record(&stored.image);
        record.decode(c.kind, c.row);
        EXPECT_EQ(record.*c.member, c.expected);

        WorkingImage written;
        record.bind(&written.image);
        blankTexts(record);
        record.encode(c.kind, c.row);
        for (const Stored &b : c.stored)
            EXPECT_EQ(written.at(b.address), c.decodeOnly ? 0 : b.value)
                << "byte at 0x" << std::hex << b.address;
    }
}

TEST(datChKinds, TextsAndGlyphsAreCopiedVerbatim)
{
    WorkingImage w;
    for (int n = 0; n < 49; ++n)
        w.set(at(0x110D3, 49, 15, n), static_cast<uint8_t>(0x80 + n));
    for (int n = 0; n < 24; ++n)
        w.set(at(0x10F53, 24, 15, n), static_cast<uint8_t>(n));
    datCh record(&w.image);
    record.decode(3, 15);
    EXPECT_EQ(record.Glyph49[48], 0x80 + 48);
    EXPECT_EQ(record.Glyph24[23], 23);

    for (int n = 0; n < 100; ++n)
        w.set(at(0x105EC, 100, 9, n), static_cast<uint8_t>('a' + n % 26));
    record.decode(25, 9);
    EXPECT_EQ(record.Message[99], 'a' + 99 % 26);

    record.decode(22, 0);
    record.Message.fill('x');
    record.encode(22, 0);
    EXPECT_EQ(w.at(at(0x10574, 12, 0, 11)), 'x');
    EXPECT_EQ(w.at(at(0x10574, 12, 1, 0)), 0) << "a short data message is 12 bytes";
}

TEST(datChKinds, DtmfDigitsAreNibblesFirstHigh)
{
    WorkingImage w;
    w.set(at(0x11751, 37, 0, 24), 0x12);
    w.set(at(0x11751, 37, 0, 35), 0xEF);
    datCh record(&w.image);
    record.decode(4, 0);
    EXPECT_EQ(record.Digits[0], 1);
    EXPECT_EQ(record.Digits[1], 2);
    EXPECT_EQ(record.Digits[22], 14);
    EXPECT_EQ(record.Digits[23], 15);

    record.Digits[23] = 0x1A; // only the low nibble is a digit
    record.encode(4, 0);
    EXPECT_EQ(w.at(at(0x11751, 37, 0, 35)), 0xEA);
    EXPECT_EQ(w.at(at(0x11751, 37, 0, 36)), 0) << "the digit count is not a digit";
}

TEST(datChKinds, TonePairsAreToneSettings)
{
    WorkingImage w;
    w.set(at(0x1146F, 4, 2, 0), 0x41);
    w.set(at(0x1146F, 4, 2, 1), 0x02);
    w.set(at(0x1146F, 4, 2, 2), 0x80);
    w.set(at(0x1146F, 4, 2, 3), 0x07);
    datCh record(&w.image);
    record.decode(6, 2);
    EXPECT_TRUE(record.CToneR.isDtcs());
    EXPECT_EQ(record.CToneR.dtcs, 0x102);
    EXPECT_FALSE(record.CToneT.on());
    EXPECT_EQ(record.CToneT.ctcss, 7);
}

TEST(datChKinds, SecondPriorityBitFollowsItsOption)
{
    WorkingImage w;
    datCh record(&w.image);
    record.Prio2_CH = 2;
    record.encode(5, 6);
    EXPECT_EQ(w.at(at(0x1150F, 34, 6, 24)) & 0x80, 0x80);
    record.Prio2_CH = 0;
    record.encode(5, 6);
    EXPECT_EQ(w.at(at(0x1150F, 34, 6, 24)) & 0x80, 0);
}

TEST(datChKinds, TextPresentBitsFollowTheirTexts)
{
    struct PresentCase {
        int kind;
        int32_t flagAddress;
        uint8_t bit;
    };
    const PresentCase cases[] = {
        {7, at(0x11AA8, 44, 1, 31), 0x04},  {8, at(0x118E8, 14, 1, 13), 0x20},
        {13, at(0x11CCE, 42, 1, 29), 0x04}, {14, at(0x11E26, 14, 1, 13), 0x20},
        {27, at(0x1A514, 54, 1, 39), 0x04},
    };
    for (const PresentCase &c : cases) {
        SCOPED_TRACE(c.kind);
        WorkingImage w;
        datCh record(&w.image);
        record.Text.fill(' ');
        record.encode(c.kind, 1);
        EXPECT_EQ(w.at(c.flagAddress) & c.bit, 0);
        record.Text[0] = 'Q';
        record.encode(c.kind, 1);
        EXPECT_EQ(w.at(c.flagAddress) & c.bit, c.bit);
    }
}

TEST(datChKinds, GroupCodeIsReadIntoEveryCodeRowButNeverWritten)
{
    WorkingImage w;
    w.set(0x10E90, 0x0C);
    datCh record(&w.image);
    record.decode(8, 17);
    EXPECT_EQ(record.GroupCode, 12);
    record.GroupCode = 3;
    record.encode(8, 17);
    record.encode(7, 4);
    EXPECT_EQ(w.at(0x10E90), 0x0C);
}

TEST(datChKinds, MskCallAddressOutsideFourDecimalDigitsReadsAsNoAddress)
{
    WorkingImage w;
    w.set(at(0x10494, 4, 5, 0), 0x1A);
    w.set(at(0x10494, 4, 5, 2), 0x00);
    datCh record(&w.image);
    record.decode(14, 5);
    EXPECT_EQ(record.Adr, 65535);
    record.encode(14, 5);
    EXPECT_EQ(w.word(at(0x10494, 4, 5, 0)), 0x1A00) << "the radio's digits stay as they were";
    EXPECT_EQ(w.word(at(0x10494, 4, 5, 2)), 0xFFFF) << "the padding bytes are 0xFF";
    record.decode(14, 5);
    EXPECT_EQ(record.Adr, 65535);

    // Over a valid address "no address" is written as non-decimal digits.
    w.set(at(0x10494, 4, 6, 0), 0x01);
    w.set(at(0x10494, 4, 6, 1), 0x23);
    record.encode(14, 6);
    EXPECT_EQ(w.word(at(0x10494, 4, 6, 0)), 0xFFFF);

    record.Adr = 907;
    record.encode(14, 5);
    EXPECT_EQ(w.word(at(0x10494, 4, 5, 0)), 0x0907);
}

TEST(datChKinds, ActionNumbersDriveTheirDerivedBytesOnReadAndWrite)
{
    struct ActionCase {
        int32_t action;
        uint8_t group;
        uint8_t state;
    };
    const ActionCase actions[] = {{25, 0, 0}, {26, 1, 0}, {28, 1, 2}, {30, 2, 1},
                                  {34, 3, 2}, {37, 4, 2}, {38, 0, 0}, {255, 0, 0}};
    struct Place {
        int kind;
        int32_t action;
        int32_t group;
    };
    const Place places[] = {
        {20, at(0x1706F, 16, 3, 15), at(0x1706F, 16, 3, 13)},
        {24, at(0x19D05, 17, 3, 15), at(0x19D05, 17, 3, 13)},
        {27, at(0x1A514, 54, 3, 41), at(0x1A514, 54, 3, 43)},
    };
    for (const Place &p : places) {
        for (const ActionCase &a : actions) {
            SCOPED_TRACE(::testing::Message() << "kind " << p.kind << " action " << a.action);
            WorkingImage w;
            w.set(p.action, static_cast<uint8_t>(a.action));
            w.set(p.group, 0x77);
            w.set(p.group + 1, 0xFF);
            datCh record(&w.image);
            record.decode(p.kind, 3);
            EXPECT_EQ(w.at(p.group), a.group) << "a read rewrites the group";
            EXPECT_EQ(w.at(p.group + 1), 0xFC | a.state) << "only the state bits change";

            record.Action = 30;
            record.encode(p.kind, 3);
            EXPECT_EQ(w.at(p.group), 2);
            EXPECT_EQ(w.at(p.group + 1) & 0x03, 1);
        }
    }
}

TEST(datChKinds, DpmrStatusKeepsACopyOfItsFunctionByte)
{
    WorkingImage w;
    datCh record(&w.image);
    record.Function = 5;
    record.encode(24, 30);
    EXPECT_EQ(w.at(at(0x19B05, 16, 30, 13)), 5);
    EXPECT_EQ(w.at(at(0x19D05, 17, 30, 16)), 5);
}

TEST(datChKinds, DtmfDecodeEntriesRefreshTheChannelsDerivedBit)
{
    WorkingImage w;
    datCh record(&w.image);
    record.DigitCount = 2;
    record.encode(27, 0);
    EXPECT_EQ(w.at(extraByte(17, 18)) & 0x20, 0x20);
    record.DigitCount = 0;
    record.encode(27, 0);
    EXPECT_EQ(w.at(extraByte(17, 18)) & 0x20, 0);
}

// 2-tone code i is receive code i plus, from 1 on, transmit code i - 1.
TEST(datChKinds, TwoToneCodesShareTheFiveToneRows)
{
    WorkingImage w;
    w.set(at(0x113DB, 8, 4, 0), 0x01);
    w.set(at(0x113DB, 8, 4, 1), 0x2C); // 300
    w.set(at(0x113DB, 8, 4, 7), 0x09);
    w.set(at(0x10410, 4, 4, 0), 0x03);
    w.set(at(0x10410, 4, 4, 1), 0xE8); // 1000
    w.set(at(0x11445, 2, 4, 1), 40);
    w.set(at(0x11AA8, 44, 4, 29), 0x01);
    datCh record(&w.image);
    record.decode(10, 4);
    EXPECT_DOUBLE_EQ(record.RxFreq_1st[0], 300);
    EXPECT_DOUBLE_EQ(record.RxFreq_2nd[1], 9);
    EXPECT_DOUBLE_EQ(record.TxFreq_1st, 1000);
    EXPECT_DOUBLE_EQ(record.Period_2nd, 40);
    EXPECT_EQ(record.ANS, 1);

    for (int n = 0; n < 24; ++n)
        record.Text[static_cast<std::size_t>(n)] = static_cast<uint8_t>('A' + n);
    record.TxFreq_2nd = 1234.9;
    record.RxFreq_1st[1] = 70000.0; // more than two bytes hold
    record.Period_1st = -3;
    record.Code_Type = 0;
    record.encode(10, 4);
    EXPECT_EQ(w.word(at(0x10410, 4, 4, 2)), 1234) << "floating members are truncated";
    EXPECT_EQ(w.word(at(0x113DB, 8, 4, 2)), 0xFFFF);
    EXPECT_EQ(w.at(at(0x11445, 2, 4, 0)), 0);
    EXPECT_EQ(w.at(at(0x11AA8, 44, 4, 29)), 0xFF) << "ANS is written as 0xFF";
    EXPECT_EQ(w.at(at(0x118DA, 14, 4, 0)), 'A');
    EXPECT_EQ(w.at(at(0x118DA, 14, 4, 11)), 'L') << "the transmit name is the first 12";
    EXPECT_EQ(w.at(at(0x118DA, 14, 4, 12)), 0x3F);
    EXPECT_EQ(w.at(at(0x11AA8, 44, 4, 4 + 23)), 'X');

    record.Code_Type = 1;
    record.encode(10, 4);
    EXPECT_EQ(w.at(at(0x118DA, 14, 4, 12)), 0x33);
    record.decode(8, 3);
    EXPECT_EQ(record.Text[11], 'L') << "the transmit code row shows the same name";
}

TEST(datChKinds, TwoToneRowZeroHasNoTransmitPart)
{
    WorkingImage w;
    w.fillRandom(3);
    const std::vector<uint8_t> before = w.bytes();
    datCh record(&w.image);
    record.decode(10, 0);
    record.TxFreq_1st = 1;
    record.Code_Type = 1;
    record.encode(10, 0);
    for (int32_t a = 0; a < kWorkingSize; ++a) {
        const bool receiveRow = a >= 0x11AA8 && a < 0x11AA8 + 44;
        if (!receiveRow) {
            ASSERT_EQ(w.at(a), before[static_cast<std::size_t>(a)])
                << "address 0x" << std::hex << a;
        }
    }
}

// --- Multi-table.

class MultiTable : public ::testing::Test
{
protected:
    WorkingImage w;
    MultiTableShadows shadows;
    MultiTableSelection selection;

    datCh record()
    {
        datCh r(&w.image);
        r.bindMultiTable(&shadows, &selection);
        return r;
    }
    int32_t entry(int set, int row) const { return 0x1A78B + 96 * set + 6 * row; }
};

TEST_F(MultiTable, TheSelectionPicksTheSet)
{
    w.set(entry(0, 2) + 2, 0x11);
    w.set(entry(0, 2), 0x80);
    w.set(entry(5, 2) + 2, 0x55);
    w.set(entry(5, 2), 0x80);
    datCh r = record();
    r.decode(29, 2);
    EXPECT_EQ(r.DecodeValue, 0x11);
    selection.select(5);
    r.decode(29, 2);
    EXPECT_EQ(r.DecodeValue, 0x55);
    selection.switchOff();
    r.decode(29, 2);
    EXPECT_EQ(r.DecodeValue, 0x11);
}

TEST_F(MultiTable, EntriesAreToneOrValueByTheirTopBit)
{
    const int32_t row = entry(0, 15);
    w.set(row, 0x7F); // tone type, foreign bits set
    w.set(row + 1, 0x40);
    w.set(row + 2, 0x23);
    w.set(row + 3, 0x80);
    w.set(row + 4, 0xAA);
    w.set(row + 5, 0x09);
    datCh r = record();
    r.decode(29, 15);
    EXPECT_EQ(r.DecodeType, 0);
    EXPECT_TRUE(r.DecodeTone.isDtcs());
    EXPECT_EQ(r.DecodeTone.dtcs, 0x23);
    EXPECT_EQ(r.EncodeType, 1);
    EXPECT_EQ(r.EncodeValue, 9);

    r.encode(29, 15);
    const uint8_t expected[] = {0x7F, 0x40, 0x23, 0x80, 0xAA, 0x09};
    for (int n = 0; n < 6; ++n)
        EXPECT_EQ(w.at(row + n), expected[n]) << n;
}

TEST_F(MultiTable, SwitchingTheTypeBackRestoresThePreviousValue)
{
    const int32_t row = entry(0, 1);
    w.set(row, 0x00);
    w.set(row + 1, 0x00);
    w.set(row + 2, 0x0C); // CTCSS tone 12
    datCh r = record();
    r.decode(29, 1);
    EXPECT_EQ(r.DecodeTone.ctcss, 12);

    r.DecodeType = 1; // to a value: the value shadow of the slot is empty
    r.commit();
    EXPECT_EQ(r.DecodeValue, 0);
    r.DecodeValue = 77;
    r.commit();
    EXPECT_EQ(w.at(row + 2), 77);

    r.DecodeType = 0; // back to the tone
    r.commit();
    EXPECT_EQ(r.DecodeTone.ctcss, 12);
    EXPECT_TRUE(r.DecodeTone.on());

    r.DecodeType = 1; // and the value comes back too
    r.commit();
    EXPECT_EQ(r.DecodeValue, 77);
}

TEST_F(MultiTable, AShadowedSetOtherThanTheFirstKeepsItsOwnShadows)
{
    selection.select(3);
    w.set(entry(3, 0), 0x80);
    w.set(entry(3, 0) + 2, 0x42);
    datCh r = record();
    r.decode(29, 0);
    EXPECT_EQ(shadows.second[3][0][2], 0x42);
    EXPECT_EQ(shadows.second[0][0][2], 0);
}

TEST_F(MultiTable, ASetOutsideTheTableReadsAndWritesNothing)
{
    w.fillRandom(11);
    const std::vector<uint8_t> before = w.bytes();
    selection.select(16);
    datCh r = record();
    r.decode(29, 0);
    EXPECT_EQ(r.DecodeType, 0);
    EXPECT_EQ(r.DecodeValue, 0);
    r.EncodeType = 1;
    r.encode(29, 0);
    r.encode(29, 16);
    EXPECT_TRUE(w.bytes() == before);
}

TEST_F(MultiTable, RecordsMadeAfterInstallingUseTheInstalledState)
{
    datCh::installMultiTable(&shadows, &selection);
    datCh r(&w.image);
    datCh::installMultiTable(nullptr, nullptr);
    EXPECT_EQ(r.shadows, &shadows);
    EXPECT_EQ(r.selection, &selection);
    r.reset();
    EXPECT_EQ(r.shadows, &shadows) << "reset keeps the bindings";
    EXPECT_EQ(datCh(&w.image).shadows, nullptr);
}

} // namespace
