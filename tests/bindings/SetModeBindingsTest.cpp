// The set mode, the user set mode and the CW identification on the program's
// own option lists: what each cell shows of its bytes, what a choice or a
// typed text writes (and what it leaves alone), the level scheme of the beep
// and the ringer, values a radio stored outside the lists, and the sheets
// as the tree opens them.
#include "SettingCellsFixture.h"

#include "cells/cmcFCache.h"
#include "model/CellTyping.h"
#include "model/TreeNodeFilter.h"
#include "sheets/SheetLayoutFactory.h"
#include "sheets/SheetTextDump.h"
#include "textdb/GlobalTexts.h"

#include <array>
#include <initializer_list>
#include <memory>

namespace {

constexpr std::int32_t kSquelch = 0x109D4;
constexpr std::int32_t kContrast = 0x109D5;
constexpr std::int32_t kBeep = 0x109D6;
constexpr std::int32_t kRinger = 0x109D7;
constexpr std::int32_t kAfMinimum = 0x109D8;
constexpr std::int32_t kMicGain = 0x109D9;
constexpr std::int32_t kVox = 0x109DA;
constexpr std::int32_t kAudio = 0x109DB;
constexpr std::int32_t kDisplay = 0x109DC;
constexpr std::int32_t kSetModeBlock = 0x109D4;
constexpr int kSetModeLength = 32;
constexpr std::int32_t kUserItems = 0x1A784;
constexpr std::int32_t kCwCode = 0x1A764;
constexpr std::int32_t kCwInterval = 0x1A787;
constexpr std::int32_t kCwSpeed = 0x1A788;
constexpr std::int32_t kCwPitch = 0x1A789;
constexpr std::int32_t kCwOptions = 0x1A78A;

// A change of one byte: the list's answer `entry`, or with entry -1 the
// typed text; the byte after it and, when given, what the cell then shows.
struct ByteChange {
    const char *what;
    std::int32_t label;
    std::int32_t address;
    std::uint8_t before;
    std::int32_t entry;
    const char *typed;
    std::uint8_t after;
    const char *shown = nullptr;
};

class SettingTables : public SettingCells
{
protected:
    void expectChanges(std::initializer_list<ByteChange> changes)
    {
        for (const ByteChange &c : changes) {
            setByte(c.address, c.before);
            if (c.entry >= 0)
                choose(c.label, c.entry);
            else
                type(c.label, c.typed);
            EXPECT_EQ(int{byteAt(c.address)}, int{c.after}) << c.what;
            const Shown shown = draw(c.label);
            if (c.shown != nullptr) {
                EXPECT_EQ(shown.text, c.shown) << c.what;
            }
            EXPECT_FALSE(shown.warning) << c.what;
        }
    }
};

using SetMode = SettingTables;

TEST_F(SetMode, CellsShowTheirBits)
{
    struct Case {
        std::int32_t label;
        std::int32_t address;
        std::uint8_t byte;
        const char *text;
    } cases[] = {
        {CL_SetM_Backlight, kDisplay, 0x5E, "Auto"},
        {CL_SetM_Backlight_HH, kDisplay, 0x5E, "Auto"},
        {CL_SetM_Fan, kDisplay, 0x01, "Continuous"},
        {CL_SetM_Fan, kDisplay, 0xFE, "Auto"},
        {CL_SetM_HornOut, kDisplay, 0x08, "Off"},
        {CL_SetM_HornOut, kDisplay, 0xF7, "On"},
        {CL_SetM_BATVDisp, kDisplay, 0x04, "On"},
        {CL_SetM_SigMoni, kDisplay, 0x02, "Off"},
        {CL_SetM_LcdContrast, kContrast, 100, "100"},
        {CL_SetM_BeepOn, kBeep, 0x80, "On"},
        {CL_SetM_BeepOn, kBeep, 0x7F, "Off"},
        // The level: bits 3-0, plus 100 when bit 6 says it follows the
        // volume; bits 7 and 5-4 are not the level's.
        {CL_SetM_BeepLev, kBeep, 0xB7, "7"},
        {CL_SetM_BeepLev, kBeep, 0xC7, "Linked 7"},
        {CL_SetM_RingerLev, kRinger, 0x43, "Linked 3"},
        {CL_SetM_RingerLev, kRinger, 0x00, "0"},
        {CL_SetM_SqlLev, kSquelch, 0, "Open"},
        {CL_SetM_SqlLev, kSquelch, 9, "9"},
        {CL_SetM_AFMinLev, kAfMinimum, 200, "200"},
        {CL_SetM_MicGain, kMicGain, 4, "5"},
        {CL_SetM_VoxGain, kVox, 0x3A, "10"},
        {CL_SetM_VoxDelay, kVox, 0x3A, "2.0 s"},
        {CL_SetM_AudioFilt, kAudio, 0x01, "On"},
    };
    for (const Case &c : cases) {
        setByte(c.address, c.byte);
        const Shown shown = draw(c.label);
        EXPECT_EQ(shown.text, c.text) << cellLabelName(c.label) << " " << int{c.byte};
        EXPECT_FALSE(shown.warning || shown.error) << cellLabelName(c.label);
    }
}

// A choice or a typed number writes its own bits and leaves the others of
// the byte as they were.
TEST_F(SetMode, ChangesWriteOnlyTheirBits)
{
    expectChanges({
        {"backlight", CL_SetM_Backlight, kDisplay, 0x0F, 5, "", 0x5F},
        {"handheld backlight", CL_SetM_Backlight_HH, kDisplay, 0x5F, 1, "", 0x1F},
        {"fan", CL_SetM_Fan, kDisplay, 0xF0, 1, "", 0xF1},
        {"horn output off", CL_SetM_HornOut, kDisplay, 0x00, 1, "", 0x08},
        {"battery display", CL_SetM_BATVDisp, kDisplay, 0xFF, 0, "", 0xFB},
        {"signal monitor", CL_SetM_SigMoni, kDisplay, 0x00, 1, "", 0x02},
        {"beep off", CL_SetM_BeepOn, kBeep, 0xC5, 0, "", 0x45},
        {"followed beep level", CL_SetM_BeepLev, kBeep, 0xB2, 108, "", 0xF8},
        {"plain beep level", CL_SetM_BeepLev, kBeep, 0xC7, 3, "", 0x83},
        {"ringer level", CL_SetM_RingerLev, kRinger, 0x00, 104, "", 0x44},
        {"squelch", CL_SetM_SqlLev, kSquelch, 2, 7, "", 7},
        {"microphone gain", CL_SetM_MicGain, kMicGain, 2, 0, "", 0},
        {"vox gain", CL_SetM_VoxGain, kVox, 0x50, 10, "", 0x5A},
        {"vox delay", CL_SetM_VoxDelay, kVox, 0x0A, 5, "", 0x5A},
        {"audio filter", CL_SetM_AudioFilt, kAudio, 0xF0, 1, "", 0xF1},
        {"contrast", CL_SetM_LcdContrast, kContrast, 64, -1, "90", 90},
        {"contrast above its range", CL_SetM_LcdContrast, kContrast, 64, -1, "300", 127},
        {"contrast not a number", CL_SetM_LcdContrast, kContrast, 64, -1, "dim", 64},
        {"AF minimum", CL_SetM_AFMinLev, kAfMinimum, 0, -1, "255", 255},
    });
}

// Space steps in the list's order, from the last plain level to the first
// followed one and on; the byte's other bits stay.
TEST_F(SetMode, LevelsStepThroughTheirList)
{
    setByte(kRinger, 0x39);
    press(CL_SetM_RingerLev, ' ');
    EXPECT_EQ(int{byteAt(kRinger)}, 0x70);
    EXPECT_EQ(draw(CL_SetM_RingerLev).text, "Linked 0");
    press(CL_SetM_RingerLev, 8);
    EXPECT_EQ(int{byteAt(kRinger)}, 0x39);
    calls.clear();
    press(CL_SetM_BeepLev, 13);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("list GI_Sheet_Sel_SetM_BeepLev style 1", 0), 0u) << calls[0];
}

