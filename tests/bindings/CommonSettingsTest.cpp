// The common settings on the program's own option lists: the radio's fixed
// places, the rules that tie settings together (PTT priorities, the
// scrambler type, the repeat time-out), values a radio stored outside a
// list, and that every label of the family and every row of its sheets has
// its binding.
#include "HandlerTestFixture.h"

#include "cells/CellColours.h"
#include "cells/CellIdentifiers.h"
#include "cells/cmcFCache.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "sheets/SheetTextDump.h"
#include "textdb/GlobalTexts.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using Redraw = cmcCellCapsule::RedrawBit;

class CommonSettings : public HandlerTest
{
protected:
    CommonSettings() : HandlerTest(true) {}

    struct Shown {
        std::string text;
        bool silver = false;
        bool warning = false;
    };
    static std::string trimmed(std::string text)
    {
        const auto first = text.find_first_not_of(' ');
        const auto last = text.find_last_not_of(' ');
        return first == std::string::npos ? std::string{} : text.substr(first, last - first + 1);
    }
    Shown draw(std::int32_t label)
    {
        cmcCellObj cell = cellOf(CT_Null, label);
        Request request(cell);
        request.run(kHandlerDraw);
        return {trimmed(request.capsule.outputText),
                cell.font && cell.font->colour == kColourSilver,
                (request.capsule.stateBits & cmcCellCapsule::kStateWarning) != 0};
    }
    std::uint32_t press(std::int32_t label, std::int32_t key)
    {
        cmcCellObj cell = cellOf(CT_Null, label);
        Request request(cell, key);
        int grid = 0;
        request.capsule.grid = reinterpret_cast<cuiGrid *>(&grid);
        request.run(kHandlerAction);
        return request.masks.empty() ? 0 : request.masks.back();
    }
    std::uint32_t type(std::int32_t label, const std::string &text)
    {
        cmcCellObj cell = cellOf(CT_Null, label);
        Request request(cell);
        request.capsule.inputMode = cmcCellCapsule::kInputText;
        request.capsule.inputText = text;
        request.run(kHandlerAction);
        return request.masks.empty() ? 0 : request.masks.back();
    }
    // The answer of the cell's option list: entry `entry`.
    std::uint32_t choose(std::int32_t label, std::int32_t entry)
    {
        cmcCellObj cell = cellOf(CT_Null, label);
        const std::vector<std::uint32_t> masks = chooseFor(cell, Flex0, entry);
        return masks.empty() ? 0 : masks.back();
    }
    // One action of a table row.
    struct Act {
        enum Kind { Press, Type, Choose } kind;
        std::int32_t number = 0;
        const char *text = "";
        static Act press(std::int32_t key) { return {Press, key}; }
        static Act type(const char *text) { return {Type, 0, text}; }
        static Act choose(std::int32_t entry) { return {Choose, entry}; }
    };
    std::uint32_t act(std::int32_t label, const Act &action)
    {
        switch (action.kind) {
        case Act::Press:
            return press(label, action.number);
        case Act::Type:
            return type(label, action.text);
        case Act::Choose:
            break;
        }
        return choose(label, action.number);
    }
    std::uint8_t byte(std::int32_t address) { return model->WorkingImage().GetByte(address); }
    void setByte(std::int32_t address, std::uint8_t value)
    {
        model->WorkingImage().SetByte(address, value);
    }
};

constexpr std::int32_t kScrambler = 0x10E7C;
constexpr std::int32_t kPtt = 0x10F04;

