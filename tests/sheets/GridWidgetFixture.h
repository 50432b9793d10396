#pragma once

#include "sheets/cuiGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

// A grid as the sheets use it, on a client of exactly 200 x 100 pixels (no
// frame, no scroll bars): six columns of 50 and twenty rows of 20 pixels, one
// fixed of each, no lines. Three scrolling columns and four scrolling rows
// are in view; cell (c, r) from the top-left (1, 1) is centred at
// (c * 50 + 25, r * 20 + 10).
class GridWidgetFixture : public testing::Test
{
protected:
    GridWidgetFixture()
    {
        grid.setFrameShape(QFrame::NoFrame);
        grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid.setOptions(GridOption::ThumbTracking);
        grid.setColCount(6);
        grid.setRowCount(20);
        grid.setDefaultColWidth(50);
        grid.setDefaultRowHeight(20);
        grid.resize(200, 100);
        grid.show();
    }

    static QPoint centreOf(int col, int row) { return {col * 50 + 25, row * 20 + 10}; }

    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = {})
    {
        QMouseEvent event(type, pos, grid.viewport()->mapToGlobal(pos), button, buttons, modifiers);
        QApplication::sendEvent(grid.viewport(), &event);
    }
    void press(QPoint pos, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, pos, button, button, modifiers);
    }
    void drag(QPoint pos) { mouse(QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton); }
    void release(QPoint pos, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
    }
    void doubleClick(QPoint pos)
    {
        mouse(QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}, const QString &text = {})
    {
        QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&grid, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(&grid, &up);
    }
    void wheel(int delta)
    {
        const QPoint pos = centreOf(2, 2);
        QWheelEvent event(pos, grid.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &event);
    }
    void focus(QEvent::Type type, Qt::FocusReason reason)
    {
        QFocusEvent event(type, reason);
        QApplication::sendEvent(&grid, &event);
    }

    cuiGrid grid;
};
