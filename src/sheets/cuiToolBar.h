#pragma once

#include "cells/CellHandler.h"
#include "cells/cmcCellObj.h"
#include "sheets/cuiMenuClick.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class cmcEvent;
class cmcGTex;
class cuiImageList;
class QAction;
class QFrame;
class QToolBar;
class QWidget;

// A tool bar built from the text database. Every button is a cell
// description: its image index is the picture, its text the hint, and its
// label what a click does and which state the button shows, both answered by
// the cell handler. A line whose text is "-" is an 8-pixel gap; one whose
// text is "/" starts a new row of buttons.
//
// The tool bar named B is read from "B_BasicCell" (line 0: the base cell of
// every button) and "B_Body" (one button per line up to the first line
// beginning with '#'). kEvToolStates refreshes the buttons' states.
class cuiToolBar
{
public:
    static constexpr int kGapWidth = 8;
    static constexpr int kIndent = 4;

    cuiToolBar(QWidget *owner, cmcGTex &texts, std::string name, const cuiImageList *images,
               cmcCellHandler handler);
    ~cuiToolBar();
    cuiToolBar(const cuiToolBar &) = delete;
    cuiToolBar &operator=(const cuiToolBar &) = delete;

    // Builds the buttons; `click` replaces the builder's own click handling
    // (the button's cell to the handler with the Enter code).
    void Build(cuiMenuClick click = {});
    // Asks the handler for every button's state: pressed (user flag 0),
    // disabled (user flag 2), picture (image index).
    void RefreshStates();

    // The control to place in the window: the rows of buttons.
    QWidget *Control() const;
    // Body lines, separators and breaks included.
    int ButtonCount() const { return static_cast<int>(lines_.size()); }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    QToolBar *Row(int row) const;
    // The button of body line `line`; null for gaps, breaks and other lines.
    QAction *Button(int line) const;
    // The gap widget of body line `line`, or null.
    QWidget *Gap(int line) const;
    const cmcCellObj *ButtonCell(int line) const;

private:
    struct Line {
        std::unique_ptr<cmcCellObj> cell;
        QPointer<QAction> button;
        QPointer<QWidget> gap;
        int imageIndex = -1;
    };

    static void onEvent(void *object, const cmcEvent &event);
    QToolBar *addRow();
    void clear();
    void clicked(int line);

    QWidget *owner_;
    cmcGTex *texts_;
    std::string name_;
    const cuiImageList *images_;
    cmcCellHandler handler_;
    cuiMenuClick click_;
    QPointer<QFrame> control_;
    std::vector<QToolBar *> rows_;
    cmcCellObj baseCell_;
    std::vector<Line> lines_;
};
