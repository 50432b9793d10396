#include "sheets/cuiGrid.h"

#include "cells/DrawPassRecords.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

// One notch of a mouse wheel, in Qt's eighths of a degree.
constexpr int wheelNotch = 120;

void syncBar(QScrollBar *bar, const GridAxis &axis, bool tracking)
{
    bar->setRange(axis.fixedCount(), axis.maxFirst());
    bar->setPageStep(axis.fullVisibleCount());
    bar->setSingleStep(1);
    bar->setValue(axis.first());
    bar->setTracking(tracking);
}

} // namespace

cuiGrid::cuiGrid(QWidget *parent) : QAbstractScrollArea(parent), cursor_(geometry_)
{
    cursor_.setSelectCheck([this](int col, int row) { return selectCell(col, row); });
    cursor_.setOptions(options_);
    syncLineWidths();
    color_ = palette().color(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    // Mouse moves without a button reach the owner too (hover in selection lists).
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    autoScrollTimer_.setInterval(autoScrollIntervalMs);
    connect(&autoScrollTimer_, &QTimer::timeout, this, &cuiGrid::autoScrollTick);
    geometry_.setClientSize(viewport()->size());
    syncScrollBars();
}

cuiGrid::~cuiGrid() = default;

void cuiGrid::setColCount(int count)
{
    const Snapshot before = snapshot();
    geometry_.cols().setCount(count);
    cursor_.clampToGrid();
    afterChange(before, true);
}

void cuiGrid::setRowCount(int count)
{
    const Snapshot before = snapshot();
    geometry_.rows().setCount(count);
    cursor_.clampToGrid();
    afterChange(before, true);
}

void cuiGrid::setFixedCols(int count)
{
    const Snapshot before = snapshot();
    geometry_.cols().setFixedCount(count);
    cursor_.place({fixedCols(), row()});
    afterChange(before, true);
}

void cuiGrid::setFixedRows(int count)
{
    const Snapshot before = snapshot();
    geometry_.rows().setFixedCount(count);
    cursor_.place({col(), fixedRows()});
    afterChange(before, true);
}

void cuiGrid::setDefaultColWidth(int width)
{
    const Snapshot before = snapshot();
    geometry_.cols().setDefaultExtent(width);
    columnWidthsChanged(before);
}

void cuiGrid::setDefaultRowHeight(int height)
{
    const Snapshot before = snapshot();
    geometry_.rows().setDefaultExtent(height);
    afterChange(before, true);
}

void cuiGrid::setColWidth(int col, int width)
{
    const Snapshot before = snapshot();
    if (geometry_.cols().setExtent(col, width))
        columnWidthsChanged(before);
}

void cuiGrid::setRowHeight(int row, int height)
{
    const Snapshot before = snapshot();
    if (geometry_.rows().setExtent(row, height))
        afterChange(before, true);
}

void cuiGrid::setGridLineWidth(int width)
{
    const Snapshot before = snapshot();
    lineWidth_ = std::max(width, 0);
    syncLineWidths();
    afterChange(before, true);
}

void cuiGrid::setOptions(GridOptions options)
{
    const Snapshot before = snapshot();
    options_ = options;
    cursor_.setOptions(options);
    if (!(options & GridOption::RangeSelect))
        cursor_.place(cursor_.current());
    syncLineWidths();
    afterChange(before, true);
}

void cuiGrid::setColor(const QColor &color)
{
    color_ = color;
    viewport()->update();
}

bool cuiGrid::moveCurrent(int col, int row, bool moveAnchor, bool show)
{
    const Snapshot before = snapshot();
    const bool moved = cursor_.moveCurrent(col, row, moveAnchor, show);
    afterChange(before, false);
    return moved;
}

void cuiGrid::setTopLeft(int col, int row)
{
    const Snapshot before = snapshot();
    geometry_.setTopLeft({col, row});
    afterChange(before, false);
}

void cuiGrid::invalidateCell(int col, int row)
{
    const QRect rect = cellRect(col, row);
    if (!rect.isEmpty())
        viewport()->update(
            rect.adjusted(0, 0, geometry_.cols().lineWidth(), geometry_.rows().lineWidth()));
}

void cuiGrid::invalidateGrid() { viewport()->update(); }

void cuiGrid::invalidateRange(const GridRect &range)
{
    if (range.left == range.right && range.top == range.bottom)
        invalidateCell(range.left, range.top);
    else
        invalidateGrid();
}

void cuiGrid::afterChange(const Snapshot &before, bool layoutChanged)
{
    const bool scrolled = before.topLeft != geometry_.topLeft();
    if (layoutChanged || scrolled) {
        syncScrollBars();
        invalidateGrid();
    } else if (before.selection != cursor_.selection()) {
        invalidateRange(before.selection);
        invalidateRange(cursor_.selection());
    }
    if (scrolled && onTopLeftChanged)
        onTopLeftChanged();
}

void cuiGrid::columnWidthsChanged(const Snapshot &before)
{
    afterChange(before, true);
    if (onColWidthsChanged)
        onColWidthsChanged();
}

void cuiGrid::syncScrollBars()
{
    const bool tracking = options_.testFlag(GridOption::ThumbTracking);
    syncingBars_ = true;
    syncBar(horizontalScrollBar(), geometry_.cols(), tracking);
    syncBar(verticalScrollBar(), geometry_.rows(), tracking);
    syncingBars_ = false;
}

void cuiGrid::syncLineWidths()
{
    const bool vertical = options_ & (GridOption::FixedVertLine | GridOption::VertLine);
    const bool horizontal = options_ & (GridOption::FixedHorzLine | GridOption::HorzLine);
    geometry_.cols().setLineWidth(vertical ? lineWidth_ : 0);
    geometry_.rows().setLineWidth(horizontal ? lineWidth_ : 0);
}

bool cuiGrid::selectCell(int col, int row)
{
    if (!onSelectCell)
        return true;
    bool allowed = true;
    onSelectCell(col, row, allowed);
    return allowed;
}

GridDrawState cuiGrid::drawStateOf(int col, int row, bool focused) const
{
    if (col < fixedCols() || row < fixedRows())
        return GridDrawFlag::Fixed;
    GridDrawState state;
    if (cursor_.selection().contains(col, row))
        state |= GridDrawFlag::Selected;
    if (focused && currentCell() == GridCoord{col, row})
        state |= GridDrawFlag::Focused;
    return state;
}

void cuiGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), color_);
    GridPainter::Job job{geometry_.cols().visibleSpans(),
                         geometry_.rows().visibleSpans(),
                         fixedCols(),
                         fixedRows(),
                         geometry_.cols().lineWidth(),
                         geometry_.rows().lineWidth(),
                         options_,
                         QPoint(0, 0),
                         event->rect()};
    const bool focused = hasFocus();
    // The cells of a row share their record: decoded once for the row.
    const DrawPassRecords records;
    GridPainter::paint(
        painter, job, [&](int col, int row) { return drawStateOf(col, row, focused); }, onDrawCell);
    if (drag_ == DragState::Sizing)
        painter.fillRect(QRect(sizingPos_, 0, 1, viewport()->height()),
                         palette().color(QPalette::WindowText));
}

