#include "sheets/CommonSheetLayout.h"
#include "cells/ModelCapabilities.h"
#include "sheets/BankSheetLayout.h"
#include "sheets/ListSheetLayout.h"
#include "sheets/SheetLayoutFactory.h"

#include "BankSheetsFixture.h"
#include "SheetTestTexts.h"

#include "platform/MessageService.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using CommonLayout = CommonSheetLayout<SheetLayout>;

struct ScriptedCapabilities : ModelCapabilities {
    bool IsLmr() const override { return lmr; }
    bool IsPmr() const override { return pmr; }
    bool IsQsig() const override { return qsig; }
    bool HasMdc() const override { return mdc; }
    bool HasP25() const override { return p25; }
    bool HasLtr() const override { return ltr; }
    bool IsMobile() const override { return mobile; }
    bool IsHandheld() const override { return handheld; }
    bool IsRepeater() const override { return repeater; }
    bool DigitalEnabled() const override { return digital; }
    bool MakerMode() const override { return maker; }

    bool lmr = false, pmr = false, qsig = false, mdc = false, p25 = false, ltr = false,
         mobile = false, handheld = false, repeater = false, digital = false, maker = false;
};

class CommonSheet : public BankSheetsTest
{
protected:
    // The first column of every row of a common page made of `cells`.
    static std::vector<std::string> rowsOf(const std::vector<std::string> &cells,
                                           const ModelCapabilities *capabilities)
    {
        InlineTexts texts(sheetKeys("GI_Sheet_C", "", cells, "{($Basic)}"));
        CommonLayout sheet(texts.texts(), "[St_Common]GI_Sheet_C", nullptr, 0, 0);
        sheet.SetWidthsPersistent(false);
        sheet.SetCapabilities(capabilities);
        sheet.Show();
        std::vector<std::string> rows;
        for (int row = 0; row < sheet.RowCount(); ++row)
            rows.push_back(sheet.CellAt(0, row).GetText());
        return rows;
    }
};

TEST_F(CommonSheet, ConditionsSkipTheirLinesByTheModelsCapabilities)
{
    using Set = void (*)(ScriptedCapabilities &);
    const Set nothing = [](ScriptedCapabilities &) {};
    struct Case {
        const char *directive;
        const char *model;
        Set set;
        bool skipped;
    };
    const Case cases[] = {
        {"Only_Pmr", "plain", nothing, true},
        {"Only_Pmr", "PMR", [](ScriptedCapabilities &m) { m.pmr = true; }, false},
        {"Only_Pmr", "Qsig", [](ScriptedCapabilities &m) { m.qsig = true; }, false},
        {"Only_Lmr", "plain", nothing, true},
        {"Only_Lmr", "LMR", [](ScriptedCapabilities &m) { m.lmr = true; }, false},
        {"Only_Lmr", "P25", [](ScriptedCapabilities &m) { m.p25 = true; }, false},
        {"Only_Lmr", "LTR", [](ScriptedCapabilities &m) { m.ltr = true; }, false},
        {"Only_MDC", "plain", nothing, true},
        {"Only_MDC", "MDC", [](ScriptedCapabilities &m) { m.mdc = true; }, false},
        {"Only_QSIG", "plain", nothing, true},
        {"Only_QSIG", "Qsig", [](ScriptedCapabilities &m) { m.qsig = true; }, false},
        {"Only_notQSIG", "plain", nothing, false},
        {"Only_notQSIG", "Qsig", [](ScriptedCapabilities &m) { m.qsig = true; }, true},
        {"Only_Mob", "plain", nothing, true},
        {"Only_Mob", "mobile", [](ScriptedCapabilities &m) { m.mobile = true; }, false},
        {"Only_Handy", "plain", nothing, true},
        {"Only_Handy", "handheld", [](ScriptedCapabilities &m) { m.handheld = true; }, false},
        {"Only_Repeater", "plain", nothing, true},
        {"Only_Repeater", "repeater", [](ScriptedCapabilities &m) { m.repeater = true; }, false},
        {"Only_P25", "plain", nothing, true},
        {"Only_P25", "P25", [](ScriptedCapabilities &m) { m.p25 = true; }, false},
        {"Only_DigEnable", "plain", nothing, true},
        {"Only_DigEnable", "digital on", [](ScriptedCapabilities &m) { m.digital = true; }, false},
        {"Only_Analog", "plain", nothing, false},
        {"Only_Analog", "P25", [](ScriptedCapabilities &m) { m.p25 = true; }, true},
        {"Only_Ltr", "plain", nothing, true},
        {"Only_Ltr", "LTR", [](ScriptedCapabilities &m) { m.ltr = true; }, false},
        {"Only_Maker", "plain", nothing, true},
        {"Only_Maker", "maker mode", [](ScriptedCapabilities &m) { m.maker = true; }, false},
        {"Never", "plain", nothing, true},
        {"Never", "everything",
         [](ScriptedCapabilities &m) {
             m.lmr = m.pmr = m.qsig = m.mdc = m.p25 = m.ltr = m.mobile = m.handheld = m.repeater =
                 m.digital = m.maker = true;
         },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.directive) + " on " + c.model);
        ScriptedCapabilities model;
        c.set(model);
        const auto rows =
            rowsOf({"first", std::string(":(") + c.directive + " 2)", "a", "b", "c"}, &model);
        const std::vector<std::string> kept = {"first", "a", "b", "c"};
        const std::vector<std::string> skipped = {"first", "c"};
        EXPECT_EQ(rows, c.skipped ? skipped : kept);
    }
}

