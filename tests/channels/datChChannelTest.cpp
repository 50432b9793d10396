#include "WorkingImage.h"

#include "channels/datCh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

using namespace channel_testing;

namespace {

constexpr int kChannel = 5;
constexpr int kLmr = datCh::kKindChannelLmr;
constexpr int kPmr = datCh::kKindChannelPmr;

enum class Area { Main, Extra, Absolute };

struct StoredByte {
    Area area;
    int32_t byte;
    uint8_t value;

    int32_t address() const
    {
        switch (area) {
        case Area::Main:
            return mainByte(kChannel, byte);
        case Area::Extra:
            return extraByte(kChannel, byte);
        case Area::Absolute:
            break;
        }
        return byte;
    }
};

StoredByte m(int32_t byte, uint8_t value) { return {Area::Main, byte, value}; }
StoredByte x(int32_t byte, uint8_t value) { return {Area::Extra, byte, value}; }

struct MemberCase {
    const char *what;
    int kind;
    std::vector<StoredByte> stored;
    int32_t datCh::*member;
    int32_t expected;
    // Members the channel shows but never writes back.
    bool decodeOnly = false;
};

// Names are spaces so that the name-present bit stays out of the way.
void blankNames(WorkingImage &w)
{
    for (int c = 0; c < 32; ++c)
        for (int n = 15; n < 27; ++n)
            w.set(mainByte(c, n), ' ');
}

const std::vector<MemberCase> &memberCases()
{
    static const std::vector<MemberCase> cases = {
        {"receive inhibit", kLmr, {m(0, 0x80)}, &datCh::Inh, 1},
        {"transmit inhibit", kLmr, {m(4, 0x80)}, &datCh::TxInh, 1},
        {"receive frequency", kLmr, {m(0, 0x08), m(3, 0x01)}, &datCh::FreqR, 0x08000001},
        {"transmit frequency", kLmr, {m(4, 0x01), m(7, 0x02)}, &datCh::FreqT, 0x01000002},
        {"operation mode", kLmr, {m(12, 0x0C)}, &datCh::OperationMode, 3},
        {"digital signalling", kLmr, {m(12, 0x03)}, &datCh::DigSig, 3},
        {"narrow high bit", kLmr, {m(12, 0x10)}, &datCh::Nar, 2},
        {"narrow low bit", kLmr, {m(12, 0x40)}, &datCh::Nar, 1},
        {"scan list number", kLmr, {m(14, 0xFE)}, &datCh::ScanListNo, 254},
        {"receive NAC", kLmr, {m(27, 0x12), m(28, 0x34)}, &datCh::RxNac, 0x1234},
        {"transmit NAC", kLmr, {m(29, 0xFF), m(30, 0xFE)}, &datCh::TxNac, 0xFFFE},
        {"multi-table number", kLmr, {m(31, 0xAB)}, &datCh::RxMultiTableNo, 0xAB},
        {"colour code", kPmr, {m(33, 0x3F)}, &datCh::DpmrTxCc, 0x3F},
        {"power save", kLmr, {x(0, 0x80)}, &datCh::PwrSave, 1},
        {"monitor bit 0", kLmr, {x(0, 0x40)}, &datCh::Moni, 1},
        {"monitor bit 1", kLmr, {x(1, 0x08)}, &datCh::Moni, 2},
        {"monitor bit 2", kLmr, {x(2, 0x10)}, &datCh::Moni, 4},
        {"monitor bit 3", kLmr, {x(2, 0x20)}, &datCh::Moni, 8},
        {"scan list select", kLmr, {x(0, 0x20)}, &datCh::ScanListSel, 1},
        {"lockout bit 0", kLmr, {x(0, 0x04)}, &datCh::Lockout, 1},
        {"lockout bit 1", kLmr, {x(0, 0x08)}, &datCh::Lockout, 2},
        {"lockout bits 4..2", kLmr, {x(17, 0x07)}, &datCh::Lockout, 28},
        {"lockout all", kPmr, {x(0, 0x0C), x(17, 0x07)}, &datCh::Lockout, 31},
        {"power", kLmr, {x(0, 0x03)}, &datCh::RfPo, 3},
        {"power high bit", kLmr, {x(0, 0x02)}, &datCh::RfPo, 2},
        {"log", kLmr, {x(1, 0xA0)}, &datCh::Log, 10},
        {"tight squelch", kLmr, {x(1, 0x04)}, &datCh::SqlTight, 1},
        {"scan increment", kLmr, {x(1, 0x02)}, &datCh::ScanInc, 1},
        {"channel mute", kLmr, {x(1, 0x01)}, &datCh::ChMute, 1},
        {"select", kLmr, {x(2, 0xC0)}, &datCh::Sel, 3},
        {"select low bit", kLmr, {x(2, 0x40)}, &datCh::Sel, 1},
        {"call", kLmr, {x(2, 0x08)}, &datCh::Call, 1},
        {"PTT", kLmr, {x(2, 0x04)}, &datCh::Ptt, 1},
        {"LMR auto reset reads bit 1 only", kLmr, {x(2, 0x02)}, &datCh::AutoReset, 1},
        {"PMR auto reset low bit", kPmr, {x(2, 0x02)}, &datCh::AutoReset, 1},
        {"PMR auto reset high bit", kPmr, {x(2, 0x01)}, &datCh::AutoReset, 2},
        {"repeater mode", kLmr, {x(3, 0x80)}, &datCh::RptMode, 1},
        {"scrambler on", kLmr, {x(3, 0x60)}, &datCh::ScrmOn, 3},
        {"scrambler on high bit", kLmr, {x(3, 0x40)}, &datCh::ScrmOn, 2},
        {"compander", kLmr, {x(3, 0x10)}, &datCh::Compander, 1},
        {"MSK signalling", kLmr, {x(3, 0x08)}, &datCh::MskSig, 1, true},
        {"MSK repeater off", kLmr, {x(3, 0x04)}, &datCh::MskRptOff, 1, true},
        {"MSK send status", kLmr, {x(3, 0x02)}, &datCh::MskSendStatus, 1, true},
        {"auto channel scan", kLmr, {x(3, 0x01)}, &datCh::AutoChScan, 1},
        {"scrambler code", kLmr, {x(5, 0xFF)}, &datCh::ScrmCode, 255},
        {"position", kLmr, {x(6, 0xC0)}, &datCh::Pos, 3},
        {"form", kLmr, {x(6, 0x0F)}, &datCh::Form, 15},
        {"repeater code", kLmr, {x(7, 0x7F)}, &datCh::RptC, 127},
        {"repeater lock", kLmr, {x(7, 0x80)}, &datCh::RptL, 1},
        {"station code", kLmr, {x(8, 0x55)}, &datCh::StnC, 0x55},
        {"station lock", kLmr, {x(8, 0x80)}, &datCh::StnL, 1},
        {"ID code", kLmr, {x(9, 0x2A)}, &datCh::IdC, 0x2A},
        {"ID lock", kLmr, {x(9, 0x80)}, &datCh::IdL, 1},
        {"receive code number", kLmr, {x(10, 0x09)}, &datCh::RxCNo, 9},
        {"unit ID keeps all 32 bits",
         kLmr,
         {x(12, 0xDE), x(13, 0xAD), x(14, 0xBE), x(15, 0xEF)},
         &datCh::UnitId,
         static_cast<int32_t>(0xDEADBEEFu)},
        {"fast mute", kLmr, {x(17, 0x80)}, &datCh::FastMute, 1},
        {"squelch type", kLmr, {x(17, 0x30)}, &datCh::SqlType, 3},
        {"strapped", kLmr, {x(17, 0x08)}, &datCh::Strapped, 1},
        {"scrambler type", kLmr, {x(18, 0xC0)}, &datCh::ScrmType, 3},
        {"CW ID on", kLmr, {x(18, 0x10)}, &datCh::CwidOn, 1},
        {"CW ID offset", kLmr, {x(18, 0x0C)}, &datCh::CwidOffset, 3},
        {"signalling type", kLmr, {x(18, 0x03)}, &datCh::SignalingType, 3},
        {"time-out timer", kLmr, {x(19, 0x80)}, &datCh::Tot, 1},
        {"time-out repeat", kLmr, {x(19, 0x40)}, &datCh::TotRepeat, 1},
        {"dPMR squelch type", kPmr, {x(19, 0x30)}, &datCh::DpmrSqlType, 3},
        {"encryption number", kLmr, {x(20, 0x3E)}, &datCh::EncryptionNo, 0x3E},
        {"DTMF receive code", kLmr, {x(21, 0x07)}, &datCh::RxCNoDtmf, 7},
        {"talk group list", kLmr, {x(23, 0x01), x(24, 0xF3)}, &datCh::TgList, 499},
        {"individual list", kLmr, {x(25, 0x01), x(26, 0x00)}, &datCh::IndList, 256},
        {"dPMR unit ID",
         kPmr,
         {x(27, 0x01), x(28, 0x23), x(29, 0x45), x(30, 0x60)},
         &datCh::DpmrUnitId,
         0x01234560},
        {"dPMR call list", kPmr, {x(31, 0x00), x(32, 0x2A)}, &datCh::DpmrCallList, 42},
        {"dPMR talk group list", kPmr, {x(33, 0x01), x(34, 0x01)}, &datCh::DpmrTgList, 257},
        {"dPMR encryption number", kPmr, {x(35, 0x1F)}, &datCh::DpmrEncryptionNo, 31},
        {"E switched off", kLmr, {{Area::Absolute, 0x10E95, 0x00}}, &datCh::AtrEOff, 1},
        {"E switched on", kLmr, {{Area::Absolute, 0x10E95, 0x20}}, &datCh::AtrEOff, 0},
    };
    return cases;
}

TEST(datChChannel, EachMemberDecodesFromItsBitsAndEncodesBackToThem)
{
    for (const MemberCase &c : memberCases()) {
        SCOPED_TRACE(c.what);
        WorkingImage stored;
        blankNames(stored);
        for (const StoredByte &b : c.stored)
            stored.set(b.address(), b.value);
        datCh record(&stored.image);
        record.decode(c.kind, kChannel);
        EXPECT_EQ(record.*c.member, c.expected);

        WorkingImage written;
        blankNames(written);
        record.bind(&written.image);
        record.encode(c.kind, kChannel);
        for (const StoredByte &b : c.stored)
            EXPECT_EQ(written.at(b.address()), c.decodeOnly ? 0 : b.value)
                << "byte at 0x" << std::hex << b.address();
    }
}

TEST(datChChannel, MembersOfTheOtherModelTypeStayZero)
{
    WorkingImage w;
    w.set(extraByte(kChannel, 21), 0x07);
    w.set(extraByte(kChannel, 2), 0x01);
    datCh record(&w.image);
    record.decode(kPmr, kChannel);
    EXPECT_EQ(record.RxCNoDtmf, 0);
    record.decode(kLmr, kChannel);
    EXPECT_EQ(record.AutoReset, 0) << "the LMR channel does not read the high auto-reset bit";
}

TEST(datChChannel, LmrAutoResetWritesBothBitsButReadsOnlyTheLowOne)
{
    for (const int value : {2, 3}) {
        WorkingImage w;
        datCh record(&w.image);
        record.AutoReset = value;
        record.encode(kLmr, kChannel);
        EXPECT_EQ(w.at(extraByte(kChannel, 2)) & 0x03, value == 2 ? 0x01 : 0x03);
        record.decode(kLmr, kChannel);
        EXPECT_EQ(record.AutoReset, value - 2);
        record.decode(kPmr, kChannel);
        EXPECT_EQ(record.AutoReset, value);
    }
}

TEST(datChChannel, FrequenciesAreClampedAndTheInhibitBitsSurvive)
{
    struct FrequencyCase {
        uint8_t bytes[4];
        int32_t hertz;
        int32_t inhibit;
    };
    const FrequencyCase cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xFF}, 799999950, 1}, {{0x2F, 0xAF, 0x07, 0xCE}, 799999950, 0},
        {{0x2F, 0xAF, 0x07, 0xCF}, 799999950, 0}, {{0x80, 0x00, 0x00, 0x00}, 0, 1},
        {{0x00, 0x00, 0x00, 0x01}, 1, 0},
    };
    for (const FrequencyCase &c : cases) {
        SCOPED_TRACE(c.hertz);
        WorkingImage w;
        for (int n = 0; n < 4; ++n)
            w.set(mainByte(kChannel, n), c.bytes[n]);
        datCh record(&w.image);
        record.decode(kLmr, kChannel);
        EXPECT_EQ(record.FreqR, c.hertz);
        EXPECT_EQ(record.Inh, c.inhibit);
        record.encode(kLmr, kChannel);
        const uint32_t written = (uint32_t{w.at(mainByte(kChannel, 0))} << 24) |
                                 (w.at(mainByte(kChannel, 1)) << 16) |
                                 (w.at(mainByte(kChannel, 2)) << 8) | w.at(mainByte(kChannel, 3));
        EXPECT_EQ(written, static_cast<uint32_t>(c.hertz) | (c.inhibit ? 0x80000000u : 0u));
    }
}

