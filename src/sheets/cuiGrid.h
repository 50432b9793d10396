#pragma once

#include "sheets/GridCoord.h"
#include "sheets/GridCursor.h"
#include "sheets/GridGeometry.h"
#include "sheets/GridOptions.h"
#include "sheets/GridPainter.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QTimer>

#include <functional>

// The owner-drawn grid every sheet is shown on. It stores no cell contents
// and draws nothing inside a cell: the owner sets the callbacks below and
// draws each cell itself. Fixed columns and rows stay in place while the
// rest scrolls; the scroll bars count cells, not pixels.
//
// A callback counts as set when it is not empty. Key and mouse callbacks are
// called after the grid's own handling of the event, except the key-down
// callback, which comes first and may take the key (set it to 0) before the
// grid moves the current cell for it.
class cuiGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    struct MouseEvent {
        Qt::MouseButton button = Qt::NoButton; // the button that changed; none for a move
        Qt::MouseButtons buttons;              // held after the change
        Qt::KeyboardModifiers modifiers;
        QPoint pos; // client (viewport) coordinates
        bool doubleClick = false;
    };
    struct WheelEvent {
        QPoint angleDelta; // eighths of a degree, as Qt reports them
        Qt::KeyboardModifiers modifiers;
        QPoint pos;
    };

    explicit cuiGrid(QWidget *parent = nullptr);
    ~cuiGrid() override;

    // --- layout ---
    int colCount() const { return geometry_.cols().count(); }
    void setColCount(int count);
    int rowCount() const { return geometry_.rows().count(); }
    void setRowCount(int count);
    int fixedCols() const { return geometry_.cols().fixedCount(); }
    // Capped at the count - 1; puts the view and the current cell back on the
    // first scrolling column.
    void setFixedCols(int count);
    int fixedRows() const { return geometry_.rows().fixedCount(); }
    void setFixedRows(int count);
    int defaultColWidth() const { return geometry_.cols().defaultExtent(); }
    // Every column takes the new width.
    void setDefaultColWidth(int width);
    int defaultRowHeight() const { return geometry_.rows().defaultExtent(); }
    void setDefaultRowHeight(int height);
    int colWidth(int col) const { return geometry_.cols().extent(col); }
    // Out-of-range columns are ignored; a change reaches the column widths
    // callback after the grid has adjusted its scroll range.
    void setColWidth(int col, int width);
    int rowHeight(int row) const { return geometry_.rows().extent(row); }
    void setRowHeight(int row, int height);
    int gridLineWidth() const { return lineWidth_; }
    void setGridLineWidth(int width);
    GridOptions options() const { return options_; }
    void setOptions(GridOptions options);
    // Fills the client area where no cell is.
    QColor color() const { return color_; }
    void setColor(const QColor &color);

    // --- current cell and view ---
    int col() const { return cursor_.current().col; }
    int row() const { return cursor_.current().row; }
    GridCoord currentCell() const { return cursor_.current(); }
    void setCol(int col) { focusCell(col, row(), true); }
    void setRow(int row) { focusCell(col(), row, true); }
    GridCoord anchor() const { return cursor_.anchor(); }
    GridRect selection() const { return cursor_.selection(); }
    // Makes the cell current and scrolls it into view.
    bool focusCell(int col, int row, bool moveAnchor)
    {
        return moveCurrent(col, row, moveAnchor, true);
    }
    // Makes the cell current if it lies in the grid and the select-cell
    // callback allows it; `show` scrolls it into view.
    bool moveCurrent(int col, int row, bool moveAnchor, bool show);
    int leftCol() const { return geometry_.cols().first(); }
    int topRow() const { return geometry_.rows().first(); }
    void setLeftCol(int col) { setTopLeft(col, topRow()); }
    void setTopRow(int row) { setTopLeft(leftCol(), row); }
    // Clamped to the scroll range.
    void setTopLeft(int col, int row);
    // Scrolling columns (rows) wholly in view, as the grid pages by them.
    int visibleColCount() const { return geometry_.cols().fullVisibleCount(); }
    int visibleRowCount() const { return geometry_.rows().fullVisibleCount(); }
    // The scrolling cells at least partly in view.
    GridRect visibleCells() const { return geometry_.visibleCells(); }
    const GridGeometry &geometry() const { return geometry_; }

    // --- small operations ---
    // Client coordinates, unclipped; empty when the cell is out of view.
    QRect cellRect(int col, int row) const { return geometry_.cellRect(col, row); }
    // (-1, -1) when the point is on no cell.
    GridCoord mouseCoord(QPoint point) const { return geometry_.cellAt(point); }
    void invalidateCell(int col, int row);
    void invalidateGrid();

    // --- printing ---
    // The fixed cells and `colCount` x `rowCount` scrolling cells from
    // (firstCol, firstRow), laid out from `origin` through the same draw
    // callback as the screen. Nothing is focused on paper.
    void paintTile(QPainter &painter, QPoint origin, int firstCol, int colCount, int firstRow,
                   int rowCount) const;
    QSize tileSize(int firstCol, int colCount, int firstRow, int rowCount) const;

    // --- automatic scroll while dragging ---
    // Runs from a left press on a scrolling cell until the release (or the
    // focus leaves); each tick scrolls toward the last mouse position when it
    // lies over the fixed cells or beyond the laid-out ones.
    bool autoScrolling() const { return autoScrollTimer_.isActive(); }
    // One tick of that timer.
    void autoScrollTick();
    static constexpr int autoScrollIntervalMs = 60;

    // --- callbacks ---
    std::function<void(int col, int row, bool &allowed)> onSelectCell;
    GridPainter::DrawCell onDrawCell;
    std::function<void()> onTopLeftChanged;
    std::function<void()> onColWidthsChanged;
    std::function<void(int &key, Qt::KeyboardModifiers modifiers)> onKeyDown;
    std::function<void(int &key, Qt::KeyboardModifiers modifiers)> onKeyUp;
    // One call per typed character (13 for Enter, 8 for Backspace, 27 for Escape).
    std::function<void(char32_t &ch)> onKeyPress;
    std::function<void(const MouseEvent &)> onMouseDown;
    std::function<void(const MouseEvent &)> onMouseMove;
    std::function<void(const MouseEvent &)> onMouseUp;
    // Before the mouse-down callback of the same double click.
    std::function<void(const MouseEvent &)> onDblClick;
    // Setting `handled` keeps the grid from scrolling.
    std::function<void(const WheelEvent &, bool &handled)> onMouseWheel;
    // Replaces the grid's own step of the automatic scroll (GridScroll* bits).
    std::function<void(int directions)> onScroll;
    // Called before the grid's own handling of the focus change. Focus moves
    // to and from popup menus are not reported: the grid keeps the focus.
    std::function<void()> onFocusGained;
    std::function<void()> onFocusLost;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum class DragState { None, Selecting, Sizing };
    // What a change may have moved, to repaint and report only that.
    struct Snapshot {
        GridCoord topLeft;
        GridRect selection;
    };

    Snapshot snapshot() const { return {geometry_.topLeft(), cursor_.selection()}; }
    // Repaints and reports after a change; `layoutChanged` when sizes or
    // counts changed and everything must be laid out again.
    void afterChange(const Snapshot &before, bool layoutChanged);
    void invalidateRange(const GridRect &range);
    void syncScrollBars();
    void syncLineWidths();
    void columnWidthsChanged(const Snapshot &before);

    bool selectCell(int col, int row);
    GridDrawState drawStateOf(int col, int row, bool focused) const;
    void timedScroll(int directions);

    void pressLeft(QPoint pos, Qt::KeyboardModifiers modifiers);
    void dragTo(QPoint pos);
    void finishDrag(QPoint pos);
    void cancelDrag();
    void updateSizingCursor(QPoint pos);
    static MouseEvent mouseEventOf(const QMouseEvent *event, bool doubleClick);
    void scrollByWheel(QPoint angleDelta);

    GridGeometry geometry_;
    GridCursor cursor_;
    GridOptions options_ = defaultGridOptions();
    int lineWidth_ = 1;
    QColor color_;
    bool syncingBars_ = false;

    DragState drag_ = DragState::None;
    QPoint lastMousePos_;
    QTimer autoScrollTimer_;
    int sizingCol_ = -1;
    int sizingPos_ = 0;
    int sizingOffset_ = 0;
    QPoint wheelRemainder_;
};
