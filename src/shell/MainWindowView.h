#pragma once

#include "cells/CellHandler.h"
#include "mainframe/SheetHistory.h"
#include "mainframe/StatusPanel.h"
#include "mainframe/cuiMainView.h"
#include "platform/cmcTick.h"

#include <QFrame>
#include <QPointer>
#include <QSplitter>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CloneProgressWindow;
class cuiHtmlHelp;
class cuiLanguage;
class QFileDialog;
class QWidget;
class TForm1;
class cuiMenu;
class cuiPrinter;
class cuiSheet;
class cuiToolBar;
class iuiTree;
class cmcTask;
class cmcCellObj;
class indMain;
struct cmcEvent;

// The main window's side of the main frame: it builds the window the frame
// describes (menu bar, tool bar, tree panel, splitter, sheet panel, status
// bar), opens and closes sheets with their remembered positions, runs the
// 50 ms tick, asks the user through the file and option dialogs, and shows
// the About box, the status messages and the "Cloning" window.
class MainWindowView : public cuiMainView
{
public:
    static constexpr int kTickMs = 50;
    static constexpr int kWarningDelayMs = 250;
    static constexpr int kSplitterWidth = 3;
    static constexpr int kSplitterMinimum = 8;

    // Shows a file dialog; tests answer instead of the user.
    using FileChooser = std::function<bool(QFileDialog &dialog, std::string &path)>;

    MainWindowView(TForm1 &form, indMain &model);
    ~MainWindowView() override;
    MainWindowView(const MainWindowView &) = delete;
    MainWindowView &operator=(const MainWindowView &) = delete;

    // --- what the frame asks of its window ---
    void SetTitle(const std::string &title) override;
    void SetBusyCursor(bool busy) override;
    void EndCellEdit() override;
    void CloseCurrentSheet() override;
    void BuildWindow() override;
    void RebuildTree() override;
    // The menu builder is replaced; the old one's items go with it.
    void RebuildMainMenu() override;
    void AppendToFirstTreeNode(const std::string &text) override;
    bool ChooseFileToOpen(const FileDialog &dialog, std::string &path) override;
    bool ChooseFileToSave(const FileDialog &dialog, std::string &path) override;
    bool AskClonePassword() override;

    // --- the window's own work ---
    // The periodic tick starts once the window is built and shown.
    void StartTicking();
    void StopTicking();
    // One round of the periodic tick: the selected sheet opens when none is
    // open, and the warning check runs once its delay after an edit is over.
    void Tick();
    // An edit changed the image: the warning check runs a little later.
    void ArmWarningCheck() override;
    void MarkTree(const std::vector<std::string> &errors,
                  const std::vector<std::string> &warnings) override;
    // The close query: false keeps the program running. On yes, the window's
    // placement and the tree's width go into the settings.
    bool QueryClose();
    // The form is going away: no more ticks, no sheet, no tree.
    void FormDestroying();
    // The maker panel appears once the maker mode is on.
    void RefreshMakerPanel();
    void ShowAboutBox();
    void ShowStatus(const std::string &text, std::uint32_t textColour, std::uint32_t background);
    // The COM port dialog forms 0 to 2, the bridge's address and port.
    bool AskComPort(int form) override;
    bool AskIpAddress() override;
    bool AskTcpPort() override;
    void CloseMainWindow() override;
    void ShowToolBar(bool visible) override;
    // Opens the sheet of a call text "[class]sheet key,parameters".
    void OpenSheet(const std::string &callText) override;
    // The main menu's builder while its edit entry has no items; null
    // otherwise.
    void *MainMenuWithEmptyEditEntry() override;
    bool CanPrintCurrentSheet() override;
    // The print preview, then the pages; "all" goes through every sheet of
    // the navigation tree, one per tick of the printer's task.
    void PrintCurrentSheet() override;
    void PrintAllSheets() override;
    // The call texts of the tree's sheets, in node order.
    std::vector<std::string> TreeCallTexts() const;
    // During a clone operation the window takes no input; the "Cloning"
    // window stays usable.
    void EnableMainWindow(bool enabled) override;
    void FocusMainWindow() override;
    void ShowCloneInfoWindow() override;
    // The language window over the main window; its OK switches the program
    // to the chosen language.
    void OpenLanguageWindow(const cmcCellCapsule &capsule) override;
    // The list opens below the cell of the capsule's grid.
    void OpenSelectionList(const cmcCellCapsule &opening, std::int32_t style, std::int32_t current,
                           const std::string &sheetKey, const std::string &listTag) override;
    // The flag bits and formatted text windows at the cell; the cell editor
    // window is not built yet and opens nothing.
    void OpenCellWindow(const cmcCellCapsule &opening, const CodecOpen &window) override;
    // Through the help bridge, which reports what it cannot show.
    void ShowHelpContents(const std::string &path) override;
    void ShowHelpContext(const std::string &path, int context) override;
    cuiHtmlHelp &HtmlHelp() { return *htmlHelp_; }
    void CopyToClipboard(const std::string &text) override;
    void OpenFolder(const std::string &path) override;

