#pragma once

#include "cells/CellHandler.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "sheets/GridCoord.h"
#include "sheets/SheetDescriptor.h"
#include "sheets/SheetPlainSurface.h"
#include "sheets/SheetStyle.h"
#include "sheets/clsSheetCellId.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class cmcGTex;
class SheetModelFacts;

// The engine of a sheet without any window: it reads the sheet's three keys
// of the text database ("_Style", "_BasicCell", "_Cells"), applies the style
// and the directives, builds the rows in two passes (row list first, then
// one parsed cell per grid cell) and sizes columns and rows onto a surface.
// The desktop sheet derives from it and builds onto its grid; the
// command-line tool builds onto plain numbers.
//
// The virtual operations are the sheet's, in slot order; sheets of the model
// override them and call the base version for what they do not handle.
class SheetLayout
{
public:
    // A position to restore; -1 each when none.
    struct Position {
        int col = -1;
        int row = -1;
        int leftCol = -1;
        int topRow = -1;
    };

    // How a printed sheet relates to the screen it was laid out for.
    struct PrintMetrics {
        // Printer vertical resolution / screen resolution; 1.0 for the preview.
        double printScale = 1.0;
        // Printer font resolution / screen resolution.
        double fontResolutionRatio = 1.0;
        // The printing canvas's font size in points.
        int canvasFontSize = 10;
        // Drawn into the preview bitmap rather than on the printer.
        bool toPreview = false;
    };

    static constexpr int kScreenColWidth = 1;
    static constexpr int kScreenRowHeight = 1;
    // Column widths on screen stay within these.
    static constexpr int kMinColWidth = 10;
    static constexpr int kMaxColWidth = 650;
    // More rows than any list of the model can fill: a loop count beyond
    // this is a fault of the sheet's text.
    static constexpr int kMaxRows = 65536;

    SheetLayout(cmcGTex &texts, const std::string &descriptor, const cmcCellCapsule *origin,
                std::int32_t initialLabel, std::int32_t initialIndex);
    SheetLayout(const SheetLayout &) = delete;
    // Whether the texts hold all three keys of the sheet the descriptor calls.
    static bool InTexts(cmcGTex &texts, const std::string &descriptor);
    SheetLayout &operator=(const SheetLayout &) = delete;

    // --- virtual operations, in slot order ---
    virtual ~SheetLayout();
    // Keeps the text after the descriptor's first comma.
    virtual void SetTag(const std::string &tag);
    // Builds the sheet (here: without a window).
    virtual void Show();
    // One property of the "_Style" key.
    virtual void ApplyStyleProperty(std::string_view property);
    // One parenthesised directive of a ':' line of the cells key.
    virtual void ApplyDirective(std::string_view directive);
    // Base cell, first pass, cell slots, second pass.
    virtual void BuildGrid();
    virtual void ParseBaseCell();
    // The row list and the column count.
    virtual void FirstPass();
    // The cells of every row, the sizes, the stored column widths.
    virtual void SecondPass();
    // Before each row of the second pass.
    virtual void RowHook(int row);
    // Before each cell of the second pass.
    virtual void CellHook(int col, int row);
    virtual std::string TitleText();
    // False when the style says "NoPrint".
    virtual bool CanPrint();
    // Asked once more before the pages go out; the same as CanPrint here.
    virtual bool AgreesToPrint();
    virtual void LoadColWidths();
    virtual void SaveColWidths();

    // --- set-up, before Show ---
    // Sheets without a handler of their own use the model cell handler
    // (which needs the installed model object).
    void SetHandler(cmcCellHandler handler, indActiveCell *context);
    static cmcCellHandler ModelHandler();
    void SetPopupMode(bool on) { popupMode_ = on; }
    // Switches to printing with these metrics.
    void SetPrintMetrics(const PrintMetrics &metrics);
    // A font height for printing (negative = pixels); 0 = none.
    void SetFontHeightOverride(int height) { fontHeightOverride_ = height; }
    // Below 1: the program's display font percentage.
    void SetDisplayFontPercentage(int percentage) { fontPercentage_ = percentage; }
    void SetRememberedPosition(const Position &position) { remembered_ = position; }
    // The surface the build sizes (not owned); nullptr: plain numbers.
    void SetSurface(SheetSurface *surface);
    // Not owned; nullptr: the installed answers.
    void SetModelFacts(const SheetModelFacts *facts) { facts_ = facts; }
    // The command-line tool reads sheets without touching the user's widths.
    void SetWidthsPersistent(bool on) { widthsPersistent_ = on; }
    // The next build forgets every stored width instead of loading them.
    void RequestWidthReset() { resetWidths_ = true; }

