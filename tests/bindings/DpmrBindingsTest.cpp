// dPMR on the program's own option lists and sheets: the ID list (entries
// made by typing, wildcards, duplicates, a full list), its individual and
// group views, the identity ranges, the status and short data messages, the
// encryption keys and the common settings as image bytes and cell texts both
// ways, and the sheets the PMR model's tree offers.
#include "CellRequests.h"
#include "SettingCellsFixture.h"
#include "TreeSheetCells.h"

#include "cells/CellIdentifiers.h"
#include "channels/ChannelGlobals.h"
#include "channels/datCh.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kIdRows = 0x177B1;
constexpr std::int32_t kIdRowSize = 18;
constexpr std::int32_t kFirstGroup = 0x1A089;
constexpr std::int32_t kStatusReceived = 0x19D05;
constexpr std::int32_t kStatusSent = 0x19B05;
constexpr std::int32_t kSdm = 0x105EC;
constexpr std::int32_t kSdmSelection = 0x19F33;
constexpr std::int32_t kKeys = 0x19F49;
constexpr std::int32_t kDisplayTexts = 0x19F89;
constexpr std::int32_t kAmbienceEntry = 0x19F31;
constexpr std::int32_t kCallAEntry = 0x1A08D;

constexpr std::int32_t idRow(int row) { return kIdRows + kIdRowSize * row; }
constexpr std::int32_t statusReceived(int row) { return kStatusReceived + 17 * row; }
constexpr std::int32_t statusSent(int row) { return kStatusSent + 16 * row; }

class Dpmr : public SettingCells
{
protected:
    void SetUp() override { ASSERT_TRUE(model->ChangeModelType(1, false)); }

    int listCount() { return ChannelGlobals::listCount(model->WorkingImage(), datCh::kKindDpmrId); }
    void setListCount(int count)
    {
        ChannelGlobals::setListCount(model->WorkingImage(), datCh::kKindDpmrId, count);
    }
    // The entries' identities as packed bytes, and the first group identity.
    void setIdentities(const std::vector<std::uint32_t> &identities, std::uint32_t firstGroup)
    {
        setListCount(static_cast<int>(identities.size()));
        for (std::size_t row = 0; row < identities.size(); ++row)
            setIdentity(idRow(static_cast<int>(row)), identities[row]);
        setIdentity(kFirstGroup, firstGroup);
    }
    void setIdentity(std::int32_t at, std::uint32_t identity)
    {
        for (int i = 0; i < 4; ++i)
            setByte(at + i, static_cast<std::uint8_t>(identity >> (24 - 8 * i)));
    }
    std::uint32_t identity(std::int32_t at)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | byteAt(at + i);
        return value;
    }
    ShownCell idCell(std::int32_t label, int row) { return drawCell(CT_DPMR_Inv, label, row); }
};

// --- The ID list -----------------------------------------------------------------

// An identity shows its wildcards as '*'; a typed identity keeps the
// wildcards only from the fourth digit on, and a refused one leaves the
// entry alone.
TEST_F(Dpmr, IdentitiesTakeWildcardsFromTheFourthDigitOn)
{
    setIdentities({0x12345670, 0x1230AAA0}, 0x50000000);
    EXPECT_EQ(idCell(CL_Dpmr_Ind_Id_Dec, 0).text, "1234567");
    EXPECT_EQ(idCell(CL_Dpmr_Ind_Id_Dec, 1).text, "1230***");
    struct Case {
        const char *typed;
        std::uint32_t stored;
    } cases[] = {
        {"123****", 0x123AAAA0},
        {"*******", 0xAAAAAAA0},
        {"42", 0x00000420},
        {"12*****", 0x12345670},
        {"*123456", 0x12345670},
        {"0000000", 0x00000010}, // below the list's range: the lowest entry
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        setIdentity(idRow(0), 0x12345670);
        typeIntoCell(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Dec, 0, c.typed);
        EXPECT_EQ(identity(idRow(0)), c.stored);
    }
}

TEST_F(Dpmr, EntriesWithOneIdentityAreBothMarked)
{
    setIdentities({0x12345670, 0x22222220, 0x12345670}, 0x50000000);
    EXPECT_TRUE(idCell(CL_Dpmr_Ind_Id_Dec, 0).error);
    EXPECT_FALSE(idCell(CL_Dpmr_Ind_Id_Dec, 1).error);
    EXPECT_TRUE(idCell(CL_Dpmr_Ind_Id_Dec, 2).error);
    typeIntoCell(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Dec, 2, "3333333");
    EXPECT_FALSE(idCell(CL_Dpmr_Ind_Id_Dec, 0).error);
}

