// The scan settings, scan lists, tone tables and priority channels on the
// program's own option lists and sheets: what each cell shows from the image,
// where a typed or chosen value lands, when a setting does not apply, and the
// marks that tell a setting the radio cannot follow.
#include "CellRequests.h"
#include "TreeSheetCells.h"

#include "cells/CellIdentifiers.h"
#include "cells/cmcFCache.h"
#include "codecs/PickerCodecs.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kScanTimers = 0x103C4;
constexpr std::int32_t kScanOptions = 0x11441;
constexpr std::int32_t kMonitorKey = 0x11442;
constexpr std::int32_t kPriorityA = 0x103C0;
constexpr std::int32_t kPriorityB = 0x103C2;
constexpr std::int32_t kScanBitmaps = 0x103D0;
constexpr std::int32_t kScanLists = 0x1150F;
constexpr std::int32_t kScanListSize = 34;
constexpr std::int32_t kUserToneEncode = 0x113E3;
constexpr std::int32_t kUserToneDecode = 0x11401;
constexpr std::int32_t kUserToneCommon = 0x1143D;
constexpr std::int32_t kTonePairSelection = 0x10EF1;

class ScanSettings : public HandlerTest
{
protected:
    ScanSettings() : HandlerTest(true) {}

    cmcEeprom &image() { return model->WorkingImage(); }
    std::uint8_t byteAt(std::int32_t address) { return image().GetByte(address); }
    void setByte(std::int32_t address, std::uint8_t value) { image().SetByte(address, value); }
    int word(std::int32_t address) { return byteAt(address) << 8 | byteAt(address + 1); }
    void setWord(std::int32_t address, int value)
    {
        setByte(address, static_cast<std::uint8_t>(value >> 8));
        setByte(address + 1, static_cast<std::uint8_t>(value));
    }

    datCh record(int kind, int row)
    {
        datCh decoded(&image());
        decoded.decode(kind, row);
        return decoded;
    }
    datCh scanList(int row) { return record(datCh::kKindScanList, row); }
    void changeScanList(int row, std::int32_t datCh::*member, std::int32_t value)
    {
        datCh list = scanList(row);
        list.*member = value;
        list.encode(datCh::kKindNone, row);
    }

    using Shown = ShownCell;
    Shown common(std::int32_t label) { return drawCell(CT_Null, label, 0); }
};

// --- Common scan settings ----------------------------------------------------

// Timers are right-aligned to three places before the point.
TEST_F(ScanSettings, CommonSettingsShowTheirBytes)
{
    struct Case {
        std::int32_t label;
        std::int32_t address;
        std::uint8_t stored;
        const char *shown;
    } cases[] = {
        {CL_ScanComm_StopTimer, kScanTimers, 0, "Off"},
        {CL_ScanComm_StopTimer, kScanTimers, 5, "  5"},
        {CL_ScanComm_StopTimerB, kScanTimers + 1, 30, " 30"},
        {CL_ScanComm_ResumeTimer, kScanTimers + 2, 25, "  2.5"},
        {CL_ScanComm_TalkBackTimer, kScanTimers + 3, 0, "Off"},
        {CL_ScanComm_ScanTimer_Fast, kScanTimers + 4, 5, "  0.05"},
        {CL_ScanComm_ScanTimer_Slow, kScanTimers + 5, 120, "  1.20"},
        {CL_ScanComm_VoteTimer_LeadIn, kScanTimers + 6, 0, "  0.00"},
        {CL_ScanComm_VoteTimer_Dwell, kScanTimers + 7, 255, " 25.5"},
        {CL_ScanComm_VoteTimer_Rssi, kScanTimers + 8, 10, "  0.10"},
        {CL_ScanComm_VoteLevel_Fast, kScanTimers + 9, 200, "200"},
        {CL_ScanComm_VoteLevel_L2, kScanTimers + 10, 0, "0"},
        {CL_ScanComm_VoteLevel_L0, kScanTimers + 11, 255, "255"},
        {CL_ScanComm_PwrOnScan, kScanOptions, 0x80, "On"},
        {CL_ScanComm_PwrOnScan, kScanOptions, 0x7F, "Off"},
        {CL_ScanComm_BacklitatStopScan, kScanOptions, 0x20, "On"},
        {CL_ScanComm_VoteCheckCONT, kScanOptions, 0x10, "On"},
        {CL_ScanComm_VoteOnFast, kScanOptions, 0x08, "On"},
        {CL_ScanComm_NuisanceDelete, kScanOptions, 0x04, "On"},
        {CL_ScanComm_ModeSlaveScan, kScanOptions, 0x02, "On"},
        {CL_ScanComm_TalkBackTimerBeep, kScanOptions, 0x01, "On"},
        {CL_ScanComm_TalkBackTimerBeep, kScanOptions, 0xFE, "Off"},
        {CL_ScanComm_MonitorKeyAction, kMonitorKey, 0xFD, "Pause scan"},
        {CL_ScanComm_MonitorKeyAction, kMonitorKey, 2, "No effect"},
    };
    for (const Case &c : cases) {
        setByte(c.address, c.stored);
        EXPECT_EQ(common(c.label).text, c.shown) << cellLabelName(c.label) << " " << +c.stored;
    }
}