TEST(datChChannel, EncodeStoresTheClampedFrequencyInTheRecord)
{
    WorkingImage w;
    datCh record(&w.image);
    record.FreqR = 900000000;
    record.FreqT = -5;
    record.encode(kLmr, 0);
    EXPECT_EQ(record.FreqR, datCh::kMaxFrequency);
    EXPECT_EQ(record.FreqT, 0);
}

TEST(datChChannel, UsedFollowsTheReceiveFrequencyAndPresentAlsoTheLtrBank)
{
    WorkingImage w;
    w.setWord(0x10F0E, 10); // bank 0 holds channels 0..9
    datCh record(&w.image);
    record.decode(kLmr, kChannel);
    EXPECT_FALSE(record.isUsed());
    EXPECT_FALSE(record.isPresent());

    w.set(0x10F10, 0x80); // bank 0 is an LTR group bank
    record.decode(kLmr, kChannel);
    EXPECT_FALSE(record.isUsed());
    EXPECT_TRUE(record.isPresent());
    EXPECT_EQ(record.BankLtr, 1);

    record.decode(kLmr, 12); // beyond the count: bank 1, whose flags read 0
    EXPECT_FALSE(record.isPresent());
    EXPECT_EQ(record.BankLtr, 0);

    w.set(mainByte(12, 3), 0x10);
    record.decode(kLmr, 12);
    EXPECT_TRUE(record.isUsed());
    EXPECT_TRUE(record.isPresent());
}

