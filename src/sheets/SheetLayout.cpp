#include "sheets/SheetLayout.h"

#include "cells/CellLabels.h"
#include "cells/DescriptionText.h"
#include "cells/indCellHandler.h"
#include "platform/FatalError.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetColumnWidthStore.h"
#include "sheets/SheetModelFacts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr const char *kIllegalAssign = "Illegal Cell assign";
constexpr const char *kIllegalSelection = "Illegal Cell selection";

// The count of a directive: the decimal number after the first blank.
int directiveCount(std::string_view directive)
{
    const std::size_t blank = directive.find(' ');
    return blank == std::string_view::npos ? 0 : readDecimal(directive.substr(blank + 1));
}

bool isKeyEnd(const std::string &line) { return !line.empty() && line.front() == '#'; }

std::string fontGroup(const std::string &height) { return "{(Font=,,," + height + ",,,)}"; }

} // namespace

template <typename Each>
void SheetLayout::forEachParenthesised(std::string_view text, Each each)
{
    std::size_t at = 0;
    while ((at = text.find('(', at)) != std::string_view::npos) {
        const std::size_t close = text.find(')', at + 1);
        each(text.substr(at + 1, close == std::string_view::npos ? close : close - at - 1));
        if (close == std::string_view::npos)
            return;
        at = close + 1;
    }
}

bool SheetLayout::InTexts(cmcGTex &texts, const std::string &descriptor)
{
    const std::string prefix = SheetDescriptor::Parse(descriptor).prefix;
    for (const char *key : {"_Style", "_BasicCell", "_Cells"}) {
        if (!texts.HasKey(prefix + key))
            return false;
    }
    return true;
}

SheetLayout::SheetLayout(cmcGTex &texts, const std::string &descriptor,
                         const cmcCellCapsule *origin, std::int32_t initialLabel,
                         std::int32_t initialIndex)
    : texts_(texts), descriptor_(SheetDescriptor::Parse(descriptor)), initialLabel_(initialLabel),
      initialIndex_(initialIndex)
{
    if (origin != nullptr)
        origin_ = std::make_unique<cmcCellCapsule>(*origin);
}

SheetLayout::~SheetLayout() = default;

void SheetLayout::SetTag(const std::string &tag) { descriptor_.tag = tag; }

void SheetLayout::Show()
{
    if (handler_ == nullptr)
        SetHandler(ModelHandler(), nullptr);
    building_ = true;
    BuildLayout();
    building_ = false;
}

void SheetLayout::ApplyStyleProperty(std::string_view property) { style_.Apply(property); }

void SheetLayout::ApplyDirective(std::string_view directive) { ApplyBaseDirective(directive); }

void SheetLayout::BuildGrid()
{
    ParseBaseCell();
    FirstPass();
    AllocateCellSlots(RowCount());
    SetDefaultSizes();
    firstSelectable_ = {colCount_, RowCount()};
    SecondPass();
}

void SheetLayout::ParseBaseCell()
{
    std::string line = texts_.GetLine(descriptor_.prefix + "_BasicCell", 0);
    line += fontHeightOverride_ != 0 ? fontGroup(std::to_string(fontHeightOverride_))
                                     : fontGroup("%" + std::to_string(DisplayFontPercentage()));
    if (printing_ && style_.printFontRatio != 100)
        line += fontGroup("%" + std::to_string(style_.printFontRatio));
    baseCell_ = cmcCellObj();
    baseCell_.Parse(line, nullptr, nullptr, false);
}

void SheetLayout::FirstPass()
{
    skipCount_ = 0;
    loopStart_ = -1;
    loopEnd_ = -1;
    loopCount_ = 0;
    loopBodyRows_ = 0;
    selectFlag_ = true;
    rows_.clear();
    colCount_ = 0;
    const std::string key = CellsKey();
    for (int line = 0;; ++line) {
        const std::string text = texts_.GetLine(key, line);
        if (isKeyEnd(text))
            break;
        currentLine_ = line;
        if (skipCount_ > 0) {
            --skipCount_;
            continue;
        }
        if (!text.empty() && text.front() == ':') {
            forEachParenthesised(text, [this](std::string_view d) { ApplyDirective(d); });
            CloseLoopIfComplete();
            continue;
        }
        int cells = 0;
        cmcCellObj scratch;
        for (std::string_view rest = text; !rest.empty(); ++cells)
            rest = scratch.Parse(rest, nullptr, nullptr, true);
        colCount_ = std::max(colCount_, cells);
        rows_.push_back({line, selectFlag_});
        if (loopStart_ >= 0 && loopEnd_ < 0)
            ++loopBodyRows_;
    }
    if (colCount_ == 0 || rows_.empty())
        platform::fatalError(kIllegalAssign);
    surface_->SetCounts(colCount_, static_cast<int>(rows_.size()));
}

