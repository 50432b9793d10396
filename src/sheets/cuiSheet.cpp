#include "sheets/cuiSheet.h"

#include "cells/CellCategories.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetCellEditor.h"
#include "sheets/SheetCellPainter.h"
#include "sheets/SheetColours.h"
#include "sheets/SheetGridSurface.h"
#include "sheets/SheetInput.h"
#include "sheets/SheetNavigation.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiMenu.h"

#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

cuiSheet::ContextMenuFactory &programMenuFactory()
{
    static cuiSheet::ContextMenuFactory factory;
    return factory;
}

constexpr int kTitleBevel = 2;
constexpr int kTitleSpacing = 8;

double screenDotsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 0;
    return dpi > 0 ? dpi : CellFont::kPixelsPerInch;
}

// The modifier a modifier key stands for; releasing it ends that modifier
// even where the event still reports it.
Qt::KeyboardModifiers modifierOfKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
        return Qt::ShiftModifier;
    case Qt::Key_Control:
        return Qt::ControlModifier;
    case Qt::Key_Alt:
        return Qt::AltModifier;
    case Qt::Key_Meta:
        return Qt::MetaModifier;
    default:
        return {};
    }
}

QVBoxLayout *panelLayout(QWidget *container)
{
    if (auto *existing = qobject_cast<QVBoxLayout *>(container->layout()))
        return existing;
    if (container->layout() != nullptr)
        return nullptr;
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

cuiSheet::cuiSheet(QWidget *container, const cmcCellCapsule *origin, std::int32_t initialLabel,
                   std::int32_t initialIndex, cmcGTex &texts, const std::string &descriptor,
                   const cuiImageList *images)
    : SheetLayout(texts, descriptor, origin, initialLabel, initialIndex), container_(container),
      images_(images), selection_(*this), painter_(std::make_unique<SheetCellPainter>(*this)),
      input_(std::make_unique<SheetInput>(*this)),
      repeatWait_([](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); })
{
    eventManager().Register(&cuiSheet::onEvent, this);
}

cuiSheet::~cuiSheet()
{
    if (built_ && !Printing() && !PopupMode())
        SaveColWidths();
    removePanels();
    eventManager().Unregister(&cuiSheet::onEvent, this);
}

// The panels go, and with them the grid: listeners that belong to the grid
// are told (kEvControlClosing).
void cuiSheet::removePanels()
{
    if (grid_ != nullptr) {
        disconnectGrid();
        eventManager().Send(kEvControlClosing, nullptr, reinterpret_cast<std::intptr_t>(grid_));
    }
    if (editor_ != nullptr) {
        editor_->onKey = nullptr;
        editor_->onFocusLost = nullptr;
    }
    menuBuilder_.reset();
    menuName_.clear();
    delete titlePanel_;
    delete gridPanel_;
    titlePanel_ = nullptr;
    titleLabel_ = nullptr;
    gridPanel_ = nullptr;
    grid_ = nullptr;
    popupMenu_ = nullptr;
    editor_ = nullptr;
    SetSurface(nullptr);
    surface_.reset();
    focused_ = false;
    built_ = false;
}

// --- building ---

void cuiSheet::Show()
{
    if (Handler() == nullptr)
        SetHandler(ModelHandler(), nullptr);
    building_ = true;
    build();
    placeInitialCursor();
    building_ = false;
    built_ = true;
    grid_->invalidateGrid();
    // A sheet built for paper never offers its context menu: the main
    // menu's edit entry stays with the sheet on screen.
    if (!Printing())
        updateContextMenuFor(CurrentCell(), false);
}