// The settings whose place the radio fixes, read from their bits.
TEST_F(CommonSettings, FixedSettingsShowTheirBits)
{
    struct Case {
        std::int32_t label;
        std::int32_t address;
        std::uint8_t stored;
        const char *text;
    } cases[] = {
        {CL_Comm_Scrm_Type, kScrambler, 0x08, "Inversion"},
        {CL_Comm_Scrm_Type, kScrambler, 0xF7, "Rolling Code"},
        {CL_Comm_Scrm_SyncCapture, kScrambler, 0x80, "Slow"},
        {CL_Comm_Scrm_GroupCode, kScrambler, 0xFB, "4"},
        {CL_Comm_Scrm_TStartTiming, kScrambler, 0x10, "100 ms"},
        {CL_Comm_SetModeAccess, 0x10E96, 0x08, "Inhibited"},
        {CL_Comm_SetModeAccess, 0x10E96, 0xF7, "Allowed"},
        {CL_Comm_PwrSave_Timer1, 0x10EE7, 25, "2.5"},
        {CL_Comm_PwrSave_Timer1, 0x10EE7, 0, "0.0"},
        {CL_Comm_PwrSave_Timer2, 0x10EE8, 30, "30"},
        {CL_Comm_Repeater_HoldTimer, 0x10F03, 255, "25.5"},
        {CL_Common_PTT_EncodeTone, kPtt, 0x80, "On"},
        {CL_Common_PTT_EncodeTone, kPtt, 0x7F, "Off"},
        {CL_Common_PTT_Priority_1, kPtt, 0x24, "Local Mic"},
        {CL_Common_PTT_Priority_2, kPtt, 0x24, "External PTT"},
        {CL_Common_PTT_Priority_3, kPtt, 0x24, "Line (Remote)"},
    };
    for (const Case &c : cases) {
        setByte(c.address, c.stored);
        EXPECT_EQ(draw(c.label).text, c.text) << cellLabelName(c.label) << " " << int{c.stored};
    }
}

// A change writes its own bits and leaves the rest of the byte alone.
TEST_F(CommonSettings, ChangesKeepTheOtherBitsOfTheirByte)
{
    struct Case {
        std::int32_t label;
        std::int32_t address;
        std::uint8_t before;
        std::uint8_t after;
        Act act;
    } cases[] = {
        {CL_Comm_Scrm_Type, kScrambler, 0xF3, 0xFB, Act::press(' ')},
        {CL_Comm_Scrm_SyncCapture, kScrambler, 0x3F, 0xBF, Act::choose(2)},
        {CL_Comm_Scrm_GroupCode, kScrambler, 0xFC, 0xFE, Act::choose(2)},
        {CL_Comm_SetModeAccess, 0x10E96, 0x41, 0x49, Act::press(' ')},
        {CL_Common_PTT_EncodeTone, kPtt, 0x24, 0xA4, Act::choose(1)},
        {CL_Comm_PwrSave_Timer1, 0x10EE7, 0, 25, Act::type("2.5")},
        {CL_Comm_PwrSave_Timer2, 0x10EE8, 0, 255, Act::type("300")},
        {CL_Comm_Repeater_HoldTimer, 0x10F03, 7, 7, Act::type("soon")},
        {CL_Comm_Digital_Function, 0x10E97, 0x20, 0x30, Act::choose(1)},
        {CL_Comm_Wide, 0x10E97, 0x30, 0x70, Act::choose(1)},
        {CL_Comm_RS_CharXon, 0x10E8F, 0, 0x11, Act::type("11")},
        {CL_Comm_Volt_Threshold1, 0x11C90, 0, 72, Act::type("7.2")},
        {CL_Comm_Tot_Timer, 0x10E80, 0, 36, Act::type("3:00")},
    };
    for (const Case &c : cases) {
        setByte(c.address, c.before);
        act(c.label, c.act);
        EXPECT_EQ(int{byte(c.address)}, int{c.after}) << cellLabelName(c.label);
    }
}

// The three PTT priorities keep naming three different inputs: the field
// that held the chosen input takes the changed field's old one.
TEST_F(CommonSettings, PttPrioritiesExchangeInsteadOfRepeating)
{
    struct Case {
        std::uint8_t before;
        std::int32_t label;
        std::int32_t input;
        std::uint8_t after;
    } cases[] = {
        // Priorities 1, 2, 3 = local mic, external, line; bit 7 is the
        // encode tone and stays.
        {0xA4, CL_Common_PTT_Priority_1, 2, 0x86},
        {0x24, CL_Common_PTT_Priority_3, 1, 0x18},
        {0x24, CL_Common_PTT_Priority_2, 0, 0x21},
        // A radio that stored the same input twice: each holder gives way.
        {0x00, CL_Common_PTT_Priority_2, 1, 0x04},
        {0x05, CL_Common_PTT_Priority_3, 1, 0x10},
        // Priority 1 held no input at all: the others that give way take
        // the inputs left over, not that value.
        {0x03, CL_Common_PTT_Priority_1, 0, 0x24},
        {0x3B, CL_Common_PTT_Priority_1, 2, 0x32},
    };
    for (const Case &c : cases) {
        setByte(kPtt, c.before);
        const std::uint32_t mask = choose(c.label, c.input);
        EXPECT_EQ(int{byte(kPtt)}, int{c.after}) << cellLabelName(c.label) << " " << c.input;
        EXPECT_NE(mask & Redraw::kRedrawLabelled, 0u);
    }
}

