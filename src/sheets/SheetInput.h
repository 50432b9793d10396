#pragma once

#include "sheets/GridCoord.h"
#include "sheets/cuiGrid.h"

#include <Qt>

class cuiSheet;

// The user's keys and mouse on a sheet's grid and in its in-place editor,
// turned into cursor moves and requests to the cell handler.
class SheetInput
{
public:
    // Pixels either side of a column border that a double click fits.
    static constexpr int kBorderSlack = 4;

    explicit SheetInput(cuiSheet &sheet) : sheet_(sheet) {}

    // Grid key-down; a key the sheet takes is set to 0.
    void KeyDown(int &key, Qt::KeyboardModifiers modifiers);
    // A typed character: a request with its code.
    void KeyPress(char32_t ch);
    // A key in the in-place editor; `handled` keeps it from the editor.
    void EditorKey(int key, Qt::KeyboardModifiers modifiers, bool &handled);
    void MouseDown(const cuiGrid::MouseEvent &event);
    void MouseMove(const cuiGrid::MouseEvent &event);
    void MouseUp(const cuiGrid::MouseEvent &event);
    void DoubleClick(const cuiGrid::MouseEvent &event);
    // Dragging beyond the grid's edge (GridScroll* bits).
    void TimedScroll(int directions);

private:
    // The cell under a point, or the selectable owner of a trailer there;
    // (-1, -1) when neither.
    GridCoord selectableAt(QPoint point) const;
    void openPopupMenu(QPoint point);
    bool fitColumnAt(QPoint point);
    void fitColumn(int col);
    int previousVisibleCol(int col) const;
    int lastVisibleCol() const;

    cuiSheet &sheet_;
};
