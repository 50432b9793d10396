// Keys and display, expert settings and the accessory port on the program's
// own option lists: where each value lives, what a key, a typed text or a
// chosen entry stores (and what it leaves alone), the rules between
// settings, and bytes a radio stored outside the lists.
#include "HandlerTestFixture.h"
#include "HelpFields.h"
#include "support/KeyLines.h"

#include "cells/CellColours.h"
#include "cells/CellIdentifiers.h"
#include "cells/cmcFCache.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

class KeysAndPorts : public HandlerTest
{
protected:
    KeysAndPorts() : HandlerTest(true) {}

    struct Shown {
        std::string text;
        bool silver = false;
        bool warning = false;
    };
    Shown draw(std::int32_t label, int index = 0, std::int32_t category = CT_Null)
    {
        cmcCellObj cell = cellOf(category, label, index);
        Request request(cell);
        request.run(kHandlerDraw);
        return {request.capsule.outputText, cell.font && cell.font->colour == kColourSilver,
                (request.capsule.stateBits & cmcCellCapsule::kStateWarning) != 0};
    }
    void press(std::int32_t label, std::int32_t key, int index = 0, std::int32_t category = CT_Null)
    {
        cmcCellObj cell = cellOf(category, label, index);
        Request request(cell, key);
        int grid = 0;
        request.capsule.grid = reinterpret_cast<cuiGrid *>(&grid);
        request.run(kHandlerAction);
    }
    void type(std::int32_t label, const std::string &text, int index = 0,
              std::int32_t category = CT_Null)
    {
        cmcCellObj cell = cellOf(category, label, index);
        Request request(cell);
        request.capsule.inputMode = cmcCellCapsule::kInputText;
        request.capsule.inputText = text;
        request.run(kHandlerAction);
    }
    void choose(std::int32_t label, std::int32_t style, std::int32_t entry)
    {
        cmcCellObj cell = cellOf(CT_Null, label, 0);
        cmcCellObj answering = cellOf(CT_Null, style, entry);
        cmcCellCapsule list;
        list.cell = &answering;
        Request request(cell);
        request.capsule.origin = &list;
        request.capsule.inputMode = cmcCellCapsule::kInputChosen;
        request.run(kHandlerAction);
    }
    std::uint8_t byteAt(std::int32_t address) { return model->WorkingImage().GetByte(address); }
    void setByte(std::int32_t address, std::uint8_t value)
    {
        model->WorkingImage().SetByte(address, value);
    }
};