// A typed value lands in its own bits; the rest of the byte stays, and the
// clone comments (which loading a file makes printable) are never touched.
TEST_F(ScanSettings, TypedAndSteppedValuesLandInTheirBits)
{
    constexpr std::int32_t kCloneComments = 0x10F33;
    std::vector<std::uint8_t> comments;
    for (std::int32_t at = kCloneComments; at < kCloneComments + 32; ++at)
        comments.push_back(byteAt(at));
    struct Case {
        std::int32_t label;
        const char *typed; // nullptr: Space
        std::int32_t address;
        std::uint8_t before;
        std::uint8_t after;
    } cases[] = {
        {CL_ScanComm_StopTimer, "12", kScanTimers, 0, 12},
        {CL_ScanComm_StopTimerB, "off", kScanTimers + 1, 7, 0},
        {CL_ScanComm_ResumeTimer, "2.5", kScanTimers + 2, 0, 25},
        {CL_ScanComm_ScanTimer_Fast, "0.05", kScanTimers + 4, 1, 5},
        {CL_ScanComm_VoteTimer_Dwell, "1.2", kScanTimers + 7, 0, 12},
        {CL_ScanComm_VoteLevel_L2, "128", kScanTimers + 10, 0, 128},
        {CL_ScanComm_PwrOnScan, nullptr, kScanOptions, 0x55, 0xD5},
        {CL_ScanComm_NuisanceDelete, nullptr, kScanOptions, 0x55, 0x51},
        {CL_ScanComm_TalkBackTimerBeep, nullptr, kScanOptions, 0xAA, 0xAB},
        {CL_ScanComm_MonitorKeyAction, nullptr, kMonitorKey, 0xFC, 0xFD},
    };
    for (const Case &c : cases) {
        setByte(c.address, c.before);
        if (c.typed != nullptr)
            typeIntoCell(CT_Null, c.label, 0, c.typed);
        else
            pressCell(CT_Null, c.label, 0, ' ');
        EXPECT_EQ(byteAt(c.address), c.after) << cellLabelName(c.label);
    }
    for (std::int32_t at = kCloneComments; at < kCloneComments + 32; ++at)
        EXPECT_EQ(byteAt(at), comments[static_cast<std::size_t>(at - kCloneComments)]) << at;
}

// Values beyond a setting's range, typed or left by a radio, never reach
// other settings' bits; a typed one is held within the range.
TEST_F(ScanSettings, ValuesOutsideTheRangeStayWithinTheirSetting)
{
    setByte(kScanTimers, 0);
    typeIntoCell(CT_Null, CL_ScanComm_StopTimer, 0, "75");
    EXPECT_EQ(byteAt(kScanTimers), 60);
    setByte(kScanTimers + 4, 0);
    typeIntoCell(CT_Null, CL_ScanComm_ScanTimer_Fast, 0, "0");
    EXPECT_EQ(byteAt(kScanTimers + 4), 1);

    // Monitor key option 3 is no option; drawing shows so and writes nothing.
    setByte(kMonitorKey, 0xFF);
    EXPECT_EQ(common(CL_ScanComm_MonitorKeyAction).text, cmcFCache::kErrorText);
    EXPECT_EQ(byteAt(kMonitorKey), 0xFF);
}

