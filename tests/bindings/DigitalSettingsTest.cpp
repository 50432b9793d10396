// The common digital settings of the LMR model on the program's own option
// lists and sheets: each setting's bytes and texts both ways, the unit ID
// and the ID ranges with their marks, the settings that count only while
// another is on, and what a radio may have stored that no cell offers.
#include "CellRequests.h"
#include "HelpFields.h"
#include "SettingCellsFixture.h"
#include "TreeSheetCells.h"

#include "cells/CellIdentifiers.h"
#include "cells/cmcFCache.h"
#include "cells/indCellHandler.h"
#include "mainframe/HelpContext.h"
#include "textdb/GlobalTexts.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kUnitId = 0x15DB6;
constexpr std::int32_t kCallableFrom = 0x15DB8;
constexpr std::int32_t kCallableTo = 0x15DBA;
constexpr std::int32_t kBlockedFrom = 0x15DBC;
constexpr std::int32_t kBlockedTo = 0x15DBE;
constexpr std::int32_t kTxAllCall = 0x15DC0;
constexpr std::int32_t kConfig = 0x15DC4;
constexpr std::int32_t kCalls = 0x15DC5;
constexpr std::int32_t kGroupDisplay = 0x15DC6;
constexpr std::int32_t kTalkBackTimer = 0x15DD5;
constexpr std::int32_t kTalkBackLog = 0x15DD6;
constexpr std::int32_t kTrunkGps = 0x177A5;
constexpr std::int32_t kStatus = 0x177A6;
constexpr std::int32_t kPowerOnStatus = 0x177A7;
constexpr std::int32_t kPowerOffStatus = 0x177A8;
constexpr std::int32_t kDataAlert = 0x177AA;
constexpr std::int32_t kRemote = 0x177AB;
constexpr std::int32_t kMonitor = 0x177AC;
constexpr std::int32_t kCounters = 0x17711;
constexpr std::int32_t kStatusEntry = 0x176F2;
constexpr std::int32_t kCallAlertAction = 0x1770E;
constexpr std::int32_t kIndividualIdCount = 0x1B0E9;

// The cells are asked as their sheets ask them, in the digital category.
class DigitalSettings : public SettingCells
{
protected:
    ShownCell shown(std::int32_t label) { return drawCell(CT_DIG_Op, label, 0); }
};