void cuiSheet::build()
{
    // Printing builds a sheet again at another font height.
    if (grid_ != nullptr) {
        selection_.Clear();
        removePanels();
    }
    BeginBuild();
    ApplyStyle();
    if (!Style().titleString.empty())
        createTitlePanel();
    createGridPanel();
    surface_ = std::make_unique<SheetGridSurface>(*grid_, fonts_);
    SetSurface(surface_.get());
    BuildGrid();
    if (titleLabel_ != nullptr)
        styleTitle();
    const QPalette palette = grid_->palette();
    grid_->setColor(SheetColours::Resolve(BaseCell().background, palette));
    gridPanel_->setFont(fonts_.Font(FontOf(BaseCell())));
    GridOptions options = GridOption::ThumbTracking;
    if (Style().colSizing)
        options |= GridOption::ColSizing;
    grid_->setOptions(options);
    grid_->setFixedCols(FixedCols());
    grid_->setFixedRows(FixedRows());
    popupMenu_ = new QMenu(grid_);
    PutCursor(0, 0, false);
    MoveCursor(0, 1);
    MoveCursor(0, -1);
    MoveCursor(1, 0);
    MoveCursor(-1, 0);
    selection_.SetAnchor(CurrentCell());
    connectGrid();
    if (titlePanel_ != nullptr)
        titlePanel_->show();
    gridPanel_->show();
}

void cuiSheet::createTitlePanel()
{
    titlePanel_ = new QFrame(container_);
    titlePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    titlePanel_->setLineWidth(kTitleBevel);
    titlePanel_->resize(titlePanel_->width(), container_->height() / 2);
    titleLabel_ = new QLabel(titlePanel_);
    titleLabel_->setTextFormat(Qt::PlainText);
    titleLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titleLabel_->setText(QString::fromStdString(Style().titleString));
    titleLabel_->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(titlePanel_);
    layout->setContentsMargins(kTitleBevel, kTitleBevel, kTitleBevel, kTitleBevel);
    layout->addWidget(titleLabel_);
    if (QVBoxLayout *panels = panelLayout(container_))
        panels->addWidget(titlePanel_);
}

// Without a title font of its own the title takes the base cell's, which
// exists only once the grid is built and follows the font size.
void cuiSheet::styleTitle()
{
    const CellFont &font = Style().titleFont ? *Style().titleFont : FontOf(BaseCell());
    titleLabel_->setFont(SheetFonts::ToQFont(font));
    QPalette palette = titleLabel_->palette();
    const QColor background = SheetColours::Resolve(Style().titleColour, palette);
    palette.setColor(QPalette::Window, background);
    // A desktop scheme may put the title's text colour on a background of
    // nearly its own lightness.
    palette.setColor(
        QPalette::WindowText,
        SheetColours::ReadableOn(SheetColours::Resolve(font.colour, palette), background));
    titleLabel_->setPalette(palette);
    titlePanel_->setFixedHeight(QFontMetrics(titleLabel_->font()).height() + kTitleBevel +
                                kTitleSpacing);
}

void cuiSheet::createGridPanel()
{
    gridPanel_ = new QFrame(container_);
    auto *layout = new QVBoxLayout(gridPanel_);
    if (PopupMode()) {
        gridPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
        gridPanel_->setLineWidth(1);
        layout->setContentsMargins(3, 3, 3, 3);
    } else {
        gridPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        gridPanel_->setLineWidth(2);
        layout->setContentsMargins(2, 2, 2, 2);
    }
    grid_ = new cuiGrid(gridPanel_);
    grid_->setFrameShape(QFrame::NoFrame);
    layout->addWidget(grid_);
    if (QVBoxLayout *panels = panelLayout(container_))
        panels->addWidget(gridPanel_, 1);
    else
        gridPanel_->resize(container_->size());
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
}

void cuiSheet::placeInitialCursor()
{
    Position position = RememberedPosition();
    const bool inside = position.col >= 0 && position.row >= 0 && position.col < ColCount() &&
                        position.row < RowCount() && position.leftCol < ColCount() &&
                        position.topRow < RowCount();
    if (!inside)
        position = {};
    if (position.col < 0) {
        const GridCoord initial = InitialCell();
        if (initial.col >= 0)
            PutCursor(initial.col, initial.row, false);
        return;
    }
    if (!IsSelectable(position.col, position.row))
        return;
    const QSize client = grid_->viewport()->size();
    if (grid_->geometry().cols().totalExtent() > client.width() && position.leftCol >= 0)
        grid_->setLeftCol(position.leftCol);
    if (grid_->geometry().rows().totalExtent() > client.height() && position.topRow >= 0)
        grid_->setTopRow(position.topRow);
    PutCursor(position.col, position.row, false);
}