// The row below the last entry is empty; a key typed anywhere in it goes to
// the identity, and an identity typed there makes a new entry.
TEST_F(Dpmr, AnIdentityTypedBelowTheListMakesAnEntry)
{
    setIdentities({0x12345670}, 0x50000000);
    setBytes(idRow(1), "\x77\x77\x77\x70OLD NAME    ");
    EXPECT_EQ(idCell(CL_Dpmr_Ind_Id_Dec, 1).text, "");
    EXPECT_EQ(idCell(CL_Dpmr_Ind_Id_Name, 1).text, "");
    EXPECT_EQ(drawCell(CT_DPMR_Inv, Flex_Dpmr_CallList_ChNo, 1).text, "New");

    typeIntoCell(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Dec, 1, "bad");
    EXPECT_EQ(listCount(), 1) << "a refused identity makes no entry";

    typeIntoCell(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Dec, 1, "2000001");
    EXPECT_EQ(listCount(), 2);
    EXPECT_EQ(identity(idRow(1)), 0x20000010u);
    EXPECT_EQ(idCell(CL_Dpmr_Ind_Id_Dec, 1).text, "2000001");
    EXPECT_EQ(idCell(CL_Dpmr_Ind_Id_Name, 1).text.find("OLD"), std::string::npos)
        << "the new entry starts from the template, not from what the row held";

    typeIntoCell(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Dec, 5, "3000001");
    EXPECT_EQ(listCount(), 2) << "only the row right below the list takes an entry";
    EXPECT_TRUE(recorder.shown().empty());
}

TEST_F(Dpmr, AFullListTakesNoEntry)
{
    setListCount(500);
    typeIntoCell(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Dec, 500, "2000001");
    EXPECT_EQ(listCount(), 500);
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_EQ(recorder.shown()[0].icon, platform::MessageIcon::Error);
}

TEST_F(Dpmr, EntryOptionsLandInTheirBits)
{
    setIdentities({0x12345670}, 0x50000000);
    typeIntoCell(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Name, 0, "DISPATCH");
    EXPECT_EQ(bytesAt(idRow(0) + 4, 12), "DISPATCH    ");
    answerCell(CT_DPMR_Inv, CL_Dpmr_Ind_InputDigit, 0, Flex0, 3);
    EXPECT_EQ(byteAt(idRow(0) + 16), 3 << 1) << "the count sits above bit 0";
    EXPECT_EQ(idCell(CL_Dpmr_Ind_InputDigit, 0).text, "Last 3 Digits");
    answerCell(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Sel, 0, Flex0, 1);
    EXPECT_EQ(byteAt(idRow(0) + 17) & 0x80, 0x80);

    setByte(idRow(0) + 16, 9 << 1);
    EXPECT_TRUE(idCell(CL_Dpmr_Ind_InputDigit, 0).warning) << "no list offers 9 digits";
}

// --- Views and ranges -----------------------------------------------------------------

// Row n of a view shows the n-th entry its filter passes, numbered by the
// entry's place in the whole list.
TEST_F(Dpmr, ViewsShowTheIndividualOrTheGroupEntries)
{
    setIdentities({0x60000000, 0x10000010, 0x123AAAA0, 0x20000020}, 0x50000000);
    setBytes(idRow(3) + 4, "FIELD       ");
    struct Case {
        std::int32_t number;
        std::int32_t id;
        std::int32_t name;
        std::vector<std::string> rows;
    } cases[] = {
        {Flex_Dpmr_CallList_ChNo_Inv,
         CL_Dpmr_Id_Dec_Inv,
         CL_Dpmr_Id_Name_Inv,
         {"  2 1000001 ", "  4 2000002 FIELD"}},
        {Flex_Dpmr_CallList_ChNo_Grp,
         CL_Dpmr_Id_Dec_Grp,
         CL_Dpmr_Id_Name_Grp,
         {"  1 6000000 ", "  3 123**** "}},
    };
    for (const Case &c : cases) {
        for (std::size_t n = 0; n < c.rows.size(); ++n) {
            const int row = static_cast<int>(n);
            EXPECT_EQ(drawCell(CT_DPMR_Inv, c.number, row).text + " " +
                          drawCell(CT_DPMR_Inv, c.id, row).text + " " +
                          drawCell(CT_DPMR_Inv, c.name, row).text,
                      c.rows[n]);
        }
    }
}