// What a radio may hold that the cells do not offer: shown as such, never
// changed by being shown.
TEST_F(SetMode, ValuesOutsideTheListsAreShownAsFaults)
{
    struct Case {
        std::int32_t label;
        std::int32_t address;
        std::uint8_t byte;
        const char *text;
        bool warning;
    } cases[] = {
        {CL_SetM_BeepLev, kBeep, 0x0C, cmcFCache::kErrorText, false},
        {CL_SetM_RingerLev, kRinger, 0x4F, cmcFCache::kErrorText, false},
        {CL_SetM_MicGain, kMicGain, 9, cmcFCache::kErrorText, false},
        {CL_SetM_Backlight, kDisplay, 0xF0, cmcFCache::kErrorText, false},
        {CL_SetM_VoxDelay, kVox, 0xE0, cmcFCache::kErrorText, false},
        {CL_SetM_LcdContrast, kContrast, 200, "200", true},
    };
    for (const Case &c : cases) {
        setByte(c.address, c.byte);
        const Shown shown = draw(c.label);
        EXPECT_EQ(shown.text, c.text) << cellLabelName(c.label);
        EXPECT_EQ(shown.warning, c.warning) << cellLabelName(c.label);
        EXPECT_EQ(int{byteAt(c.address)}, int{c.byte}) << cellLabelName(c.label);
    }
}

