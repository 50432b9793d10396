#pragma once

#include <cstdint>
#include <string>
#include <vector>

class cmcCellCapsule;
struct CodecOpen;

// Everything the main frame needs from a window. The desktop program
// implements it; without one (the command-line tool, tests) the frame runs
// headless with this base class: nothing is shown and every dialog counts
// as cancelled.
class cuiMainView
{
public:
    struct FileDialog {
        std::string defaultExtension;
        std::string filter;
        std::string fileName;
        std::string directory;
    };

    virtual ~cuiMainView() = default;

    virtual void SetTitle(const std::string &title) { (void)title; }
    virtual void SetBusyCursor(bool busy) { (void)busy; }
    // Ends an edit in progress in the current sheet, keeping what was typed.
    virtual void EndCellEdit() {}
    virtual void CloseCurrentSheet() {}
    // Builds the menus, tool bar, panels and status bar.
    virtual void BuildWindow() {}
    // Rebuilds the navigation tree from the text database.
    virtual void RebuildTree() {}
    // Builds the main menu again from the text database, after its texts
    // changed language.
    virtual void RebuildMainMenu() {}
    virtual void AppendToFirstTreeNode(const std::string &text) { (void)text; }

    // File dialogs: true with the chosen path, false when cancelled.
    virtual bool ChooseFileToOpen(const FileDialog &dialog, std::string &path)
    {
        (void)dialog;
        (void)path;
        return false;
    }
    virtual bool ChooseFileToSave(const FileDialog &dialog, std::string &path)
    {
        (void)dialog;
        (void)path;
        return false;
    }

    // The clone password prompt; true when the user confirmed it.
    virtual bool AskClonePassword() { return false; }

    // --- Commands of menu and tool-bar cells that need the window ---
    // Whether the current view can print (no sheet open: it cannot).
    virtual bool CanPrintCurrentSheet() { return false; }
    virtual void PrintCurrentSheet() {}
    // Prints every sheet of the navigation tree.
    virtual void PrintAllSheets() {}
    virtual void CloseMainWindow() {}
    virtual void ShowToolBar(bool visible) { (void)visible; }
    // The option dialogs; true when the user confirmed and the settings
    // changed. The COM port number dialog comes in forms 0, 1 and 2.
    virtual bool AskComPort(int form)
    {
        (void)form;
        return false;
    }
    virtual bool AskIpAddress() { return false; }
    virtual bool AskTcpPort() { return false; }
    // The language window, opened for the menu item's capsule.
    virtual void OpenLanguageWindow(const cmcCellCapsule &capsule) { (void)capsule; }
    // A selection list at the cell `opening` addresses: the sheet
    // `sheetKey`, starting on its entry with the label `style` and the index
    // `current`. With a list tag the rows follow that list of the working
    // image (or the languages). The chosen entry comes back to the cell as
    // an answer; leaving the list answers nothing.
    virtual void OpenSelectionList(const cmcCellCapsule &opening, std::int32_t style,
                                   std::int32_t current, const std::string &sheetKey,
                                   const std::string &listTag)
    {
        (void)opening;
        (void)style;
        (void)current;
        (void)sheetKey;
        (void)listTag;
    }
    // A window that edits the value of the cell `opening` addresses; it
    // answers the cell like a selection list.
    virtual void OpenCellWindow(const cmcCellCapsule &opening, const CodecOpen &window)
    {
        (void)opening;
        (void)window;
    }
    // The adjustment read, starting with its password dialog.
    virtual void StartAdjustRead() {}
    // Opens the sheet of a call text "[class]sheet key,parameters".
    virtual void OpenSheet(const std::string &callText) { (void)callText; }
    // The help file at its table of contents.
    virtual void ShowHelpContents(const std::string &path) { (void)path; }
    // The help of one context of the help file, in a small window at the
    // mouse cursor.
    virtual void ShowHelpContext(const std::string &path, int context)
    {
        (void)path;
        (void)context;
    }
    virtual void CopyToClipboard(const std::string &text) { (void)text; }
    // A folder in the desktop's file manager.
    virtual void OpenFolder(const std::string &path) { (void)path; }
    // The main menu's builder when the menu has an edit entry whose submenu
    // is empty (so that it can be given the no-item entry); null otherwise.
    virtual void *MainMenuWithEmptyEditEntry() { return nullptr; }
    // The main window takes no input while a clone operation runs.
    virtual void EnableMainWindow(bool enabled) { (void)enabled; }
    virtual void FocusMainWindow() {}
    // The clone information window (sheet "GI_Sheet_CloneInfo") after a
    // successful ID read.
    virtual void ShowCloneInfoWindow() {}

    // An edit changed the image: the warning check runs a little later.
    virtual void ArmWarningCheck() {}
    // The warning check's result on the navigation tree: every node whose
    // sheet call text is on a list, and its collapsed ancestors, get the
    // error or the warning mark; an error mark replaces a warning mark.
    virtual void MarkTree(const std::vector<std::string> &errors,
                          const std::vector<std::string> &warnings)
    {
        (void)errors;
        (void)warnings;
    }
};