void cuiGrid::paintTile(QPainter &painter, QPoint origin, int firstCol, int colCount, int firstRow,
                        int rowCount) const
{
    GridPainter::Job job{geometry_.cols().tileSpans(firstCol, colCount),
                         geometry_.rows().tileSpans(firstRow, rowCount),
                         fixedCols(),
                         fixedRows(),
                         geometry_.cols().lineWidth(),
                         geometry_.rows().lineWidth(),
                         options_,
                         origin,
                         QRect()};
    const DrawPassRecords records;
    GridPainter::paint(
        painter, job, [this](int col, int row) { return drawStateOf(col, row, false); },
        onDrawCell);
}

QSize cuiGrid::tileSize(int firstCol, int colCount, int firstRow, int rowCount) const
{
    return {geometry_.cols().tileExtent(firstCol, colCount),
            geometry_.rows().tileExtent(firstRow, rowCount)};
}

void cuiGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const Snapshot before = snapshot();
    geometry_.setClientSize(viewport()->size());
    afterChange(before, true);
}

void cuiGrid::scrollContentsBy(int, int)
{
    if (syncingBars_)
        return;
    setTopLeft(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

// A callback may run a modal loop in which the grid's owner is closed and the
// grid deleted; the handlers stop touching it when that happened.
void cuiGrid::keyPressEvent(QKeyEvent *event)
{
    const QPointer<cuiGrid> alive(this);
    int key = event->key();
    if (onKeyDown)
        onKeyDown(key, event->modifiers());
    if (!alive)
        return;
    bool used = key == 0 && event->key() != 0;
    if (key != 0) {
        const Snapshot before = snapshot();
        used = cursor_.navigate(key, event->modifiers());
        afterChange(before, false);
    }
    // A character follows its key even when the key itself was taken.
    const QString text = event->text();
    if (onKeyPress && !text.isEmpty()) {
        for (const uint code : text.toUcs4()) {
            char32_t ch = code;
            onKeyPress(ch);
            if (!alive)
                return;
        }
        used = true;
    }
    event->setAccepted(used);
}

void cuiGrid::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    if (onKeyUp)
        onKeyUp(key, event->modifiers());
    event->setAccepted(static_cast<bool>(onKeyUp));
}

cuiGrid::MouseEvent cuiGrid::mouseEventOf(const QMouseEvent *event, bool doubleClick)
{
    return {event->button(), event->buttons(), event->modifiers(), event->position().toPoint(),
            doubleClick};
}

void cuiGrid::mousePressEvent(QMouseEvent *event)
{
    if (focusPolicy() & Qt::ClickFocus)
        setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton && drag_ == DragState::None)
        pressLeft(event->position().toPoint(), event->modifiers());
    if (onMouseDown)
        onMouseDown(mouseEventOf(event, false));
}

void cuiGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (drag_ == DragState::None)
        updateSizingCursor(pos);
    else
        dragTo(pos);
    if (onMouseMove)
        onMouseMove(mouseEventOf(event, false));
}

void cuiGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        finishDrag(event->position().toPoint());
    if (onMouseUp)
        onMouseUp(mouseEventOf(event, false));
}

// The second press of a double click selects nothing; it only reports.
void cuiGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (focusPolicy() & Qt::ClickFocus)
        setFocus(Qt::MouseFocusReason);
    const MouseEvent mouse = mouseEventOf(event, true);
    const QPointer<cuiGrid> alive(this);
    if (event->button() == Qt::LeftButton && onDblClick)
        onDblClick(mouse);
    if (alive && onMouseDown)
        onMouseDown(mouse);
}

void cuiGrid::pressLeft(QPoint pos, Qt::KeyboardModifiers modifiers)
{
    const GridAxis &cols = geometry_.cols();
    const int sizing =
        options_.testFlag(GridOption::ColSizing) ? geometry_.sizingColumnAt(pos) : -1;
    if (sizing >= 0) {
        drag_ = DragState::Sizing;
        sizingCol_ = sizing;
        sizingPos_ = cols.start(sizing) + cols.extent(sizing);
        sizingOffset_ = sizingPos_ - pos.x();
        invalidateGrid();
        return;
    }
    const GridCoord hit = geometry_.cellAt(pos);
    if (hit.col < fixedCols() || hit.row < fixedRows())
        return;
    const Snapshot before = snapshot();
    if (modifiers & Qt::ShiftModifier)
        cursor_.moveAnchor(hit);
    else
        cursor_.moveCurrent(hit.col, hit.row, true, true);
    afterChange(before, false);
    drag_ = DragState::Selecting;
    lastMousePos_ = pos;
    autoScrollTimer_.start();
}

