#include "mainframe/MenuCommandBindings.h"

#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "mainframe/cuiMain.h"
#include "platform/FatalError.h"
#include "platform/ProgramDir.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "textdb/GlobalTexts.h"
#include "textdb/LanguageList.h"
#include "textdb/cmcGTex.h"

namespace {

constexpr int kChecked = indCellHandler::kUserFlagChecked;
constexpr int kHidden = indCellHandler::kUserFlagHidden;
constexpr int kDisabled = indCellHandler::kUserFlagDisabled;
constexpr int kCaption = indCellHandler::kUserFlagCaption;
// Port numbers above this one are USB adapters.
constexpr std::int32_t kLastBuiltInPort = 4;

bool serialLink() { return environment().portSelect == 0; }

// These rows are registered by the main frame alone (programBindings), so
// the host that runs them is a main frame.
cuiMain &mainFrame(indCellHandler &frame)
{
    auto *main = dynamic_cast<cuiMain *>(&frame.host);
    if (main == nullptr)
        platform::fatalError("A menu command ran without the main frame.");
    return *main;
}

cuiMainView &window(indCellHandler &frame) { return mainFrame(frame).MainView(); }

std::string helpFilePath()
{
    return platform::programDirectory() + mainTextDatabase().GetFirstLine("GI_Sys_MyHelpFile");
}

// --- Codecs of commands ---------------------------------------------------
// A command's value is the setting it shows or changes; storing it runs the
// command (CellStorage::model or ::command).

// Enter runs the command.
CodecAnswer runOnEnter(std::int32_t value, const CodecRequest &request)
{
    CodecAnswer answer;
    if (request.IsEnter())
        answer.value = value;
    return answer;
}

// The setting value an item stands for: a fixed one, or the item's index.
struct ChoiceParams {
    bool targetIsIndex = false;
    std::int32_t target = 0;
};

// Checked while the setting holds the item's value; Enter selects it.
CodecAnswer chooseOnEnter(const ChoiceParams &params, std::int32_t value,
                          const CodecRequest &request)
{
    const std::int32_t target = params.targetIsIndex ? request.index : params.target;
    CodecAnswer answer;
    if (!request.IsEnter())
        answer.checked = value == target;
    else if (value != target)
        answer.value = target;
    return answer;
}

CellCodec menuChoice(std::int32_t target)
{
    return CellCodec(chooseOnEnter, ChoiceParams{false, target});
}

CellCodec menuChoiceOfIndex() { return CellCodec(chooseOnEnter, ChoiceParams{true, 0}); }

// Checked while the setting is on; Enter switches it.
CodecAnswer toggleOnEnter(std::int32_t value, const CodecRequest &request)
{
    CodecAnswer answer;
    if (!request.IsEnter())
        answer.checked = value != 0;
    else
        answer.value = value != 0 ? 0 : 1;
    return answer;
}

// The language number, shown as its language's name. Enter offers the list
// of languages; the entry chosen there comes back as the answer and becomes
// the setting (it takes effect when the language window applies it).
CodecAnswer chooseLanguage(std::int32_t value, const CodecRequest &request)
{
    LanguageList languages(languageTextDatabase());
    CodecAnswer answer;
    if (request.kind == CodecRequest::Kind::Chosen) {
        if (request.chosenStyle == ::Flex_Language_ChNo && request.chosenEntry >= 0 &&
            request.chosenEntry < languages.count() && request.chosenEntry != value)
            answer.value = value = request.chosenEntry;
    } else if (request.IsEnter()) {
        answer.open = CodecOpen::List("GI_Sheet_Sel_Language", ::Flex_Language_ChNo, value, "Y");
    }
    answer.text = languages.displayName(value);
    return answer;
}

// --- State rules (menu and tool-bar state requests only) -----------------

void checkedOn(indCellHandler &frame, bool on)
{
    if (frame.IsDraw())
        frame.SetUserFlag(kChecked, on);
}

void checkedWhenSerial(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    checkedOn(frame, serialLink());
}

void checkedWhenUsb(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    checkedOn(frame, serialLink() && environment().comPort > kLastBuiltInPort);
}

void checkedWhenTcp(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    checkedOn(frame, !serialLink());
}

void checkedWhileAdShown(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    checkedOn(frame, environment().adjustWindowOpen);
}

void disabledUnlessPrintable(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    if (frame.IsDraw())
        frame.SetUserFlag(kDisabled, !window(frame).CanPrintCurrentSheet());
}

// Commands this program does not offer (the debug menu, the radio's check
// and update functions) stay in the menu, disabled.
void alwaysDisabled(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    if (frame.IsDraw())
        frame.SetUserFlag(kDisabled, true);
}

// --- Settings the choice and toggle rows change --------------------------

std::int32_t fontSize(indCellHandler &) { return environment().fontSizePercentage; }
std::int32_t toolBarShown(indCellHandler &) { return environment().toolbarVisible ? 1 : 0; }
// Port and speed read as none while the TCP/IP link is chosen, so that no
// item is checked and Enter switches back to the serial link.
std::int32_t serialPort(indCellHandler &) { return serialLink() ? environment().comPort : 0; }
std::int32_t serialSpeed(indCellHandler &)
{
    return serialLink() ? environment().comSpeedHigh : -1;
}
std::int32_t modelType(indCellHandler &frame) { return frame.host.ModelType(); }
std::int32_t languageNumber(indCellHandler &) { return environment().languageNumber; }

void openAdWindow(indCellHandler &)
{
    eventManager().Post(kEvToggleAdWindow);
    environment().adjustWindowOpen = true;
    eventManager().Send(kEvRefreshStates);
}

} // namespace