// Every setting lands in its own bits and keeps the rest of its byte;
// `typed` nullptr: Space, or the list entry `entry` when not 0.
TEST_F(DigitalSettings, SettingsLandInTheirBits)
{
    struct Case {
        std::int32_t label;
        const char *typed;
        std::int32_t entry;
        std::int32_t address;
        std::uint8_t before;
        std::uint8_t after;
        const char *shown;
    } cases[] = {
        // Configuration.
        {CL_Digi_Config_Grobal, nullptr, 0, kConfig, 0x00, 0x80, "On"},
        {CL_Digi_Config_Beep, nullptr, 0, kConfig, 0xFF, 0xBF, "Off"},
        {CL_Digi_Config_BeepG, nullptr, 0, kConfig, 0x00, 0x20, "On"},
        {CL_Digi_Config_Emer_Text, nullptr, 0, kConfig, 0x00, 0x10, "On"},
        {CL_Digi_Config_Emer_Beep, nullptr, 0, kConfig, 0x00, 0x08, "On"},
        {CL_Digi_Config_ID_Disp, nullptr, 1, kConfig, 0x00, 0x04, "Hexadecimal"},
        {CL_Digi_Config_CallTypeReset, nullptr, 0, kConfig, 0x00, 0x02, "On"},
        {CL_Digi_Config_ClearDownBeep, nullptr, 0, kConfig, 0x00, 0x01, "On"},
        {CL_Digi_Config_CallTypeMode, nullptr, 3, kCalls, 0x01, 0xC1, "Last Received"},
        {CL_Digi_Config_DecodeComparson, nullptr, 1, kCalls, 0x00, 0x20, "Unit ID + NAC"},
        {CL_Digi_Config_Emer_Tans, "5", 0, 0x15DC9, 0xA0, 0xA4, "5"},
        {CL_Digi_Config_Emer_Tans, "0", 0, 0x15DC9, 0xAF, 0xA0, "1"},
        {CL_Digi_Config_BeepRepeatTimer, "off", 0, 0x15DCA, 30, 0, "Off"},
        {CL_Digi_Config_ResetTimer, "20", 0, 0x15DCB, 0, 20, " 20"},
        // Individual and group calls.
        {CL_Digi_Ind_Set_LogForInd, nullptr, 0, kCalls, 0x00, 0x10, "On"},
        {CL_Digi_Ind_Op_Idmr, nullptr, 0, kCalls, 0x00, 0x08, "On"},
        {CL_Digi_Ind_Op_Edit, nullptr, 0, kCalls, 0x00, 0x04, "On"},
        {CL_Digi_Ind_Op_Disp_RecieveUId, nullptr, 0, kCalls, 0x00, 0x02, "On"},
        {CL_Digi_Grp_Set_BlockDecode, nullptr, 0, kCalls, 0x00, 0x01, "On"},
        {CL_Digi_Grp_Op_Hang, "2.5", 0, 0x15DC8, 0, 25, "  2.5"},
        {CL_Digi_Grp_Op_Pre_Len, "9", 0, 0x15DC9, 0x05, 0x95, "9"},
        {CL_Digi_Grp_Op_Disp_Mode, nullptr, 1, kGroupDisplay, 0x00, 0x80, "Name"},
        {CL_Digi_Grp_Op_Disp_Recieve, nullptr, 0, kGroupDisplay, 0x00, 0x40, "On"},
        {CL_Digi_Grp_Op_Disp_RecieveUId, nullptr, 0, kGroupDisplay, 0x00, 0x20, "On"},
        {CL_Digi_Grp_Op_Disp_Ptt, nullptr, 0, kGroupDisplay, 0x00, 0x10, "On"},
        {CL_Digi_Grp_Op_Disp_Timer, "10", 0, 0x15DC7, 0, 10, " 10"},
        // Status and short data.
        {CL_Digi_Status_Set_AllowPoll, nullptr, 0, kStatus, 0x00, 0x80, "On"},
        {CL_Digi_Status_Set_PollTX, nullptr, 0, kStatus, 0x00, 0x40, "On"},
        {CL_Digi_Status_Set_Log, nullptr, 0, kStatus, 0x00, 0x20, "On"},
        {CL_Digi_Status_Set_RequestAck, nullptr, 0, kStatus, 0x00, 0x10, "On"},
        {CL_Digi_Simul_Send_Data, nullptr, 0, kStatus, 0x00, 0x08, "On"},
        {CL_Digi_Status_Set_PowerONStat, "12", 0, kPowerOnStatus, 0, 12, " 12"},
        {CL_Digi_Status_Set_PowerOFFStat, "off", 0, kPowerOffStatus, 7, 0, "Off"},
        {CL_Digi_Simul_Send_Status_Num, "100", 0, 0x177A9, 0, 100, "100"},
        {CL_Digi_SDM_Setting_RX, nullptr, 0, kDataAlert, 0x00, 0x80, "On"},
        {CL_Digi_SDM_Setting_Ringer, nullptr, 0, kDataAlert, 0x00, 0x40, "On"},
        {CL_Digi_SDM_Setting_Log, nullptr, 0, kDataAlert, 0x00, 0x20, "On"},
        {CL_Digi_SDM_Setting_RequestAck, nullptr, 0, kDataAlert, 0x00, 0x10, "On"},
        // Call alert and remote control.
        {CL_Digi_CallAlert_RX, nullptr, 0, kDataAlert, 0x00, 0x08, "On"},
        {CL_Digi_CallAlert_TX, nullptr, 0, kDataAlert, 0x00, 0x04, "On"},
        {CL_Digi_CallAlert_Ringer, nullptr, 0, kDataAlert, 0x00, 0x02, "On"},
        {CL_Digi_CallAlert_ShowIcon, nullptr, 0, kDataAlert, 0x00, 0x01, "On"},
        {CL_Digi_CallAlert_Log, nullptr, 0, kRemote, 0x00, 0x80, "On"},
        {CL_Digi_CallAlert_Aux, nullptr, 0, kRemote, 0x00, 0x40, "On"},
        {CL_Digi_CallAlert_RequestAck, nullptr, 0, kRemote, 0x00, 0x20, "On"},
        {CL_Digi_RadioChk_RX, nullptr, 0, kRemote, 0x00, 0x10, "On"},
        {CL_Digi_RadioChk_TX, nullptr, 0, kRemote, 0x00, 0x08, "On"},
        {CL_Digi_Stun_TX, nullptr, 0, kRemote, 0x00, 0x04, "On"},
        {CL_Digi_Stun_Mode, nullptr, 1, kRemote, 0x04, 0x06, "Tx + Rx Inhibit"},
        {CL_Digi_Kill_TX, nullptr, 0, kRemote, 0x00, 0x01, "On"},
        {CL_Digi_Revive_TX, nullptr, 0, kMonitor, 0x00, 0x80, "On"},
        {CL_Digi_RMONI_RX, nullptr, 0, kMonitor, 0x00, 0x40, "On"},
        {CL_Digi_RMONI_TX, nullptr, 0, kMonitor, 0x00, 0x20, "On"},
        {CL_Digi_RMONI_Mode, nullptr, 1, kMonitor, 0x40, 0x50, "With Beep"},
        {CL_Digi_RMONI_TXTimer, "30", 0, 0x177AD, 1, 30, " 30"},
        {CL_Digi_CallAlert_Action, nullptr, 0, kCallAlertAction, 0, 1, "Horn Alert"},
        // Position, trunking, talk-back, call log.
        {CL_Digi_GPS_SendWithLogoff, nullptr, 0, kTalkBackLog, 0x00, 0x01, "On"},
        {CL_Digi_GPS_Sentence, nullptr, 2, kTrunkGps, 0xF0, 0xF2, "GGA + RMC"},
        {CL_Digi_Trunk_SU_Busy_Wait, "5", 0, 0x177A2, 0, 5, "  5"},
        {CL_Digi_Trunk_SU_Grp_Wait, "255", 0, 0x177A3, 0, 255, "255"},
        {CL_Digi_Trunk_SU_RAccess_Timer, "0.3", 0, 0x177A4, 0, 3, "  0.3"},
        {CL_Digi_Trunk_SU_RAccess_Retry, "4", 0, kTrunkGps, 0x0A, 0x4A, "4"},
        {CL_Digi_Trunk_SU_ReceiveBeep, nullptr, 0, kTrunkGps, 0x00, 0x08, "On"},
        {CL_Digi_Option_TalkBackTimer, "8", 0, kTalkBackTimer, 0, 8, "  8"},
        {CL_Digi_Option_TalkBackRXType, nullptr, 1, kTalkBackLog, 0x00, 0x80, "Digital + Analog"},
        {CL_Digi_Option_TalkBackBeep, nullptr, 0, kTalkBackLog, 0x00, 0x40, "On"},
        {CL_Digi_ANI_OverRinger, nullptr, 0, kTalkBackLog, 0x00, 0x20, "On"},
        {CL_Digi_ANI_TX_RTTBeep, nullptr, 0, kTalkBackLog, 0x00, 0x10, "On"},
        {CL_Digi_CallLog_Log, nullptr, 0, kTalkBackLog, 0x00, 0x08, "On"},
        {CL_Digi_CallLog_LogActType, nullptr, 2, kTalkBackLog, 0x09, 0x0D, "Received + Sent"},
        // Protocol timing.
        {CL_Digi_Config_Attempt_No, "3", 0, 0x15DCC, 0x0F, 0x2F, "3"},
        {CL_Digi_Config_Attempt_No, "20", 0, 0x15DCC, 0x00, 0xF0, "16"},
        {CL_Digi_Config_Ack_TX_Delay, "0.25", 0, 0x15DCD, 0, 25, "  0.25"},
        {CL_Digi_Config_Ack_RX_Wait, "1.2", 0, 0x15DCE, 0, 12, "  1.2"},
        {CL_Digi_Config_SS_Wait, "0.5", 0, 0x15DCF, 0, 50, "  0.50"},
        {CL_Digi_Config_FSSP_Wait, "2.55", 0, 0x15DD0, 0, 255, "  2.55"},
        {CL_Digi_Config_T_ACK_Wait, "0.01", 0, 0x15DD2, 0, 1, "  0.01"},
        {CL_Digi_Config_T_LONG_Wait, "25.5", 0, 0x15DD3, 0, 255, " 25.5"},
        {CL_Digi_Config_T_SHORT_Wait, "0.1", 0, 0x15DD4, 0, 10, "  0.10"},
        {CL_Digi_Expert_FS38_Attack, "6", 0, 0x177AE, 0x03, 0x63, "6"},
        {CL_Digi_Expert_FS20_Attack, "2", 0, 0x177AE, 0x60, 0x62, "2"},
        {CL_Digi_Expert_N5_BitError, "1", 0, 0x177AF, 0x00, 0x10, "1"},
        {CL_Digi_Expert_N6_BitError, "15", 0, 0x177AF, 0x10, 0x1F, "15"},
        {CL_Digi_Expert_N7_BitError, "20", 0, 0x177B0, 0x05, 0xF5, "15"},
        {CL_Digi_Expert_N7_Counter, "200", 0, kCounters, 0, 200, "200"},
        {CL_Digi_Expert_N5_Counter, "7", 0, kCounters + 1, 0, 7, "7"},
        {CL_Digi_Expert_Resync_Counter, "64", 0, kCounters + 2, 0, 64, "64"},
        {CL_Digi_Expert_LET, "0.4", 0, kCounters + 3, 0, 40, "  0.40"},
        {CL_Digi_Expert_Lag_Timer, "0.05", 0, kCounters + 4, 0, 5, "  0.05"},
        {CL_Digi_Expert_RAN_Det_Count, "2", 0, kCounters + 5, 0, 2, "2"},
        {CL_Digi_Expert_RAN_Undet_Count, "6", 0, kCounters + 6, 0, 6, "6"},
    };
    for (const Case &c : cases) {
        const std::string name(cellLabelName(c.label));
        setByte(c.address, c.before);
        if (c.typed != nullptr)
            typeIntoCell(CT_DIG_Op, c.label, 0, c.typed);
        else if (c.entry != 0)
            answerCell(CT_DIG_Op, c.label, 0,
                       c.label == CL_Digi_CallAlert_Action ? FlexMark : Flex0, c.entry);
        else
            pressCell(CT_DIG_Op, c.label, 0, ' ');
        EXPECT_EQ(byteAt(c.address), c.after) << name;
        EXPECT_EQ(shown(c.label).text, c.shown) << name;
    }
}

