#pragma once

#include "sheets/SheetFonts.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetSelection.h"

#include <QObject>
#include <QPoint>

#include <QSize>
#include <functional>
#include <memory>

#include <string>
#include <vector>

class cuiGrid;
class cuiImageList;
class QFrame;
class QImage;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class SheetCellEditor;
class SheetCellPainter;
class SheetGridSurface;
class SheetInput;
struct cmcEvent;

// A sheet on screen (or on paper): the engine of SheetLayout built onto an
// owner-drawn grid in the given container, with a title bar when the style
// asks for one, the cell drawing, the user's keys and mouse, the in-place
// editor, multi-selection, the context menu and the events sheets answer.
//
// Every user action reaches the cell handler through ActionRequest. The
// sheet registers with the event manager for its whole life.
class cuiSheet : public QObject, public SheetLayout
{
    Q_OBJECT

public:
    // Fills the grid's popup menu with the context menu of that name; each
    // chosen item calls onCommand with the item's label. The returned object
    // lives until the context menu changes; kEvRebuildSubmenu hands its
    // address to the menus so that the main menu's edit entry shares the
    // items. Sheets use
    // the menus' own builder (cuiMenu) unless a factory replaces it.
    using ContextMenuFactory = std::function<std::shared_ptr<void>(
        QMenu &popup, const std::string &menuName, std::function<void(std::int32_t)> onCommand)>;

    static constexpr int kEditorMaxLength = 1024;
    static constexpr int kPageStep = 10;
    // Left and Right at the edge of the selectable cells.
    static constexpr std::int32_t kCodeLeftEdge = 0x2500;
    static constexpr std::int32_t kCodeRightEdge = 0x2700;
    // The pauses between the first auto-repeats; later ones do not wait.
    static constexpr int kRepeatWaitsMs[] = {30, 24, 18, 12, 6};

    // Images of the image list the sheet draws its marks from.
    static constexpr int kWarningImage = 10;
    static constexpr int kErrorImage = 11;

    // The container is where the sheet places its panels (it must outlive
    // the sheet); the origin capsule, when given, is copied. The images
    // (marks and menu icons; the tree's list) must outlive the sheet.
    cuiSheet(QWidget *container, const cmcCellCapsule *origin, std::int32_t initialLabel,
             std::int32_t initialIndex, cmcGTex &texts, const std::string &descriptor,
             const cuiImageList *images = nullptr);
    // Keeps the column widths (not when printing or in a selection list),
    // tells listeners the grid goes away (kEvControlClosing), frees the
    // panels.
    ~cuiSheet() override;
    // Builds the panels and the grid and places the cursor.
    void Show() override;

    // --- printing, before Show ---
    void SetPrinter(QPrinter *printer);
    // For the print preview: laid out for the printer's fonts at screen scale.
    void SetPrinterAndPreview(QPrinter *printer, QImage *bitmap);
    void SetPrintToPreview(bool on);
    QPrinter *Printer() const { return printer_; }

    // --- context menus ---
    // Replaces the menu builder (cuiMenu) of every sheet; empty restores it.
    static void SetContextMenuFactory(ContextMenuFactory factory);
    // This sheet's own, instead of the program's.
    void SetOwnContextMenuFactory(ContextMenuFactory factory);
    // The context menu the current cell has, as last built.
    const std::string &ContextMenuName() const { return menuName_; }
    // Rebuilds the context menu for the current cell and pops it up.
    void OpenContextMenu(QPoint globalPos);

    // --- the widgets (null before Show) ---
    // The grid's popup menu is made anew with each context menu.
    cuiGrid *Grid() const { return grid_; }
    QWidget *Container() const { return container_; }
    QMenu *PopupMenu() const { return popupMenu_; }
    QLabel *TitleLabel() const { return titleLabel_; }
    // Created on first use.
    QLineEdit *Editor() const;
    const cuiImageList *Images() const { return images_; }