TEST_F(ScanSettings, AutomaticChannelCallBelongsToThePmrModel)
{
    setByte(kScanOptions, 0);
    ASSERT_TRUE(model->ChangeModelType(0, false));
    const Shown lmr = common(CL_ScanComm_AutoChCall_PmrOnly);
    EXPECT_EQ(lmr.text, "----");
    EXPECT_TRUE(lmr.silver);
    pressCell(CT_Null, CL_ScanComm_AutoChCall_PmrOnly, 0, ' ');
    EXPECT_EQ(byteAt(kScanOptions), 0);

    ASSERT_TRUE(model->ChangeModelType(1, false));
    setByte(kScanOptions, 0);
    EXPECT_EQ(common(CL_ScanComm_AutoChCall_PmrOnly).text, "Off");
    pressCell(CT_Null, CL_ScanComm_AutoChCall_PmrOnly, 0, ' ');
    EXPECT_EQ(byteAt(kScanOptions), 0x40);
}

// --- Priority channels -------------------------------------------------------

// The scan sheet and the channel sheet's attribute column show one word.
TEST_F(ScanSettings, PriorityChannelsAgreeWithTheAttributeColumn)
{
    setChannels({145000000, 146000000, 147000000});
    setWord(kPriorityA, 0);
    setWord(kPriorityB, 2);
    EXPECT_EQ(common(CL_ScanComm_PrioA_CH).text, "1 CH");
    EXPECT_EQ(common(CL_ScanComm_PrioB_CH).text, "3 CH");

    typeIntoCell(CT_Null, CL_ScanComm_PrioA_CH, 0, "2");
    EXPECT_EQ(word(kPriorityA), 1);
    EXPECT_EQ(drawCell(CT_Mch, CL_Mch_Atr, 1).text, "A");
    EXPECT_EQ(drawCell(CT_Mch, CL_Mch_Atr, 0).text, "");
    EXPECT_EQ(drawCell(CT_Mch, CL_Mch_Atr, 2).text, "B");

    // The other way round: the attribute column moves B, the scan sheet follows.
    answerCell(CT_Mch, CL_Mch_Atr, 0, Flex0, 2);
    EXPECT_EQ(common(CL_ScanComm_PrioB_CH).text, "1 CH");

    pressCell(CT_Null, CL_ScanComm_PrioB_CH, 0, ' ');
    EXPECT_EQ(word(kPriorityB), 1);
}

TEST_F(ScanSettings, PriorityChannelIsChosenFromTheBanksChannels)
{
    setChannels({145000000, 146000000, 147000000});
    setWord(kPriorityA, 1);
    pressCell(CT_Null, CL_ScanComm_PrioA_CH, 0, 13);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0],
              "list GI_Sheet_Sel_ScanCHSel style " + std::to_string(FlexCHSel) + " at 1 tag C");
    answerCell(CT_Null, CL_ScanComm_PrioA_CH, 0, FlexCHSel, 2);
    EXPECT_EQ(word(kPriorityA), 2);
    // An entry beyond the bank, or from another list, changes nothing.
    answerCell(CT_Null, CL_ScanComm_PrioA_CH, 0, FlexCHSel, 3);
    answerCell(CT_Null, CL_ScanComm_PrioA_CH, 0, Flex0, 0);
    EXPECT_EQ(word(kPriorityA), 2);
    // Typed numbers stay within the bank.
    typeIntoCell(CT_Null, CL_ScanComm_PrioA_CH, 0, "9");
    EXPECT_EQ(word(kPriorityA), 2);
}

// A word naming no channel in use (a blank channel, or beyond the bank as
// an erased radio leaves it) is marked and left alone by drawing.
TEST_F(ScanSettings, PriorityChannelNotInUseIsMarked)
{
    setChannels({145000000, 0});
    struct Case {
        int stored;
        bool warning;
    } cases[] = {{0, false}, {1, true}, {0xFFFF, true}};
    for (const Case &c : cases) {
        setWord(kPriorityB, c.stored);
        EXPECT_EQ(common(CL_ScanComm_PrioB_CH).warning, c.warning) << c.stored;
        EXPECT_EQ(word(kPriorityB), c.stored);
    }
}

// --- Scan lists --------------------------------------------------------------