// Checks and information pages of the radio's set mode keep nothing: dashes
// in silver, and no key changes the block.
TEST_F(SetMode, ItemsWithoutAValueShowDashes)
{
    const std::string before = bytesAt(kSetModeBlock, kSetModeLength);
    for (std::int32_t label : {CL_SetM_BERDisp, CL_SetM_SystemInfo, CL_SetM_LcdCheck,
                               CL_SetM_Information, CL_SetM_KeyCheck}) {
        const Shown shown = draw(label);
        EXPECT_EQ(shown.text, "----") << cellLabelName(label);
        EXPECT_TRUE(shown.silver) << cellLabelName(label);
        EXPECT_EQ(shown.horizontal, 1) << cellLabelName(label);
        for (const std::int32_t key : {std::int32_t{' '}, std::int32_t{13}, std::int32_t{'1'}})
            press(label, key);
        type(label, "1");
    }
    EXPECT_EQ(bytesAt(kSetModeBlock, kSetModeLength), before);
    EXPECT_TRUE(calls.empty());
}

// Each item of the user set mode is one bit, the first item in the top bit
// of the first byte.
TEST_F(SetMode, EachUserItemIsItsOwnBit)
{
    for (std::int32_t label = CL_USetM_Backlight; label <= CL_USetM_KeyCheck; ++label) {
        for (int i = 0; i < 3; ++i)
            setByte(kUserItems + i, 0);
        choose(label, 1);
        const int item = label - CL_USetM_Backlight;
        std::array<int, 3> expected{};
        expected[static_cast<std::size_t>(item / 8)] = 0x80 >> (item % 8);
        const std::array<int, 3> stored{byteAt(kUserItems), byteAt(kUserItems + 1),
                                        byteAt(kUserItems + 2)};
        EXPECT_EQ(stored, expected) << cellLabelName(label);
        EXPECT_EQ(draw(label).text, "On") << cellLabelName(label);
        const std::int32_t other = label == CL_USetM_Backlight ? label + 1 : label - 1;
        EXPECT_EQ(draw(other).text, "Off") << cellLabelName(label);
    }
}

using CwId = SettingTables;