// The radio's own unit ID: one word shown in hexadecimal and decimal, held
// within the unit ID limits of the text database (1 to 65519); an ID a
// radio stored outside them is shown as it is, marked.
TEST_F(DigitalSettings, UnitIdIsOneWordInTwoForms)
{
    struct Case {
        std::int32_t label;
        const char *typed;
        int stored;
    } typedCases[] = {
        {CL_Digi_Config_Unit_Hex, "1A2B", 0x1A2B}, {CL_Digi_Config_Unit_Dec, "4660", 0x1234},
        {CL_Digi_Config_Unit_Hex, "FFFF", 65519},  {CL_Digi_Config_Unit_Dec, "70000", 65519},
        {CL_Digi_Config_Unit_Hex, "XYZ", 65519},
    };
    setWord(kUnitId, 100);
    for (const Case &c : typedCases) {
        typeIntoCell(CT_DIG_Op, c.label, 0, c.typed);
        EXPECT_EQ(word(kUnitId), c.stored) << c.typed;
    }
    setWord(kUnitId, 0x1A2B);
    EXPECT_EQ(shown(CL_Digi_Config_Unit_Hex).text, "1A2B");
    EXPECT_EQ(shown(CL_Digi_Config_Unit_Dec).text, "6699");

    for (int stored : {0, 0xFFFF}) {
        setWord(kUnitId, stored);
        for (std::int32_t label : {CL_Digi_Config_Unit_Hex, CL_Digi_Config_Unit_Dec})
            EXPECT_TRUE(shown(label).error) << cellLabelName(label) << " " << stored;
        EXPECT_EQ(word(kUnitId), stored) << "drawing writes nothing";
    }
}