TEST_F(ScanSettings, ScanListSettingsLandInTheirRecord)
{
    typeIntoCell(CT_Scan, CL_ScanList_Text, 3, "AIRPORT");
    const std::string name(reinterpret_cast<const char *>(scanList(3).Text.data()), 7);
    EXPECT_EQ(name, "AIRPORT");

    answerCell(CT_Scan, CL_ScanList_ScanMode, 3, Flex0, 17);
    EXPECT_EQ(scanList(3).ScanMode, 17);
    // Mode bit 4 is byte 25 bit 5, the low bits byte 24 bits 3-0.
    const std::int32_t row = kScanLists + 3 * kScanListSize;
    EXPECT_EQ(byteAt(row + 24) & 0x0F, 1);
    EXPECT_NE(byteAt(row + 25) & 0x20, 0);
    EXPECT_EQ(drawCell(CT_Scan, CL_ScanList_ScanMode, 3).text, "Vote (receive only)");

    answerCell(CT_Scan, CL_ScanList_DispText, 3, Flex0, 2);
    EXPECT_EQ(scanList(3).DispText, 2);
    pressCell(CT_Scan, CL_ScanList_PwrSave, 3, ' ');
    EXPECT_EQ(scanList(3).PwrSave, 1);
    // Other lists keep their records.
    EXPECT_EQ(scanList(2).ScanMode, 0);
    EXPECT_EQ(scanList(4).PwrSave, 0);
}

// Which channel settings a scan mode uses; the others show dashes in silver
// and ignore keys.
TEST_F(ScanSettings, ScanModeDecidesWhichChannelsApply)
{
    struct Case {
        std::int32_t mode;
        bool priority;
        bool transmit;
        bool scanning;
    } cases[] = {
        {0, false, false, false}, {1, false, true, true},   {2, true, true, true},
        {16, false, true, true},  {17, false, false, true},
    };
    const auto applies = [this](std::int32_t label) {
        const Shown shown = drawCell(CT_Scan, label, 5);
        EXPECT_EQ(shown.silver, shown.text == "----") << cellLabelName(label);
        return shown.text != "----";
    };
    for (const Case &c : cases) {
        changeScanList(5, &datCh::ScanMode, c.mode);
        EXPECT_EQ(applies(CL_ScanList_Prio1_CH), c.priority) << c.mode;
        EXPECT_EQ(applies(CL_ScanList_Prio2_CH), c.priority) << c.mode;
        EXPECT_EQ(applies(CL_ScanList_TX_CH), c.transmit) << c.mode;
        EXPECT_EQ(applies(CL_ScanList_TX_Action), c.transmit) << c.mode;
        EXPECT_EQ(applies(CL_ScanList_TalkBack), c.scanning) << c.mode;
        EXPECT_EQ(applies(CL_ScanList_Cancel_CH), c.scanning) << c.mode;
    }
    changeScanList(5, &datCh::ScanMode, 0);
    pressCell(CT_Scan, CL_ScanList_TX_CH, 5, ' ');
    pressCell(CT_Scan, CL_ScanList_Prio1_CH, 5, ' ');
    EXPECT_EQ(scanList(5).TX_CH, 0);
    EXPECT_EQ(scanList(5).Prio1_CH, 0);
}

// A fixed channel comes from the channel list; priority 2 switches its
// flag bit with its option.
TEST_F(ScanSettings, ScanListChannelsPickAFixedChannel)
{
    setChannels({145000000, 146000000, 147000000});
    changeScanList(0, &datCh::ScanMode, 2);
    answerCell(CT_Scan, CL_ScanList_Prio1_CH, 0, Flex0, 5);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(),
              "list GI_Sheet_Sel_ScanCHSel style " + std::to_string(FlexCHSel) + " at 0 tag C");
    answerCell(CT_Scan, CL_ScanList_Prio1_CH, 0, FlexCHSel, 2);
    EXPECT_EQ(scanList(0).Prio1_CH, 5);
    EXPECT_EQ(scanList(0).Prio1ChNo, 2);
    EXPECT_EQ(drawCell(CT_Scan, CL_ScanList_Prio1_CH, 0).text, "3 CH");

    const std::int32_t flags = kScanLists + 24;
    answerCell(CT_Scan, CL_ScanList_Prio2_CH, 0, Flex0, 3);
    EXPECT_NE(byteAt(flags) & 0x80, 0);
    EXPECT_EQ(drawCell(CT_Scan, CL_ScanList_Prio2_CH, 0).text, "Priority B");
    answerCell(CT_Scan, CL_ScanList_Prio2_CH, 0, Flex0, 0);
    EXPECT_EQ(byteAt(flags) & 0x80, 0);

    answerCell(CT_Scan, CL_ScanList_TX_CH, 0, Flex0, 5);
    answerCell(CT_Scan, CL_ScanList_TX_CH, 0, FlexCHSel, 1);
    EXPECT_EQ(scanList(0).TxChNo, 1);
    EXPECT_EQ(word(kScanLists + 28), 1);
}

