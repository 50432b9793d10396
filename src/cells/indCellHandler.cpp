#include "cells/indCellHandler.h"

#include "cells/CellBinding.h"
#include "cells/CellBindingRegistry.h"
#include "cells/CellBlockOperation.h"
#include "cells/CellHost.h"
#include "cells/CellIdentifiers.h"
#include "cells/DrawPassRecords.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/PrintMode.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcFCache.h"
#include "platform/FatalError.h"
#include "platform/HexDigits.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

// The sheets' only bank in this model.
constexpr std::int32_t kAcceptedBank = 0;

// Columns that mean nothing for the group entries of a group-ID bank.
constexpr std::array<std::int32_t, 7> kGroupBankSilverLabels = {
    CL_Mch_FreqR,   CL_Mch_FreqT,   CL_Mch_TxInh,  CL_Mch_Nar,
    CL_Mch_CTone_R, CL_Mch_CTone_T, CL_Mch_Lockout};

bool isBlockCommand(std::int32_t command)
{
    return command >= CL_PMenu_Copy && command <= CL_PMenu_Insert;
}

CellHost &requireHost()
{
    CellHost *host = cellHost();
    if (host == nullptr)
        platform::fatalError("The cell handler was called before the model object exists.");
    return *host;
}

std::int32_t decimalLine(const char *key)
{
    return static_cast<std::int32_t>(
        std::strtol(mainTextDatabase().GetFirstLine(key).c_str(), nullptr, 10));
}

// Asks in mode 0 about a copy of `cell`, leaving the answer in `capsule`.
std::int32_t askAbout(const cmcCellObj &cell, std::int32_t code,
                      const CellBindingRegistry &bindings, cmcCellCapsule &capsule,
                      indActiveCell *context = nullptr)
{
    cmcCellObj copy(cell);
    capsule.cell = &copy;
    capsule.code = code;
    indActiveCell fresh;
    const std::int32_t result = indCellHandler::HandleWith(
        bindings, context != nullptr ? context : &fresh, capsule, kHandlerDraw);
    capsule.cell = nullptr;
    return result;
}

} // namespace

cmcFCache &indCellHandler::ProgramFormats()
{
    // A new language reopens the main text database on another overlay;
    // texts cached from the old one would stay in the old language.
    static std::unique_ptr<cmcFCache> formats;
    static std::string overlay;
    cmcGTex &texts = mainTextDatabase();
    if (!formats || overlay != texts.fileName()) {
        formats = std::make_unique<cmcFCache>(texts);
        overlay = texts.fileName();
    }
    return *formats;
}

std::int32_t indCellHandler::Handle(indActiveCell *context, cmcCellCapsule &capsule,
                                    std::int32_t mode)
{
    return HandleWith(requireHost().Bindings(), context, capsule, mode);
}

std::int32_t indCellHandler::HandleWith(const CellBindingRegistry &bindings, indActiveCell *context,
                                        cmcCellCapsule &capsule, std::int32_t mode)
{
    if (capsule.cell == nullptr)
        return kHandlerNothing;
    indCellHandler frame(bindings, context, capsule, mode, requireHost());
    return frame.Run();
}

CodecOpen indCellHandler::OpenedByEnter(const CellBindingRegistry &bindings,
                                        cmcCellCapsule &capsule)
{
    CodecOpen opened;
    if (capsule.cell == nullptr)
        return opened;
    capsule.code = cmcCellCapsule::kCodeEnter;
    indActiveCell context;
    indCellHandler frame(bindings, &context, capsule, kHandlerAction, requireHost());
    frame.probedOpen_ = &opened;
    frame.Run();
    return opened;
}

std::int32_t indCellHandler::ValueOf(const cmcCellObj &cell, std::int32_t code)
{
    return ValueOf(cell, code, requireHost().Bindings());
}

std::int32_t indCellHandler::ValueOf(const cmcCellObj &cell, std::int32_t code,
                                     const CellBindingRegistry &bindings)
{
    cmcCellCapsule capsule;
    return askAbout(cell, code, bindings, capsule);
}

std::string indCellHandler::TextOf(const cmcCellObj &cell, std::int32_t code)
{
    return TextOf(cell, code, requireHost().Bindings());
}

std::string indCellHandler::TextOf(const cmcCellObj &cell, std::int32_t code,
                                   const CellBindingRegistry &bindings)
{
    cmcCellCapsule capsule;
    askAbout(cell, code, bindings, capsule);
    return capsule.outputText;
}

std::uint8_t indCellHandler::MarksOf(std::int32_t category, std::int32_t label, std::int32_t index)
{
    return MarksOf(category, label, index, requireHost().Bindings());
}

