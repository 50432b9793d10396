#pragma once

#include "cells/CellCodec.h"
#include "cells/CellHandler.h"
#include "cells/cmcCellCapsule.h"
#include "channels/datCh.h"

#include <cstdint>
#include <string>

class cmcCellCapsule;
class cmcCellObj;
class cmcFCache;
class CellBindingRegistry;
class CellHost;
struct CellBinding;

// The model cell handler. Sheets, menus, the tool bar and the check list
// never touch the working image: they fill a capsule and call Handle, which
// works out what the addressed cell means and answers in the capsule.
//
// One object lives for one call and carries its state through the stages:
// the set-up decodes the cell's record and asks the sheets for the current
// bank and table, the command stage serves context-menu commands, the
// category stage redirects keys typed on empty rows, the label dispatch runs
// the row that binds the label (CellBindingRegistry), and the finish
// redraws and calls the change hooks. Rows read the request and the records
// from here and answer through the helpers below.
class indCellHandler
{
public:
    // The function to hand to sheets, menus and the tool bar
    // (cmcCellHandler), with the installed host's bindings. Needs the
    // installed host.
    static std::int32_t Handle(indActiveCell *context, cmcCellCapsule &capsule, std::int32_t mode);
    // The same with another set of bindings.
    static std::int32_t HandleWith(const CellBindingRegistry &bindings, indActiveCell *context,
                                   cmcCellCapsule &capsule, std::int32_t mode);

    // The convenience forms: each builds a fresh capsule and context around
    // one cell (a copy; the cell itself is not changed) and asks in mode 0;
    // without bindings, with the host's.
    static std::int32_t ValueOf(const cmcCellObj &cell, std::int32_t code);
    static std::int32_t ValueOf(const cmcCellObj &cell, std::int32_t code,
                                const CellBindingRegistry &bindings);
    static std::string TextOf(const cmcCellObj &cell, std::int32_t code);
    static std::string TextOf(const cmcCellObj &cell, std::int32_t code,
                              const CellBindingRegistry &bindings);
    // Warning and error bits (cmcCellCapsule::kStateWarning, kStateError) of
    // the cell with this identity, in the bank its index falls into.
    static std::uint8_t MarksOf(std::int32_t category, std::int32_t label, std::int32_t index);
    static std::uint8_t MarksOf(std::int32_t category, std::int32_t label, std::int32_t index,
                                const CellBindingRegistry &bindings);
    // What Enter on the cell would open (a list, the editor, a window),
    // asked of the cell's row as a user's Enter, but nothing is opened: the
    // command line chooses a list entry by its text through it, also for
    // rows whose list depends on the model. The caller keeps the image
    // should the row do more on Enter than open something.
    static CodecOpen OpenedByEnter(const CellBindingRegistry &bindings, cmcCellCapsule &capsule);
    // The format cache that option cells read the selection sheets of the
    // main text database through; built anew when that database was opened
    // on another overlay.
    static cmcFCache &ProgramFormats();

    indCellHandler(const indCellHandler &) = delete;
    indCellHandler &operator=(const indCellHandler &) = delete;

    // --- The request (fixed by the set-up) ---
    cmcCellCapsule &capsule;
    const std::int32_t mode;
    cmcCellObj &cell;
    const std::int32_t category;
    const std::int32_t label;
    const std::int32_t index;
    // The program around the handler: the only way out of the cell layer.
    CellHost &host;

    // --- What the set-up found ---
    // The row of the cell's record table (or, for a context-menu cell, of
    // the cell it was opened for); kind 0 when the category has none.
    datCh record;
    std::int32_t unitIdMax = 0;
    std::int32_t unitIdMin = 0;
    // Current bank and table as the sheets answer them; the bank's channels
    // (all 0 for a bank the model does not have).
    std::int32_t bank = 0;
    std::int32_t table = 0;
    std::int32_t bankFirst = 0;
    std::int32_t bankLast = 0;
    std::int32_t bankCount = 0;
    // The index lies below the bank's last channel (the empty row).
    bool beyondEnd = false;

    // --- What the request produced ---
    std::uint32_t redrawMask = cmcCellCapsule::kRedrawSameCell;
    bool handled = false;
    std::int32_t result = 0;

    // The request's code (a key, 13 for Enter; 0 for a draw, text or state
    // request).
    std::int32_t Code() const { return code_; }
    bool IsEnter() const { return code_ == 13; }
    // Nothing to act on: a draw, text or menu state request.
    bool IsDraw() const;
    bool IsBlankRow() const { return blankRow_; }

    // The user flags of menu items and tool buttons.
    enum UserFlag : int {
        kUserFlagChecked = 0,
        kUserFlagHidden = 1,
        kUserFlagDisabled = 2,
        kUserFlagCaption = 3, // the caption comes from the cell text
    };
    void SetUserFlag(int flag, bool on);
    void SetCaption(const std::string &caption);
    void SetOutput(const std::string &text);
    void SetWarning();
    void SetError();
    // Draw requests only: the cell's text in silver.
    void ShowSilver();
    // The request as a value codec sees it.
    CodecRequest Request() const;
    // Carries out a codec's answer: the text, the look, the checked state
    // of a menu item and what the cell opens.
    void CarryOut(const CodecAnswer &answer);
    // A value that does not apply: "-", "---" or "----" centred, in silver.
    void ShowNotApplicable(const char *dashes);
    // Horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 middle,
    // 2 bottom.
    void Align(std::uint8_t horizontal, std::uint8_t vertical = 1);
    // Moves the cursor to `targetLabel` in the same row and repeats the key
    // there.
    void Redirect(std::int32_t targetLabel);
    void WidenRedraw(std::uint32_t bits) { redrawMask |= bits; }
    // A member of `record` was written back into the image.
    void NoteRecordChanged() { recordChanged_ = true; }
    // Brings the radio layout up to date after records were added, removed
    // or moved.
    void UpdateLayout();
    // For commands that may close the sheet that asked (opening a file or a
    // sheet, changing the model type): from here on the frame touches
    // neither the capsule nor its cell, and asks for no redraw.
    void LetGo();
    bool LetGoDone() const { return letGo_; }
    // A handler call for another cell within this one (marks of other cells).
    std::int32_t Nested(cmcCellCapsule &inner, std::int32_t innerMode);

private:
    indCellHandler(const CellBindingRegistry &bindings, indActiveCell *context,
                   cmcCellCapsule &capsule, std::int32_t mode, CellHost &host);

    std::int32_t Run();
    void SetUp();
    void ReadUnitIdLimits();
    void AskBankAndTable();
    void ResetAnswer();
    void ShowInColour(std::uint32_t colour);
    void Open(const CodecOpen &open);
    void CommandStage();
    void RunBlockCommand(std::int32_t command);
    void CopySerialNumber();
    void CategoryStage();
    void ChannelRows();
    void ListRows(int listKind, std::int32_t targetLabel);
    void BlankRow(std::int32_t targetLabel);
    void Dispatch();
    std::int32_t Finish();

    const CellBindingRegistry &bindings_;
    indActiveCell *context_;
    const CellBinding *row_ = nullptr;
    std::int32_t code_ = 0;
    std::uint32_t inputMode_ = 0;
    std::int32_t command_ = 0;
    // What the request carried when it arrived.
    bool carriedAction_ = false;
    bool recordChanged_ = false;
    bool blankRow_ = false;
    bool letGo_ = false;
    // Set while OpenedByEnter asks: what would open goes here instead.
    CodecOpen *probedOpen_ = nullptr;
};