TEST_F(Dpmr, IndividualRangeEndsBelowTheFirstGroupIdentity)
{
    struct Case {
        std::uint32_t firstGroup;
        const char *individualTo;
        bool groupMarked;
    } cases[] = {
        {0x50000000, "4999999 (No Edit)", false},
        {0x00000020, "0000001 (No Edit)", false},
        {0x00000000, "----", true},
        {0x123AAAA0, "----", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.individualTo);
        setIdentity(kFirstGroup, c.firstGroup);
        EXPECT_EQ(drawCell(CT_DPMR_Op, CL_Dpmr_IdRange_Individual, 0).text, "0000001 (No Edit)");
        EXPECT_EQ(drawCell(CT_DPMR_Op, CL_Dpmr_IdRange_Individual, 1).text, c.individualTo);
        EXPECT_EQ(drawCell(CT_DPMR_Op, CL_Dpmr_IdRange_Group, 0).error, c.groupMarked);
        EXPECT_EQ(drawCell(CT_DPMR_Op, CL_Dpmr_IdRange_Group, 1).text, "9999999 (No Edit)");
    }
    typeIntoCell(CT_DPMR_Op, CL_Dpmr_IdRange_Group, 0, "5000000");
    EXPECT_EQ(identity(kFirstGroup), 0x50000000u) << "a group start may end in zeros";
    typeIntoCell(CT_DPMR_Op, CL_Dpmr_IdRange_Group, 0, "123****");
    EXPECT_EQ(identity(kFirstGroup), 0x50000000u) << "no wildcard in the group start";
    typeIntoCell(CT_DPMR_Op, CL_Dpmr_IdRange_Group, 1, "7000000");
    EXPECT_EQ(identity(kFirstGroup), 0x50000000u) << "the end of the range is fixed";
}

// Settings naming an entry choose among the entries their list offers and
// follow the first group identity's marks.
TEST_F(Dpmr, SettingsNameEntriesOfTheirView)
{
    setIdentities({0x60000000, 0x10000010, 0x20000020}, 0x50000000);
    answerCell(CT_DPMR_Op, CL_Dpmr_AmbienceListen_ID, 0, Flex_Dpmr_CallList_ChNo_Inv, 1);
    EXPECT_EQ(word(kAmbienceEntry), 2) << "the second individual entry is entry 3";
    EXPECT_EQ(drawCell(CT_DPMR_Op, CL_Dpmr_AmbienceListen_ID, 0).text, "3: 2000002");
    answerCell(CT_DPMR_Op, CL_Dpmr_Config_KeyAssign_CallA, 0, Flex_Dpmr_CallList_ChNo, 0);
    EXPECT_EQ(word(kCallAEntry), 0);

    typeIntoCell(CT_DPMR_Op, CL_Dpmr_Grp_Set_BelongGrpList_ID, 0, "6000001");
    EXPECT_FALSE(drawCell(CT_DPMR_Op, CL_Dpmr_Grp_Set_BelongGrpList_ID, 0).error);
    typeIntoCell(CT_DPMR_Op, CL_Dpmr_Grp_Set_BelongGrpList_ID, 0, "4000001");
    EXPECT_TRUE(drawCell(CT_DPMR_Op, CL_Dpmr_Grp_Set_BelongGrpList_ID, 0).error)
        << "an individual identity is no group";
}

// Deleting and inserting entries from the list's context menu keeps every
// setting and channel on the entry it named.
TEST_F(Dpmr, SettingsAndChannelsFollowTheirEntriesThroughListCommands)
{
    setIdentities({0x60000000, 0x10000010, 0x20000020, 0x30000030}, 0x50000000);
    setChannels({145500000});
    datCh channel(&model->WorkingImage());
    channel.decode(datCh::channelKind(), 0);
    channel.DpmrCallList = 3;
    channel.encode(datCh::kKindNone, 0);
    setWord(kAmbienceEntry, 2);
    setWord(kCallAEntry, 3);

    const auto command = [](std::int32_t which, int row) {
        cmcCellObj cell = cellOf(CT_DPMR_Inv, CL_Dpmr_Ind_Id_Dec, row);
        Request request(cell);
        request.capsule.command = which;
        request.run(kHandlerAction);
    };
    command(CL_PMenu_Delete, 0);
    ASSERT_EQ(listCount(), 3);
    EXPECT_EQ(word(kAmbienceEntry), 1);
    EXPECT_EQ(word(kCallAEntry), 2);
    EXPECT_EQ(drawCell(CT_DPMR_Op, CL_Dpmr_AmbienceListen_ID, 0).text, "2: 2000002");
    channel.decode(datCh::channelKind(), 0);
    EXPECT_EQ(channel.DpmrCallList, 2);

    command(CL_PMenu_Insert, 1);
    ASSERT_EQ(listCount(), 4);
    EXPECT_EQ(word(kAmbienceEntry), 2);
    EXPECT_EQ(drawCell(CT_DPMR_Op, CL_Dpmr_Config_KeyAssign_CallA, 0).text, "4: 3000003");
}