void cuiSheet::connectGrid()
{
    grid_->onSelectCell = [this](int col, int row, bool &allowed) {
        selectCell(col, row, allowed);
    };
    grid_->onDrawCell = [this](QPainter &painter, int col, int row, const QRect &rect,
                               GridDrawState) { painter_->Draw(painter, col, row, rect); };
    grid_->onColWidthsChanged = [this] { colWidthsChanged(); };
    grid_->onKeyDown = [this](int &key, Qt::KeyboardModifiers modifiers) {
        input_->KeyDown(key, modifiers);
    };
    grid_->onKeyPress = [this](char32_t &ch) { input_->KeyPress(ch); };
    grid_->onMouseDown = [this](const cuiGrid::MouseEvent &e) { input_->MouseDown(e); };
    grid_->onMouseMove = [this](const cuiGrid::MouseEvent &e) { input_->MouseMove(e); };
    grid_->onMouseUp = [this](const cuiGrid::MouseEvent &e) { input_->MouseUp(e); };
    grid_->onDblClick = [this](const cuiGrid::MouseEvent &e) { input_->DoubleClick(e); };
    grid_->onScroll = [this](int directions) { input_->TimedScroll(directions); };
    grid_->onFocusGained = [this] { focusGained(); };
    grid_->onFocusLost = [this] { focusLost(); };
}

void cuiSheet::disconnectGrid()
{
    grid_->onSelectCell = nullptr;
    grid_->onDrawCell = nullptr;
    grid_->onColWidthsChanged = nullptr;
    grid_->onKeyDown = nullptr;
    grid_->onKeyPress = nullptr;
    grid_->onMouseDown = nullptr;
    grid_->onMouseMove = nullptr;
    grid_->onMouseUp = nullptr;
    grid_->onDblClick = nullptr;
    grid_->onScroll = nullptr;
    grid_->onFocusGained = nullptr;
    grid_->onFocusLost = nullptr;
    grid_->removeEventFilter(this);
    grid_->viewport()->removeEventFilter(this);
}

// --- printing ---

void cuiSheet::SetPrinter(QPrinter *printer) { setPrinting(printer, printer, false); }

void cuiSheet::SetPrinterAndPreview(QPrinter *printer, QImage *bitmap)
{
    previewBitmap_ = bitmap;
    setPrinting(printer, bitmap, true);
}

void cuiSheet::SetPrintToPreview(bool on)
{
    PrintMetrics metrics = Print();
    metrics.toPreview = on;
    if (on)
        metrics.printScale = 1.0;
    SetPrintMetrics(metrics);
}

void cuiSheet::setPrinting(QPrinter *printer, QPaintDevice *fontDevice, bool toPreview)
{
    printer_ = printer;
    const double screen = screenDotsPerInch();
    PrintMetrics metrics;
    metrics.printScale = toPreview || printer == nullptr ? 1.0 : printer->resolution() / screen;
    metrics.fontResolutionRatio = printer != nullptr ? printer->logicalDpiY() / screen : 1.0;
    metrics.canvasFontSize = environment().printerFontSize > 0 ? environment().printerFontSize : 10;
    metrics.toPreview = toPreview;
    SetPrintMetrics(metrics);
    fonts_.SetDevice(fontDevice);
}

// --- context menus ---

void cuiSheet::SetContextMenuFactory(ContextMenuFactory factory)
{
    programMenuFactory() = std::move(factory);
}

void cuiSheet::SetOwnContextMenuFactory(ContextMenuFactory factory)
{
    ownMenuFactory_ = std::move(factory);
}

void cuiSheet::UpdateContextMenu(bool force) { updateContextMenuFor(CurrentCell(), force); }

void cuiSheet::updateContextMenuFor(GridCoord cell, bool force)
{
    cmcEvMan &events = eventManager();
    const std::string *name =
        HasSlot(cell.col, cell.row) ? CellAt(cell.col, cell.row).PopupMenuName() : nullptr;
    if (!force && (name == nullptr || *name == menuName_)) {
        events.Send(kEvMenuStates);
        return;
    }
    menuName_ = name != nullptr ? *name : std::string();
    dropContextMenu();
    events.Send(kEvEmptySubmenu, nullptr, CL_Menu_Edit_Top);
    if (!menuName_.empty() && popupMenu_ != nullptr) {
        menuBuilder_ = buildContextMenu(menuName_);
        if (menuBuilder_)
            events.SendText(kEvRebuildSubmenu, menuBuilder_.get(), CL_Menu_Edit_Top, menuName_);
    }
    events.Send(kEvMenuStates);
}