// --- The commands, named after their labels ------------------------------

namespace label_cases {

void CL_Menu_File_New(indCellHandler &frame, std::int32_t)
{
    frame.LetGo();
    mainFrame(frame).New();
}

void CL_Menu_File_Open(indCellHandler &frame, std::int32_t)
{
    frame.LetGo();
    mainFrame(frame).Open();
}

void CL_Menu_File_Save(indCellHandler &frame, std::int32_t) { mainFrame(frame).Save(); }

void CL_Menu_File_SaveAs(indCellHandler &frame, std::int32_t) { mainFrame(frame).SaveAs(); }

// Pending edits are finished first, so that the paper shows them.
void CL_Menu_File_Print_Current(indCellHandler &frame, std::int32_t)
{
    if (!window(frame).CanPrintCurrentSheet())
        return;
    eventManager().Send(kEvFinishEdits);
    window(frame).PrintCurrentSheet();
}

void CL_Menu_File_Print_All(indCellHandler &frame, std::int32_t)
{
    eventManager().Send(kEvFinishEdits);
    window(frame).PrintAllSheets();
}

void CL_Menu_File_OpenBackups(indCellHandler &frame, std::int32_t)
{
    mainFrame(frame).OpenBackupFolder();
}

void CL_Menu_File_Exit(indCellHandler &frame, std::int32_t)
{
    frame.LetGo();
    window(frame).CloseMainWindow();
}

// The views are rebuilt by closing the current sheet; the main frame's tick
// opens it again in the new size.
void CL_Menu_View_FontSize(indCellHandler &frame, std::int32_t percentage)
{
    environment().fontSizePercentage = percentage;
    frame.LetGo();
    window(frame).CloseCurrentSheet();
}

void CL_Menu_View_ToolBar(indCellHandler &frame, std::int32_t shown)
{
    environment().toolbarVisible = shown != 0;
    window(frame).ShowToolBar(shown != 0);
}

void CL_Menu_Port_Com(indCellHandler &, std::int32_t port)
{
    environment().comPort = port;
    environment().portSelect = 0;
    eventManager().Send(kEvRefreshStates);
}

void CL_Menu_Port_Usb(indCellHandler &frame, std::int32_t) { window(frame).AskComPort(0); }

// One row binds the three list forms; the label says which.
void CL_Menu_Port_ComList0(indCellHandler &frame, std::int32_t)
{
    window(frame).AskComPort(frame.label - ::CL_Menu_Port_ComList0);
}

void CL_Menu_Port_SpeedHigh(indCellHandler &, std::int32_t speed)
{
    environment().comSpeedHigh = speed;
}

void CL_Menu_Tcpip_Address(indCellHandler &frame, std::int32_t) { window(frame).AskIpAddress(); }

void CL_Menu_Tcpip_Port(indCellHandler &frame, std::int32_t) { window(frame).AskTcpPort(); }

void CL_Menu_Clone_Read(indCellHandler &frame, std::int32_t) { mainFrame(frame).CloneRead(); }

void CL_Menu_Clone_Write(indCellHandler &frame, std::int32_t)
{
    mainFrame(frame).CloneWriteCommand();
}

void CL_Menu_Clone_Info(indCellHandler &frame, std::int32_t) { mainFrame(frame).CloneInfo(); }

// Both model type items: the value is the type chosen.
void CL_Model_Conv(indCellHandler &frame, std::int32_t type)
{
    frame.LetGo();
    mainFrame(frame).ChangeModelType(type, true);
}

void CL_Help_About(indCellHandler &, std::int32_t) { eventManager().Post(kEvAbout); }

void CL_Help_Contents(indCellHandler &frame, std::int32_t)
{
    window(frame).ShowHelpContents(helpFilePath());
}

void CL_Menu_Lang(indCellHandler &frame, std::int32_t)
{
    window(frame).OpenLanguageWindow(frame.capsule);
}

void CL_Langage_Select(indCellHandler &, std::int32_t language)
{
    environment().languageNumber = language;
}

void CL_Menu_Ad_Read(indCellHandler &frame, std::int32_t) { window(frame).StartAdjustRead(); }

void CL_Menu_View_Ad(indCellHandler &frame, std::int32_t) { openAdWindow(frame); }

void CL_Menu_View_Ad_Update(indCellHandler &frame, std::int32_t)
{
    if (environment().adjustWindowOpen)
        eventManager().Send(kEvRefreshWindows);
    else
        openAdWindow(frame);
}

void CallSheet(indCellHandler &frame, std::int32_t)
{
    if (!frame.cell.suffix || frame.cell.suffix->empty())
        return;
    const std::string callText = *frame.cell.suffix;
    frame.LetGo();
    window(frame).OpenSheet(callText);
}

// Entry `index` of the recent files: its caption, or a disabled item when
// the entry is empty, hidden unless it is the first.
void CL_Menu_File_Recent(indCellHandler &frame, const CellBinding &)
{
    cmcRecent &recent = environment().recentFiles;
    if (frame.IsEnter()) {
        const std::string path = recent.displayText(frame.index, {});
        if (path.empty())
            return;
        frame.LetGo();
        mainFrame(frame).LoadFile(path);
        return;
    }
    const std::string caption =
        recent.menuCaption(frame.index, mainFrame(frame).DefaultDirectory());
    frame.SetUserFlag(kDisabled, caption.empty());
    frame.SetUserFlag(kHidden, caption.empty() && frame.index != 0);
    frame.SetUserFlag(kCaption, !caption.empty());
    if (!caption.empty())
        frame.SetCaption(caption);
}

// An edit entry with an empty submenu gets the no-item entry.
void CL_Menu_Edit_Top(indCellHandler &frame, const CellBinding &)
{
    if (!frame.IsDraw())
        return;
    if (void *menu = window(frame).MainMenuWithEmptyEditEntry())
        eventManager().PostText(kEvRebuildSubmenu, menu, ::CL_Menu_Edit_Top, "GI_PMenu_NoItem");
}

// The display name of language `index`.
void CL_Language_Text(indCellHandler &frame, const CellBinding &)
{
    LanguageList languages(languageTextDatabase());
    if (frame.index >= 0 && frame.index < languages.count())
        frame.SetOutput(languages.displayName(frame.index));
}

} // namespace label_cases