// Each setting reads its own place: the radio's key bytes in the common
// block, the others where this program keeps them, every bit field without
// its neighbours.
TEST_F(KeysAndPorts, SettingsShowTheBytesTheyLiveIn)
{
    struct Case {
        std::int32_t address;
        std::uint8_t byte;
        std::int32_t label;
        const char *text;
    } cases[] = {
        {0x10EBF, 3, CL_KDisp_Key_Conv_P0, "Monitor"},
        {0x10EC3, 5, CL_KDisp_Key_Conv_P4, "Scan"},
        {0x10ED4, 9, CL_KDisp_Key_Shift_P0, "Talk Around"},
        {0x10ED8, 18, CL_KDisp_Key_Shift_P4, "Emergency"},
        {0x10EC7, 1, CL_KDisp_Key_Conv_DialCw, "Volume Up"},
        {0x10EC8, 2, CL_KDisp_Key_Conv_DialCcw, "Volume Down"},
        {0x10EDC, 3, CL_KDisp_Key_Shift_DialCw, "CH Up"},
        {0x10EDD, 4, CL_KDisp_Key_Shift_DialCcw, "CH Down"},
        {0x11FE6, 1, CL_KDisp_Key_Conv_RightUp, "CH Up"},
        {0x11FE9, 2, CL_KDisp_Key_Conv_LeftDn, "CH Down"},
        {0x11FEC, 11, CL_KDisp_Key_Conv_Opf2, "Key Lock"},
        {0x11FED, 12, CL_KDisp_Key_Shift_RightUp, "Home Channel"},
        {0x11FF3, 31, CL_KDisp_Key_Shift_Opf2, "Encryption"},
        {0x11FF4, 0x40, CL_KDisp_DispLines, "2 Lines (Small)"},
        {0x11FF4, 0x80, CL_KDisp_DispLines, cmcFCache::kErrorText},
        {0x11FF4, 0x30, CL_KDisp_Disp_Mode, "Number + Name"},
        {0x11FF4, 0xF4, CL_KDisp_Disp_Label, "Bank Name"},
        {0x11FF4, 0x01, CL_KDisp_MrCode, "On"},
        {0x11FF4, 0xFE, CL_KDisp_MrCode, "Off"},
        {0x11FF5, 15, CL_KDisp_ScrollTimer, "  1.5"},
        {0x11FF5, 0, CL_KDisp_ScrollTimer, "Off"},
        {0x10EFF, 0x90, CL_KDisp_Tenkey_Select, "Channel Select"},
        {0x10F00, 0x08, CL_KDisp_PwrSW, "Always On"},
        {0x10F01, 0x25, CL_KDisp_LED_LP0, "Transmit"},
        {0x10F01, 0x25, CL_KDisp_LED_LP1, "Call Received"},
        {0x10F02, 0xA0, CL_KDisp_LED_LP2, "Scrambler"},
        {0x11FFA, 0x40, CL_KDisp_TxDisableSel_LocalPTT, "Inhibited"},
        {0x11FFA, 0xBF, CL_KDisp_TxDisableSel_LocalPTT, "Transmit"},
        {0x11FFB, 7, CL_Exp_Emer_StartRepeat, "7"},
        {0x12004, 25, CL_Exp_Emer_SwOnTimer, "  2.5"},
        {0x12000, 30, CL_Exp_IgnitionTimer, " 5:00"},
        {0x12001, 0x80, CL_Exp_DtcsInv_Tx, "Inverted"},
        {0x12001, 0x03, CL_Exp_RxAf_Filter, "Band-Pass 300 Hz-3 kHz"},
        {0x12002, 0x02, CL_Exp_Ignition, "Power Off Only"},
        {0x12003, 0x80, CL_Exp_BattTypeChange, "Li-ion"},
        {0x1A762, 4, CL_ExtPort_AD_1, "Temperature Sensor"},
        {0x1A763, 1, CL_ExtPort_DA_1, "RSSI Level"},
        {0x1A750, 0x81, CL_ExtPort_InOut_1_Dir, "Input"},
        {0x1A750, 0x81, CL_ExtPort_InOut_1_Logic, "Active High"},
        {0x1A760, 0x7E, CL_ExtPort_InOut_9_Dir, "Output"},
        {0x1A760, 0x7E, CL_ExtPort_InOut_9_Logic, "Active Low"},
    };
    for (const Case &c : cases) {
        const std::uint8_t before = byteAt(c.address);
        setByte(c.address, c.byte);
        EXPECT_EQ(draw(c.label).text, c.text) << cellLabelName(c.label);
        setByte(c.address, before);
    }
}

// Values wider than a byte are big-endian; the opening text is the radio's
// twelve characters.
TEST_F(KeysAndPorts, WideValuesAndTheOpeningText)
{
    setByte(0x10EB3, 0x03);
    setByte(0x10EB4, 0x75); // 885
    setByte(0x10EB5, 0x03);
    setByte(0x10EB6, 0xE8); // 1000
    EXPECT_EQ(draw(CL_Exp_UserCtcss).text, " 88.5");
    EXPECT_EQ(draw(CL_Exp_BeepFreq_Low).text, "1000");

    type(CL_KDisp_OpeningText, "WELCOME");
    const std::string stored = {"WELCOME     "};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(byteAt(0x1AD8B + i), static_cast<std::uint8_t>(stored[i])) << i;
    EXPECT_EQ(byteAt(0x1AD97), 0) << "the text ends within its block";
}