// A fixed channel that is blank or beyond the bank (as an erased radio
// leaves the word) is marked; an option naming no fixed channel is not.
TEST_F(ScanSettings, FixedChannelNotInUseIsMarked)
{
    setChannels({145000000, 0});
    changeScanList(1, &datCh::ScanMode, 2);
    // Channel 0 scans with list 1, as a priority channel should.
    setByte(kScanBitmaps + 4, 0x80);
    struct Case {
        std::int32_t label;
        std::int32_t datCh::*option;
        std::int32_t datCh::*channel;
        std::int32_t optionValue;
        std::int32_t stored;
        bool warning;
    } cases[] = {
        {CL_ScanList_Prio1_CH, &datCh::Prio1_CH, &datCh::Prio1ChNo, 5, 0, false},
        {CL_ScanList_Prio1_CH, &datCh::Prio1_CH, &datCh::Prio1ChNo, 5, 1, true},
        {CL_ScanList_Prio2_CH, &datCh::Prio2_CH, &datCh::Prio2ChNo, 5, 0xFFFF, true},
        {CL_ScanList_Prio2_CH, &datCh::Prio2_CH, &datCh::Prio2ChNo, 2, 0xFFFF, false},
        {CL_ScanList_TX_CH, &datCh::TX_CH, &datCh::TxChNo, 5, 7, true},
        {CL_ScanList_TX_CH, &datCh::TX_CH, &datCh::TxChNo, 5, 0, false},
    };
    for (const Case &c : cases) {
        changeScanList(1, c.option, c.optionValue);
        changeScanList(1, c.channel, c.stored);
        EXPECT_EQ(drawCell(CT_Scan, c.label, 1).warning, c.warning)
            << cellLabelName(c.label) << " " << c.optionValue << " " << c.stored;
    }
}

// Cancelling to a channel the list does not use is marked.
TEST_F(ScanSettings, CancelChannelTheListDoesNotUseIsMarked)
{
    struct Case {
        std::int32_t mode;
        std::int32_t cancel;
        bool warning;
    } cases[] = {
        {1, 0, false}, {1, 3, true},  {2, 3, false}, {2, 4, false},
        {1, 4, true},  {1, 5, false}, {17, 5, true}, {17, 2, false},
    };
    for (const Case &c : cases) {
        changeScanList(7, &datCh::ScanMode, c.mode);
        changeScanList(7, &datCh::Cancel_CH, c.cancel);
        EXPECT_EQ(drawCell(CT_Scan, CL_ScanList_Cancel_CH, 7).warning, c.warning)
            << "mode " << c.mode << " cancel " << c.cancel;
    }
}

// A list's members are its bitmap, shared with the channel sheet's scan
// column: channel 1 is the top bit of the bitmap's first byte.
TEST_F(ScanSettings, MembersAreTheListsBitmap)
{
    setChannels({145000000, 146000000, 147000000});
    for (int i = 0; i < 4; ++i)
        setByte(kScanBitmaps + 4 * 2 + i, 0);
    setByte(kScanBitmaps + 4 * 2, 0x80);
    setByte(kScanBitmaps + 4 * 2 + 3, 0x01);
    EXPECT_EQ(drawCell(CT_Scan, CL_ScanList_Members_Lo, 2).text, "1_______________\n");
    EXPECT_EQ(drawCell(CT_Scan, CL_ScanList_Members_Hi, 2).text, "_______________2\n");

    // Channel 3 joins list 3; the channel sheet shows list 3 on channel 3.
    pressCell(CT_Scan, CL_ScanList_Members_Lo, 2, '3');
    EXPECT_EQ(byteAt(kScanBitmaps + 8), 0xA0);
    EXPECT_EQ(drawCell(CT_Mch, CL_Mch_Scan, 2).text, "__3_____________\n");
    // and leaves it from the channel sheet.
    pressCell(CT_Mch, CL_Mch_Scan, 2, '3');
    EXPECT_EQ(byteAt(kScanBitmaps + 8), 0x80);

    // The window for channels 17 to 32 answers with its left-aligned mask:
    // channel 17 alone.
    pressCell(CT_Scan, CL_ScanList_Members_Hi, 2, 13);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "window GI_Sheet_FBitsR 17..32");
    answerCell(CT_Scan, CL_ScanList_Members_Hi, 2, 1, 1 << 25, std::to_string(1 << 25));
    EXPECT_EQ(byteAt(kScanBitmaps + 10), 0x80);
    EXPECT_EQ(byteAt(kScanBitmaps + 11), 0x00);
    // The neighbouring lists keep theirs.
    EXPECT_EQ(byteAt(kScanBitmaps + 8), 0x80);
}