void cuiGrid::dragTo(QPoint pos)
{
    lastMousePos_ = pos;
    if (drag_ == DragState::Sizing) {
        sizingPos_ = pos.x() + sizingOffset_;
        invalidateGrid();
        return;
    }
    const GridCoord hit = geometry_.cellAt(pos);
    if (hit.col < fixedCols() || hit.row < fixedRows() ||
        hit.col > geometry_.cols().lastFullVisible() + 1 ||
        hit.row > geometry_.rows().lastFullVisible() + 1 || hit == anchor())
        return;
    const Snapshot before = snapshot();
    cursor_.moveAnchor(hit);
    afterChange(before, false);
}

void cuiGrid::finishDrag(QPoint pos)
{
    if (drag_ == DragState::Selecting)
        dragTo(pos);
    const bool sizing = drag_ == DragState::Sizing;
    const int start = geometry_.cols().start(sizingCol_);
    cancelDrag();
    // A column is never sized away completely: its edge could not be caught again.
    if (sizing && start >= 0)
        setColWidth(sizingCol_, std::max(sizingPos_ - start, 1));
}

void cuiGrid::cancelDrag()
{
    autoScrollTimer_.stop();
    if (drag_ == DragState::Sizing)
        invalidateGrid();
    drag_ = DragState::None;
}

void cuiGrid::updateSizingCursor(QPoint pos)
{
    if (options_.testFlag(GridOption::ColSizing) && geometry_.sizingColumnAt(pos) >= 0)
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
}

void cuiGrid::autoScrollTick()
{
    if (drag_ != DragState::Selecting)
        return;
    const int directions = geometry_.scrollDirectionsAt(lastMousePos_);
    if (directions != 0)
        timedScroll(directions);
}

void cuiGrid::timedScroll(int directions)
{
    if (onScroll) {
        onScroll(directions);
        return;
    }
    const Snapshot before = snapshot();
    cursor_.timedScroll(directions);
    afterChange(before, false);
}

void cuiGrid::wheelEvent(QWheelEvent *event)
{
    bool handled = false;
    if (onMouseWheel)
        onMouseWheel({event->angleDelta(), event->modifiers(), event->position().toPoint()},
                     handled);
    if (!handled)
        scrollByWheel(event->angleDelta());
    event->accept();
}

// Whole notches scroll; the rest of a fine (touchpad) delta waits for more.
void cuiGrid::scrollByWheel(QPoint angleDelta)
{
    wheelRemainder_ += angleDelta;
    const QPoint notches(wheelRemainder_.x() / wheelNotch, wheelRemainder_.y() / wheelNotch);
    wheelRemainder_ -= notches * wheelNotch;
    if (notches.isNull())
        return;
    const int lines = QApplication::wheelScrollLines();
    setTopLeft(leftCol() - notches.x() * lines, topRow() - notches.y() * lines);
}

void cuiGrid::focusInEvent(QFocusEvent *event)
{
    const QPointer<cuiGrid> alive(this);
    if (event->reason() != Qt::PopupFocusReason && onFocusGained)
        onFocusGained();
    if (!alive)
        return;
    QAbstractScrollArea::focusInEvent(event);
    invalidateGrid();
}

void cuiGrid::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason) {
        const QPointer<cuiGrid> alive(this);
        if (onFocusLost)
            onFocusLost();
        if (!alive)
            return;
        cancelDrag();
    }
    QAbstractScrollArea::focusOutEvent(event);
    invalidateGrid();
}

bool cuiGrid::focusNextPrevChild(bool next)
{
    if (options_.testFlag(GridOption::Tabs))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}
