// MSK signalling on the program's own option lists and sheets: the address
// plan and the marks of addresses outside their range, the four lists as
// image bytes and cell texts both ways, the configuration and timing, and
// what the radio may have stored that no cell offers.
#include "CellRequests.h"
#include "SettingCellsFixture.h"
#include "TreeSheetCells.h"

#include "cells/CellIdentifiers.h"
#include "cells/cmcFCache.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "sheets/SheetTextDump.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kGroupStart = 0x11E1E;
constexpr std::int32_t kCommonAddress = 0x11E20;
constexpr std::int32_t kKillerAddress = 0x11E22;
constexpr std::int32_t kCountryCode = 0x11E24;
constexpr std::int32_t kStatusBaseId = 0x11FF6;
constexpr std::int32_t kGpsBaseId = 0x11FF8;
constexpr std::int32_t kIdGroups = 0x11CCE;
constexpr std::int32_t kIdGroupSize = 42;
constexpr std::int32_t kCallAddresses = 0x10494;
constexpr std::int32_t kCallRecords = 0x11E26;
constexpr std::int32_t kCallRecordSize = 14;
constexpr std::int32_t kStatusReceived = 0x12186;
constexpr std::int32_t kStatusSent = 0x12006;
constexpr std::int32_t kStatusSize = 16;
constexpr std::int32_t kShortTexts = 0x10514;
constexpr std::int32_t kShortTextSelection = 0x12306;
constexpr std::int32_t kTimers = 0x12176;
constexpr std::int32_t kMoreTimers = 0x122F6;
constexpr std::int32_t kCodec = 0x122FC;
constexpr std::int32_t kSending = 0x12300;

constexpr std::int32_t idGroup(int row) { return kIdGroups + kIdGroupSize * row; }
constexpr std::int32_t callAddress(int row) { return kCallAddresses + 4 * row; }
constexpr std::int32_t callRecord(int row) { return kCallRecords + kCallRecordSize * row; }
constexpr std::int32_t statusReceived(int row) { return kStatusReceived + kStatusSize * row; }
constexpr std::int32_t statusSent(int row) { return kStatusSent + kStatusSize * row; }
constexpr std::int32_t shortText(int row) { return kShortTexts + 12 * row; }

// The lists' cells are asked by their own categories (drawCell and the
// like); the byte helpers come from the settings fixture.
class Msk : public SettingCells
{};

// --- The address plan --------------------------------------------------------

// The individual range ends below the group start and the group range ends
// at 4095; neither is edited. A group start no 12-bit address can be is
// shown as stored, marked.
TEST_F(Msk, AddressPlanShowsTheRangesOfTheGroupStart)
{
    struct Case {
        int groupStart;
        const char *individualFrom;
        const char *individualTo;
        const char *groupFrom;
        bool groupMarked;
    } cases[] = {
        {100, "0000 (No Edit)", "0099 (No Edit)", "0100", false},
        {1, "0000 (No Edit)", "0000 (No Edit)", "0001", false},
        {4095, "0000 (No Edit)", "4094 (No Edit)", "4095", false},
        {0, "----", "----", "0000", false},
        {0xFFFF, "0000 (No Edit)", "65534 (No Edit)", "65535", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.groupStart);
        setWord(kGroupStart, c.groupStart);
        const ShownCell from = drawCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 0);
        const ShownCell to = drawCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 1);
        EXPECT_EQ(from.text, c.individualFrom);
        EXPECT_EQ(to.text, c.individualTo);
        EXPECT_EQ(from.silver, c.groupStart == 0);
        const ShownCell group = drawCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 0);
        EXPECT_EQ(group.text, c.groupFrom);
        EXPECT_EQ(group.error, c.groupMarked);
        EXPECT_EQ(drawCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 1).text, "4095 (No Edit)");
        EXPECT_EQ(word(kGroupStart), c.groupStart) << "drawing writes nothing";
    }
}