// Stepping, choosing or typing a value changes its own bits and nothing
// else of a byte other settings share.
TEST_F(KeysAndPorts, ChangesKeepTheOtherBitsOfTheirByte)
{
    struct Case {
        std::int32_t address;
        std::uint8_t before;
        std::int32_t label;
        std::int32_t key; // 0: the entry below is chosen from the list
        std::int32_t entry;
        std::uint8_t after;
    } cases[] = {
        {0x11FF4, 0xFF, CL_KDisp_MrCode, ' ', 0, 0xFE},
        {0x11FF4, 0x0F, CL_KDisp_Disp_Mode, 0, 2, 0x2F},
        {0x10F00, 0xF3, CL_KDisp_PwrSW, 0, 1, 0xF7},
        {0x10F01, 0x5A, CL_KDisp_LED_LP1, 0, 4, 0x54},
        {0x11FFA, 0x00, CL_KDisp_TxDisableSel_OptControl, ' ', 0, 0x08},
        {0x12001, 0xFC, CL_Exp_RxAf_Filter, 0, 1, 0xFD},
        {0x12002, 0x3F, CL_Exp_Select_ExPttFtsw, 0, 1, 0x7F},
        {0x1A750, 0x7E, CL_ExtPort_InOut_1_Logic, ' ', 0, 0x7F},
        {0x10EC0, 0, CL_KDisp_Key_Conv_P1, 0, 28, 28},
        {0x11FF0, 0, CL_KDisp_Key_Shift_LeftDn, 0, 7, 7},
        {0x10EDD, 0, CL_KDisp_Key_Shift_DialCcw, 0, 8, 8},
    };
    for (const Case &c : cases) {
        setByte(c.address, c.before);
        if (c.key != 0) {
            press(c.label, c.key);
        } else {
            const std::int32_t style =
                c.label >= CL_KDisp_Key_Conv_RightUp && c.label <= CL_KDisp_Key_Shift_Opf2
                    ? FlexMark
                    : Flex0;
            choose(c.label, style, c.entry);
        }
        EXPECT_EQ(byteAt(c.address), c.after) << cellLabelName(c.label);
    }
}

TEST_F(KeysAndPorts, TypedNumbersAndTimes)
{
    struct Case {
        std::int32_t label;
        const char *typed;
        std::int32_t address;
        int width; // bytes
        std::uint32_t stored;
    } cases[] = {
        {CL_Exp_UserCtcss, "88.5", 0x10EB3, 2, 885},
        {CL_Exp_UserCtcss, "999", 0x10EB3, 2, 3000}, // pulled into 50.0..300.0
        {CL_Exp_BeepFreq_High, "2505", 0x10EB7, 2, 2510},
        {CL_Exp_BeepFreq_Low, "20", 0x10EB5, 2, 300},
        {CL_Exp_Emer_SwOffTimer, "3.2", 0x12005, 1, 32},
        {CL_Exp_ExPttDelay, "0.25", 0x11FFF, 1, 25},
        {CL_Exp_RxExo_Delay, "25.5", 0x11FFE, 1, 255},
        {CL_Exp_PSaveStartTimer_2, "30", 0x11FFD, 1, 30},
        {CL_Exp_IgnitionTimer, "15:00", 0x12000, 1, 90},
        {CL_KDisp_ScrollTimer, "0.8", 0x11FF5, 1, 8},
        {CL_KDisp_ScrollTimer, "off", 0x11FF5, 1, 0},
    };
    for (const Case &c : cases) {
        type(c.label, c.typed);
        std::uint32_t stored = 0;
        for (int i = 0; i < c.width; ++i)
            stored = (stored << 8) | byteAt(c.address + i);
        EXPECT_EQ(stored, c.stored) << cellLabelName(c.label) << " " << c.typed;
    }
}

// A byte outside a list shows as an error and stays as the radio left it
// until a value is chosen.
TEST_F(KeysAndPorts, ValuesOutsideTheListsAreShownAndKept)
{
    const struct {
        std::int32_t address;
        std::int32_t label;
        std::int32_t category;
    } cases[] = {
        {0x10EBF, CL_KDisp_Key_Conv_P0, CT_Null},
        {0x11FEA, CL_KDisp_Key_Conv_Opf0, CT_Null},
        {0x10EC7, CL_KDisp_Key_Conv_DialCw, CT_Null},
        {0x1A762, CL_ExtPort_AD_1, CT_Null},
        {0x1A751, CL_ExtPort_InOut_1, CT_Null},
        // Erased memory: the channel switch table's byte is its entry 7.
        {0x1A737, CL_ExtPort_ChSW_Table_MoveCH, CT_EXP_ChSwitchTable},
    };
    for (const auto &c : cases) {
        const int index = c.category == CT_Null ? 0 : c.address - 0x1A730;
        setByte(c.address, 0xFF);
        EXPECT_EQ(draw(c.label, index, c.category).text, cmcFCache::kErrorText)
            << cellLabelName(c.label);
        EXPECT_EQ(byteAt(c.address), 0xFF) << cellLabelName(c.label);
    }
}