TEST(datChChannel, SettingAPriorityDesignationMovesItClearingWritesNothing)
{
    WorkingImage w;
    w.setWord(0x103C0, 3);
    datCh record(&w.image);
    record.decode(kLmr, 3);
    EXPECT_EQ(record.AtrA, 1);

    record.decode(kLmr, 5);
    record.AtrA = 1;
    record.commit();
    EXPECT_EQ(w.word(0x103C0), 5);
    record.decode(kLmr, 3);
    EXPECT_EQ(record.AtrA, 0);

    record.decode(kLmr, 5);
    record.AtrA = 0;
    record.commit();
    EXPECT_EQ(w.word(0x103C0), 5) << "clearing the bit does not move the designation";
    EXPECT_EQ(record.AtrA, 1);
}

TEST(datChChannel, TheEDesignationCountsOnlyWhileSwitchedOn)
{
    WorkingImage w;
    w.setWord(0x10E8B, kChannel);
    datCh record(&w.image);
    record.decode(kLmr, kChannel);
    EXPECT_EQ(record.AtrE, 0);
    EXPECT_EQ(record.AtrEOff, 1);

    record.AtrEOff = 0;
    record.commit();
    EXPECT_EQ(w.at(0x10E95) & 0x20, 0x20);
    EXPECT_EQ(record.AtrE, 1);

    record.decode(kLmr, 6);
    record.AtrB = 1;
    record.AtrE = 1;
    record.commit();
    EXPECT_EQ(w.word(0x103C2), 6);
    EXPECT_EQ(w.word(0x10E8B), 6);
}