std::shared_ptr<void> cuiSheet::buildContextMenu(const std::string &name)
{
    const ContextMenuFactory &factory = ownMenuFactory_ ? ownMenuFactory_ : programMenuFactory();
    if (factory)
        return factory(*popupMenu_, name, [this](std::int32_t label) { menuCommand(label); });
    auto menu = std::make_shared<cuiMenu>(grid_, popupMenu_, Texts(), name, Handler(),
                                          cuiMenuClick{&cuiSheet::contextMenuClick, this});
    menu->SetAutoHotKeys(true);
    menu->SetImageList(images_);
    menu->Build();
    return menu;
}

// A menu builder may leave connections on the menu it filled, so every
// builder gets a fresh menu.
void cuiSheet::dropContextMenu()
{
    menuBuilder_.reset();
    if (popupMenu_ == nullptr)
        return;
    popupMenu_->hide();
    popupMenu_->deleteLater();
    popupMenu_ = new QMenu(grid_);
}

void cuiSheet::OpenContextMenu(QPoint globalPos)
{
    if (popupMenu_ == nullptr)
        return;
    UpdateContextMenu(true);
    popupMenu_->popup(globalPos);
}

void cuiSheet::contextMenuClick(void *context, const cmcCellObj &itemCell)
{
    static_cast<cuiSheet *>(context)->menuCommand(itemCell.label);
}

void cuiSheet::menuCommand(std::int32_t label)
{
    const GridCoord current = CurrentCell();
    ActionRequest(current.col, current.row, 0, label);
}

// --- events ---

void cuiSheet::onEvent(void *object, const cmcEvent &event)
{
    static_cast<cuiSheet *>(object)->handleEvent(event);
}

void cuiSheet::handleEvent(const cmcEvent &event)
{
    if (!built_)
        return;
    cmcCellObj addressed;
    addressed.category = CT_Null;
    addressed.index = static_cast<std::int32_t>(event.argument);
    switch (event.type) {
    case kEvCurrentCellOfMenu:
        answerCurrentCell(event);
        break;
    case kEvRedrawLabelled:
        RedrawMatching(addressed, cmcCellCapsule::kRedrawLabelled);
        break;
    case kEvRedrawIndex:
        RedrawMatching(addressed, cmcCellCapsule::kRedrawSameIndex);
        break;
    case kEvRedrawFromIndex:
        RedrawMatching(addressed, cmcCellCapsule::kRedrawFromIndex);
        break;
    case kEvFinishEdits:
        CommitEditor(false);
        break;
    default:
        break;
    }
}

void cuiSheet::answerCurrentCell(const cmcEvent &event)
{
    if (popupMenu_ == nullptr || event.object != popupMenu_)
        return;
    const GridCoord current = CurrentCell();
    if (HasSlot(current.col, current.row))
        cuiMenu::AnswerCurrentCell(CellAt(current.col, current.row));
}

void cuiSheet::RedrawMatching(const cmcCellObj &addressed, std::uint32_t mask)
{
    if (grid_ == nullptr)
        return;
    const GridRect visible = grid_->visibleCells();
    const int lastCol = std::min(visible.right + 1, ColCount() - 1);
    const int lastRow = std::min(visible.bottom + 1, RowCount() - 1);
    for (int row = 0; row <= lastRow; ++row) {
        for (int col = 0; col <= lastCol; ++col) {
            if (cmcCellCapsule::RedrawMatches(mask, addressed, CellAt(col, row)))
                grid_->invalidateCell(col, row);
        }
    }
}

void cuiSheet::redrawThunk(void *context, const cmcCellCapsule &capsule, std::uint32_t mask)
{
    if (capsule.cell != nullptr)
        static_cast<cuiSheet *>(context)->RedrawMatching(*capsule.cell, mask);
}

void cuiSheet::editorThunk(void *context, const cmcCellCapsule &capsule, bool keepClosed)
{
    static_cast<cuiSheet *>(context)->reopenEditor(capsule, keepClosed);
}

void cuiSheet::ClearStatus() { sendStatusText(""); }