void SheetLayout::CloseLoopIfComplete()
{
    if (loopStart_ < 0 || loopEnd_ < 0 || loopCount_ <= 0)
        return;
    const std::int64_t total =
        static_cast<std::int64_t>(rows_.size()) + std::int64_t{loopCount_ - 1} * loopBodyRows_;
    if (total > kMaxRows)
        platform::fatalError(kIllegalAssign);
    for (int repeat = 1; repeat < loopCount_; ++repeat) {
        for (int i = 0; i < loopBodyRows_; ++i)
            rows_.push_back({loopStart_ + 1 + i, selectFlag_});
    }
    loopStart_ = -1;
    loopEnd_ = -1;
    loopCount_ = 0;
    loopBodyRows_ = 0;
}

void SheetLayout::ApplyBaseDirective(std::string_view directive)
{
    using Action = void (*)(SheetLayout & sheet, int count);
    struct Directive {
        std::string_view name;
        Action apply;
    };
    static const Directive kDirectives[] = {
        {"Only_NFont",
         [](SheetLayout &s, int n) { s.skipCount_ = s.facts().UsesNFont() ? s.skipCount_ : n; }},
        {"Only_TFont",
         [](SheetLayout &s, int n) { s.skipCount_ = s.facts().UsesNFont() ? n : s.skipCount_; }},
        {"Only_Handy",
         [](SheetLayout &s, int n) { s.skipCount_ = s.facts().IsMobile() ? n : s.skipCount_; }},
        {"Only_Mob",
         [](SheetLayout &s, int n) { s.skipCount_ = s.facts().IsMobile() ? s.skipCount_ : n; }},
        {"Never", [](SheetLayout &s, int n) { s.skipCount_ = n; }},
        {"LoopFrom",
         [](SheetLayout &s, int n) {
             s.loopStart_ = s.currentLine_;
             s.loopCount_ = std::max(n, 1);
         }},
        {"TG List",
         [](SheetLayout &s, int) {
             s.loopStart_ = s.currentLine_;
             s.loopCount_ = s.facts().ListCount(SheetModelFacts::kTalkGroupList);
         }},
        {"Ind List",
         [](SheetLayout &s, int) {
             s.loopStart_ = s.currentLine_;
             s.loopCount_ = s.facts().ListCount(SheetModelFacts::kIndividualIdList);
         }},
        {"Call List",
         [](SheetLayout &s, int) {
             s.loopStart_ = s.currentLine_;
             s.loopCount_ = s.facts().ListCount(SheetModelFacts::kCallList);
         }},
        {"LoopTo", [](SheetLayout &s, int) { s.loopEnd_ = s.currentLine_; }},
        {"End", [](SheetLayout &s, int) { s.loopEnd_ = s.currentLine_; }},
        {"SelectON", [](SheetLayout &s, int) { s.selectFlag_ = true; }},
        {"SelectOFF", [](SheetLayout &s, int) { s.selectFlag_ = false; }},
    };
    const auto match =
        std::find_if(std::begin(kDirectives), std::end(kDirectives),
                     [&](const Directive &d) { return directive.starts_with(d.name); });
    if (match != std::end(kDirectives))
        match->apply(*this, directiveCount(directive));
}

void SheetLayout::SecondPass()
{
    const int rows = static_cast<int>(rows_.size());
    for (int row = 0; row < rows; ++row) {
        RowHook(row);
        const auto r = static_cast<std::size_t>(row);
        if (row > 0 && rows_[r].line == rows_[r - 1].line)
            copyRowFromAbove(row);
        else
            parseRowCells(row);
        for (int col = 0; col < colCount_; ++col)
            NoteSlotBits(col, row);
    }
    FitJoinedTexts();
    persistWidths();
}