TEST(datChChannel, ScanMembershipTakesOneBitInEachBitmap)
{
    WorkingImage w;
    for (int k = 0; k < 17; ++k)
        w.set(0x103D0 + 4 * k, 0xFF); // channels 0..7 everywhere, the 17th bitmap too
    datCh record(&w.image);
    record.decode(kLmr, kChannel);
    EXPECT_EQ(record.Scan, 0xFFFF) << "the 17th bitmap is no scan list";

    record.Scan = 0x8001;
    record.encode(kLmr, kChannel);
    const uint8_t bit = 0x80 >> kChannel;
    for (int k = 0; k < 17; ++k) {
        const bool member = k == 0 || k == 15;
        EXPECT_EQ(w.at(0x103D0 + 4 * k) & bit, member ? bit : 0) << "bitmap " << k;
        EXPECT_EQ(w.at(0x103D0 + 4 * k) | bit, 0xFF) << "other channels keep their bits";
    }
    record.decode(kLmr, kChannel);
    EXPECT_EQ(record.Scan, 0x8001);

    record.encode(kLmr, 31);
    EXPECT_EQ(w.at(0x103D0 + 3) & 0x01, 0x01) << "channel 31 is the last bit of byte 3";
}

TEST(datChChannel, NamePresentBitFollowsTheName)
{
    WorkingImage w;
    datCh record(&w.image);
    record.Text.fill(' ');
    record.encode(kLmr, kChannel);
    EXPECT_EQ(w.at(mainByte(kChannel, 12)) & 0x20, 0);
    record.Text[11] = 'A';
    record.encode(kLmr, kChannel);
    EXPECT_EQ(w.at(mainByte(kChannel, 12)) & 0x20, 0x20);
    EXPECT_EQ(w.at(mainByte(kChannel, 26)), 'A');
    EXPECT_EQ(w.at(mainByte(kChannel, 27)), 0) << "the name is 12 bytes";
}