// --- Messages and keys -----------------------------------------------------------------

// An action also writes its AUX output and state beside it; the AUX column
// moves an AUX action to another output and keeps its state.
TEST_F(Dpmr, StatusActionsWriteTheirOutputAndState)
{
    answerCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_Action, 4, FlexMark, 30);
    EXPECT_EQ(byteAt(statusReceived(4) + 15), 30);
    EXPECT_EQ(byteAt(statusReceived(4) + 13) & 0x03, 2) << "output group 2";
    EXPECT_EQ(byteAt(statusReceived(4) + 14) & 0x03, 1) << "state 1";
    EXPECT_EQ(drawCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_Action, 4).text, "AUX 2 On");
    EXPECT_EQ(drawCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_AUX, 4).text, "AUX 2");

    answerCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_AUX, 4, Flex0, 3);
    EXPECT_EQ(byteAt(statusReceived(4) + 15), 36) << "AUX 4 On";
    EXPECT_EQ(byteAt(statusReceived(4) + 13) & 0x03, 4 & 0x03);

    answerCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_Action, 4, FlexMark, 1);
    const ShownCell aux = drawCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_AUX, 4);
    EXPECT_EQ(aux.text, "----");
    EXPECT_TRUE(aux.silver);
    answerCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_AUX, 4, Flex0, 2);
    EXPECT_EQ(byteAt(statusReceived(4) + 15), 1) << "no output to move";
}

TEST_F(Dpmr, StatusFieldsLandInTheirRecords)
{
    typeIntoCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_Text_Rx, 2, "ARRIVED");
    typeIntoCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_Text_Tx, 2, "ON SITE");
    EXPECT_EQ(bytesAt(statusReceived(2), 12), "ARRIVED     ");
    EXPECT_EQ(bytesAt(statusSent(2), 12), "ON SITE     ");
    struct Case {
        std::int32_t label;
        std::int32_t at;
        int mask;
    } cases[] = {
        {CL_Dpmr_Msg_Status_RX, statusReceived(2) + 12, 0x10},
        {CL_Dpmr_Msg_Status_TX, statusSent(2) + 12, 0x01},
        {CL_Dpmr_Msg_Status_Selection, statusSent(2) + 12, 0x02},
    };
    for (const Case &c : cases) {
        answerCell(CT_DPMR_Status, c.label, 2, Flex0, 1);
        EXPECT_EQ(byteAt(c.at) & c.mask, c.mask) << cellLabelName(c.label);
        answerCell(CT_DPMR_Status, c.label, 2, Flex0, 0);
        EXPECT_EQ(byteAt(c.at) & c.mask, 0) << cellLabelName(c.label);
    }
    answerCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_AUD, 2, Flex0, 2);
    EXPECT_EQ(byteAt(statusReceived(2) + 14) >> 6, 2);
    answerCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_Function, 2, Flex0, 1);
    EXPECT_EQ(byteAt(statusSent(2) + 13), 1);
    EXPECT_EQ(byteAt(statusReceived(2) + 16), 1) << "the receive record keeps a copy";
}

// The radio's own messages (function 2..5) show their function but do not
// take another.
TEST_F(Dpmr, FixedStatusMessagesKeepTheirFunction)
{
    setByte(statusSent(7) + 13, 3);
    EXPECT_EQ(drawCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_Function, 7).text, "Power On (No Edit)");
    answerCell(CT_DPMR_Status, CL_Dpmr_Msg_Status_Function, 7, Flex0, 0);
    EXPECT_EQ(byteAt(statusSent(7) + 13), 3);
}