TEST_F(CommonSettings, ValuesOutsideTheirListAreShownAsErrors)
{
    setByte(kPtt, 0x03); // priority 1 holds an input the list does not know
    EXPECT_EQ(draw(CL_Common_PTT_Priority_1).text, cmcFCache::kErrorText);
    EXPECT_EQ(draw(CL_Common_PTT_Priority_2).text, "Local Mic");
    setByte(0x10E88, 0x07); // a port speed beyond the list
    EXPECT_EQ(draw(CL_Comm_DSub25_Speed).text, cmcFCache::kErrorText);
}

// While the inversion scrambler is chosen, the rolling-code parameters are
// shown in silver; they keep their values and can still be set.
TEST_F(CommonSettings, RollingCodeParametersAreSilverForTheInversionScrambler)
{
    for (const bool inversion : {false, true}) {
        setByte(kScrambler, inversion ? 0x98 : 0x90);
        for (const std::int32_t label :
             {CL_Comm_Scrm_SyncCapture, CL_Comm_Scrm_GroupCode, CL_Comm_Scrm_TStartTiming}) {
            const Shown shown = draw(label);
            EXPECT_EQ(shown.silver, inversion) << cellLabelName(label);
        }
        EXPECT_FALSE(draw(CL_Comm_Scrm_Type).silver);
        EXPECT_EQ(draw(CL_Comm_Scrm_SyncCapture).text, "Slow");
    }
    // The type decides how the others look: they are all drawn again.
    setByte(kScrambler, 0x00);
    EXPECT_NE(press(CL_Comm_Scrm_Type, ' ') & Redraw::kRedrawLabelled, 0u);
    EXPECT_TRUE(draw(CL_Comm_Scrm_GroupCode).silver);
}

// The repeat time-out: minutes 0 to 30, the tick count beside it follows,
// and more than ten minutes is marked.
TEST_F(CommonSettings, RepeatTimeOutKeepsItsTicksAndWarnsAboveTenMinutes)
{
    constexpr std::int32_t kMinutes = 0x10E81;
    constexpr std::int32_t kTicks = 0x10E82;
    struct Case {
        const char *typed;
        int minutes;
        int ticks;
        bool warning;
    } cases[] = {
        {"10", 10, 60, false},
        {"11", 11, 66, true},
        {"0", 0, 0, false},
        {"45", 30, 180, true},
    };
    for (const Case &c : cases) {
        setByte(kTicks, 0xEE);
        setByte(kMinutes, 0xEE);
        const std::uint32_t mask = type(CL_Common_Tot_Repeat, c.typed);
        EXPECT_EQ(int{byte(kMinutes)}, c.minutes) << c.typed;
        EXPECT_EQ(int{byte(kTicks)}, c.ticks) << c.typed;
        EXPECT_NE(mask & Redraw::kRedrawLabelled, 0u) << c.typed;
        EXPECT_EQ(draw(CL_Common_Tot_Repeat).warning, c.warning) << c.typed;
    }
    // A value the radio stored beyond the range is shown and marked, and
    // nothing is written while it is only looked at.
    setByte(kMinutes, 200);
    setByte(kTicks, 1);
    EXPECT_TRUE(draw(CL_Common_Tot_Repeat).warning);
    EXPECT_EQ(int{byte(kTicks)}, 1);
    // Typing the value it holds changes nothing, and nothing else is drawn.
    setByte(kMinutes, 5);
    EXPECT_EQ(type(CL_Common_Tot_Repeat, "5") & Redraw::kRedrawLabelled, 0u);
    EXPECT_EQ(int{byte(kTicks)}, 1);
}

