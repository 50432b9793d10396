#include "HandlerTestFixture.h"

#include "cells/CellIdentifiers.h"
#include "image/cmcEeprom.h"

namespace {

constexpr int kChecked = 1;
constexpr int kHidden = 2;
constexpr int kDisabled = 4;
constexpr int kCaption = 8;

// The settings and the window a case starts from.
struct Given {
    std::int32_t comPort = 1;
    bool overTcp = false;
    std::int32_t highSpeed = 1;
    std::int32_t fontSize = 100;
    bool toolBar = true;
    bool adShown = false;
    bool canPrint = false;

    void applyTo(indEnviron &settings, RecordingView &view) const
    {
        settings.comPort = comPort;
        settings.portSelect = overTcp ? 1 : 0;
        settings.comSpeedHigh = highSpeed;
        settings.fontSizePercentage = fontSize;
        settings.toolbarVisible = toolBar;
        settings.adjustWindowOpen = adShown;
        view.canPrint = canPrint;
    }
};

constexpr Given defaults{};
constexpr Given serialPort3{.comPort = 3};
constexpr Given tcpPort3{.comPort = 3, .overTcp = true};
constexpr Given serialPort4{.comPort = 4};
constexpr Given serialPort5{.comPort = 5};
constexpr Given tcpPort5{.comPort = 5, .overTcp = true};
constexpr Given overTcp{.overTcp = true};
constexpr Given toolBarHidden{.toolBar = false};
constexpr Given adWindowShown{.adShown = true};
constexpr Given sheetPrintable{.canPrint = true};

// --- State requests -------------------------------------------------------

struct StateCase {
    const char *name;
    Given given;
    std::int32_t label;
    std::int32_t index;
    int flagsBefore;
    int flagsAfter;
};

class MenuStateTest : public HandlerTest, public ::testing::WithParamInterface<StateCase>
{};

// Every state request sets the flags it decides both ways and leaves the
// others as the menu description gave them.
TEST_P(MenuStateTest, SetsTheItemsFlags)
{
    const StateCase &c = GetParam();
    c.given.applyTo(settings, view);
    cmcCellObj item = cellOf(CT_Null, c.label, c.index);
    setFlags(item, c.flagsBefore);
    Request request(item);
    EXPECT_EQ(request.run(kHandlerDraw), kHandlerNothing);
    EXPECT_EQ(flagsOf(item), c.flagsAfter);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(model->changeHooks, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Items, MenuStateTest,
    ::testing::Values(
        StateCase{"FontSizeInUse", defaults, CL_Menu_View_FontSize, 100, 0, kChecked},
        StateCase{"OtherFontSize", defaults, CL_Menu_View_FontSize, 150, kChecked, 0},
        StateCase{"ToolBarShown", defaults, CL_Menu_View_ToolBar, 0, 0, kChecked},
        StateCase{"ToolBarHidden", toolBarHidden, CL_Menu_View_ToolBar, 0, kChecked, 0},
        StateCase{"SelectedPort", serialPort3, CL_Menu_Port_Com, 3, 0, kChecked},
        StateCase{"SelectedPortOverTcp", tcpPort3, CL_Menu_Port_Com, 3, kChecked, 0},
        StateCase{"OtherPort", serialPort3, CL_Menu_Port_Com, 2, kChecked, 0},
        StateCase{"UsbPort", serialPort5, CL_Menu_Port_Usb, 0, 0, kChecked},
        StateCase{"BuiltInPortIsNotUsb", serialPort4, CL_Menu_Port_Usb, 0, kChecked, 0},
        StateCase{"UsbPortOverTcp", tcpPort5, CL_Menu_Port_Usb, 0, kChecked, 0},
        StateCase{"PortListOverSerial", serialPort3, CL_Menu_Port_ComList1, 0, 0, kChecked},
        StateCase{"PortListOverTcp", tcpPort3, CL_Menu_Port_ComList2, 0, kChecked, 0},
        StateCase{"SelectedSpeed", defaults, CL_Menu_Port_SpeedHigh, 1, 0, kChecked},
        StateCase{"OtherSpeed", defaults, CL_Menu_Port_SpeedHigh, 0, kChecked, 0},
        StateCase{"SpeedOverTcp", overTcp, CL_Menu_Port_SpeedHigh, 1, kChecked, 0},
        StateCase{"AddressOverTcp", tcpPort3, CL_Menu_Tcpip_Address, 0, 0, kChecked},
        StateCase{"AddressOverSerial", serialPort3, CL_Menu_Tcpip_Address, 0, kChecked, 0},
        StateCase{"ModelTypeInUse", defaults, CL_Model_Conv_Pmr_Dpmr_Rep, 0, 0, kChecked},
        StateCase{"OtherModelType", defaults, CL_Model_Conv_Lmr_KCOOP_Rep, 0, kChecked, 0},
        StateCase{"AdWindowShown", adWindowShown, CL_Menu_View_Ad, 0, 0, kChecked},
        StateCase{"AdWindowClosed", defaults, CL_Menu_View_Ad, 0, kChecked, 0},
        StateCase{"PrintWithoutSheet", defaults, CL_Menu_File_Print_Current, 0, 0, kDisabled},
        StateCase{"PrintWithSheet", sheetPrintable, CL_Menu_File_Print_Current, 0, kDisabled, 0},
        StateCase{"DebugCommand", defaults, CL_Menu_Debug_Window, 0, 0, kDisabled},
        StateCase{"CloneCheck", defaults, CL_Menu_Clone_Check, 0, 0, kDisabled},
        StateCase{"PlainCommandKeepsItsFlags", defaults, CL_Menu_File_New, 0, kHidden | kCaption,
                  kHidden | kCaption}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

// --- Enter ----------------------------------------------------------------

struct EnterCase {
    const char *name;
    Given given;
    std::int32_t label;
    std::int32_t index;
    std::vector<std::string> calls;  // of the window and the model, in order
    std::vector<std::string> events; // sent at once, then the posted ones
};

class MenuEnterTest : public HandlerTest, public ::testing::WithParamInterface<EnterCase>
{};

// A menu click arrives in mode 0 with code 13.
TEST_P(MenuEnterTest, RunsTheCommand)
{
    const EnterCase &c = GetParam();
    c.given.applyTo(settings, view);
    cmcCellObj item = cellOf(CT_Null, c.label, c.index);
    Request request(item, cmcCellCapsule::kCodeEnter);
    request.run(kHandlerDraw);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(events.seen, c.events);
    EXPECT_EQ(model->changeHooks, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Items, MenuEnterTest,
    ::testing::Values(
        EnterCase{"FontSize", defaults, CL_Menu_View_FontSize, 150, {"close sheet"}, {}},
        EnterCase{"SameFontSize", defaults, CL_Menu_View_FontSize, 100, {}, {}},
        EnterCase{"ToolBar", defaults, CL_Menu_View_ToolBar, 0, {"tool bar off"}, {}},
        EnterCase{"PortFromTcp", tcpPort3, CL_Menu_Port_Com, 3, {}, {"send 2"}},
        EnterCase{"OtherPort", serialPort3, CL_Menu_Port_Com, 8, {}, {"send 2"}},
        EnterCase{"UsbPort", defaults, CL_Menu_Port_Usb, 0, {"com port dialog 0"}, {}},
        EnterCase{"PortList0", defaults, CL_Menu_Port_ComList0, 0, {"com port dialog 0"}, {}},
        EnterCase{"PortList2", defaults, CL_Menu_Port_ComList2, 0, {"com port dialog 2"}, {}},
        EnterCase{"IpAddress", defaults, CL_Menu_Tcpip_Address, 0, {"ip address dialog"}, {}},
        EnterCase{"TcpPort", defaults, CL_Menu_Tcpip_Port, 0, {"tcp port dialog"}, {}},
        EnterCase{"TcpSubmenu", defaults, CL_Menu_Tcpip_Top, 0, {}, {}},
        EnterCase{"CloneRead", defaults, CL_Menu_Clone_Read, 0, {"clone read"}, {}},
        EnterCase{"CloneWrite", defaults, CL_Menu_Clone_Write, 0, {"clone write"}, {}},
        EnterCase{"CloneInfo", defaults, CL_Menu_Clone_Info, 0, {"clone info"}, {}},
        EnterCase{"CloneUpdate", defaults, CL_Menu_Clone_Update, 0, {}, {}},
        EnterCase{"DebugCommand", defaults, CL_Menu_Debug_Compare, 0, {}, {}},
        EnterCase{"About", defaults, CL_Help_About, 0, {}, {"post 3"}},
        EnterCase{"Language", defaults, CL_Menu_Lang, 0, {"language window"}, {}},
        EnterCase{"AdjustRead", defaults, CL_Menu_Ad_Read, 0, {"adjust read"}, {}},
        EnterCase{"AdWindow", defaults, CL_Menu_View_Ad, 0, {}, {"send 2", "post 45"}},
        EnterCase{"AdUpdateWhileShown", adWindowShown, CL_Menu_View_Ad_Update, 0, {}, {"send 46"}},
        EnterCase{
            "AdUpdateWhileClosed", defaults, CL_Menu_View_Ad_Update, 0, {}, {"send 2", "post 45"}},
        EnterCase{"PrintWithoutSheet", defaults, CL_Menu_File_Print_Current, 0, {}, {}},
        EnterCase{"PrintSheet",
                  sheetPrintable,
                  CL_Menu_File_Print_Current,
                  0,
                  {"print current"},
                  {"send 21"}},
        EnterCase{"PrintAll", defaults, CL_Menu_File_Print_All, 0, {"print all"}, {"send 21"}},
        EnterCase{"Exit", defaults, CL_Menu_File_Exit, 0, {"close window"}, {}},
        EnterCase{"SaveUntitled", defaults, CL_Menu_File_Save, 0, {"save dialog"}, {}},
        EnterCase{"SaveAs", defaults, CL_Menu_File_SaveAs, 0, {"save dialog"}, {}},
        EnterCase{"Open", defaults, CL_Menu_File_Open, 0, {"open dialog"}, {}},
        EnterCase{"SheetCellWithoutSuffix", defaults, CallSheet, 0, {}, {}}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(HandlerTest, ChoicesAndTogglesChangeTheSettings)
{
    struct Case {
        Given given;
        std::int32_t label;
        std::int32_t index;
        bool (*holds)(const indEnviron &);
    };
    const Case cases[] = {
        {defaults, CL_Menu_View_FontSize, 150,
         [](const indEnviron &s) { return s.fontSizePercentage == 150; }},
        {defaults, CL_Menu_View_ToolBar, 0, [](const indEnviron &s) { return !s.toolbarVisible; }},
        {toolBarHidden, CL_Menu_View_ToolBar, 0,
         [](const indEnviron &s) { return s.toolbarVisible; }},
        {tcpPort3, CL_Menu_Port_Com, 7,
         [](const indEnviron &s) { return s.comPort == 7 && s.portSelect == 0; }},
        {tcpPort3, CL_Menu_Port_Com, 3,
         [](const indEnviron &s) { return s.comPort == 3 && s.portSelect == 0; }},
        {defaults, CL_Menu_Port_SpeedHigh, 0,
         [](const indEnviron &s) { return s.comSpeedHigh == 0; }},
        {overTcp, CL_Menu_Port_SpeedHigh, 1,
         [](const indEnviron &s) { return s.comSpeedHigh == 1 && s.portSelect == 1; }},
        {defaults, CL_Menu_View_Ad, 0, [](const indEnviron &s) { return s.adjustWindowOpen; }},
    };
    for (const Case &c : cases) {
        c.given.applyTo(settings, view);
        cmcCellObj item = cellOf(CT_Null, c.label, c.index);
        Request request(item, cmcCellCapsule::kCodeEnter);
        request.run(kHandlerDraw);
        EXPECT_TRUE(c.holds(settings)) << cellLabelName(c.label) << " " << c.index;
    }
}

// The tool bar sends a click in mode 1 like a sheet; a command that may
// close the sheet that asked must not call back into it.
TEST_F(HandlerTest, CommandsThatMayCloseTheSheetAskForNoRedraw)
{
    cmcCellObj cell = cellOf(CT_Null, CallSheet);
    cell.suffix = "[St_ChBank]GI_Sheet_Bank,B";
    Request request(cell, cmcCellCapsule::kCodeEnterAlias);
    request.run(kHandlerAction);
    EXPECT_EQ(calls, std::vector<std::string>{"open sheet [St_ChBank]GI_Sheet_Bank,B"});
    EXPECT_TRUE(request.masks.empty());

    cmcCellObj about = cellOf(CT_Null, CL_Help_About);
    Request click(about, cmcCellCapsule::kCodeEnter);
    click.run(kHandlerAction);
    EXPECT_EQ(click.masks, std::vector<std::uint32_t>{cmcCellCapsule::kRedrawSameCell});
}

TEST_F(HandlerTest, HelpContentsOpensTheHelpFile)
{
    cmcCellObj item = cellOf(CT_Null, CL_Help_Contents);
    Request request(item, cmcCellCapsule::kCodeEnter);
    request.run(kHandlerDraw);
    EXPECT_EQ(calls,
              std::vector<std::string>{"help contents " + programFolder() + "QX7315C_ENG.qch"});
}

TEST_F(HandlerTest, ModelTypeChangeAsksFirst)
{
    ASSERT_EQ(model->ModelType(), 1);
    cmcCellObj item = cellOf(CT_Null, CL_Model_Conv_Lmr_KCOOP_Rep);
    recorder.queueAnswer(platform::MessageResult::Cancel);
    Request cancelled(item, cmcCellCapsule::kCodeEnter);
    cancelled.run(kHandlerDraw);
    EXPECT_EQ(model->ModelType(), 1);

    Request confirmed(item, cmcCellCapsule::kCodeEnter);
    confirmed.run(kHandlerDraw);
    EXPECT_EQ(model->ModelType(), 0);
    ASSERT_EQ(recorder.shown().size(), 2u);
    EXPECT_EQ(recorder.shown()[1].text, "Change the model type?");
    EXPECT_TRUE(model->FilePath().empty());
}

TEST_F(HandlerTest, NewReplacesTheModifiedDocument)
{
    cmcEeprom &image = model->WorkingImage();
    const std::uint8_t initial = image.GetByte(0x109DC);
    image.SetByte(0x109DC, static_cast<std::uint8_t>(initial ^ 0xFF));
    recorder.queueAnswer(platform::MessageResult::No);
    cmcCellObj item = cellOf(CT_Null, CL_Menu_File_New);
    Request request(item, cmcCellCapsule::kCodeEnter);
    request.run(kHandlerDraw);
    EXPECT_EQ(image.GetByte(0x109DC), initial);
    EXPECT_FALSE(model->IsModified());
}

// --- Recent files ---------------------------------------------------------

struct RecentCase {
    const char *name;
    std::int32_t index;
    int flags;
    const char *caption; // nullptr: the item keeps its own text
};

class RecentFileTest : public HandlerTest, public ::testing::WithParamInterface<RecentCase>
{
protected:
    void SetUp() override
    {
        cmcRecent &recent = settings.recentFiles;
        recent.clear();
        recent.addToFront("/elsewhere/b&w.vrc");
        recent.addToFront(model->DefaultDirectory() + "/R&D.vrc");
    }
};

TEST_P(RecentFileTest, ShowsTheEntryAsCaption)
{
    const RecentCase &c = GetParam();
    cmcCellObj item = cellOf(CT_Null, CL_Menu_File_Recent, c.index);
    item.SetText("Recent files");
    setFlags(item, kChecked);
    Request request(item);
    request.run(kHandlerDraw);
    EXPECT_EQ(flagsOf(item), kChecked | c.flags);
    EXPECT_EQ(item.GetText(), c.caption != nullptr ? c.caption : "Recent files");
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RecentFileTest,
    ::testing::Values(RecentCase{"InTheDefaultFolder", 0, kCaption, "&1 R&&D.vrc"},
                      RecentCase{"ElsewhereWithFullPath", 1, kCaption, "&2 /elsewhere/b&&w.vrc"},
                      RecentCase{"NoThirdEntry", 2, kDisabled | kHidden, nullptr}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(HandlerTest, EmptyRecentListShowsTheFirstItemDisabled)
{
    settings.recentFiles.clear();
    for (std::int32_t index : {0, 1}) {
        cmcCellObj item = cellOf(CT_Null, CL_Menu_File_Recent, index);
        setFlags(item, kCaption);
        Request request(item);
        request.run(kHandlerDraw);
        EXPECT_EQ(flagsOf(item), index == 0 ? kDisabled : kDisabled | kHidden) << index;
    }
}

TEST_F(HandlerTest, RecentFileOpensTheFileByItsFullPath)
{
    QTemporaryDir other;
    const std::string path = other.path().toStdString() + "/saved.vrc";
    ASSERT_TRUE(model->SaveTo(path));
    model->New();
    ASSERT_TRUE(model->FilePath().empty());
    settings.recentFiles.addToFront(model->DefaultDirectory() + "/another.vrc");
    cmcCellObj item = cellOf(CT_Null, CL_Menu_File_Recent, 1);
    Request request(item, cmcCellCapsule::kCodeEnter);
    request.run(kHandlerDraw);
    EXPECT_EQ(model->FilePath(), path);
    EXPECT_EQ(settings.recentFiles.displayText(0, {}), path);
}

TEST_F(HandlerTest, EmptyRecentEntryOpensNothing)
{
    settings.recentFiles.clear();
    cmcCellObj item = cellOf(CT_Null, CL_Menu_File_Recent, 0);
    Request request(item, cmcCellCapsule::kCodeEnter);
    request.run(kHandlerDraw);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(recorder.shown().empty());
}

// --- Edit menu and language names -----------------------------------------

TEST_F(HandlerTest, EmptyEditSubmenuGetsTheNoItemEntry)
{
    int menuBuilder = 0;
    cmcCellObj item = cellOf(CT_Null, CL_Menu_Edit_Top);
    Request withEntries(item);
    withEntries.run(kHandlerDraw);
    EXPECT_TRUE(events.seen.empty());

    view.emptyEditMenu = &menuBuilder;
    Request empty(item);
    empty.run(kHandlerDraw);
    EXPECT_EQ(events.seen, std::vector<std::string>{"post 11 GI_PMenu_NoItem @28"});
    EXPECT_EQ(events.objects, std::vector<void *>{&menuBuilder});
}

TEST_F(HandlerTest, LanguageTextIsTheNameBeforeTheTab)
{
    const std::pair<std::int32_t, const char *> cases[] = {
        {0, "English"}, {1, "Deutsch"}, {2, ""}, {-1, ""}};
    for (const auto &[index, name] : cases) {
        cmcCellObj cell = cellOf(CT_Null, CL_Language_Text, index);
        Request request(cell);
        request.run(kHandlerDraw);
        EXPECT_EQ(request.capsule.outputText, name) << index;
    }
}

// The answer of the language list is trusted only for an entry of that list
// naming a listed language.
TEST_F(HandlerTest, LanguageChoiceTakesOnlyAListedLanguageFromItsList)
{
    struct Case {
        const char *name;
        std::int32_t entryLabel;
        std::int32_t entryIndex;
        std::int32_t language;
    } cases[] = {
        {"a listed language", Flex_Language_ChNo, 1, 1},
        {"beyond the list", Flex_Language_ChNo, 2, 0},
        {"below the list", Flex_Language_ChNo, -1, 0},
        {"an entry of another list", Flex0, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        settings.languageNumber = 0;
        cmcCellObj cell = cellOf(CT_Null, CL_Langage_Select);
        cmcCellObj entry = cellOf(CT_Null, c.entryLabel, c.entryIndex);
        cmcCellCapsule list;
        list.cell = &entry;
        Request answer(cell, cmcCellCapsule::kCodeEnter);
        answer.capsule.inputMode = cmcCellCapsule::kInputChosen;
        answer.capsule.origin = &list;
        answer.run(kHandlerAction);
        EXPECT_EQ(settings.languageNumber, c.language);
        EXPECT_EQ(answer.capsule.outputText, c.language == 1 ? "Deutsch" : "English");
    }
}

} // namespace
