#include "windows/cuiFlector.h"

#include "sheets/FakeCellHandler.h"
#include "sheets/SheetTestTexts.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "ui/WindowGeometry.h"
#include "windows/PopupPlacement.h"

#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>

#include <functional>
#include <memory>

namespace {

// A sheet of the fixtures in a window; Enter on its one entry opens a
// selection list at that cell, on the list's entry with index 1.
class SelectionPopup : public testing::Test
{
protected:
    static void SetUpTestSuite() { openSheetFixture(); }

    SelectionPopup()
    {
        host = std::make_unique<cuiSheet>(&window, nullptr, 0, 0, mainTextDatabase(),
                                          "GI_Sheet_Widths");
        host->SetHandler(&FakeCellHandler::Handle, nullptr);
        window.resize(500, 300);
        window.show();
        host->Show();
        handler.onAction = [this](cmcCellCapsule &capsule) {
            if (capsule.inputMode != cmcCellCapsule::kInputKey ||
                capsule.code != cmcCellCapsule::kCodeEnter)
                return 0;
            popup = cuiFlector::Open(capsule, Flex0, current, *listTexts, listKey);
            return static_cast<int>(kHandlerRedraw);
        };
        QApplication::processEvents();
    }
    ~SelectionPopup() override
    {
        host.reset();
        settle();
    }

    // Enter on the host's entry.
    cuiFlector *openList()
    {
        cuiGrid &grid = *host->Grid();
        grid.setFocus();
        press(grid, Qt::Key_Return, "\r");
        return popup.data();
    }
    static void press(QWidget &target, int key, const QString &text = {})
    {
        QKeyEvent down(QEvent::KeyPress, key, {}, text);
        QApplication::sendEvent(&target, &down);
    }
    // Windows that released themselves go.
    static void settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    bool answered() const
    {
        for (const FakeCellHandler::Call &call : handler.actions) {
            if (call.inputMode == cmcCellCapsule::kInputChosen)
                return true;
        }
        return false;
    }

    testing_support::ScopedSettingsSandbox sandbox;
    FakeCellHandler handler;
    QWidget window;
    std::unique_ptr<cuiSheet> host;
    cmcGTex *listTexts = &mainTextDatabase();
    std::string listKey = "GI_Sheet_Pick";
    std::int32_t current = 1;
    QPointer<cuiFlector> popup;
};

TEST_F(SelectionPopup, OpensBelowTheCellShowingTheWholeListOnTheCurrentEntry)
{
    cuiFlector *list = openList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(list->Owner(), host->Grid());
    cuiSheet *sheet = list->Sheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->PopupMode());
    EXPECT_EQ(sheet->CurrentCell(), (GridCoord{0, 1}));

    const cuiGrid &grid = *sheet->Grid();
    EXPECT_EQ(list->size(), QSize(sheet->RequiredWidth(), sheet->RequiredHeight()));
    EXPECT_EQ(grid.viewport()->width(), grid.geometry().cols().totalExtent());
    EXPECT_EQ(grid.viewport()->height(), grid.geometry().rows().totalExtent());
    EXPECT_FALSE(grid.verticalScrollBar()->isVisible());

    const QRect cell = host->Grid()->cellRect(1, 1);
    const QRect onScreen(host->Grid()->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    EXPECT_EQ(list->pos(), popup_placement::position(onScreen, list->frameGeometry().size(),
                                                     window_geometry::workAreaOf(&window)));
}

TEST_F(SelectionPopup, EnterAnswersTheOpeningCellWithTheEntryAndCloses)
{
    cuiFlector *list = openList();
    ASSERT_NE(list, nullptr);
    cuiGrid &grid = *list->Sheet()->Grid();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, {});
    QApplication::sendEvent(&grid, &down);
    press(grid, Qt::Key_Return, "\r");
    ASSERT_FALSE(handler.actions.empty());
    const FakeCellHandler::Call &answer = handler.actions.back();
    EXPECT_EQ(answer.inputMode, cmcCellCapsule::kInputChosen);
    EXPECT_EQ(answer.label, Flex0) << "the opening cell";
    EXPECT_EQ(answer.index, 0);
    EXPECT_EQ(answer.chosenLabel, Flex0);
    EXPECT_EQ(answer.chosenIndex, 2);
    EXPECT_FALSE(list->isVisible());
    settle();
    EXPECT_TRUE(popup.isNull());
}

TEST_F(SelectionPopup, EveryWayOfLeavingClosesWithoutAnAnswer)
{
    struct Case {
        const char *name;
        std::function<void(cuiFlector &)> leave;
    } cases[] = {
        {"Escape, before the list sees it",
         [](cuiFlector &list) { press(*list.Sheet()->Grid(), Qt::Key_Escape); }},
        {"another window taken",
         [](cuiFlector &list) {
             QEvent deactivate(QEvent::WindowDeactivate);
             QApplication::sendEvent(&list, &deactivate);
         }},
        {"pending edits finished (event 21)",
         [](cuiFlector &) { eventManager().Send(kEvFinishEdits); }},
        {"the opening grid goes (event 1)", [this](cuiFlector &) { host.reset(); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (host == nullptr) {
            host = std::make_unique<cuiSheet>(&window, nullptr, 0, 0, mainTextDatabase(),
                                              "GI_Sheet_Widths");
            host->SetHandler(&FakeCellHandler::Handle, nullptr);
            host->Show();
        }
        handler.actions.clear();
        cuiFlector *list = openList();
        ASSERT_NE(list, nullptr);
        c.leave(*list);
        if (const cuiFlector *still = popup.data()) {
            EXPECT_FALSE(still->isVisible());
        }
        settle();
        EXPECT_TRUE(popup.isNull());
        EXPECT_FALSE(answered());
    }
}

// Events for other grids leave the list open.
TEST_F(SelectionPopup, AnotherGridGoingLeavesTheListOpen)
{
    cuiFlector *list = openList();
    ASSERT_NE(list, nullptr);
    QWidget other;
    eventManager().Send(kEvControlClosing, nullptr, reinterpret_cast<std::intptr_t>(&other));
    settle();
    ASSERT_FALSE(popup.isNull());
    EXPECT_TRUE(list->isVisible());
}

TEST_F(SelectionPopup, AListLargerThanTheWorkAreaScrollsToTheCurrentEntry)
{
    InlineTexts texts(sheetKeys(
        "GI_Sheet_Long", "", {":(LoopFrom 400)", "{S<-WH(%Flex0[@ch0])(@ch0++)}entry", ":(LoopTo)"},
        "{<-(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)}"));
    listTexts = &texts.texts();
    listKey = "GI_Sheet_Long";
    current = 350;
    cuiFlector *list = openList();
    ASSERT_NE(list, nullptr);
    const cuiGrid &grid = *list->Sheet()->Grid();
    const WorkArea area = window_geometry::workAreaOf(&window);
    EXPECT_EQ(list->height(), area.bottom - area.top);
    EXPECT_LE(list->width(), area.right - area.left);
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(list->Sheet()->CurrentCell(), (GridCoord{0, 350}));
    const GridRect visible = grid.visibleCells();
    EXPECT_LE(visible.top, 350);
    EXPECT_GE(visible.bottom, 350);
    list->close();
    settle();
}

} // namespace