TEST_F(Dpmr, ShortDataMessagesHoldAHundredCharacters)
{
    const std::string text(100, 'Q');
    typeIntoCell(CT_DPMR_SDM, CL_Dpmr_SDM_Message, 9, text + "OVER");
    EXPECT_EQ(bytesAt(kSdm + 100 * 9, 100), text);
    EXPECT_NE(byteAt(kSdm + 100 * 9 + 100), 'O') << "the next block is untouched";
    answerCell(CT_DPMR_SDM, CL_Dpmr_SDM_Sel, 9, Flex0, 1);
    EXPECT_EQ(byteAt(kSdmSelection + 2 * 9) & 0x02, 0x02);
}

TEST_F(Dpmr, EncryptionKeysAreFourHexadecimalDigits)
{
    struct Case {
        const char *typed;
        int stored;
    } cases[] = {
        {"beef", 0xBEEF}, {"0", 0x0000}, {"12", 0x0012}, {"XYZ1", 0x1234}, {"12G4", 0x1234},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        setWord(kKeys + 2 * 31, 0x1234);
        typeIntoCell(CT_DPMR_Encryption, CL_Dpmr_Encryption_Key, 31, c.typed);
        EXPECT_EQ(word(kKeys + 2 * 31), c.stored);
    }
    EXPECT_EQ(drawCell(CT_DPMR_Encryption, CL_Dpmr_Encryption_Key, 31).text, "1234");
}

// --- Common settings -------------------------------------------------------------------