// With the group start at 100, each address cell is marked when its value
// lies outside the range its use needs.
TEST_F(Msk, AddressesOutsideTheirRangeAreMarked)
{
    setWord(kGroupStart, 100);
    struct Case {
        std::int32_t category;
        std::int32_t label;
        int index;
        std::int32_t address; // where the value is stored
        int stored;           // a 16-bit word (the call list: 4 BCD digits)
        const char *shown;
        bool error;
    } cases[] = {
        {CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0, kKillerAddress, 99, "0099", false},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0, kKillerAddress, 100, "0100", true},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_Common, 0, kCommonAddress, 4095, "4095", false},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_Common, 0, kCommonAddress, 4096, "4096", true},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0, idGroup(0), 42, "0042", false},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 0, idGroup(0), 150, "0150", true},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 1, idGroup(1), 20, "0020", true},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 7, idGroup(7), 100, "0100", false},
        {CT_MSK_CallList, CL_Msk_CallList_Adr, 5, callAddress(5), 0x0099, "0099", false},
        {CT_MSK_CallList, CL_Msk_CallList_Adr, 5, callAddress(5), 0x4095, "4095", false},
        {CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId, 0, kStatusBaseId, 99, "0099", false},
        {CT_MSK_Cfg, CL_Msk_Cfg_Status_FixBaseId, 0, kStatusBaseId, 100, "0100", true},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_FixBaseId, 0, kGpsBaseId, 3000, "3000", true},
    };
    for (const Case &c : cases) {
        setWord(c.address, c.stored);
        const ShownCell shown = drawCell(c.category, c.label, c.index);
        EXPECT_EQ(shown.text, c.shown) << cellLabelName(c.label) << "[" << c.index << "]";
        EXPECT_EQ(shown.error, c.error) << cellLabelName(c.label) << " " << c.shown;
    }
}

// A new group start moves every range at once: the marks of the ID groups
// and the killer address follow, and the whole sheet is redrawn.
TEST_F(Msk, ChangingTheGroupStartMovesTheMarks)
{
    setWord(kGroupStart, 100);
    setWord(idGroup(1), 1500);
    setWord(kKillerAddress, 1500);
    EXPECT_FALSE(drawCell(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 1).error);
    EXPECT_TRUE(drawCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0).error);

    cmcCellObj cell = cellOf(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 0);
    Request request(cell);
    request.capsule.inputMode = cmcCellCapsule::kInputText;
    request.capsule.inputText = "2000";
    request.run(kHandlerAction);
    EXPECT_EQ(word(kGroupStart), 2000);
    ASSERT_FALSE(request.masks.empty());
    EXPECT_NE(request.masks.back() & cmcCellCapsule::kRedrawLabelled, 0u);

    EXPECT_TRUE(drawCell(CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 1).error);
    EXPECT_FALSE(drawCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0).error);
    EXPECT_EQ(drawCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 1).text, "1999 (No Edit)");
}

// The ends of the ranges take no input, and an address cell takes only a
// 12-bit number.
TEST_F(Msk, AddressCellsRefuseWhatIsNoAddress)
{
    setWord(kGroupStart, 100);
    setWord(kCommonAddress, 7);
    for (const char *typed : {"5", "0"}) {
        typeIntoCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Individual, 1, typed);
        typeIntoCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 1, typed);
    }
    pressCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 1, ' ');
    EXPECT_EQ(word(kGroupStart), 100);
    EXPECT_EQ(drawCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Group, 1).text, "4095 (No Edit)");

    for (const char *typed : {"4096", "-1", "abc", ""})
        typeIntoCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Common, 0, typed);
    EXPECT_EQ(word(kCommonAddress), 7);
    typeIntoCell(CT_MSK_AdrRange, CL_Msk_AdrRange_Common, 0, "4095");
    EXPECT_EQ(word(kCommonAddress), 4095);
}

// --- Call list addresses -------------------------------------------------------