// A line's function comes from the input or the output list as its
// direction says; turning the line round clears a function that would mean
// something else in the other list.
TEST_F(KeysAndPorts, PortLineFunctionFollowsItsDirection)
{
    const std::int32_t pair = 0x1A750 + 2 * 3; // port 4
    setByte(pair, 0x81);
    setByte(pair + 1, 1);
    EXPECT_EQ(draw(CL_ExtPort_InOut_4).text, "External PTT");
    calls.clear();
    press(CL_ExtPort_InOut_4, 13);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("list GI_Sheet_Sel_Input_Port_Conv_Pmr_Dpmr_Popup style " +
                                 std::to_string(FlexMark2) + " at 1",
                             0),
              0u)
        << calls[0];

    setByte(pair, 0x01);
    EXPECT_EQ(draw(CL_ExtPort_InOut_4).text, "Busy (Carrier)");

    setByte(pair, 0x81);
    choose(CL_ExtPort_InOut_4_Dir, Flex0, 0);
    EXPECT_EQ(byteAt(pair), 0x01) << "only the direction bit changes";
    EXPECT_EQ(byteAt(pair + 1), 0);
    EXPECT_EQ(draw(CL_ExtPort_InOut_4).text, "None");

    setByte(pair + 1, 4);
    choose(CL_ExtPort_InOut_4_Dir, Flex0, 0);
    EXPECT_EQ(byteAt(pair + 1), 4) << "choosing the same direction keeps the function";
    EXPECT_EQ(byteAt(pair + 3), 0) << "the next line is left alone";
}

// Two inputs with one function are both marked; outputs may share one.
TEST_F(KeysAndPorts, InputsSharingAFunctionAreMarked)
{
    const auto line = [this](int port, std::uint8_t direction, std::uint8_t function) {
        setByte(0x1A750 + 2 * (port - 1), direction);
        setByte(0x1A751 + 2 * (port - 1), function);
    };
    const std::int32_t chSelect1 = 5;
    line(1, 0x80, chSelect1);
    line(2, 0x80, chSelect1 + 1);
    line(3, 0x00, chSelect1);
    line(4, 0x00, chSelect1);
    EXPECT_FALSE(draw(CL_ExtPort_InOut_1).warning);
    EXPECT_FALSE(draw(CL_ExtPort_InOut_3).warning) << "outputs may share a function";
    line(9, 0x80, chSelect1);
    EXPECT_TRUE(draw(CL_ExtPort_InOut_1).warning);
    EXPECT_TRUE(draw(CL_ExtPort_InOut_9).warning);
    EXPECT_FALSE(draw(CL_ExtPort_InOut_2).warning);
    line(1, 0x80, 0);
    line(2, 0x80, 0);
    EXPECT_FALSE(draw(CL_ExtPort_InOut_2).warning) << "unused lines share nothing";
}

// Each entry of the channel switch table is one byte: 0 leaves the channel,
// n moves to channel n.
TEST_F(KeysAndPorts, ChannelSwitchTableEntriesChooseAChannel)
{
    type(CL_ExtPort_ChSW_Table_MoveCH, "5", 3, CT_EXP_ChSwitchTable);
    EXPECT_EQ(byteAt(0x1A733), 5);
    EXPECT_EQ(draw(CL_ExtPort_ChSW_Table_MoveCH, 3, CT_EXP_ChSwitchTable).text, "5");
    EXPECT_EQ(draw(CL_ExtPort_ChSW_Table_MoveCH, 2, CT_EXP_ChSwitchTable).text, "Off");

    type(CL_ExtPort_ChSW_Table_MoveCH, "32", 31, CT_EXP_ChSwitchTable);
    EXPECT_EQ(byteAt(0x1A74F), 32);
    EXPECT_EQ(byteAt(0x1A750), 0) << "the table ends before the port lines";

    type(CL_ExtPort_ChSW_Table_MoveCH, "Off", 3, CT_EXP_ChSwitchTable);
    EXPECT_EQ(byteAt(0x1A733), 0);

    press(CL_ExtPort_ChSW_Table_MoveCH, ' ', 0, CT_EXP_ChSwitchTable);
    EXPECT_EQ(byteAt(0x1A730), 1);
}