// --- action requests ---

std::int32_t cuiSheet::ActionRequest(int col, int row, std::int32_t code, std::int32_t command,
                                     const std::string *text)
{
    if (grid_ == nullptr || !HasSlot(col, row))
        return kHandlerNothing;
    const QPointer<cuiSheet> alive(this);
    GridCoord cell{col, row};
    std::int32_t result = kHandlerNothing;
    cmcCellCapsule capsule;
    for (int repeats = 0;; ++repeats) {
        const QRect rect = grid_->cellRect(cell.col, cell.row);
        fillCapsule(capsule, cell, rect, code, command, text);
        if (PopupMode()) {
            if (code == cmcCellCapsule::kCodeEnter || code == cmcCellCapsule::kCodeEnterAlias)
                answerOrigin(capsule);
            return kHandlerNothing;
        }
        result = CallHandler(capsule, kHandlerAction);
        if (!alive)
            return result;
        bool jumped = true;
        if (capsule.jumpRequest != 0) {
            const GridCoord target =
                SheetLayout::FindCell(capsule.jumpCategory, capsule.jumpLabel, capsule.jumpIndex);
            jumped = target.col >= 0 && PutCursor(target.col, target.row);
            if (jumped)
                cell = target;
        }
        if (result == kHandlerRedraw) {
            RemoveSelection();
        } else if (result == kHandlerOpenEditor) {
            OpenEditor(cell.col, cell.row);
            fillEditor(capsule);
        }
        // A repeat meant for a jump target that is not on this sheet would
        // run on the same cell for ever.
        if (capsule.repeatCode == 0 || !jumped)
            break;
        grid_->viewport()->repaint();
        if (repeats < static_cast<int>(std::size(kRepeatWaitsMs)))
            repeatWait_(kRepeatWaitsMs[repeats]);
        code = capsule.repeatCode;
        text = nullptr;
    }
    followRange(capsule);
    eventManager().Send(kEvMenuStates);
    return result;
}

void cuiSheet::fillCapsule(cmcCellCapsule &capsule, GridCoord cell, const QRect &rect,
                           std::int32_t code, std::int32_t command, const std::string *text)
{
    capsule.Reset();
    capsule.ownerControl = grid_;
    capsule.grid = grid_;
    capsule.cell = &CellAt(cell.col, cell.row);
    capsule.cellRect = &rect;
    capsule.imageList = images_;
    capsule.origin = OriginCapsule();
    capsule.redraw = {&cuiSheet::redrawThunk, this};
    capsule.editor = {&cuiSheet::editorThunk, this};
    const GridCoord current = CurrentCell();
    if (current == cell)
        capsule.stateBits |= cmcCellCapsule::kStateCurrent;
    if (Printing())
        capsule.stateBits |= cmcCellCapsule::kStatePrinting;
    capsule.sheet = this;
    if (selection_.Shown()) {
        capsule.rangeBits |= cmcCellCapsule::kRangeActive;
        selection_.IndexRange(current, capsule.rangeLow, capsule.rangeHigh);
    }
    capsule.code = code;
    capsule.command = command;
    capsule.shiftHeld = (modifiers_ & Qt::ShiftModifier) != 0;
    if (text != nullptr) {
        capsule.inputMode = cmcCellCapsule::kInputText;
        capsule.code = 0;
        capsule.inputText = *text;
    }
}

// A selection list answers the cell it was opened for.
void cuiSheet::answerOrigin(cmcCellCapsule &capsule)
{
    const QPointer<cuiSheet> alive(this);
    if (const cmcCellCapsule *origin = OriginCapsule()) {
        cmcCellCapsule answer = *origin;
        answer.origin = &capsule;
        answer.inputMode = cmcCellCapsule::kInputChosen;
        CallHandler(answer, kHandlerAction);
    }
    if (alive && container_ != nullptr)
        container_->hide();
}

void cuiSheet::followRange(const cmcCellCapsule &capsule)
{
    const GridCoord current = CurrentCell();
    if (Style().multiSelect != SheetStyle::MultiSelect::Off &&
        (capsule.rangeBits & cmcCellCapsule::kRangeSelect) != 0) {
        RemoveSelection();
        selection_.SelectRange(current, CellAt(current.col, current.row).label, capsule.rangeLow,
                               capsule.rangeHigh);
        grid_->invalidateGrid();
        return;
    }
    RemoveSelection();
    updateMultiSelection(current, current);
}