std::uint8_t indCellHandler::MarksOf(std::int32_t category, std::int32_t label, std::int32_t index,
                                     const CellBindingRegistry &bindings)
{
    cmcCellObj cell;
    cell.category = category;
    cell.label = label;
    cell.index = index;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.bank = datCh(&requireHost().WorkingImage()).bankOfChannel(index);
    indActiveCell context;
    HandleWith(bindings, &context, capsule, kHandlerDraw);
    return capsule.stateBits & (cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError);
}

indCellHandler::indCellHandler(const CellBindingRegistry &bindings, indActiveCell *context,
                               cmcCellCapsule &request, std::int32_t requestMode, CellHost &program)
    : capsule(request), mode(requestMode), cell(*request.cell), category(request.cell->category),
      label(request.cell->label), index(request.cell->index), host(program),
      record(&program.WorkingImage()), bindings_(bindings), context_(context)
{}

std::int32_t indCellHandler::Run()
{
    SetUp();
    if (command_ != 0)
        CommandStage();
    CategoryStage();
    Dispatch();
    return Finish();
}

// --- Set-up ---------------------------------------------------------------

void indCellHandler::SetUp()
{
    ReadUnitIdLimits();
    const int kind = cellRecordTable(category);
    // A draw request with a code, an input or a command may act (a menu
    // click): like any other request it ends the reuse of decoded records.
    const bool drawOnly = mode == kHandlerDraw && capsule.code == 0 && capsule.command == 0 &&
                          capsule.inputMode == cmcCellCapsule::kInputKey;
    if (!drawOnly)
        DrawPassRecords::Forget();
    if (kind != datCh::kKindNone && drawOnly)
        DrawPassRecords::Decode(record, kind, index);
    else if (kind != datCh::kKindNone)
        record.decode(kind, index);
    AskBankAndTable();
    beyondEnd = index > bankLast || bankCount == 0;
    ResetAnswer();
    row_ = bindings_.Find(label);
}

void indCellHandler::ReadUnitIdLimits()
{
    unitIdMax = decimalLine("GI_AppUnitIdMax");
    unitIdMin = decimalLine("GI_AppUnitIdMin");
}

// A query nobody answers counts as bank 0 and table 0.
void indCellHandler::AskBankAndTable()
{
    cmcEvMan &events = eventManager();
    if (const cmcEvAns *answer = events.Query(kEvCurrentBank))
        bank = answer->code;
    if (const cmcEvAns *answer = events.Query(kEvCurrentTable))
        table = answer->code;
    if (bank != kAcceptedBank)
        return;
    bankFirst = record.bankFirstChannel(bank);
    bankCount = record.bankChannelCount(bank);
    bankLast = bankFirst + bankCount - 1;
}

void indCellHandler::ResetAnswer()
{
    capsule.outputText.clear();
    capsule.dotMatrix.reset();
    capsule.stateBits &=
        static_cast<std::uint8_t>(~(cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError));
    capsule.jumpCategory = category;
    capsule.jumpLabel = label;
    capsule.jumpIndex = index;
    if (capsule.code == cmcCellCapsule::kCodeEnterAlias)
        capsule.code = cmcCellCapsule::kCodeEnter;
    code_ = capsule.code;
    inputMode_ = capsule.inputMode;
    command_ = capsule.command;
    carriedAction_ = code_ != 0 || inputMode_ != cmcCellCapsule::kInputKey || command_ != 0;
}

// --- Command stage --------------------------------------------------------

void indCellHandler::CommandStage()
{
    if (command_ == CL_PMenu_Edit) {
        capsule.code = code_ = cmcCellCapsule::kCodeEnter;
        capsule.command = command_ = 0;
        return;
    }
    if (isBlockCommand(command_)) {
        RunBlockCommand(command_);
    } else if (command_ == CL_PMenu_Help) {
        host.ShowCellHelp(capsule);
        handled = true;
    } else if (command_ == CL_PMenu_WinCopy && label == CL_CloneInfo_Esn) {
        CopySerialNumber();
        handled = true;
    }
}

// The usable rows: the bank's channels for memory channels, the entries in
// use for the growing ID lists, else the table's whole range.
void indCellHandler::RunBlockCommand(std::int32_t command)
{
    handled = true;
    CellBlockRange range;
    range.kind = record.kind;
    if (range.kind == datCh::kKindNone)
        return;
    if (range.kind == datCh::kKindChannelLmr || range.kind == datCh::kKindChannelPmr) {
        range.first = bankFirst;
        range.last = bankLast;
    } else if (range.kind == datCh::kKindDigInd || range.kind == datCh::kKindDigTg ||
               range.kind == datCh::kKindDpmrId) {
        range.first = 0;
        range.last = record.listCount(range.kind) - 1;
    } else {
        range.first = datCh::firstIndex(range.kind);
        range.last = datCh::lastIndex(range.kind);
    }
    if (runCellBlockOperation(*this, command, range)) {
        UpdateLayout();
        WidenRedraw(cmcCellCapsule::kRedrawLabelled);
    }
}