// An entry that moves to a blank channel, past the last one or out of the
// memory is marked.
TEST_F(KeysAndPorts, ChannelSwitchTableMarksBlankChannels)
{
    setChannels({145000000, 0, 146000000});
    struct Case {
        std::uint8_t entry;
        bool warned;
    } cases[] = {{0, false}, {1, false}, {2, true}, {3, false}, {4, true}, {32, true}, {200, true}};
    for (const Case &c : cases) {
        setByte(0x1A730, c.entry);
        EXPECT_EQ(draw(CL_ExtPort_ChSW_Table_MoveCH, 0, CT_EXP_ChSwitchTable).warning, c.warned)
            << int{c.entry};
    }
}

// Settings that act only while another is on show in silver while it is
// off; a setting this radio does not have shows the dashes.
TEST_F(KeysAndPorts, DependentSettingsShowInSilver)
{
    setByte(0x12001, 0x00);
    setByte(0x12002, 0x00);
    EXPECT_TRUE(draw(CL_Exp_RxExo_Delay).silver);
    EXPECT_TRUE(draw(CL_Exp_IgnitionTimer).silver);
    press(CL_Exp_RxExo_On, ' ');
    EXPECT_EQ(byteAt(0x12001), 0x20);
    EXPECT_FALSE(draw(CL_Exp_RxExo_Delay).silver);
    setByte(0x12002, 0x01);
    EXPECT_FALSE(draw(CL_Exp_IgnitionTimer).silver);

    const Shown handheld = draw(CL_KDisp_PwrSW_HH);
    EXPECT_EQ(handheld.text, "----");
    EXPECT_TRUE(handheld.silver);
    setByte(0x10F00, 0x00);
    press(CL_KDisp_PwrSW_HH, ' ');
    EXPECT_EQ(byteAt(0x10F00), 0x00);
}

TEST_F(KeysAndPorts, BeepsTheWrongWayRoundAreMarked)
{
    struct Case {
        std::uint16_t low;
        std::uint16_t high;
        bool warned;
    } cases[] = {
        {800, 1600, false}, {1600, 1600, true}, {2000, 1000, true}, {0, 0, false}, {2000, 0, false},
    };
    for (const Case &c : cases) {
        setByte(0x10EB5, static_cast<std::uint8_t>(c.low >> 8));
        setByte(0x10EB6, static_cast<std::uint8_t>(c.low));
        setByte(0x10EB7, static_cast<std::uint8_t>(c.high >> 8));
        setByte(0x10EB8, static_cast<std::uint8_t>(c.high));
        EXPECT_EQ(draw(CL_Exp_BeepFreq_Low).warning, c.warned) << c.low << " " << c.high;
        EXPECT_EQ(draw(CL_Exp_BeepFreq_High).warning, c.warned) << c.low << " " << c.high;
    }
}

// Every label of the three families has its binding on both model types.
TEST_F(KeysAndPorts, EveryLabelIsBound)
{
    const std::pair<std::int32_t, std::int32_t> runs[] = {
        {CL_KDisp_Key_Conv_RightUp, CL_KDisp_TxDisableSel_OptControl},
        {CL_KDisp_Disp_Label, CL_KDisp_Disp_Mode},
        {CL_Exp_UserCtcss, CL_Exp_BeepFreq_High},
        {CL_Exp_DtcsInv_Tx, CL_Exp_BattChangeMode},
        {CL_ExtPort_ChSW_Table_MoveCH, CL_ExtPort_AD_1},
    };
    for (const int type : {0, 1}) {
        ASSERT_TRUE(model->ChangeModelType(type, false));
        for (const auto &[first, last] : runs) {
            for (std::int32_t label = first; label <= last; ++label) {
                const std::int32_t category =
                    label == CL_ExtPort_ChSW_Table_MoveCH ? CT_EXP_ChSwitchTable : CT_Null;
                const std::string text = draw(label, 0, category).text;
                EXPECT_EQ(text.find("*Yet*"), std::string::npos)
                    << cellLabelName(label) << " model type " << type;
            }
        }
    }
}

} // namespace