namespace {

namespace lc = label_cases;
using Storage = CellStorage;

CellBinding action(std::int32_t label, CellStorage::Setter command,
                   CellBinding::Rule rule = nullptr)
{
    return {
        .label = label, .storage = Storage::command(command), .codec = runOnEnter, .rule = rule};
}

CellBinding special(std::int32_t label, CellBinding::Runner runner)
{
    return {.label = label, .run = runner};
}

CellBinding unavailable(std::int32_t label, std::int32_t lastLabel)
{
    return {.label = label, .lastLabel = lastLabel, .codec = runOnEnter, .rule = alwaysDisabled};
}

const CellBinding kRows[] = {
    action(::CL_Menu_File_New, lc::CL_Menu_File_New),
    action(::CL_Menu_File_Open, lc::CL_Menu_File_Open),
    action(::CL_Menu_File_Save, lc::CL_Menu_File_Save),
    action(::CL_Menu_File_SaveAs, lc::CL_Menu_File_SaveAs),
    action(::CL_Menu_File_Print_Current, lc::CL_Menu_File_Print_Current, disabledUnlessPrintable),
    action(::CL_Menu_File_Print_All, lc::CL_Menu_File_Print_All),
    special(::CL_Menu_File_Recent, lc::CL_Menu_File_Recent),
    action(::CL_Menu_File_OpenBackups, lc::CL_Menu_File_OpenBackups),
    action(::CL_Menu_File_Exit, lc::CL_Menu_File_Exit),
    special(::CL_Menu_Edit_Top, lc::CL_Menu_Edit_Top),
    {.label = ::CL_Menu_View_FontSize,
     .storage = Storage::model(fontSize, lc::CL_Menu_View_FontSize),
     .codec = menuChoiceOfIndex()},
    {.label = ::CL_Menu_View_ToolBar,
     .storage = Storage::model(toolBarShown, lc::CL_Menu_View_ToolBar),
     .codec = toggleOnEnter},
    {.label = ::CL_Menu_Port_Com,
     .storage = Storage::model(serialPort, lc::CL_Menu_Port_Com),
     .codec = menuChoiceOfIndex()},
    action(::CL_Menu_Port_Usb, lc::CL_Menu_Port_Usb, checkedWhenUsb),
    {.label = ::CL_Menu_Port_ComList0,
     .lastLabel = ::CL_Menu_Port_ComList2,
     .storage = Storage::command(lc::CL_Menu_Port_ComList0),
     .codec = runOnEnter,
     .rule = checkedWhenSerial},
    {.label = ::CL_Menu_Port_SpeedHigh,
     .storage = Storage::model(serialSpeed, lc::CL_Menu_Port_SpeedHigh),
     .codec = menuChoiceOfIndex()},
    // The TCP/IP submenu's own item only opens the submenu.
    {.label = ::CL_Menu_Tcpip_Top, .run = CellBinding::RunNothing},
    action(::CL_Menu_Tcpip_Address, lc::CL_Menu_Tcpip_Address, checkedWhenTcp),
    action(::CL_Menu_Tcpip_Port, lc::CL_Menu_Tcpip_Port),
    action(::CL_Menu_Clone_Read, lc::CL_Menu_Clone_Read),
    action(::CL_Menu_Clone_Write, lc::CL_Menu_Clone_Write),
    action(::CL_Menu_Clone_Info, lc::CL_Menu_Clone_Info),
    unavailable(::CL_Menu_Clone_Check, ::CL_Menu_Clone_Update),
    {.label = ::CL_Model_Conv_Lmr_KCOOP_Rep,
     .storage = Storage::model(modelType, lc::CL_Model_Conv),
     .codec = menuChoice(0)},
    {.label = ::CL_Model_Conv_Pmr_Dpmr_Rep,
     .storage = Storage::model(modelType, lc::CL_Model_Conv),
     .codec = menuChoice(1)},
    action(::CL_Help_About, lc::CL_Help_About),
    action(::CL_Help_Contents, lc::CL_Help_Contents),
    unavailable(::CL_Menu_Debug_Compare, ::CL_Menu_Debug_EeWindow),
    action(::CL_Menu_Lang, lc::CL_Menu_Lang),
    special(::CL_Language_Text, lc::CL_Language_Text),
    {.label = ::CL_Langage_Select,
     .storage = Storage::model(languageNumber, lc::CL_Langage_Select),
     .codec = chooseLanguage},
    action(::CL_Menu_Ad_Read, lc::CL_Menu_Ad_Read),
    action(::CL_Menu_View_Ad, lc::CL_Menu_View_Ad, checkedWhileAdShown),
    action(::CL_Menu_View_Ad_Update, lc::CL_Menu_View_Ad_Update),
    action(::CallSheet, lc::CallSheet),
};

} // namespace

std::span<const CellBinding> menuCommandBindings() { return kRows; }