    // --- what the descriptor, the style and the build gave ---
    const SheetDescriptor &Descriptor() const { return descriptor_; }
    const std::string &Prefix() const { return descriptor_.prefix; }
    const std::string &Tag() const { return descriptor_.tag; }
    const std::string &SaveName() const { return descriptor_.saveName; }
    const SheetStyle &Style() const { return style_; }
    bool PopupMode() const { return popupMode_; }
    bool Printing() const { return printing_; }
    const PrintMetrics &Print() const { return print_; }
    // 1.0 on screen.
    double PrintScale() const { return printing_ ? print_.printScale : 1.0; }
    bool Building() const { return building_; }
    std::int32_t InitialLabel() const { return initialLabel_; }
    std::int32_t InitialIndex() const { return initialIndex_; }
    const Position &RememberedPosition() const { return remembered_; }
    cmcGTex &Texts() { return texts_; }
    SheetSurface &Surface() { return *surface_; }
    const SheetSurface &Surface() const { return *surface_; }

    int ColCount() const { return colCount_; }
    // The rows shown (the surface's); cell slots may exist beyond them.
    int RowCount() const { return surface_->RowCount(); }
    // Rows with cell slots.
    int SlotRows() const { return slotRows_; }
    const std::vector<clsSheeRowAtr> &Rows() const { return rows_; }
    // Style values capped to the grid: at most count - 1.
    int FixedCols() const;
    int FixedRows() const;
    // The smallest column and row holding a selectable cell; the counts
    // when none.
    GridCoord FirstSelectable() const { return firstSelectable_; }

    // A slot outside the grid is a fault of the sheet's text or code: it
    // ends the program ("Illegal Cell selection").
    clsSheetCellId &Slot(int col, int row);
    const clsSheetCellId &Slot(int col, int row) const;
    cmcCellObj &CellAt(int col, int row) { return Slot(col, row).cell; }
    const cmcCellObj &CellAt(int col, int row) const { return Slot(col, row).cell; }
    // False outside the grid.
    bool HasSlot(int col, int row) const;
    bool IsSelectable(int col, int row) const;
    const cmcCellObj &BaseCell() const { return baseCell_; }
    // The font a cell is drawn with: its own, an ancestor's or a default.
    const CellFont &FontOf(const cmcCellObj &cell) const;
    std::int32_t *ChannelCounters() { return counters_.data(); }
    // The first selectable cell with this identity, in row then column
    // order; (-1, -1) when there is none.
    GridCoord FindCell(std::int32_t category, std::int32_t label, std::int32_t index) const;
    // Where the cursor starts: the initial label's cell when one is given,
    // else (-1, -1).
    GridCoord InitialCell() const;

    // --- the cell handler ---
    cmcCellHandler Handler() const { return handler_; }
    indActiveCell *HandlerContext() { return handlerContext_; }
    const cmcCellCapsule *OriginCapsule() const { return origin_.get(); }
    cmcCellCapsule *OriginCapsule() { return origin_.get(); }
    // Calls the handler; 0 when there is none.
    std::int32_t CallHandler(cmcCellCapsule &capsule, std::int32_t mode);
    // What a cell shows: the handler's text for a labelled cell (a draw
    // request), its static text otherwise. The handler works on `look`, a
    // copy of the cell, so that what it changes for this one drawing
    // (alignment, a silver font) does not stay with the cell. `capsule` is
    // reset and left holding the answer (marks, mark position). Without a
    // handler labelled cells show their static text.
    std::string CellText(int col, int row, cmcCellCapsule &capsule, cmcCellObj &look,
                         std::uint8_t stateBits);