namespace {

using testing_support::keyLines;

// Every cell of the three sheets and the switch table, read as the sheets
// read their rows, shows its value with the overlay's own lists (a fresh
// image holds 0 everywhere, which every list offers) and has a help topic.
TEST_F(KeysAndPorts, EveryCellOfTheSheetsShowsItsValueAndHasHelp)
{
    const std::map<std::string, std::string> topics = helpFields("GI_AppItem_Topic_ID");

    for (const int type : {0, 1}) {
        ASSERT_TRUE(model->ChangeModelType(type, false));
        for (const char *sheet : {"GI_Sheet_KeyDisp", "GI_Sheet_Expert", "GI_Sheet_ExtPort",
                                  "GI_Sheet_ExtPort_ChSwTable"}) {
            cmcGTex &texts = mainTextDatabase();
            const std::string prefix = sheet;
            cmcCellObj base;
            base.Parse(texts.GetFirstLine(prefix + "_BasicCell"), nullptr, nullptr, false);
            std::array<std::int32_t, cmcCellObj::kChannelCounterCount> counters{};
            int cells = 0;
            for (const std::string &line : keyLines(texts, prefix + "_Cells")) {
                if (line.starts_with(":"))
                    continue;
                for (std::string_view rest = line; !rest.empty();) {
                    cmcCellObj cell;
                    rest = cell.Parse(rest, counters.data(), &base, false);
                    if (cell.label <= CL_Null || cell.label == kNoLabel ||
                        cell.label == CallSheet || cell.label == FlexCHSelNum)
                        continue;
                    ++cells;
                    const std::string name(cellLabelName(cell.label));
                    const std::string text = draw(cell.label, cell.index, cell.category).text;
                    EXPECT_EQ(text.find("*Yet*"), std::string::npos) << sheet << " " << name;
                    EXPECT_NE(text, cmcFCache::kErrorText) << sheet << " " << name;
                    EXPECT_TRUE(topics.contains(name)) << sheet << " " << name;
                }
            }
            EXPECT_GT(cells, 0) << sheet;
        }
    }
}

// Context help on a key or a port line looks its function's name up in the
// help overlay: every function of the lists has its topic and its context.
TEST_F(KeysAndPorts, EveryFunctionHasItsHelpContext)
{
    const std::map<std::string, std::string> contexts = helpFields("GI_AppItem_Context_ID");
    const struct {
        const char *list;
        std::int32_t style;
        const char *topics;
    } families[] = {
        {"GI_Sheet_Sel_Keys_Conv_Pmr_Dpmr_Popup", FlexMark, "GI_AppItem_Key_Assign_Topic_ID"},
        {"GI_Sheet_Sel_Dials_Conv_Popup", FlexMark, "GI_AppItem_Dial_Assign_Topic_ID"},
        {"GI_Sheet_Sel_Input_Port_Conv_Pmr_Dpmr_Popup", FlexMark2,
         "GI_AppItem_ExtPort_Input_Assign_Topic_ID"},
        {"GI_Sheet_Sel_Output_Port_Conv_Rep_Popup", FlexMark,
         "GI_AppItem_ExtPort_Output_Assign_Topic_ID"},
        {"GI_Sheet_Sel_DA_Port_Conv_Rep_Popup", Flex0, "GI_AppItem_ExtPort_DA_Assign_Topic_ID"},
        {"GI_Sheet_Sel_AD_Port_Conv_Rep_Popup", Flex0, "GI_AppItem_ExtPort_AD_Assign_Topic_ID"},
    };
    for (const auto &family : families) {
        std::map<std::string, std::string> topicOf = helpFields(family.topics);
        const cmcFCacheEntry &entries =
            indCellHandler::ProgramFormats().Entry(family.list, family.style);
        ASSERT_FALSE(entries.byValue.empty()) << family.list;
        for (const cmcFCacheEntry::Record &entry : entries.byValue) {
            const std::string text = entries.textOf(entry);
            ASSERT_TRUE(topicOf.contains(text)) << family.list << ": " << text;
            EXPECT_TRUE(contexts.contains(topicOf[text])) << family.list << ": " << text;
        }
    }
    // The scan key is looked up by a text of its own.
    const std::string scanKey = mainTextDatabase().GetFirstLine("GI_Sheet_Sel_KDisp_Scan_B_Key");
    EXPECT_TRUE(helpFields("GI_AppItem_Key_Assign_Topic_ID").contains(scanKey)) << scanKey;
}

} // namespace