// One line after each condition, named after it.
const std::vector<std::string> kEveryCondition = {
    "head", ":(Only_Pmr 1)",       "Pmr",       ":(Only_Lmr 1)",      "Lmr",      ":(Only_MDC 1)",
    "MDC",  ":(Only_QSIG 1)",      "QSIG",      ":(Only_notQSIG 1)",  "notQSIG",  ":(Only_Mob 1)",
    "Mob",  ":(Only_Handy 1)",     "Handy",     ":(Only_Repeater 1)", "Repeater", ":(Only_P25 1)",
    "P25",  ":(Only_DigEnable 1)", "DigEnable", ":(Only_Analog 1)",   "Analog",   ":(Only_Ltr 1)",
    "Ltr",  ":(Only_Maker 1)",     "Maker",     ":(Never 1)",         "Never",    "tail"};

TEST_F(CommonSheet, TheModelAnswersByTypeDigitalFunctionAndMakerMode)
{
    platform::RecordingMessageService messages;
    platform::ScopedMessageService scoped(messages);
    struct Case {
        const char *what;
        int modelType;
        bool digital;
        bool maker;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"LMR", 0, false, false, {"head", "Lmr", "notQSIG", "Repeater", "Analog", "tail"}},
        {"PMR", 1, false, false, {"head", "Pmr", "notQSIG", "Repeater", "Analog", "tail"}},
        {"PMR with the digital function",
         1,
         true,
         false,
         {"head", "Pmr", "notQSIG", "Repeater", "DigEnable", "Analog", "tail"}},
        {"LMR in maker mode",
         0,
         false,
         true,
         {"head", "Lmr", "notQSIG", "Repeater", "Analog", "Maker", "tail"}},
    };
    const int savedType = environment().modelType;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        environment().modelType = c.modelType;
        cmcEeprom &image = model().WorkingImage();
        const unsigned byte = image.GetByte(ModelCapabilities::kDigitalFunctionByte);
        const unsigned bit = ModelCapabilities::kDigitalFunctionBit;
        image.SetByte(ModelCapabilities::kDigitalFunctionByte,
                      static_cast<std::uint8_t>(c.digital ? byte | bit : byte & ~bit));
        if (c.maker) {
            messages.queueAnswer(platform::MessageResult::Ok);
            model().EnterMakerMode();
        }
        EXPECT_EQ(rowsOf(kEveryCondition, nullptr), c.rows);
    }
    environment().modelType = savedType;
}

// The plain sheet keeps what a handheld would not have; a common page
// leaves it out, and counts the rest as the plain sheet does.
TEST_F(CommonSheet, OtherDirectivesAreTheBaseSheets)
{
    const std::vector<std::string> cells = {":(Only_Handy 1)", "handy", ":(LoopFrom 2)", "loop",
                                            ":(LoopTo)",       "tail"};
    ScriptedCapabilities model;
    EXPECT_EQ(rowsOf(cells, &model), (std::vector<std::string>{"loop", "loop", "tail"}));
    InlineTexts texts(sheetKeys("GI_Sheet_P", "", cells, "{($Basic)}"));
    SheetLayout plain(texts.texts(), "GI_Sheet_P", nullptr, 0, 0);
    plain.SetWidthsPersistent(false);
    plain.Show();
    EXPECT_EQ(plain.RowCount(), 4);
}

class SheetFactoryCore : public BankSheetsTest
{};

TEST_F(SheetFactoryCore, TheDescriptorPicksTheSheetClass)
{
    enum Kind { Plain, Bank, Common, List };
    struct Case {
        const char *descriptor;
        Kind kind;
    };
    const Case cases[] = {
        {"[St_ChBank]GI_Sheet_Bank,Bank 0", Bank},
        {"[St_Common]GI_Sheet_Picker", Common},
        // The class decides before the tag.
        {"[St_Common]GI_Sheet_Picker,X", Common},
        {"[St_ChBank]GI_Sheet_Picker,M", Bank},
        {"GI_Sheet_Picker,D", List},
        {"GI_Sheet_Picker,M P,1", List},
        {"GI_Sheet_Picker,Q", List},
        {"GI_Sheet_Picker,R S,1", List},
        {"GI_Sheet_Picker,X", List},
        {"GI_Sheet_Picker,q", List},
        {"GI_Sheet_Picker,x", List},
        {"[St_Other]GI_Sheet_Picker,X", List},
        // Selection lists are the popup's to make.
        {"GI_Sheet_Picker,C", Plain},
        {"GI_Sheet_Picker,d", Plain},
        {"GI_Sheet_Picker", Plain},
        {"GI_Sheet_Picker,", Plain},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.descriptor);
        const std::unique_ptr<SheetLayout> sheet =
            SheetLayoutFactory::Create(mainTextDatabase(), c.descriptor);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->SaveName(), c.descriptor);
        const SheetLayout &made = *sheet;
        const std::type_info &type = typeid(made);
        EXPECT_EQ(type == typeid(BankSheetLayout<SheetLayout>), c.kind == Bank);
        EXPECT_EQ(type == typeid(CommonSheetLayout<SheetLayout>), c.kind == Common);
        EXPECT_EQ(type == typeid(ListSheetLayout<SheetLayout>), c.kind == List);
        EXPECT_EQ(type == typeid(SheetLayout), c.kind == Plain);
    }
}

} // namespace