// A text that runs across the cells joined to it (an overview line over a
// table) needs the whole group's width; the group's last column takes what
// is missing, so the text fits whatever the font size.
void SheetLayout::FitJoinedTexts()
{
    const int indent = static_cast<int>(std::lround(8 * PrintScale()));
    const int rows = static_cast<int>(rows_.size());
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col + 1 < colCount_; ++col) {
            const cmcCellObj &owner = CellAt(col, row);
            if (owner.Joined() || !CellAt(col + 1, row).Joined() || owner.GetText().empty())
                continue;
            int last = col + 1;
            while (last + 1 < colCount_ && CellAt(last + 1, row).Joined())
                ++last;
            int room = 0;
            for (int c = col; c <= last; ++c)
                room += surface_->ColWidth(c);
            const int needed =
                surface_->MeasureText(FontOf(owner), owner.GetText()).width() + indent;
            if (needed > room)
                surface_->SetColWidth(last, surface_->ColWidth(last) + needed - room);
            col = last;
        }
    }
}

// Widths are kept as they would be at 100 %, so that a column the user
// sized grows and shrinks with the font like the others.
int SheetLayout::StoredWidth(int width) const
{
    return static_cast<int>(std::lround(width * 100.0 / DisplayFontPercentage()));
}

int SheetLayout::ShownWidth(int stored) const
{
    return static_cast<int>(std::lround(stored * DisplayFontPercentage() / 100.0));
}

void SheetLayout::parseRowCells(int row)
{
    const std::string text = texts_.GetLine(CellsKey(), rows_[static_cast<std::size_t>(row)].line);
    std::string_view rest = text;
    for (int col = 0; col < colCount_ && !rest.empty(); ++col) {
        CellHook(col, row);
        rest = CellAt(col, row).Parse(rest, counters_.data(), &baseCell_, false);
        NoteNewCell(col, row);
    }
}

void SheetLayout::copyRowFromAbove(int row)
{
    for (int col = 0; col < colCount_; ++col) {
        cmcCellObj &cell = CellAt(col, row);
        cell = CellAt(col, row - 1);
        cell.index = wrappingAdd(cell.index, 1);
    }
    surface_->SetRowHeight(row, surface_->RowHeight(row - 1));
}

void SheetLayout::NoteNewCell(int col, int row)
{
    const cmcCellObj &cell = CellAt(col, row);
    if (!cell.Widen() && !cell.Heighten())
        return;
    const QSize size = surface_->MeasureText(FontOf(cell), cell.GetText());
    const double scale = PrintScale();
    if (cell.Widen()) {
        const int width = size.width() + static_cast<int>(std::lround(8 * scale));
        if (width > surface_->ColWidth(col))
            surface_->SetColWidth(col, width);
    }
    if (cell.Heighten()) {
        const int height = size.height() + static_cast<int>(std::lround(2 * scale));
        if (height > surface_->RowHeight(row))
            surface_->SetRowHeight(row, height);
    }
}

void SheetLayout::NoteSlotBits(int col, int row)
{
    clsSheetCellId &slot = Slot(col, row);
    if (slot.cell.Selectable()) {
        firstSelectable_.col = std::min(firstSelectable_.col, col);
        firstSelectable_.row = std::min(firstSelectable_.row, row);
    }
    slot.multiSelect = style_.multiSelect != SheetStyle::MultiSelect::Off &&
                       rows_[static_cast<std::size_t>(row)].select;
}

void SheetLayout::RowHook(int) {}

void SheetLayout::CellHook(int, int) {}

std::string SheetLayout::TitleText() { return style_.titleString; }

bool SheetLayout::CanPrint() { return !style_.noPrint; }

bool SheetLayout::AgreesToPrint() { return CanPrint(); }