// The ID code keeps what Morse can send, in capitals, space-filled to its
// 32 bytes; the user set mode bits behind it stay.
TEST_F(CwId, IdCodeKeepsMorseCharacters)
{
    setByte(kUserItems, 0xA5);
    EXPECT_EQ(draw(CL_CW_ID_Code).text, ""); // a radio's empty field holds zeros
    struct Case {
        const char *typed;
        const char *stored;
    } cases[] = {
        {"de w1aw/r 123", "DE W1AW/R 123"},
        {"ab#c_d!", "ABCD"},
        {"0123456789012345678901234567890123456789", "01234567890123456789012345678901"},
    };
    for (const Case &c : cases) {
        type(CL_CW_ID_Code, c.typed);
        std::string expected = c.stored;
        expected.resize(32, ' ');
        EXPECT_EQ(bytesAt(kCwCode, 32), expected) << c.typed;
        EXPECT_EQ(draw(CL_CW_ID_Code).text, c.stored) << c.typed;
    }
    EXPECT_EQ(int{byteAt(kUserItems)}, 0xA5);
}

TEST_F(CwId, SettingsKeepToTheirRangesAndBits)
{
    expectChanges({
        {"interval", CL_CW_ID_Interval, kCwInterval, 0, -1, "10", 10, "10"},
        {"interval too long", CL_CW_ID_Interval, kCwInterval, 10, -1, "99", 60, "60"},
        {"interval too short", CL_CW_ID_Interval, kCwInterval, 10, -1, "0", 1, "1"},
        {"speed", CL_CW_Speed, kCwSpeed, 0, -1, "20", 20, "20"},
        {"speed too slow", CL_CW_Speed, kCwSpeed, 20, -1, "3", 5, "5"},
        {"pitch", CL_CW_AudioFreq, kCwPitch, 0, 4, "", 4, "800 Hz"},
        // Bit 6 is the channels' offset lock and stays.
        {"standard word", CL_CW_StandardWord, kCwOptions, 0x40, 1, "", 0x41, "CODEX"},
        {"with the tone", CL_CW_EncodeWithCTone, kCwOptions, 0x41, 1, "", 0x43, "On"},
        {"spacing", CL_CW_Spaceing, kCwOptions, 0xC3, 2, "", 0xCB, "Extra wide"},
    });
}

// A radio that keeps no interval or speed yet (the initial file's zeros)
// shows them with the warning mark until they are set.
TEST_F(CwId, UnsetIntervalAndSpeedAreMarked)
{
    for (const auto &[label, address] :
         {std::pair{CL_CW_ID_Interval, kCwInterval}, std::pair{CL_CW_Speed, kCwSpeed}}) {
        setByte(address, 0);
        const Shown shown = draw(label);
        EXPECT_EQ(shown.text, "0") << cellLabelName(label);
        EXPECT_TRUE(shown.warning) << cellLabelName(label);
    }
    setByte(kCwPitch, 12);
    EXPECT_EQ(draw(CL_CW_AudioFreq).text, cmcFCache::kErrorText);
}

// The three sheets as the tree opens them for each model type: every row
// is bound.
TEST_F(SetMode, SheetsOfTheTreeAreBoundForBothModelTypes)
{
    for (const int modelType : {0, 1}) {
        settings.modelType = modelType;
        int found = 0;
        for (const std::string &call :
             CellTyping::TreeSheets(mainTextDatabase(), modelType,
                                    TreeNodeFilter::HiddenFlags(modelType, false, false))) {
            if (call.find("GI_Sheet_SetMode") == std::string::npos &&
                call.find("GI_Sheet_UserSetMode") == std::string::npos &&
                call.find("GI_Sheet_CwId") == std::string::npos)
                continue;
            ++found;
            const std::unique_ptr<SheetLayout> layout =
                SheetLayoutFactory::Create(mainTextDatabase(), call);
            layout->SetWidthsPersistent(false);
            layout->SetHandler(&indCellHandler::Handle, nullptr);
            layout->Show();
            const std::vector<std::string> rows = SheetTextDump::Rows(*layout);
            EXPECT_GT(rows.size(), 5u) << call;
            for (const std::string &row : rows)
                EXPECT_EQ(row.find("*Yet*"), std::string::npos) << call << ": " << row;
        }
        EXPECT_EQ(found, 3) << "model type " << modelType;
    }
}

} // namespace