// The serial as its cell shows it: twelve hexadecimal digits, of which the
// first two and the next six are put on the clipboard in decimal.
void indCellHandler::CopySerialNumber()
{
    cmcCellCapsule inner;
    askAbout(cell, 0, bindings_, inner, context_);
    const std::string &serial = inner.outputText;
    if (serial.size() != 12 || !platform::isHexText(serial))
        return;
    const std::string_view digits(serial);
    char text[32];
    std::snprintf(text, sizeof text, "%02u%05u",
                  platform::hexNumber(digits.substr(0, 2)).value_or(0),
                  platform::hexNumber(digits.substr(2, 6)).value_or(0));
    host.CopyToClipboard(text);
}

// --- Category stage -------------------------------------------------------

void indCellHandler::CategoryStage()
{
    switch (category) {
    case CT_PopupMenu:
        if (capsule.origin != nullptr && capsule.origin->cell != nullptr) {
            const cmcCellObj &origin = *capsule.origin->cell;
            record.decode(cellRecordTable(origin.category), origin.index);
        }
        break;
    case CT_Mch:
        ChannelRows();
        break;
    case CT_DIG_Inv:
        ListRows(datCh::kKindDigInd, CL_Digi_Ind_Id_Dec);
        break;
    case CT_DIG_Tg:
        ListRows(datCh::kKindDigTg, CL_Digi_Grp_Id_Dec);
        break;
    case CT_DPMR_Inv:
        ListRows(datCh::kKindDpmrId, CL_Dpmr_Ind_Id_Dec);
        break;
    default:
        break;
    }
}

void indCellHandler::ChannelRows()
{
    if (code_ > 127 || handled)
        return;
    const bool groupBank = bank == kAcceptedBank && record.bankLtr(bank);
    if (groupBank) {
        for (std::int32_t silver : kGroupBankSilverLabels) {
            if (label == silver)
                ShowSilver();
        }
    }
    if ((beyondEnd || !record.isPresent()) && label != CL_Mch_Atr)
        BlankRow(groupBank ? CL_Grp_RxId : CL_Mch_FreqR);
}

void indCellHandler::ListRows(int listKind, std::int32_t targetLabel)
{
    if (code_ > 127 || handled)
        return;
    if (index >= record.listCount(listKind))
        BlankRow(targetLabel);
}

// A row without an entry shows nothing, and a key typed anywhere in it goes
// to the cell that creates the entry. That cell handles its own keys, and
// rows that speak for empty rows (row numbers) still show.
void indCellHandler::BlankRow(std::int32_t targetLabel)
{
    blankRow_ = true;
    if (code_ > 0) {
        if (label != targetLabel)
            Redirect(targetLabel);
        return;
    }
    if (!IsDraw() || (row_ != nullptr && (row_->flags & CellBinding::kShowsOnEmptyRow) != 0))
        return;
    capsule.outputText.clear();
    handled = true;
}

// --- Label dispatch and finish --------------------------------------------

void indCellHandler::Dispatch()
{
    if (handled || label == CL_Null || label == kNoLabel)
        return;
    if (row_ == nullptr) {
        char text[32];
        std::snprintf(text, sizeof text, "%d *Yet*", static_cast<int>(label));
        capsule.outputText = text;
    } else {
        (row_->run != nullptr ? row_->run : &CellBinding::RunValue)(*this, *row_);
    }
    // Marks other settings put on the cell, whoever binds it.
    if (mode == kHandlerDraw && IsDraw() && bindings_.Marks() != nullptr)
        capsule.stateBits |= bindings_.Marks()(host, label, index);
}

std::int32_t indCellHandler::Finish()
{
    if (recordChanged_)
        redrawMask |= cmcCellCapsule::kRedrawSameIndex;
    if (!letGo_ && mode == kHandlerAction && redrawMask != 0)
        capsule.redraw(capsule, redrawMask);
    // A probe changes nothing the document should hear of.
    if (carriedAction_ && probedOpen_ == nullptr)
        host.CellChangeHook();
    return result;
}

// --- Helpers for the rows -------------------------------------------------

bool indCellHandler::IsDraw() const
{
    return code_ == 0 && inputMode_ == cmcCellCapsule::kInputKey && command_ == 0;
}

void indCellHandler::SetUserFlag(int flag, bool on) { cell.SetUserFlag(flag, on); }

void indCellHandler::SetCaption(const std::string &caption)
{
    cell.SetText(caption);
    capsule.outputText = caption;
}