// --- User tones --------------------------------------------------------------

TEST_F(ScanSettings, UserToneFrequenciesAreTenthsOfAHertz)
{
    setWord(kUserToneEncode + 2 * 4, 10000);
    EXPECT_EQ(drawCell(CT_UserTone, CL_UTone_Encode, 4).text, "1000.0");
    typeIntoCell(CT_UserTone, CL_UTone_Dec_Low, 4, "950.5");
    EXPECT_EQ(word(kUserToneDecode + 4 * 4), 9505);
    typeIntoCell(CT_UserTone, CL_UTone_Dec_High, 4, "1050");
    EXPECT_EQ(word(kUserToneDecode + 4 * 4 + 2), 10500);
    typeIntoCell(CT_UserTone, CL_UTone_Encode, 4, "5000");
    EXPECT_EQ(word(kUserToneEncode + 2 * 4), 30000);
    // Its neighbours keep theirs.
    EXPECT_EQ(record(9, 3).Dec_High, 0);
    EXPECT_EQ(record(9, 5).Encode, 0);
}

// A decode window turned round decodes nothing; one beside the tone misses
// the tone the radio sends.
TEST_F(ScanSettings, UserToneDecodeWindowIsMarked)
{
    struct Case {
        int encode, low, high;
        bool warning, error;
    } cases[] = {
        {10000, 9500, 10500, false, false},
        {10000, 10500, 9500, false, true},
        {10000, 10100, 10500, true, false},
        {0, 9500, 10500, false, false},
    };
    for (const Case &c : cases) {
        setWord(kUserToneEncode, c.encode);
        setWord(kUserToneDecode, c.low);
        setWord(kUserToneDecode + 2, c.high);
        for (const std::int32_t label : {CL_UTone_Encode, CL_UTone_Dec_Low, CL_UTone_Dec_High}) {
            const Shown shown = drawCell(CT_UserTone, label, 0);
            EXPECT_EQ(shown.warning, c.warning) << c.encode << " " << c.low << " " << c.high;
            EXPECT_EQ(shown.error, c.error) << c.encode << " " << c.low << " " << c.high;
        }
    }
}

TEST_F(ScanSettings, UserToneTimingIsShared)
{
    setByte(kUserToneCommon, 0xF0);
    pressCell(CT_Null, CL_UTone_Auto, 0, ' ');
    EXPECT_EQ(byteAt(kUserToneCommon), 0xF1);
    typeIntoCell(CT_Null, CL_UTone_TonePeriod, 0, "0.25");
    EXPECT_EQ(byteAt(kUserToneCommon + 1), 25);
    typeIntoCell(CT_Null, CL_UTone_NotoneTimer, 0, "0.05");
    EXPECT_EQ(byteAt(kUserToneCommon + 2), 5);
    typeIntoCell(CT_Null, CL_UTone_Length, 0, "3");
    EXPECT_EQ(byteAt(kUserToneCommon + 3), 30);
}

// --- Tone pairs --------------------------------------------------------------