// The unit IDs the keypad may call and the blocked talk groups are ranges
// whose end 0 is open: ends that cross are marked on both, as is an end no
// unit ID can be; the blocked range counts only while block decode is on.
TEST_F(DigitalSettings, RangesMarkCrossedEnds)
{
    struct Case {
        std::int32_t lowLabel;
        std::int32_t highLabel;
        std::int32_t lowAt;
        int low;
        int high;
        bool lowError;
        bool highError;
    } cases[] = {
        {CL_Digi_Ind_Op_Enc_Min, CL_Digi_Ind_Op_Enc_Max, kCallableFrom, 100, 200, false, false},
        {CL_Digi_Ind_Op_Enc_Min, CL_Digi_Ind_Op_Enc_Max, kCallableFrom, 300, 300, false, false},
        {CL_Digi_Ind_Op_Enc_Min, CL_Digi_Ind_Op_Enc_Max, kCallableFrom, 301, 300, true, true},
        {CL_Digi_Ind_Op_Enc_Min, CL_Digi_Ind_Op_Enc_Max, kCallableFrom, 0, 300, false, false},
        {CL_Digi_Ind_Op_Enc_Min, CL_Digi_Ind_Op_Enc_Max, kCallableFrom, 400, 0, false, false},
        {CL_Digi_Ind_Op_Enc_Min, CL_Digi_Ind_Op_Enc_Max, kCallableFrom, 1, 65535, false, true},
        {CL_Digi_Grp_Set_BlockDecode_Min, CL_Digi_Grp_Set_BlockDecode_Max, kBlockedFrom, 10, 65535,
         false, false},
        {CL_Digi_Grp_Set_BlockDecode_Min, CL_Digi_Grp_Set_BlockDecode_Max, kBlockedFrom, 11, 10,
         true, true},
        {CL_Digi_Grp_Set_BlockDecode_Min, CL_Digi_Grp_Set_BlockDecode_Max, kBlockedFrom, 0, 0,
         false, false},
    };
    for (const Case &c : cases) {
        setWord(c.lowAt, c.low);
        setWord(c.lowAt + 2, c.high);
        const ShownCell low = shown(c.lowLabel);
        const ShownCell high = shown(c.highLabel);
        EXPECT_EQ(low.text, std::to_string(c.low));
        EXPECT_EQ(high.text, std::to_string(c.high));
        EXPECT_EQ(low.error, c.lowError) << cellLabelName(c.lowLabel) << " " << c.low;
        EXPECT_EQ(high.error, c.highError) << cellLabelName(c.highLabel) << " " << c.high;
    }

    // Typed ends are held within their IDs, and either end redraws the other.
    typeIntoCell(CT_DIG_Op, CL_Digi_Ind_Op_Enc_Max, 0, "70000");
    EXPECT_EQ(word(kCallableTo), 65519);
    typeIntoCell(CT_DIG_Op, CL_Digi_Ind_Op_Enc_Min, 0, "0");
    EXPECT_EQ(word(kCallableFrom), 0) << "an open end";
    typeIntoCell(CT_DIG_Op, CL_Digi_Grp_Set_BlockDecode_Max, 0, "70000");
    EXPECT_EQ(word(kBlockedTo), 65535);
    std::vector<std::uint32_t> masks = [this] {
        setWord(kBlockedFrom, 5);
        cmcCellObj cell = cellOf(CT_DIG_Op, CL_Digi_Grp_Set_BlockDecode_Min, 0);
        return pressKey(cell, ' ');
    }();
    ASSERT_FALSE(masks.empty());
    EXPECT_NE(masks.back() & cmcCellCapsule::kRedrawLabelled, 0u);
}