void indCellHandler::SetOutput(const std::string &text) { capsule.outputText = text; }

void indCellHandler::SetWarning() { capsule.stateBits |= cmcCellCapsule::kStateWarning; }

void indCellHandler::SetError() { capsule.stateBits |= cmcCellCapsule::kStateError; }

void indCellHandler::ShowSilver() { ShowInColour(kColourSilver); }

void indCellHandler::ShowInColour(std::uint32_t colour)
{
    if (!IsDraw())
        return;
    if (!cell.font) {
        const CellFont *inherited = cell.FontInUse();
        cell.font = inherited != nullptr ? *inherited : CellFont{};
    }
    cell.font->colour = colour;
}

void indCellHandler::Align(std::uint8_t horizontal, std::uint8_t vertical)
{
    cell.flags1 = static_cast<std::uint8_t>(
        (cell.flags1 & ~(cmcCellObj::kAlignHorizontal | cmcCellObj::kAlignVertical)) |
        (horizontal & cmcCellObj::kAlignHorizontal) |
        ((vertical << 2) & cmcCellObj::kAlignVertical));
}

void indCellHandler::ShowNotApplicable(const char *dashes)
{
    capsule.outputText = dashes;
    Align(1);
    ShowSilver();
}

CodecRequest indCellHandler::Request() const
{
    CodecRequest request;
    request.index = index;
    // A probe asks as a user's Enter on a grid would.
    request.interactive = capsule.grid != nullptr || probedOpen_ != nullptr;
    if ((capsule.stateBits & cmcCellCapsule::kStatePrinting) != 0)
        request.printMode = PrintMode::Current();
    request.cellText = cell.GetText();
    request.record = record.kind != datCh::kKindNone ? &record : nullptr;
    request.texts = &mainTextDatabase();
    request.formats = &ProgramFormats();
    if (inputMode_ == cmcCellCapsule::kInputChosen) {
        request.kind = CodecRequest::Kind::Chosen;
        request.typed = capsule.inputText;
        if (capsule.origin != nullptr && capsule.origin->cell != nullptr) {
            request.chosenStyle = capsule.origin->cell->label;
            request.chosenEntry = capsule.origin->cell->index;
        }
    } else if (inputMode_ == cmcCellCapsule::kInputText) {
        request.kind = CodecRequest::Kind::Typed;
        request.typed = capsule.inputText;
    } else if (code_ != 0) {
        request.kind = CodecRequest::Kind::Key;
        request.code = code_;
        request.shift = capsule.shiftHeld;
    }
    return request;
}

void indCellHandler::CarryOut(const CodecAnswer &answer)
{
    capsule.outputText = answer.text;
    if (answer.look.colour == CodecLook::Colour::Silver)
        ShowSilver();
    else if (answer.look.colour == CodecLook::Colour::Olive)
        ShowInColour(kColourOlive);
    if (answer.look.align == CodecLook::Align::Left)
        Align(0);
    else if (answer.look.align == CodecLook::Align::Centre)
        Align(1);
    if (answer.checked)
        SetUserFlag(kUserFlagChecked, *answer.checked);
    if (IsDraw())
        capsule.dotMatrix = answer.dotMatrix;
    Open(answer.open);
}

void indCellHandler::Open(const CodecOpen &open)
{
    if (probedOpen_ != nullptr) {
        *probedOpen_ = open;
        return;
    }
    switch (open.kind) {
    case CodecOpen::Kind::Nothing:
        return;
    case CodecOpen::Kind::List:
        host.OpenSelectionList(capsule, open.style, open.current, open.key, open.listTag);
        result = kHandlerRedraw;
        return;
    case CodecOpen::Kind::Editor:
        capsule.editSelStart = open.selectionStart;
        capsule.editSelLength = open.selectionLength;
        result = kHandlerOpenEditor;
        // A list's answer reaches the cell after its sheet's key handling is
        // over; only the sheet's callback can still open the editor there.
        if (inputMode_ == cmcCellCapsule::kInputChosen)
            capsule.editor(capsule, false);
        return;
    case CodecOpen::Kind::Window:
        host.OpenCellWindow(capsule, open);
        result = kHandlerRedraw;
        return;
    }
}

void indCellHandler::Redirect(std::int32_t targetLabel)
{
    capsule.jumpLabel = targetLabel;
    capsule.jumpRequest = 1;
    capsule.repeatCode = code_;
    handled = true;
}

void indCellHandler::UpdateLayout() { host.UpdateLayout(); }

void indCellHandler::LetGo()
{
    letGo_ = true;
    redrawMask = 0;
}

std::int32_t indCellHandler::Nested(cmcCellCapsule &inner, std::int32_t innerMode)
{
    return HandleWith(bindings_, context_, inner, innerMode);
}