// The digital hold timers apply only with the digital function.
TEST_F(CommonSettings, DigitalHoldTimersNeedTheDigitalFunction)
{
    setByte(0x10E92, 15);
    setByte(0x10E97, 0x00);
    Shown shown = draw(CL_Comm_Repeater_HoldTimer_Digi_Voice);
    EXPECT_EQ(shown.text, "----");
    EXPECT_TRUE(shown.silver);
    type(CL_Comm_Repeater_HoldTimer_Digi_Voice, "3");
    EXPECT_EQ(int{byte(0x10E92)}, 15);
    setByte(0x10E97, 0x10);
    EXPECT_EQ(draw(CL_Comm_Repeater_HoldTimer_Digi_Voice).text, "1.5");
    type(CL_Comm_Repeater_HoldTimer_Digi_Voice, "3");
    EXPECT_EQ(int{byte(0x10E92)}, 30);
}

// Switching the digital function on or off changes which sheets the tree
// offers; the channel columns that depend on it are drawn again.
TEST_F(CommonSettings, DigitalFunctionRebuildsTheTree)
{
    setByte(0x10E97, 0x20);
    const std::uint32_t mask = choose(CL_Comm_Digital_Function, 1);
    EXPECT_EQ(int{byte(0x10E97)}, 0x30);
    EXPECT_NE(mask & Redraw::kRedrawLabelled, 0u);
    EXPECT_EQ(events.seen,
              std::vector<std::string>{"post " + std::to_string(kEvRebuildChannelTree)});
    events.seen.clear();
    choose(CL_Comm_Digital_Function, 1);
    EXPECT_TRUE(events.seen.empty());
}

// Texts fill their whole field; the clone password is kept with zeros so
// that an empty password reads as none.
TEST_F(CommonSettings, TextsFillTheirFields)
{
    type(CL_Comm_CloneComment1, "SITE 7");
    EXPECT_EQ(byte(0x10F33), 'S');
    EXPECT_EQ(byte(0x10F38), '7');
    EXPECT_EQ(byte(0x10F42), ' ');
    EXPECT_EQ(draw(CL_Comm_CloneComment1).text, "SITE 7");
    type(CL_Comm_ClonePasswordStr, "1234");
    EXPECT_EQ(byte(0x10F19), '1');
    EXPECT_EQ(byte(0x10F1D), 0);
    EXPECT_EQ(byte(0x10F28), 0);
    type(CL_Comm_ClonePasswordStr, "");
    EXPECT_EQ(byte(0x10F19), 0);
}

// Every label of the family has its binding.
TEST_F(CommonSettings, EveryCommonLabelIsBound)
{
    for (std::int32_t label = CL_Comm_UserPassword; label <= CL_Comm_Digital_Function; ++label) {
        setByte(0x10E97, 0x10);
        EXPECT_EQ(draw(label).text.find("*Yet*"), std::string::npos) << cellLabelName(label);
    }
}

} // namespace

namespace {

// The common settings sheets as the tree opens them, for either model type:
// every row shows a bound value, the scrambler rows only for the LMR model.
TEST_F(CommonSettings, SheetsShowEveryRowBoundForBothModelTypes)
{
    const char *sheets[] = {"GI_Sheet_Common", "GI_Sheet_Common_Timers", "GI_Sheet_Common_Repeater",
                            "GI_Sheet_Common_Emergency", "GI_Sheet_Common_Ports"};
    for (const int modelType : {0, 1}) {
        ASSERT_TRUE(model->ChangeModelType(modelType, false));
        std::string all;
        for (const char *sheet : sheets) {
            const std::unique_ptr<SheetLayout> layout =
                SheetLayoutFactory::Create(mainTextDatabase(), std::string("[St_Common]") + sheet);
            layout->SetWidthsPersistent(false);
            layout->SetHandler(&indCellHandler::Handle, nullptr);
            layout->Show();
            for (const std::string &row : SheetTextDump::Rows(*layout)) {
                EXPECT_EQ(row.find("*Yet*"), std::string::npos) << sheet << ": " << row;
                all += row + "\n";
            }
        }
        EXPECT_EQ(all.find("Scrambler type\t") != std::string::npos, modelType == 0);
        EXPECT_NE(all.find("Repeat time-out (min)\t"), std::string::npos);
    }
}

} // namespace