// Settings that count only while a switch is on show in silver while it is
// off; they keep their value.
TEST_F(DigitalSettings, SettingsOfASwitchedOffFunctionShowInSilver)
{
    struct Case {
        std::int32_t switchAt;
        std::uint8_t switchByte;
        std::int32_t label;
        bool silver;
    } cases[] = {
        {kCalls, 0x00, CL_Digi_Grp_Set_BlockDecode_Min, true},
        {kCalls, 0x01, CL_Digi_Grp_Set_BlockDecode_Max, false},
        {kConfig, 0x00, CL_Digi_Config_ResetTimer, true},
        {kConfig, 0x02, CL_Digi_Config_ResetTimer, false},
        {kGroupDisplay, 0x00, CL_Digi_Grp_Op_Disp_Timer, true},
        {kGroupDisplay, 0x20, CL_Digi_Grp_Op_Disp_Mode, false},
        {kGroupDisplay, 0x40, CL_Digi_Grp_Op_Disp_Ptt, false},
        {kTalkBackTimer, 0, CL_Digi_Option_TalkBackBeep, true},
        {kTalkBackTimer, 5, CL_Digi_Option_TalkBackRXType, false},
        {kTalkBackLog, 0x00, CL_Digi_CallLog_LogActType, true},
        {kTalkBackLog, 0x08, CL_Digi_CallLog_LogActType, false},
        {kStatus, 0x00, CL_Digi_Simul_Send_Status_Num, true},
        {kStatus, 0x08, CL_Digi_Simul_Send_Status_Num, false},
        {kDataAlert, 0x00, CL_Digi_CallAlert_Action, true},
        {kDataAlert, 0x00, CL_Digi_CallAlert_Ringer, true},
        {kDataAlert, 0x08, CL_Digi_CallAlert_Action, false},
        {kRemote, 0x00, CL_Digi_Stun_Mode, true},
        {kRemote, 0x04, CL_Digi_Stun_Mode, false},
        {kMonitor, 0x00, CL_Digi_RMONI_TXTimer, true},
        {kMonitor, 0x40, CL_Digi_RMONI_Mode, false},
        {kDataAlert, 0x00, CL_Digi_CallAlert_TX, false},
    };
    for (const Case &c : cases) {
        setByte(c.switchAt, c.switchByte);
        EXPECT_EQ(shown(c.label).silver, c.silver)
            << cellLabelName(c.label) << " " << +c.switchByte;
    }
    std::vector<std::uint32_t> masks = pressCell(CT_DIG_Op, CL_Digi_CallLog_Log, 0, ' ');
    ASSERT_FALSE(masks.empty());
    EXPECT_NE(masks.back() & cmcCellCapsule::kRedrawLabelled, 0u);
}