// The radio keeps a call address as four BCD digits; digits above 9 read
// as 65535, which is marked and stays as the radio stored it until an
// address is typed.
TEST_F(Msk, CallAddressesAreFourDecimalDigits)
{
    struct Case {
        int stored;
        const char *shown;
        bool error;
    } cases[] = {
        {0x0907, "0907", false},
        {0x4095, "4095", false},
        {0x12A4, "65535", true},
        {0xFFFF, "65535", true},
    };
    for (const Case &c : cases) {
        setWord(callAddress(3), c.stored);
        const ShownCell shown = drawCell(CT_MSK_CallList, CL_Msk_CallList_Adr, 3);
        EXPECT_EQ(shown.text, c.shown) << std::hex << c.stored;
        EXPECT_EQ(shown.error, c.error) << std::hex << c.stored;
    }

    setWord(callAddress(3), 0x12A4);
    typeIntoCell(CT_MSK_CallList, CL_Msk_CallList_Text, 3, "DEPOT");
    answerCell(CT_MSK_CallList, CL_Msk_CallList_Update, 3, Flex0, 1);
    EXPECT_EQ(word(callAddress(3)), 0x12A4) << "other edits of the entry keep its digits";
    EXPECT_EQ(bytesAt(callRecord(3), 5), "DEPOT");

    typeIntoCell(CT_MSK_CallList, CL_Msk_CallList_Adr, 3, "4096");
    EXPECT_EQ(word(callAddress(3)), 0x12A4);
    typeIntoCell(CT_MSK_CallList, CL_Msk_CallList_Adr, 3, "815");
    EXPECT_EQ(word(callAddress(3)), 0x0815);
    EXPECT_EQ(word(callAddress(3) + 2), 0xFFFF);
    EXPECT_FALSE(drawCell(CT_MSK_CallList, CL_Msk_CallList_Adr, 3).error);
}

// --- The lists -----------------------------------------------------------------

// Each option lands in its own bits of its record and shows from them;
// `key` 0 chooses `entry` from the cell's list, a key steps.
TEST_F(Msk, ListOptionsLandInTheirBits)
{
    struct Case {
        std::int32_t category;
        std::int32_t label;
        int index;
        std::int32_t key;
        std::int32_t entry;
        std::int32_t address;
        std::uint8_t mask;
        std::uint8_t stored; // the masked bits afterwards
        const char *shown;
    } cases[] = {
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Alert, 2, 0, 3, idGroup(2) + 28, 0x07, 0x03, "Ringer"},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_SFunc, 2, ' ', 0, idGroup(2) + 28, 0x08, 0x08, "On"},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Bell, 7, 0, 2, idGroup(7) + 29, 0x03, 0x02,
         "On, Cleared by PTT"},
        {CT_MSK_CallList, CL_Msk_CallList_Digit, 31, 0, 4, callRecord(31) + 12, 0xFE, 0x08,
         "All 4 Digits"},
        {CT_MSK_CallList, CL_Msk_CallList_Update, 0, ' ', 0, callRecord(0) + 12, 0x01, 0x01, "On"},
        // Byte 13 keeps "not selectable".
        {CT_MSK_CallList, CL_Msk_CallList_Sel, 4, 0, 0, callRecord(4) + 13, 0x10, 0x10, "Off"},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_Beep, 22, 0, 4, statusReceived(22) + 12, 0x0F, 0x04,
         "Repeated Ringer"},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_Horn, 1, ' ', 0, statusReceived(1) + 12, 0x20, 0x20,
         "On"},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_SFunc, 1, ' ', 0, statusReceived(1) + 12, 0x40, 0x40,
         "On"},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_Auto, 1, ' ', 0, statusReceived(1) + 12, 0x80, 0x80,
         "On"},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_Rriority, 5, ' ', 0, statusSent(5) + 12, 0x01, 0x01,
         "On"},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_Selection, 5, 0, 1, statusSent(5) + 12, 0x02, 0x02,
         "On"},
        {CT_MSK_Msg_ShortTxt, CL_Msk_Msg_ShortTxtTxMsg_Sel, 7, ' ', 0, kShortTextSelection + 14,
         0x02, 0x02, "On"},
    };
    for (const Case &c : cases) {
        const std::string name(cellLabelName(c.label));
        setByte(c.address, static_cast<std::uint8_t>(byteAt(c.address) & ~c.mask));
        if (c.key != 0)
            pressCell(c.category, c.label, c.index, c.key);
        else
            answerCell(c.category, c.label, c.index, Flex0, c.entry);
        EXPECT_EQ(byteAt(c.address) & c.mask, c.stored) << name;
        EXPECT_EQ(drawCell(c.category, c.label, c.index).text, c.shown) << name;
    }
}