    // The cell handler every menu, button and tree node of the window asks.
    static void SetCellHandler(cmcCellHandler handler);
    static cmcCellHandler CellHandler();

    // Creates the dialog the frame's description asks for, without showing it.
    static std::unique_ptr<QFileDialog> CreateFileDialog(QWidget *parent, const FileDialog &dialog,
                                                         bool forSaving);
    void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // Called after the title or the document's state may have changed.
    void SetStateObserver(std::function<void()> observer) { observer_ = std::move(observer); }

    // --- parts of the window ---
    QFrame *LeftPanel() const { return leftPanel_; }
    QFrame *RightPanel() const { return rightPanel_; }
    QSplitter *Splitter() const { return splitter_; }
    StatusPanel *Status() const { return status_; }
    StatusPanel *MakerPanel() const { return makerPanel_; }
    cuiMenu *MainMenu() const { return menu_.get(); }
    // The language window while it is open.
    cuiLanguage *LanguageWindow() const;
    // The sheet on show, null while none is; its call text.
    cuiSheet *CurrentSheet() const { return sheet_.get(); }
    const std::string &CurrentCallText() const { return openCallText_; }
    cuiToolBar *ToolBar() const { return toolBar_.get(); }
    iuiTree *Tree() const { return tree_.get(); }
    // Made with the window; null before.
    cuiPrinter *Printer() const { return printer_.get(); }
    CloneProgressWindow &ProgressWindow();
    const SheetHistory &History() const { return history_; }
    bool BusyCursorShown() const { return busy_; }
    bool WarningCheckArmed() const { return warningArmed_; }

private:
    static void onEvent(void *object, const cmcEvent &event);
    static void onTick(void *context, cmcTask *task);
    void handleEvent(const cmcEvent &event);
    bool askOption(int kind);
    void buildMenuAndToolBar();
    std::unique_ptr<cuiMenu> buildMainMenu();
    void buildPanels();
    void buildStatusBar();
    void treeSelectionChanged(const cmcCellObj *cell);
    void rebuildChannelBranch();
    void destroyTree();
    // A sheet of the class the call text names.
    std::unique_ptr<cuiSheet> createSheet(QWidget *container, const std::string &callText);
    void openSelectedSheet();
    void disposeRetiredSheets();
    bool chooseFile(const FileDialog &dialog, bool forSaving, std::string &path);
    void notifyObserver();

    TForm1 &form_;
    indMain &model_;
    QPointer<QWidget> central_;
    QPointer<QSplitter> splitter_;
    QPointer<QFrame> leftPanel_;
    QPointer<QFrame> rightPanel_;
    QPointer<StatusPanel> status_;
    QPointer<StatusPanel> makerPanel_;
    std::unique_ptr<cuiMenu> menu_;
    std::unique_ptr<cuiToolBar> toolBar_;
    std::unique_ptr<iuiTree> tree_;
    std::unique_ptr<CloneProgressWindow> progress_;
    std::unique_ptr<cuiPrinter> printer_;
    std::unique_ptr<cuiHtmlHelp> htmlHelp_;
    QPointer<cuiLanguage> languageWindow_;
    cmcTask *task_ = nullptr;
    cmcTick warningCountdown_;
    bool warningArmed_ = false;
    bool busy_ = false;
    SheetHistory history_;
    std::unique_ptr<cuiSheet> sheet_;
    // Each sheet lays its panels out in a container of its own.
    QPointer<QWidget> sheetContainer_;
    // Sheets closed while one of their own calls may still be running; they
    // go on the next tick.
    struct Retired {
        std::unique_ptr<cuiSheet> sheet;
        QPointer<QWidget> container;
    };
    std::vector<Retired> retired_;
    bool focusWasOnSheet_ = false;
    // The call text of the sheet on show; empty while none is.
    std::string openCallText_;
    FileChooser chooser_;
    std::function<void()> observer_;
};