TEST(datChChannel, IndexBeyondTheChannelsLeavesAResetRecordAndWritesNothing)
{
    WorkingImage w;
    w.fillRandom(7);
    const std::vector<uint8_t> before = w.bytes();
    datCh record(&w.image);
    record.FreqR = 1234;
    record.decode(kLmr, 32);
    EXPECT_EQ(record.FreqR, 0);
    EXPECT_TRUE(record.isUsed());
    EXPECT_EQ(record.index, 32);
    record.FreqR = 146000000;
    record.encode(kLmr, 32);
    EXPECT_TRUE(w.bytes() == before);
}

TEST(datChChannel, ExtraRecordByteElevenIsAlwaysWrittenZero)
{
    WorkingImage w;
    w.set(extraByte(kChannel, 11), 0x5A);
    datCh record(&w.image);
    record.decode(kLmr, kChannel);
    record.encode(kLmr, kChannel);
    EXPECT_EQ(w.at(extraByte(kChannel, 11)), 0);
}

TEST(datChChannel, DerivedDtmfBitFollowsTheDecodeEntriesNotTheRecord)
{
    WorkingImage w;
    for (int c = 0; c < 32; ++c)
        w.set(extraByte(c, 18), 0x20);
    datCh record(&w.image);
    record.decode(kLmr, 0);
    for (int c = 0; c < 32; ++c)
        EXPECT_EQ(w.at(extraByte(c, 18)) & 0x20, 0) << "no entry holds digits, channel " << c;
    EXPECT_EQ(record.DtmfDec, 0);

    w.set(0x1A514 + 54 * 9 + 52, 3); // the last decode entry holds three digits
    w.set(mainByte(4, 12), 0x03);    // channel 4 is digital only
    record.decode(kPmr, 0);
    for (int c = 0; c < 32; ++c)
        EXPECT_EQ(w.at(extraByte(c, 18)) & 0x20, c == 4 ? 0 : 0x20) << "channel " << c;

    record.decode(kLmr, 4);
    record.DtmfDec = 1;
    record.commit();
    EXPECT_EQ(record.DtmfDec, 0) << "a typed value does not survive the refresh";
}