    // --- interaction ---
    // Sends a key (code), a context-menu command or a typed text to the
    // handler for a cell, then follows the answer: a jump, the editor, a
    // redraw, auto-repeats, a range selection. In a selection list only
    // Enter (13 or 256) acts: the chosen entry goes to the cell that opened
    // the list, and the list's container is hidden.
    std::int32_t ActionRequest(int col, int row, std::int32_t code, std::int32_t command = 0,
                               const std::string *text = nullptr);
    // Over selectable cells (see SheetNavigation); false when the cursor did
    // not move.
    bool MoveCursor(int dx, int dy);
    // False when the cell may not become current. Without side effects the
    // multi-selection, status and context menu stay as they are.
    bool PutCursor(int col, int row, bool sideEffects = true);
    // Puts the cursor on the selectable cell with that identity.
    bool GoToCell(std::int32_t category, std::int32_t label, std::int32_t index);
    GridCoord CurrentCell() const;
    void OpenEditor(int col, int row);
    // Sends the editor's text to its cell (as typed text) when it is open.
    void CommitEditor(bool giveFocusBack = false);
    // Closes the editor without sending anything.
    void HideEditor(bool giveFocusBack);
    bool EditorActive() const;
    // Every column (row) plus the frame around the grid: the size a
    // window needs to show the whole sheet.
    int RequiredWidth() const;
    int RequiredHeight() const;
    const SheetSelection &Selection() const { return selection_; }
    void RemoveSelection();
    // Rebuilds the context menu when the current cell's differs (always
    // when forced) and tells the menus (kEvEmptySubmenu, kEvRebuildSubmenu,
    // kEvMenuStates).
    void UpdateContextMenu(bool force);
    // Invalidates the visible cells a redraw mask selects (the capsule's
    // redraw callback).
    void RedrawMatching(const cmcCellObj &addressed, std::uint32_t mask);
    bool GridFocused() const { return focused_; }
    // Tests replace the blocking pause between auto-repeats.
    void SetRepeatWait(std::function<void(int ms)> wait) { repeatWait_ = std::move(wait); }
    // kEvStatusText with an empty text.
    static void ClearStatus();

    // A cell whose text did not fit when it was painted; a sheet notes them
    // only while asked to (the font-size checks).
    struct ClippedText {
        int col = 0;
        int row = 0;
        std::string text;
        // What the text needs and what the cell has, in pixels.
        QSize needed;
        QSize room;
    };
    void NoteClippedTexts(bool note)
    {
        noteClipped_ = note;
        clipped_.clear();
    }
    const std::vector<ClippedText> &ClippedTexts() const { return clipped_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class SheetCellPainter;
    friend class SheetInput;

    static void onEvent(void *object, const cmcEvent &event);
    static void redrawThunk(void *context, const cmcCellCapsule &capsule, std::uint32_t mask);
    static void editorThunk(void *context, const cmcCellCapsule &capsule, bool keepClosed);
    static void contextMenuClick(void *context, const cmcCellObj &itemCell);
    std::shared_ptr<void> buildContextMenu(const std::string &name);
    void dropContextMenu();
    void handleEvent(const cmcEvent &event);
    void answerCurrentCell(const cmcEvent &event);

    void build();
    void removePanels();
    void createTitlePanel();
    void styleTitle();
    void createGridPanel();
    void placeInitialCursor();
    void connectGrid();
    void disconnectGrid();
    void setPrinting(QPrinter *printer, QPaintDevice *fontDevice, bool toPreview);

    void fillCapsule(cmcCellCapsule &capsule, GridCoord cell, const QRect &rect, std::int32_t code,
                     std::int32_t command, const std::string *text);
    void answerOrigin(cmcCellCapsule &capsule);
    void followRange(const cmcCellCapsule &capsule);
    void selectCell(int col, int row, bool &allowed);
    void currentCellChanging(GridCoord from, GridCoord to);
    void updateMultiSelection(GridCoord from, GridCoord to);
    void updateContextMenuFor(GridCoord cell, bool force);
    void menuCommand(std::int32_t label);
    void focusGained();
    void focusLost();
    void colWidthsChanged();
    void invalidateRow(int row);
    void reopenEditor(const cmcCellCapsule &capsule, bool keepClosed);
    // The handler's text and selection into the open editor.
    void fillEditor(const cmcCellCapsule &capsule);
    void editorFocusLost();
    QRect joinedRect(int col, int row) const;

    QWidget *container_;
    const cuiImageList *images_;
    QFrame *titlePanel_ = nullptr;
    QLabel *titleLabel_ = nullptr;
    QFrame *gridPanel_ = nullptr;
    cuiGrid *grid_ = nullptr;
    QMenu *popupMenu_ = nullptr;
    SheetCellEditor *editor_ = nullptr;
    bool built_ = false;

    QPrinter *printer_ = nullptr;
    QImage *previewBitmap_ = nullptr;

    SheetFonts fonts_;
    std::unique_ptr<SheetGridSurface> surface_;
    SheetSelection selection_;
    std::unique_ptr<SheetCellPainter> painter_;
    bool noteClipped_ = false;
    std::vector<ClippedText> clipped_;
    std::unique_ptr<SheetInput> input_;

    ContextMenuFactory ownMenuFactory_;
    std::shared_ptr<void> menuBuilder_;
    std::string menuName_;

    // Where keyboard moves want to stay when they must leave a line.
    GridCoord navRemembered_;
    GridCoord editing_;
    bool programmaticMove_ = false;
    bool dragExtends_ = false;
    bool editorClosing_ = false;
    bool focused_ = false;
    // The modifiers of the input event being handled.
    Qt::KeyboardModifiers modifiers_;
    std::function<void(int ms)> repeatWait_;
};