// The power status goes to an entry of the individual-ID list, named from
// 1: an entry the list does not have is marked, and the entry is silver
// while neither power status is sent.
TEST_F(DigitalSettings, PowerStatusGoesToAnEntryOfTheIdList)
{
    setWord(kIndividualIdCount, 3);
    setByte(kPowerOnStatus, 0);
    setByte(kPowerOffStatus, 0);
    typeIntoCell(CT_DIG_Op, CL_Digi_Status_Set_PowerStatID, 0, "3");
    EXPECT_EQ(word(kStatusEntry), 2);
    ShownCell entry = shown(CL_Digi_Status_Set_PowerStatID);
    EXPECT_EQ(entry.text, "3");
    EXPECT_FALSE(entry.error);
    EXPECT_TRUE(entry.silver);

    setByte(kPowerOffStatus, 4);
    setWord(kStatusEntry, 3);
    entry = shown(CL_Digi_Status_Set_PowerStatID);
    EXPECT_EQ(entry.text, "4");
    EXPECT_TRUE(entry.error);
    EXPECT_FALSE(entry.silver);

    typeIntoCell(CT_DIG_Op, CL_Digi_Status_Set_PowerStatID, 0, "0");
    EXPECT_EQ(word(kStatusEntry), 0) << "the first entry at least";
    typeIntoCell(CT_DIG_Op, CL_Digi_Status_Set_PowerStatID, 0, "600");
    EXPECT_EQ(word(kStatusEntry), 499) << "the last a list can have at most";
}

// Values a radio stored that no cell offers show as such, marked, and stay
// stored until the cell is edited.
TEST_F(DigitalSettings, ValuesNoCellOffersAreMarked)
{
    struct Case {
        std::int32_t label;
        std::int32_t address;
        std::uint8_t stored;
        const char *shown; // nullptr: the list's error text
    } cases[] = {
        {CL_Digi_GPS_Sentence, kTrunkGps, 0x03, nullptr},
        {CL_Digi_CallLog_LogActType, kTalkBackLog, 0x06, nullptr},
        {CL_Digi_CallAlert_Action, kCallAlertAction, 0xC8, nullptr},
        {CL_Digi_Status_Set_PowerONStat, kPowerOnStatus, 150, "150"},
    };
    for (const Case &c : cases) {
        const std::string name(cellLabelName(c.label));
        setByte(c.address, c.stored);
        const ShownCell cell = shown(c.label);
        EXPECT_EQ(cell.text, c.shown != nullptr ? c.shown : cmcFCache::kErrorText) << name;
        EXPECT_TRUE(cell.warning) << name;
        EXPECT_EQ(byteAt(c.address), c.stored) << name;
    }
}