void SheetLayout::persistWidths()
{
    builtWidths_.resize(static_cast<std::size_t>(colCount_));
    for (int col = 0; col < colCount_; ++col)
        builtWidths_[static_cast<std::size_t>(col)] = surface_->ColWidth(col);
    if (printing_) {
        LoadColWidths();
    } else if (!popupMode_ && widthsPersistent_) {
        if (resetWidths_)
            SheetColumnWidthStore::ResetAll(texts_);
        else
            LoadColWidths();
        // Widths the grid clamped go back to the store.
        SaveColWidths();
    }
    resetWidths_ = false;
}

void SheetLayout::LoadColWidths()
{
    if (!widthsPersistent_)
        return;
    const std::string name = SheetColumnWidthStore::RegistryName(texts_, descriptor_.prefix);
    if (name.empty())
        return;
    if (printing_) {
        loadPrintedWidths(name);
        return;
    }
    loadingWidths_ = true;
    for (int col = 0; col < colCount_; ++col) {
        const int stored = KeepsWidthOf(col) ? SheetColumnWidthStore::Read(name, col) : -1;
        if (stored != -1)
            surface_->SetColWidth(col, ShownWidth(stored));
    }
    ClampColWidths(kMaxColWidth);
    loadingWidths_ = false;
}

// A printed column is as wide, relative to the printer's font, as the user
// made it on screen, but never wider than its text needs. Stored widths are
// those of the font at 100 %.
void SheetLayout::loadPrintedWidths(const std::string &registryName)
{
    const double factor = print_.canvasFontSize * print_.fontResolutionRatio * 0.1;
    for (int col = 0; col < colCount_; ++col) {
        const int stored = KeepsWidthOf(col) ? SheetColumnWidthStore::Read(registryName, col) : -1;
        if (stored == -1)
            continue;
        const auto width = static_cast<int>(std::lround(stored * factor));
        surface_->SetColWidth(col, std::min(width, builtWidths_[static_cast<std::size_t>(col)]));
    }
}

void SheetLayout::SaveColWidths()
{
    if (!widthsPersistent_ || printing_)
        return;
    const std::string name = SheetColumnWidthStore::RegistryName(texts_, descriptor_.prefix);
    if (name.empty())
        return;
    for (int col = 0; col < colCount_; ++col) {
        if (KeepsWidthOf(col))
            SheetColumnWidthStore::Write(name, col, StoredWidth(surface_->ColWidth(col)));
    }
}

bool SheetLayout::KeepsWidthOf(int col) const { return IsSelectable(col, FixedRows()); }

void SheetLayout::ClampColWidths(int limit)
{
    const int upper = std::max(limit, kMinColWidth);
    for (int col = 0; col < colCount_; ++col) {
        if (!KeepsWidthOf(col))
            continue;
        const int width = surface_->ColWidth(col);
        const int clamped = std::clamp(width, kMinColWidth, upper);
        if (clamped != width)
            surface_->SetColWidth(col, clamped);
    }
}

int SheetLayout::ScreenWidthLimit() const
{
    int client = surface_->ClientWidth();
    for (int col = 0; col < FixedCols(); ++col)
        client -= surface_->ColWidth(col);
    return std::clamp(client, kMinColWidth, kMaxColWidth);
}

void SheetLayout::SetHandler(cmcCellHandler handler, indActiveCell *context)
{
    handler_ = handler;
    handlerContext_ = context != nullptr ? context : &ownContext_;
}

cmcCellHandler SheetLayout::ModelHandler() { return &indCellHandler::Handle; }

void SheetLayout::SetPrintMetrics(const PrintMetrics &metrics)
{
    printing_ = true;
    print_ = metrics;
}

void SheetLayout::SetSurface(SheetSurface *surface)
{
    surface_ = surface != nullptr ? surface : &plainSurface_;
}

int SheetLayout::FixedCols() const
{
    return std::clamp(style_.fixedCols, 0, std::max(surface_->ColCount() - 1, 0));
}

int SheetLayout::FixedRows() const
{
    return std::clamp(style_.fixedRows, 0, std::max(surface_->RowCount() - 1, 0));
}

bool SheetLayout::HasSlot(int col, int row) const
{
    return col >= 0 && col < colCount_ && row >= 0 && row < slotRows_;
}