// Names are the radio's 12 characters, space-filled; a byte outside the
// printable set is shown escaped and left as it is by drawing.
TEST_F(Msk, NamesAreTwelveCharactersOfTheRadio)
{
    struct Case {
        std::int32_t category;
        std::int32_t label;
        int index;
        std::int32_t address;
    } cases[] = {
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Text, 3, idGroup(3) + 2},
        {CT_MSK_CallList, CL_Msk_CallList_Text, 31, callRecord(31)},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_Text_Rx, 22, statusReceived(22)},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_Text_Tx, 0, statusSent(0)},
    };
    for (const Case &c : cases) {
        const std::string name(cellLabelName(c.label));
        const std::uint8_t after = byteAt(c.address + 12);
        typeIntoCell(c.category, c.label, c.index, "DISPATCH");
        EXPECT_EQ(bytesAt(c.address, 12), "DISPATCH    ") << name;
        EXPECT_EQ(byteAt(c.address + 12), after) << name << " keeps what follows";

        setBytes(c.address, "A\x1A\xFF         ");
        EXPECT_EQ(drawCell(c.category, c.label, c.index).text, "A%1A%FF") << name;
        EXPECT_EQ(bytesAt(c.address, 3), "A\x1A\xFF") << name;
    }
    // The ID group keeps whether it has a name beside it.
    typeIntoCell(CT_MSK_IdGroup, CL_Msk_IdGroup_Text, 3, "");
    EXPECT_EQ(byteAt(idGroup(3) + 29) & 0x04, 0);
    typeIntoCell(CT_MSK_IdGroup, CL_Msk_IdGroup_Text, 3, "OWN");
    EXPECT_EQ(byteAt(idGroup(3) + 29) & 0x04, 0x04);
}

// A short text is three blocks of four characters, each its own cell.
TEST_F(Msk, ShortTextsAreThreeBlocksOfFour)
{
    setBytes(shortText(2), "ABCDEFGHIJKL");
    setBytes(shortText(3), "MNOPQRSTUVWX");
    EXPECT_EQ(drawCell(CT_MSK_Msg_ShortTxt, CL_Msk_Msg_ShortTxtTxMsg_1, 2).text, "ABCD");
    EXPECT_EQ(drawCell(CT_MSK_Msg_ShortTxt, CL_Msk_Msg_ShortTxtTxMsg_2, 2).text, "EFGH");
    EXPECT_EQ(drawCell(CT_MSK_Msg_ShortTxt, CL_Msk_Msg_ShortTxtTxMsg_3, 2).text, "IJKL");

    typeIntoCell(CT_MSK_Msg_ShortTxt, CL_Msk_Msg_ShortTxtTxMsg_2, 2, "HELP");
    EXPECT_EQ(bytesAt(shortText(2), 12), "ABCDHELPIJKL");
    typeIntoCell(CT_MSK_Msg_ShortTxt, CL_Msk_Msg_ShortTxtTxMsg_3, 2, "NOW PLEASE");
    EXPECT_EQ(bytesAt(shortText(2), 12), "ABCDHELPNOW ");
    EXPECT_EQ(bytesAt(shortText(3), 12), "MNOPQRSTUVWX") << "the next text is its own";
}

