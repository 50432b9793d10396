#pragma once

#include <vector>

// One direction of the grid: the columns (widths) or the rows (heights).
//
// Cells are laid out from the axis origin: first the fixed cells, which never
// scroll, then the scrolling cells from `first()` on. Each cell is followed
// by a grid line of `lineWidth()` pixels (0 when no lines are drawn along
// this axis). The client extent is the visible length of the axis; cells
// beyond it are out of view.
//
// Invariants: count() >= 1, 0 <= fixedCount() < count(), and
// fixedCount() <= first() <= maxFirst(); every setter restores them.
class GridAxis
{
public:
    // A cell as laid out: its index, its start from the axis origin and its
    // extent (without the line after it).
    struct Span {
        int index = 0;
        int start = 0;
        int extent = 0;

        friend bool operator==(const Span &, const Span &) = default;
    };

    GridAxis(int count, int fixedCount, int defaultExtent);

    int count() const { return static_cast<int>(extents_.size()); }
    // Below 1 counts as 1. New cells take the default extent.
    void setCount(int count);
    int fixedCount() const { return fixedCount_; }
    // Capped at count() - 1; the view returns to the first scrolling cell.
    void setFixedCount(int fixedCount);
    int defaultExtent() const { return defaultExtent_; }
    // Every cell takes the new extent, including those sized one by one.
    void setDefaultExtent(int extent);
    // The default extent for an index outside the axis.
    int extent(int index) const;
    // False (and nothing changes) for an index outside the axis or the same
    // extent. Negative extents count as 0 (a hidden cell).
    bool setExtent(int index, int extent);
    int lineWidth() const { return lineWidth_; }
    void setLineWidth(int width);
    int clientExtent() const { return clientExtent_; }
    void setClientExtent(int extent);
    int first() const { return first_; }
    // Clamped to [fixedCount(), maxFirst()]; true when the view moved.
    bool setFirst(int first);

    // Where the scrolling cells begin: the fixed cells and their lines.
    int fixedBoundary() const;
    // The start of a cell on screen, or -1 when it is scrolled away or lies
    // wholly beyond the client extent.
    int start(int index) const;
    // The last cell at least partly in view (first() - 1 when none is).
    int lastVisible() const;
    // The last cell wholly in view, never less than first(): a first cell
    // longer than the client counts as wholly visible, so that keeping a
    // cell in view never scrolls past it.
    int lastFullVisible() const;
    int fullVisibleCount() const { return lastFullVisible() - first_ + 1; }
    // The end of the laid-out cells: after the line of the last wholly
    // visible cell, or the client extent when a cell is cut off there.
    int boundary() const;
    // The smallest first cell that still shows `index` wholly (or `index`
    // itself when it is too long for the client).
    int firstShowing(int index) const;
    // The first cell that brings the last cell wholly into view.
    int maxFirst() const { return firstShowing(count() - 1); }
    // Scrolls the least needed to show a scrolling cell wholly; fixed cells
    // are always in view. True when the view moved.
    bool scrollIntoView(int index);
    // The cell covering a client position; the line after a cell belongs to
    // it. -1 outside the cells and beyond the client extent.
    int cellAt(int pos) const;
    // -1 before the scrolling cells, +1 beyond the boundary, else 0.
    int directionAt(int pos) const;
    // The cell whose trailing edge lies within a few pixels of `pos`, for
    // sizing it with the mouse; -1 when there is none.
    int sizingIndexAt(int pos) const;
    // Every cell and line, in pixels.
    int totalExtent() const;

    // The cells in view: the fixed ones, then the scrolling ones from first().
    std::vector<Span> visibleSpans() const;
    // A print tile: the fixed cells, then `n` scrolling cells from `from`,
    // laid out from 0 regardless of the client extent.
    std::vector<Span> tileSpans(int from, int n) const;
    // The length of such a tile, lines included.
    int tileExtent(int from, int n) const;

private:
    int step(int index) const { return extents_[static_cast<std::size_t>(index)] + lineWidth_; }
    void clampFirst();

    std::vector<int> extents_;
    int fixedCount_ = 0;
    int defaultExtent_ = 0;
    int lineWidth_ = 0;
    int clientExtent_ = 0;
    int first_ = 0;
};
