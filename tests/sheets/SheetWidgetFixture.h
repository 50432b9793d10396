#pragma once

#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"

#include "FakeCellHandler.h"
#include "SheetTestTexts.h"

#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Every event the sheet raises, as listeners see them.
class EventRecorder
{
public:
    struct Seen {
        int type;
        std::intptr_t argument;
        std::string text;
        void *object;
    };

    EventRecorder() { eventManager().Register(&EventRecorder::record, this); }
    ~EventRecorder() { eventManager().Unregister(&EventRecorder::record, this); }

    std::vector<int> types() const
    {
        std::vector<int> result;
        for (const Seen &seen : events)
            result.push_back(seen.type);
        return result;
    }
    std::vector<Seen> events;

private:
    static void record(void *object, const cmcEvent &event)
    {
        static_cast<EventRecorder *>(object)->events.push_back(
            {event.type, event.argument, event.text(), event.object});
    }
};

// A sheet of the fixture overlay shown in a 500 x 400 container, with the
// fake handler, a recording pause between auto-repeats and the settings in
// a sandbox.
class SheetWidgetFixture : public testing::Test
{
protected:
    static void SetUpTestSuite() { openSheetFixture(); }

    SheetWidgetFixture()
    {
        container.resize(500, 400);
        container.show();
        container.activateWindow();
        QApplication::processEvents();
    }

    cuiSheet &open(const std::string &descriptor, const std::function<void(cuiSheet &)> &setUp = {},
                   std::int32_t initialLabel = 0, std::int32_t initialIndex = 0,
                   const cmcCellCapsule *origin = nullptr)
    {
        sheet = std::make_unique<cuiSheet>(&container, origin, initialLabel, initialIndex,
                                           mainTextDatabase(), descriptor);
        sheet->SetHandler(&FakeCellHandler::Handle, nullptr);
        sheet->SetRepeatWait([this](int ms) { waits.push_back(ms); });
        if (setUp)
            setUp(*sheet);
        sheet->Show();
        QApplication::processEvents();
        return *sheet;
    }

    cuiGrid &grid() { return *sheet->Grid(); }
    GridCoord current() { return sheet->CurrentCell(); }
    QPoint centreOf(int col, int row) { return grid().cellRect(col, row).center(); }

    void focusGrid()
    {
        grid().setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }

    // Keys go where the focus is: the editor while it is open, else the grid.
    void key(int key, Qt::KeyboardModifiers modifiers = {}, const QString &text = {})
    {
        QWidget *target = sheet->EditorActive() ? static_cast<QWidget *>(sheet->Editor())
                                                : static_cast<QWidget *>(&grid());
        QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &down);
        if (sheet == nullptr)
            return;
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(sheet->EditorActive() ? static_cast<QWidget *>(sheet->Editor())
                                                      : static_cast<QWidget *>(&grid()),
                                &up);
    }
    void releaseShift()
    {
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
        QApplication::sendEvent(&grid(), &up);
    }
    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = {})
    {
        QMouseEvent event(type, pos, grid().viewport()->mapToGlobal(pos), button, buttons,
                          modifiers);
        QApplication::sendEvent(grid().viewport(), &event);
    }
    void click(QPoint pos, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseButtonPress, pos, button, button, modifiers);
        mouse(QEvent::MouseButtonRelease, pos, button, Qt::NoButton, modifiers);
    }

    testing_support::ScopedSettingsSandbox sandbox;
    FakeCellHandler handler;
    std::vector<int> waits;
    QWidget container;
    std::unique_ptr<cuiSheet> sheet;
};