// Option values a radio stored that the lists do not offer show as such,
// with the warning mark, and stay stored until the cell is edited.
TEST_F(Msk, OptionsNoListOffersAreMarked)
{
    struct Case {
        std::int32_t category;
        std::int32_t label;
        int index;
        std::int32_t address;
        std::uint8_t stored;
    } cases[] = {
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Alert, 0, idGroup(0) + 28, 0x07},
        {CT_MSK_IdGroup, CL_Msk_IdGroup_Bell, 0, idGroup(0) + 29, 0x03},
        {CT_MSK_CallList, CL_Msk_CallList_Digit, 0, callRecord(0) + 12, 0xFE},
        {CT_MSK_Msg_Status, CL_Msk_Msg_Status_Beep, 0, statusReceived(0) + 12, 0x0F},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_CountryCode, 0, kCountryCode, 0xFF},
    };
    for (const Case &c : cases) {
        const std::string name(cellLabelName(c.label));
        setByte(c.address, c.stored);
        const ShownCell shown = drawCell(c.category, c.label, c.index);
        EXPECT_EQ(shown.text, cmcFCache::kErrorText) << name;
        EXPECT_TRUE(shown.warning) << name;
        EXPECT_EQ(byteAt(c.address), c.stored) << name;
    }
}

// --- Configuration and timing ----------------------------------------------------