    // The columns whose widths are stored: those whose cell in the first
    // non-fixed row is selectable.
    bool KeepsWidthOf(int col) const;
    // Keeps every stored column between the minimum and `limit`.
    void ClampColWidths(int limit);
    // The limit while the user changes widths on screen: the client width
    // minus the fixed columns, at most the maximum, at least the minimum.
    int ScreenWidthLimit() const;
    bool LoadingWidths() const { return loadingWidths_; }

protected:
    // The build without a window: the style, then BuildGrid.
    void BuildLayout();
    // A build starts from the defaults of the style and from counters at
    // zero, so that building again gives the same sheet.
    void BeginBuild();
    // Reads the "_Style" key and applies each parenthesised property
    // (ApplyStyleProperty).
    void ApplyStyle();
    // The base sheet's directives; what ApplyDirective does unless
    // overridden.
    void ApplyBaseDirective(std::string_view directive);
    // Default cells for `rows` rows of the current column count.
    void AllocateCellSlots(int rows);
    // Screen: 1 pixel; printing: the printer's pixels per screen pixel.
    void SetDefaultSizes();
    // Rows beyond the shown ones, from `from` to the last slot row, become
    // copies of the row above with the index counted up (lists that grow).
    void FillRowsFromAbove(int from);
    // The parsed row's cells sized and their selectability noted.
    void NoteNewCell(int col, int row);
    void NoteSlotBits(int col, int row);
    // Makes the loop body rows repeat when a directive line closed a loop.
    void CloseLoopIfComplete();
    std::string CellsKey() const { return descriptor_.prefix + "_Cells"; }
    int DisplayFontPercentage() const;
    // A column width as the settings keep it (at 100 %) and as it is shown.
    int StoredWidth(int width) const;
    int ShownWidth(int stored) const;
    void FitJoinedTexts();

    cmcGTex &texts_;
    SheetDescriptor descriptor_;
    SheetStyle style_;

    // First-pass state.
    int skipCount_ = 0;
    int loopStart_ = -1;
    int loopEnd_ = -1;
    int loopCount_ = 0;
    int loopBodyRows_ = 0;
    bool selectFlag_ = true;
    int currentLine_ = 0;

    std::vector<clsSheeRowAtr> rows_;
    int colCount_ = 0;
    cmcCellObj baseCell_;
    std::array<std::int32_t, cmcCellObj::kChannelCounterCount> counters_{};
    std::vector<clsSheetCellId> slots_;
    int slotRows_ = 0;
    GridCoord firstSelectable_;

    // Set while the sheet is shown (built); nothing is drawn meanwhile.
    bool building_ = false;

    // What the directives ask about the model: the facts given to this
    // sheet, else the installed ones.
    const SheetModelFacts &facts() const;

private:
    template <typename Each>
    static void forEachParenthesised(std::string_view text, Each each);
    void parseRowCells(int row);
    void copyRowFromAbove(int row);
    void persistWidths();
    void loadPrintedWidths(const std::string &registryName);

    const SheetModelFacts *facts_ = nullptr;
    std::int32_t initialLabel_;
    std::int32_t initialIndex_;
    std::unique_ptr<cmcCellCapsule> origin_;
    cmcCellHandler handler_ = nullptr;
    indActiveCell ownContext_;
    indActiveCell *handlerContext_ = &ownContext_;
    bool popupMode_ = false;
    bool printing_ = false;
    PrintMetrics print_;
    int fontHeightOverride_ = 0;
    int fontPercentage_ = 0;
    Position remembered_;
    SheetPlainSurface plainSurface_;
    SheetSurface *surface_ = &plainSurface_;
    bool widthsPersistent_ = true;
    bool resetWidths_ = false;
    bool loadingWidths_ = false;
    // Widths as the build computed them: printed widths never exceed them.
    std::vector<int> builtWidths_;
};