// --- cursor ---

GridCoord cuiSheet::CurrentCell() const
{
    return grid_ != nullptr ? grid_->currentCell() : GridCoord{-1, -1};
}

bool cuiSheet::MoveCursor(int dx, int dy)
{
    if (grid_ == nullptr)
        return false;
    const GridCoord from = CurrentCell();
    const SheetNavigation navigation(ColCount(), RowCount(),
                                     [this](int col, int row) { return IsSelectable(col, row); });
    const GridCoord to = navigation.Move(from, dx, dy, PopupMode(), navRemembered_);
    if (to == from || !PutCursor(to.col, to.row))
        return false;
    if (to.col <= FirstSelectable().col)
        grid_->setLeftCol(grid_->fixedCols());
    if (to.row <= FirstSelectable().row)
        grid_->setTopRow(grid_->fixedRows());
    return true;
}

bool cuiSheet::PutCursor(int col, int row, bool sideEffects)
{
    if (grid_ == nullptr)
        return false;
    const bool saved = programmaticMove_;
    programmaticMove_ = !sideEffects;
    const bool moved = grid_->moveCurrent(col, row, true, true);
    programmaticMove_ = saved;
    return moved && CurrentCell() == GridCoord{col, row};
}

bool cuiSheet::GoToCell(std::int32_t category, std::int32_t label, std::int32_t index)
{
    const GridCoord target = SheetLayout::FindCell(category, label, index);
    return target.col >= 0 && PutCursor(target.col, target.row);
}

void cuiSheet::selectCell(int col, int row, bool &allowed)
{
    if (!IsSelectable(col, row) || (selection_.Shown() && !selection_.RowTakesPart(row))) {
        allowed = false;
        return;
    }
    HideEditor(false);
    const GridCoord from = CurrentCell();
    const GridCoord to{col, row};
    if (from != to && !programmaticMove_ && !Building())
        currentCellChanging(from, to);
}

void cuiSheet::currentCellChanging(GridCoord from, GridCoord to)
{
    ClearStatus();
    // Trailers, joined cells and the row tint follow the current cell.
    invalidateRow(from.row);
    invalidateRow(to.row);
    updateMultiSelection(from, to);
    if (focused_)
        updateContextMenuFor(to, false);
    else
        eventManager().Send(kEvMenuStates);
}

void cuiSheet::updateMultiSelection(GridCoord from, GridCoord to)
{
    if (Style().multiSelect == SheetStyle::MultiSelect::Off)
        return;
    const bool extending = (modifiers_ & Qt::ShiftModifier) != 0 || dragExtends_;
    if (extending && selection_.RowTakesPart(from.row) && selection_.RowTakesPart(to.row)) {
        selection_.SelectRectangle(to);
        grid_->invalidateGrid();
        return;
    }
    selection_.SetAnchor(to);
    RemoveSelection();
}

void cuiSheet::RemoveSelection()
{
    if (!selection_.Shown())
        return;
    selection_.Clear();
    if (grid_ != nullptr)
        grid_->invalidateGrid();
}

void cuiSheet::invalidateRow(int row)
{
    for (int col = 0; col < ColCount(); ++col)
        grid_->invalidateCell(col, row);
}

// --- focus and widths ---

void cuiSheet::focusGained()
{
    focused_ = true;
    UpdateContextMenu(true);
}

void cuiSheet::focusLost()
{
    focused_ = false;
    menuName_.clear();
    dropContextMenu();
    eventManager().Send(kEvEmptySubmenu, nullptr, CL_Menu_Edit_Top);
    eventManager().Send(kEvMenuStates);
}

void cuiSheet::colWidthsChanged()
{
    if (!Printing())
        ClampColWidths(LoadingWidths() ? kMaxColWidth : ScreenWidthLimit());
}

// Shift decides whether a move extends the selection; the modifiers come
// with the input events rather than from the keyboard's state, so that
// the sheet sees what the event it handles says.
bool cuiSheet::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        modifiers_ = key->modifiers() & ~modifierOfKey(key->key());
        break;
    }
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        modifiers_ = static_cast<QInputEvent *>(event)->modifiers();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// --- the in-place editor ---