// The tones are shown as read and take no change: their block never goes
// back to the radio or into a file. The selection bits do.
TEST_F(ScanSettings, TonePairsShowTheirTonesAndKeepTheirSelection)
{
    datCh pair = record(6, 3);
    pair.CToneR = ToneSetting{ToneSetting::kOn, 9, 0};
    pair.CToneT = ToneSetting{ToneSetting::kOn | ToneSetting::kDtcs, 0, 023};
    pair.encode(6, 3);
    EXPECT_EQ(drawCell(CT_CTone, CL_CTone_RX, 3).text, "88.5");
    EXPECT_EQ(drawCell(CT_CTone, CL_CTone_TX, 3).text, "023N");
    const std::vector<std::uint8_t> before = {byteAt(0x1146F + 12), byteAt(0x1146F + 13),
                                              byteAt(0x1146F + 14), byteAt(0x1146F + 15)};
    typeIntoCell(CT_CTone, CL_CTone_RX, 3, "67.0");
    pressCell(CT_CTone, CL_CTone_TX, 3, ' ');
    pressCell(CT_CTone, CL_CTone_TX, 3, 13);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ((std::vector<std::uint8_t>{byteAt(0x1146F + 12), byteAt(0x1146F + 13),
                                         byteAt(0x1146F + 14), byteAt(0x1146F + 15)}),
              before);

    // Pair 9 is bit 6 of the bitmap's second byte.
    setByte(kTonePairSelection + 1, 0x00);
    pressCell(CT_CTone, CL_CTone_Sel, 9, ' ');
    EXPECT_EQ(byteAt(kTonePairSelection + 1), 0x40);
    EXPECT_EQ(drawCell(CT_CTone, CL_CTone_Sel, 9).text, "On");
    EXPECT_EQ(drawCell(CT_CTone, CL_CTone_Sel, 8).text, "Off");
}

// Every option a list offers fits the bits that keep it, with a text of its
// own; the fixed-channel option is the one the channel pickers open the
// channel list for.
TEST_F(ScanSettings, OptionListsFitTheirFields)
{
    struct Case {
        const char *key;
        int bits;
    } cases[] = {
        {"GI_Sheet_Sel_ScanList_ScanMode", 5}, {"GI_Sheet_Sel_ScanPrio1CH", 4},
        {"GI_Sheet_Sel_ScanPrio2CH", 4},       {"GI_Sheet_Sel_ScanTXCH", 4},
        {"GI_Sheet_Sel_ScanCancelCH", 5},      {"GI_Sheet_Sel_ScanList_TxAction", 1},
        {"GI_Sheet_Sel_ScanList_DispText", 2}, {"GI_Sheet_Sel_ScanComm_MonitorKey", 2},
    };
    for (const Case &c : cases)
        EXPECT_THAT(optionListFaults(c.key, c.bits), testing::IsEmpty());
    cmcFCache &formats = indCellHandler::ProgramFormats();
    for (const char *key :
         {"GI_Sheet_Sel_ScanPrio1CH", "GI_Sheet_Sel_ScanPrio2CH", "GI_Sheet_Sel_ScanTXCH"})
        EXPECT_EQ(formats.Entry(key, Flex0).byValue.back().value, kScanChannelOption) << key;
}

// --- The sheets --------------------------------------------------------------

// The tree offers the four sheets to both model types, and every cell they
// show is bound and has its help topic.
TEST_F(ScanSettings, TreeSheetsShowEveryCellBound)
{
    setChannels({145000000, 146000000});
    const std::set<std::string> topics = labelsWithHelp();
    const std::vector<std::string> ours = {"[St_Common]GI_Sheet_Scan", "GI_Sheet_ScanList",
                                           "GI_Sheet_UserTone", "GI_Sheet_TonePair"};
    for (const int type : {0, 1}) {
        ASSERT_TRUE(model->ChangeModelType(type, false));
        const std::vector<std::string> tree = treeSheetsOf(type);
        for (const std::string &call : ours) {
            ASSERT_NE(std::find(tree.begin(), tree.end(), call), tree.end()) << call;
            const std::vector<cmcCellObj> cells = labelledCellsOf(call);
            for (cmcCellObj cell : cells) {
                Request request(cell);
                request.run(kHandlerDraw);
                EXPECT_EQ(request.capsule.outputText.find("*Yet*"), std::string::npos)
                    << call << " " << cellLabelName(cell.label) << "[" << cell.index << "]";
                const std::string name(cellLabelName(cell.label));
                if (cell.label >= CL_CTone_RX && !name.empty()) {
                    EXPECT_TRUE(topics.contains(name)) << "no help topic for " << name;
                }
            }
            EXPECT_FALSE(cells.empty()) << call;
        }
    }
}

} // namespace
