#pragma once

#include <QFlags>

// Behaviour switches of the grid. The sheet turns off everything but thumb
// tracking and, for resizable sheets, column sizing; the rest keeps the grid
// usable on its own (and in tests).
enum class GridOption : unsigned {
    FixedVertLine = 1u << 0, // lines between fixed columns
    FixedHorzLine = 1u << 1, // lines between fixed rows
    VertLine = 1u << 2,      // lines between scrolling columns
    HorzLine = 1u << 3,      // lines between scrolling rows
    RangeSelect = 1u << 4,   // Shift and dragging select a rectangle of cells
    ColSizing = 1u << 5,     // column borders in the fixed rows can be dragged
    ThumbTracking = 1u << 6, // the view follows the scroll bar thumb while it is dragged
    Tabs = 1u << 7,          // Tab and Shift+Tab move the current cell instead of the focus
};
Q_DECLARE_FLAGS(GridOptions, GridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(GridOptions)

// What a freshly made grid starts with: all lines and rectangle selection.
inline constexpr GridOptions defaultGridOptions()
{
    return GridOptions(GridOption::FixedVertLine) | GridOption::FixedHorzLine |
           GridOption::VertLine | GridOption::HorzLine | GridOption::RangeSelect;
}

// Directions of an automatic scroll while the mouse drags beyond the cells.
enum GridScrollDirection : int {
    GridScrollLeft = 1 << 0,
    GridScrollRight = 1 << 1,
    GridScrollUp = 1 << 2,
    GridScrollDown = 1 << 3,
};