// The all-call IDs are four hexadecimal digits; anything else is refused.
TEST_F(DigitalSettings, AllCallIdsAreHexadecimal)
{
    setWord(kTxAllCall, 0xFFFF);
    EXPECT_EQ(shown(CL_Digi_Expert_TxAllCall).text, "FFFF");
    typeIntoCell(CT_DIG_Op, CL_Digi_Expert_TxAllCall, 0, "0a1");
    EXPECT_EQ(word(kTxAllCall), 0x00A1);
    typeIntoCell(CT_DIG_Op, CL_Digi_Expert_TxAllCall, 0, "G123");
    EXPECT_EQ(word(kTxAllCall), 0x00A1);
}

// --- The sheets ------------------------------------------------------------------

TEST_F(DigitalSettings, OptionListsFitTheirFields)
{
    struct Case {
        const char *key;
        int bits;
    } cases[] = {
        {"GI_Sheet_Sel_Digital_IdDisplay", 1},     {"GI_Sheet_Sel_Digital_CallType", 2},
        {"GI_Sheet_Sel_Digital_DecodeCompare", 1}, {"GI_Sheet_Sel_Digital_AniMode", 1},
        {"GI_Sheet_Sel_Digital_StunMode", 1},      {"GI_Sheet_Sel_Digital_MonitorMode", 1},
        {"GI_Sheet_Sel_Digital_GpsSentence", 2},   {"GI_Sheet_Sel_Digital_TalkBackRx", 1},
        {"GI_Sheet_Sel_Digital_LogType", 2},
    };
    for (const Case &c : cases)
        EXPECT_THAT(optionListFaults(c.key, c.bits), testing::IsEmpty());
}

// Context help on the call alert action looks its action up in the help
// overlay (the AUX outputs by their state): every action the list offers
// finds its topic and its context number.
TEST_F(DigitalSettings, EveryCallAlertActionHasItsHelpContext)
{
    const std::map<std::string, std::string> contexts = helpFields("GI_AppItem_Context_ID");
    cmcFCache &formats = indCellHandler::ProgramFormats();
    const cmcFCacheEntry &actions =
        formats.Entry("GI_Sheet_Sel_Digital_CAlert_Action_Popup", FlexMark);
    ASSERT_FALSE(actions.byValue.empty());
    for (const cmcFCacheEntry::Record &action : actions.byValue) {
        setByte(kCallAlertAction, static_cast<std::uint8_t>(action.value));
        const help_context::Topic topic = help_context::topicOf(
            CL_Digi_CallAlert_Action, 0, model->WorkingImage(), mainTextDatabase(), formats);
        std::map<std::string, std::string> topics = helpFields(topic.key);
        ASSERT_TRUE(topics.contains(topic.text)) << action.value << " " << topic.text;
        EXPECT_TRUE(contexts.contains(topics[topic.text])) << topic.text;
    }
}

// The LMR model's tree offers both digital sheets, whose cells are all
// bound and have their help; the PMR model, whose blocks do not carry these
// settings, does not offer them.
TEST_F(DigitalSettings, SheetsBelongToTheLmrModel)
{
    const std::vector<std::string> ours = {"[St_Common]GI_Sheet_Digital",
                                           "[St_Common]GI_Sheet_Digital_Expert"};
    ASSERT_TRUE(model->ChangeModelType(1, false));
    for (const std::string &call : treeSheetsOf(1))
        EXPECT_EQ(std::find(ours.begin(), ours.end(), call), ours.end()) << call;

    ASSERT_TRUE(model->ChangeModelType(0, false));
    std::set<std::string> labels;
    EXPECT_THAT(lmrSheetFaults(ours, "CL_Digi_", labels), testing::IsEmpty());
    // Every common digital label but the channel column Strapped.
    EXPECT_EQ(labels.size(), 98u);
}

} // namespace