QLineEdit *cuiSheet::Editor() const { return editor_; }

bool cuiSheet::EditorActive() const { return editor_ != nullptr && editor_->isVisible(); }

void cuiSheet::OpenEditor(int col, int row)
{
    if (grid_ == nullptr || !HasSlot(col, row))
        return;
    RemoveSelection();
    PutCursor(col, row);
    if (editor_ == nullptr) {
        editor_ = new SheetCellEditor(grid_->viewport());
        editor_->setFrame(false);
        editor_->setMaxLength(kEditorMaxLength);
        editor_->onKey = [this](int key, Qt::KeyboardModifiers modifiers, bool &handled) {
            input_->EditorKey(key, modifiers, handled);
        };
        editor_->onFocusLost = [this] { editorFocusLost(); };
    }
    QRect rect = joinedRect(col, row);
    const cmcCellObj &cell = CellAt(col, row);
    const CellFont &font = FontOf(cell);
    editor_->setFont(fonts_.Font(font));
    const int lineHeight = fonts_.Metrics(font).height();
    if (rect.height() > lineHeight) {
        const int spare = rect.height() - lineHeight;
        const int offset = cell.VerticalAlign() == 1   ? spare / 2
                           : cell.VerticalAlign() == 2 ? spare
                                                       : 0;
        rect = QRect(rect.left(), rect.top() + offset, rect.width(), lineHeight);
    }
    editor_->setGeometry(rect);
    editor_->setText(QString());
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    editing_ = {col, row};
    grid_->invalidateCell(col, row);
}

void cuiSheet::reopenEditor(const cmcCellCapsule &capsule, bool keepClosed)
{
    const GridCoord current = CurrentCell();
    if (keepClosed || !HasSlot(current.col, current.row) ||
        capsule.cell != &CellAt(current.col, current.row))
        return;
    if (!EditorActive() || editing_ != current)
        OpenEditor(current.col, current.row);
    fillEditor(capsule);
}

void cuiSheet::fillEditor(const cmcCellCapsule &capsule)
{
    if (!EditorActive())
        return;
    const QString text = QString::fromStdString(capsule.outputText);
    editor_->setText(text);
    const int start = std::clamp<int>(capsule.editSelStart, 0, static_cast<int>(text.size()));
    const int length =
        std::clamp<int>(capsule.editSelLength, 0, static_cast<int>(text.size()) - start);
    editor_->setSelection(start, length);
}

void cuiSheet::CommitEditor(bool giveFocusBack)
{
    if (!EditorActive() || editorClosing_)
        return;
    const std::string text = editor_->text().toStdString();
    const GridCoord cell = editing_;
    // Closed before the request: the handler may open it again.
    HideEditor(giveFocusBack);
    ActionRequest(cell.col, cell.row, cmcCellCapsule::kCodeEnter, 0, &text);
}

void cuiSheet::HideEditor(bool giveFocusBack)
{
    if (!EditorActive() || editorClosing_)
        return;
    editorClosing_ = true;
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    if (giveFocusBack && hadFocus)
        grid_->setFocus(Qt::OtherFocusReason);
    editorClosing_ = false;
    grid_->invalidateCell(editing_.col, editing_.row);
}

void cuiSheet::editorFocusLost()
{
    if (!editorClosing_)
        CommitEditor(false);
}

QRect cuiSheet::joinedRect(int col, int row) const
{
    QRect rect = grid_->cellRect(col, row);
    for (int next = col + 1; next < ColCount() && CellAt(next, row).Joined(); ++next)
        rect.setRight(rect.right() + grid_->colWidth(next) + grid_->geometry().cols().lineWidth());
    return rect;
}

// --- sizes ---

int cuiSheet::RequiredWidth() const
{
    if (grid_ == nullptr)
        return 0;
    return grid_->geometry().cols().totalExtent() + container_->width() -
           grid_->viewport()->width();
}

int cuiSheet::RequiredHeight() const
{
    if (grid_ == nullptr)
        return 0;
    return grid_->geometry().rows().totalExtent() + container_->height() -
           grid_->viewport()->height();
}