TEST_F(Dpmr, SettingsLandInTheirBits)
{
    struct Case {
        std::int32_t label;
        const char *typed; // nullptr: choose option 1
        std::int32_t at;
        int mask;
        int stored;
        const char *shown;
    } cases[] = {
        {CL_Dpmr_Ind_Set_BellIcon, nullptr, 0x19ADB, 0x80, 0x80, "On"},
        {CL_Dpmr_Grp_Set_BlockDecode, nullptr, 0x19ADB, 0x40, 0x40, "On"},
        {CL_Dpmr_Status_Set_RequestAck, nullptr, 0x19ADB, 0x02, 0x02, "On"},
        {CL_Dpmr_CallAlert_ShowIcon, nullptr, 0x19ADB, 0x01, 0x01, "On"},
        {CL_Dpmr_SDM_Setting_AUD, nullptr, 0x19ADC, 0x0C, 0x04, "Unmute"},
        {CL_Dpmr_Op_Ani_Disp_RecieveUId, nullptr, 0x19ADC, 0x01, 0x01, "On"},
        {CL_Dpmr_Op_Ani_Disp_Mode, nullptr, 0x19ADE, 0xC0, 0x40, "Name"},
        {CL_Dpmr_Config_PTT_Call, nullptr, 0x19ADE, 0x30, 0x10, "Begin"},
        {CL_Dpmr_Config_DecodeComparson, nullptr, 0x19ADE, 0x0F, 0x01, "Last 2 digits"},
        {CL_Dpmr_Config_pdS, nullptr, 0x19ADD, 0x01, 0x01, "On"},
        {CL_Dpmr_AmbienceListen_TXTimer, "30", 0x19ADF, 0xFF, 30, "30"},
        {CL_Dpmr_Op_Ani_Disp_Timer, "off", 0x19AE0, 0xFF, 0, "Off"},
        {CL_Dpmr_Config_Ack_RX_Wait, "1.2", 0x19AE4, 0xFF, 120, "1.20"},
        {CL_Dpmr_Config_Attempt_No, "20", 0x19AD9, 0xFF, 15, "15"},
        {CL_Dpmr_Expert_RxAllCall, nullptr, 0x19AE5, 0x40, 0x40, "On"},
        {CL_Dpmr_Expert_FS24_Err_Counter, "7", 0x19AEB, 0xFF, 7, "7"},
        {CL_Dpmr_Expert_CC_Undet_Count, "300", 0x19AF6, 0xFF, 255, "255"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(cellLabelName(c.label));
        setByte(c.at, 0);
        if (c.typed != nullptr)
            type(c.label, c.typed);
        else
            choose(c.label, 1);
        EXPECT_EQ(byteAt(c.at) & c.mask, c.stored);
        EXPECT_EQ(byteAt(c.at) & ~c.mask, 0) << "no other bit";
        EXPECT_THAT(draw(c.label).text, testing::HasSubstr(c.shown));
    }
}

// What the radio stored beyond the lists is shown marked until changed.
TEST_F(Dpmr, ValuesNoListOffersAreMarked)
{
    setByte(0x19ADE, 0x30 | 0x0F);
    EXPECT_TRUE(draw(CL_Dpmr_Config_PTT_Call).warning);
    EXPECT_TRUE(draw(CL_Dpmr_Config_DecodeComparson).warning);
    setByte(0x19AD9, 0);
    EXPECT_TRUE(draw(CL_Dpmr_Config_Attempt_No).warning);
}

TEST_F(Dpmr, DisplayTextsAreTwelveCharactersEach)
{
    type(CL_Dpmr_DispMsg_App_VoiceCall, "VOICE CALL");
    type(CL_Dpmr_DispMsg_ANI_Private, "PRIVATE CALL!");
    EXPECT_EQ(bytesAt(kDisplayTexts, 12), "VOICE CALL  ");
    EXPECT_EQ(bytesAt(kDisplayTexts + 12 * 18, 12), "PRIVATE CALL");
    EXPECT_EQ(draw(CL_Dpmr_DispMsg_ANI_Private).text, "PRIVATE CALL");
}

TEST_F(Dpmr, OptionListsFitTheirFields)
{
    struct Case {
        const char *key;
        int bits;
    } cases[] = {
        {"GI_Sheet_Sel_Dpmr_InputDigit", 7},       {"GI_Sheet_Sel_Dpmr_Status_AUX", 2},
        {"GI_Sheet_Sel_Dpmr_Status_Function", 8},  {"GI_Sheet_Sel_Dpmr_Audio", 2},
        {"GI_Sheet_Sel_Dpmr_AniDispMode", 2},      {"GI_Sheet_Sel_Dpmr_PttCall", 2},
        {"GI_Sheet_Sel_Dpmr_DecodeComparison", 4}, {"GI_Sheet_Sel_MultiTable_Type", 1},
    };
    for (const Case &c : cases)
        EXPECT_THAT(optionListFaults(c.key, c.bits), testing::IsEmpty());
}

// --- The sheets ------------------------------------------------------------------------

// The PMR model's tree offers the dPMR sheets, whose cells are all bound and
// have their help; the LMR model has no dPMR.
TEST_F(Dpmr, SheetsBelongToThePmrModel)
{
    const std::set<std::string> topics = labelsWithHelp();
    const std::vector<std::string> ours = {
        "[St_Common]GI_Sheet_Dpmr", "GI_Sheet_Dpmr_Ind_Id,D",   "GI_Sheet_Dpmr_Status",
        "GI_Sheet_Dpmr_SDM",        "GI_Sheet_Dpmr_Encryption", "[St_Common]GI_Sheet_Dpmr_Expert",
    };
    ASSERT_TRUE(model->ChangeModelType(0, false));
    for (const std::string &call : treeSheetsOf(0))
        EXPECT_EQ(std::find(ours.begin(), ours.end(), call), ours.end()) << call;

    ASSERT_TRUE(model->ChangeModelType(1, false));
    setIdentities({0x60000000, 0x10000010}, 0x50000000);
    const std::vector<std::string> tree = treeSheetsOf(1);
    std::set<std::string> labels;
    for (const std::string &call : ours) {
        ASSERT_NE(std::find(tree.begin(), tree.end(), call), tree.end()) << call;
        for (cmcCellObj cell : labelledCellsOf(call)) {
            Request request(cell);
            request.run(kHandlerDraw);
            const std::string name(cellLabelName(cell.label));
            EXPECT_EQ(request.capsule.outputText.find("*Yet*"), std::string::npos)
                << call << " " << name << "[" << cell.index << "]";
            if (name.starts_with("CL_Dpmr_")) {
                EXPECT_TRUE(topics.contains(name)) << "no help topic for " << name;
                labels.insert(name);
            }
        }
    }
    // The views of the list show in the popups of the settings and columns
    // that choose an entry.
    for (std::int32_t viewLabel :
         {CL_Dpmr_Id_Dec_Inv, CL_Dpmr_Id_Name_Inv, CL_Dpmr_Id_Dec_Grp, CL_Dpmr_Id_Name_Grp}) {
        const std::string name(cellLabelName(viewLabel));
        EXPECT_TRUE(topics.contains(name));
        labels.insert(name);
    }
    EXPECT_EQ(labels.size(),
              std::size_t{CL_Dpmr_Expert_CC_Undet_Count - CL_Dpmr_IdRange_Individual + 1})
        << "every dPMR label is on a sheet";
}

} // namespace