// Every setting lands in its own bits, and each keeps the other bits of
// its byte; `typed` nullptr: Space, or the list entry `entry` when not 0.
TEST_F(Msk, TimingAndConfigurationLandInTheirBits)
{
    struct Case {
        std::int32_t category;
        std::int32_t label;
        const char *typed;
        std::int32_t entry;
        std::int32_t address;
        std::uint8_t before;
        std::uint8_t after;
        const char *shown;
    } cases[] = {
        {CT_MSK_TimingErr, CL_Msk_TimingErr_NA, "7", 0, kTimers, 0x05, 0x75, "7"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_ND, "15", 0, kTimers, 0x70, 0x7F, "15"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_NM, "2", 0, kTimers + 1, 0x0A, 0x2A, "2"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_NR, "20", 0, kTimers + 1, 0x20, 0x2F, "15"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_N1, "3", 0, kTimers + 2, 0x00, 0x30, "3"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_N2, "4", 0, kTimers + 2, 0x30, 0x34, "4"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_K, "9", 0, kTimers + 3, 0x01, 0x91, "9"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_BusyCheck, nullptr, 0, kTimers + 3, 0x90, 0x91, "On"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_TAC, "1.5", 0, kTimers + 4, 0, 15, "  1.5"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_TRV, "0.2", 0, kTimers + 9, 0, 2, "  0.2"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_TS3, "3", 0, kTimers + 12, 0, 30, "  3.0"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_TF, "25.5", 0, kTimers + 13, 0, 255, " 25.5"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_TT, "off", 0, kTimers + 14, 60, 0, "Off"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_TI, "30", 0, kTimers + 15, 0, 30, " 30"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_TC, "120", 0, kMoreTimers, 0, 120, "120"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_TV, "45", 0, kMoreTimers + 1, 0, 45, " 45"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_T3, "5", 0, kMoreTimers + 2, 0, 5, "  5"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_dTT, "0.25", 0, kMoreTimers + 3, 0, 25, "  0.25"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_LetAck, "0.1", 0, kMoreTimers + 4, 0, 10, "  0.10"},
        {CT_MSK_TimingErr, CL_Msk_TimingErr_LetCall, "2.55", 0, kMoreTimers + 5, 0, 255, "  2.55"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Enc_PttCall, nullptr, 3, kCodec, 0x00, 0xC0, "Begin & End"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Enc_PreEmphasis, nullptr, 0, kCodec, 0xC0, 0xE0, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Enc_SyncvWord, nullptr, 1, kCodec, 0x00, 0x10, "Alternative"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Enc_PttSideTone, nullptr, 0, kCodec, 0x00, 0x08, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Dec_MuteMskTone, nullptr, 0, kCodec, 0xFF, 0xFB, "Off"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Dec_ANI_Disp, nullptr, 0, kCodec, 0x00, 0x02, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Etc_PttEnableAtConnect, nullptr, 0, kCodec, 0x00, 0x01, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Dec_BeepRepeatTimer, "10", 0, kCodec + 1, 0, 10, " 10"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Dec_DurationTimer, "off", 0, kCodec + 2, 9, 0, "Off"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Dec_ANI_Disp_Timer, "255", 0, kCodec + 3, 0, 255, "255"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Status_Send_PrioA, nullptr, 0, kSending, 0x00, 0x80, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Status_Send_Base, nullptr, 1, kSending, 0x80, 0xC0,
         "Fixed Base ID"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Status_Send_On, nullptr, 0, kSending, 0x00, 0x20, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Status_Send_Off, nullptr, 0, kSending, 0x00, 0x10, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Status_Send_Dim, nullptr, 0, kSending, 0x00, 0x08, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Enable, nullptr, 0, kSending, 0x00, 0x04, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Send_Base, nullptr, 1, kSending, 0x04, 0x06, "Fixed Base ID"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Auto, nullptr, 0, kSending, 0x06, 0x07, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Send_Call, nullptr, 0, kSending + 1, 0x00, 0x80, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Send_Logoff, nullptr, 0, kSending + 1, 0x00, 0x40, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Send_Status, nullptr, 0, kSending + 1, 0x00, 0x20, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Send_Sdm, nullptr, 0, kSending + 1, 0x00, 0x10, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Send_Ack, nullptr, 0, kSending + 1, 0x00, 0x08, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Send_Emer, nullptr, 0, kSending + 1, 0x00, 0x04, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Send_ManDown, nullptr, 0, kSending + 1, 0x00, 0x02, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_TimeMarker, nullptr, 0, kSending + 1, 0x00, 0x01, "On"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_IntervalTimer, "5:00", 0, kSending + 2, 0, 30, " 5:00"},
        {CT_MSK_Cfg, CL_Msk_Cfg_Gps_Sentence, nullptr, 2, kSending + 3, 0xFC, 0xFE, "GGA + RMC"},
        {CT_MSK_AdrRange, CL_Msk_AdrRange_CountryCode, nullptr, 9, kCountryCode, 0, 9, "9"},
    };
    for (const Case &c : cases) {
        const std::string name(cellLabelName(c.label));
        setByte(c.address, c.before);
        if (c.typed != nullptr)
            typeIntoCell(c.category, c.label, 0, c.typed);
        else if (c.entry != 0)
            answerCell(c.category, c.label, 0, Flex0, c.entry);
        else
            pressCell(c.category, c.label, 0, ' ');
        EXPECT_EQ(byteAt(c.address), c.after) << name;
        EXPECT_EQ(drawCell(c.category, c.label, 0).text, c.shown) << name;
    }
}

// Settings that count only while a switch is on show in silver while it is
// off; the switch redraws them.
TEST_F(Msk, SettingsOfASwitchedOffFunctionShowInSilver)
{
    struct Case {
        std::uint8_t codec;
        std::uint8_t sending;
        std::int32_t label;
        bool silver;
    } cases[] = {
        {0x00, 0x00, CL_Msk_Cfg_Dec_ANI_Disp_Timer, true},
        {0x02, 0x00, CL_Msk_Cfg_Dec_ANI_Disp_Timer, false},
        {0x00, 0x00, CL_Msk_Cfg_Status_FixBaseId, true},
        {0x00, 0x40, CL_Msk_Cfg_Status_FixBaseId, false},
        {0x00, 0x00, CL_Msk_Cfg_Gps_Sentence, true},
        {0x00, 0x04, CL_Msk_Cfg_Gps_Sentence, false},
        // Sent to the fixed base, but positions are off.
        {0x00, 0x02, CL_Msk_Cfg_Gps_FixBaseId, true},
        {0x00, 0x06, CL_Msk_Cfg_Gps_FixBaseId, false},
        {0x00, 0x05, CL_Msk_Cfg_Gps_IntervalTimer, false},
        {0x00, 0x04, CL_Msk_Cfg_Gps_IntervalTimer, true},
        {0x00, 0x00, CL_Msk_Cfg_Gps_Enable, false},
    };
    for (const Case &c : cases) {
        setByte(kCodec, c.codec);
        setByte(kSending, c.sending);
        EXPECT_EQ(drawCell(CT_MSK_Cfg, c.label, 0).silver, c.silver)
            << cellLabelName(c.label) << " " << +c.codec << " " << +c.sending;
    }
    std::vector<std::uint32_t> masks = pressCell(CT_MSK_Cfg, CL_Msk_Cfg_Gps_Enable, 0, ' ');
    ASSERT_FALSE(masks.empty());
    EXPECT_NE(masks.back() & cmcCellCapsule::kRedrawLabelled, 0u);
}

