#pragma once

#include <string>

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

    // The main window takes no input while a clone operation runs.
    virtual void EnableMainWindow(bool enabled) { (void)enabled; }
    virtual void FocusMainWindow() {}
    // The clone information window (sheet "GI_Sheet_CloneInfo") after a
    // successful ID read.
    virtual void ShowCloneInfoWindow() {}
};