clsSheetCellId &SheetLayout::Slot(int col, int row)
{
    if (!HasSlot(col, row))
        platform::fatalError(kIllegalSelection);
    return slots_[static_cast<std::size_t>(col + row * colCount_)];
}

const clsSheetCellId &SheetLayout::Slot(int col, int row) const
{
    return const_cast<SheetLayout *>(this)->Slot(col, row);
}

bool SheetLayout::IsSelectable(int col, int row) const
{
    return HasSlot(col, row) && CellAt(col, row).Selectable();
}

const CellFont &SheetLayout::FontOf(const cmcCellObj &cell) const
{
    static const CellFont fallback;
    if (const CellFont *font = cell.FontInUse())
        return *font;
    if (const CellFont *font = baseCell_.FontInUse())
        return *font;
    return fallback;
}

GridCoord SheetLayout::FindCell(std::int32_t category, std::int32_t label, std::int32_t index) const
{
    for (int row = 0; row < RowCount(); ++row) {
        for (int col = 0; col < colCount_; ++col) {
            const cmcCellObj &cell = CellAt(col, row);
            if (cell.Selectable() && cell.category == category && cell.label == label &&
                cell.index == index)
                return {col, row};
        }
    }
    return {-1, -1};
}

GridCoord SheetLayout::InitialCell() const
{
    if (initialLabel_ == CL_Null)
        return {-1, -1};
    for (int row = 0; row < RowCount(); ++row) {
        for (int col = 0; col < colCount_; ++col) {
            const cmcCellObj &cell = CellAt(col, row);
            if (cell.Selectable() && cell.label == initialLabel_ && cell.index == initialIndex_)
                return {col, row};
        }
    }
    return {-1, -1};
}

std::int32_t SheetLayout::CallHandler(cmcCellCapsule &capsule, std::int32_t mode)
{
    return handler_ != nullptr ? handler_(handlerContext_, capsule, mode) : 0;
}

std::string SheetLayout::CellText(int col, int row, cmcCellCapsule &capsule, cmcCellObj &look,
                                  std::uint8_t stateBits)
{
    capsule.Reset();
    look = CellAt(col, row);
    if (!look.HasLabel() || handler_ == nullptr)
        return look.GetText();
    capsule.origin = origin_.get();
    capsule.cell = &look;
    capsule.stateBits = stateBits;
    capsule.outputText = look.GetText().empty() ? " " : look.GetText();
    CallHandler(capsule, kHandlerDraw);
    return capsule.outputText;
}

void SheetLayout::BuildLayout()
{
    BeginBuild();
    ApplyStyle();
    BuildGrid();
}

void SheetLayout::BeginBuild()
{
    style_ = SheetStyle();
    counters_.fill(0);
}

void SheetLayout::ApplyStyle()
{
    const std::string line = texts_.GetLine(descriptor_.prefix + "_Style", 0);
    forEachParenthesised(line, [this](std::string_view p) { ApplyStyleProperty(p); });
}

void SheetLayout::AllocateCellSlots(int rows)
{
    slotRows_ = std::max(rows, 0);
    slots_.assign(static_cast<std::size_t>(colCount_) * static_cast<std::size_t>(slotRows_),
                  clsSheetCellId{});
}

void SheetLayout::SetDefaultSizes()
{
    const int size = printing_ && !print_.toPreview
                         ? std::max(static_cast<int>(print_.printScale), 1)
                         : kScreenColWidth;
    surface_->SetDefaultSizes(size, size);
}

void SheetLayout::FillRowsFromAbove(int from)
{
    for (int row = std::max(from, 1); row < slotRows_; ++row) {
        for (int col = 0; col < colCount_; ++col) {
            clsSheetCellId &slot = Slot(col, row);
            slot = Slot(col, row - 1);
            slot.cell.index = wrappingAdd(slot.cell.index, 1);
        }
    }
}

int SheetLayout::DisplayFontPercentage() const
{
    if (fontPercentage_ > 0)
        return fontPercentage_;
    const int fromSettings = environment().fontSizePercentage;
    return fromSettings > 0 ? fromSettings : 100;
}

const SheetModelFacts &SheetLayout::facts() const
{
    return facts_ != nullptr ? *facts_ : sheetModelFacts();
}