// --- The sheets ----------------------------------------------------------------

// Every option a list offers fits the bits that keep it, with a text of its
// own.
TEST_F(Msk, OptionListsFitTheirFields)
{
    struct Case {
        const char *key;
        int bits;
    } cases[] = {
        {"GI_Sheet_Sel_MSK_Country_Code", 8}, {"GI_Sheet_Sel_MSK_Alert", 3},
        {"GI_Sheet_Sel_MSK_Bell", 2},         {"GI_Sheet_Sel_MSK_InputDigit", 7},
        {"GI_Sheet_Sel_MSK_PttCall", 2},      {"GI_Sheet_Sel_MSK_SyncWord", 1},
        {"GI_Sheet_Sel_MSK_SendTo", 1},       {"GI_Sheet_Sel_MSK_GpsSentence", 2},
    };
    for (const Case &c : cases)
        EXPECT_THAT(optionListFaults(c.key, c.bits), testing::IsEmpty());
}

// The list the channel sheet's MSK station column opens shows each ID
// group's address and name beside its number.
TEST_F(Msk, ChannelStationListShowsTheIdGroups)
{
    setWord(kGroupStart, 100);
    setWord(idGroup(1), 150);
    typeIntoCell(CT_MSK_IdGroup, CL_Msk_IdGroup_Text, 1, "DISPATCH");
    std::unique_ptr<SheetLayout> list =
        SheetLayoutFactory::Create(mainTextDatabase(), "GI_Sheet_Sel_Mch_Msk_ID");
    list->SetWidthsPersistent(false);
    list->SetHandler(SheetLayout::ModelHandler(), nullptr);
    list->Show();
    const std::vector<std::string> rows = SheetTextDump::Rows(*list);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[2], "2\t0150\tDISPATCH");
}

// The LMR model's tree offers the MSK sheets, whose cells are all bound and
// have their help; the PMR model has no MSK.
TEST_F(Msk, SheetsBelongToTheLmrModel)
{
    const std::vector<std::string> ours = {
        "[St_Common]GI_Sheet_Msk", "GI_Sheet_Msk_IdGroup",   "GI_Sheet_Msk_CallList",
        "GI_Sheet_Msk_Status",     "GI_Sheet_Msk_ShortText", "[St_Common]GI_Sheet_Msk_Timing",
    };
    ASSERT_TRUE(model->ChangeModelType(1, false));
    for (const std::string &call : treeSheetsOf(1))
        EXPECT_EQ(std::find(ours.begin(), ours.end(), call), ours.end()) << call;

    ASSERT_TRUE(model->ChangeModelType(0, false));
    std::set<std::string> labels;
    EXPECT_THAT(lmrSheetFaults(ours, "CL_Msk_", labels), testing::IsEmpty());
    EXPECT_EQ(labels.size(),
              std::size_t{CL_Msk_Cfg_Etc_PttEnableAtConnect - CL_Msk_AdrRange_Individual + 1})
        << "every MSK label is on a sheet";
}

} // namespace