TEST(datChChannel, BankFlagsOfBankOneReadZeroAndCannotBeWritten)
{
    WorkingImage w;
    w.setWord(0x10F0E, 4);
    datCh record(&w.image);
    record.decode(kLmr, 2);
    record.BankSmarTrunk = 1;
    record.BankLtr = 1;
    record.commit();
    EXPECT_EQ(w.at(0x10E8A), 0x80);
    EXPECT_EQ(w.at(0x10F10), 0x80);

    WorkingImage other;
    other.setWord(0x10F0E, 4);
    record.bind(&other.image);
    record.encode(kLmr, 4);
    EXPECT_EQ(other.at(0x10E8A), 0);
    EXPECT_EQ(other.at(0x10F10), 0);
}

TEST(datChChannel, CommitShowsClampedValuesAtOnce)
{
    WorkingImage w;
    datCh record(&w.image);
    record.decode(kLmr, 1);
    record.FreqR = 800000001;
    record.Lockout = 0x3F; // six bits into a five-bit member
    record.commit();
    EXPECT_EQ(record.FreqR, datCh::kMaxFrequency);
    EXPECT_EQ(record.Lockout, 0x1F);
    EXPECT_TRUE(record.isUsed());
}

TEST(datChChannel, AttributeByteGathersDesignationsAndBankFlags)
{
    datCh record;
    record.setAttributes(datCh::kAttrA | datCh::kAttrEOff | datCh::kAttrLtr);
    EXPECT_EQ(record.AtrA, 1);
    EXPECT_EQ(record.AtrB, 0);
    EXPECT_EQ(record.AtrEOff, 1);
    EXPECT_EQ(record.BankLtr, 1);
    EXPECT_EQ(record.attributes(), datCh::kAttrA | datCh::kAttrEOff | datCh::kAttrLtr);
}

TEST(datChChannel, EqualFrequenciesTakeTheColourCodeOfTheirRasterPosition)
{
    struct ColourCase {
        const char *what;
        int32_t receive, transmit;
        int32_t storedCode;
        bool used;
        int32_t digSig;
        int32_t code;
        bool warn;
    };
    const ColourCase cases[] = {
        {"raster position 64 wraps to 0", 400000, 400000, 9, true, 1, 0, true},
        {"446.00625 MHz", 446006250, 446006250, 0, true, 2, (446006250 / 6250) % 64, true},
        {"frequency 0", 0, 0, 5, true, 1, 0, true},
        {"unchanged code", 6250, 6250, 1, true, 1, 1, false},
        {"analogue channel", 6250, 6250, 0, true, 0, 1, false},
        {"channel not in use", 6250, 6250, 0, false, 1, 1, false},
        {"split frequencies", 6250, 12500, 7, true, 1, 7, false},
    };
    for (const ColourCase &c : cases) {
        SCOPED_TRACE(c.what);
        datCh record;
        record.FreqR = c.receive;
        record.FreqT = c.transmit;
        record.DpmrTxCc = c.storedCode;
        record.DigSig = c.digSig;
        record.setUsed(c.used);
        EXPECT_EQ(record.applyDefaultColourCode(), c.warn);
        EXPECT_EQ(record.DpmrTxCc, c.code);
    }
}

} // namespace
