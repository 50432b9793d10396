#include "SheetWidgetFixture.h"

#include "sheets/SheetColumnWidthStore.h"
#include "sheets/SheetFonts.h"
#include "sheets/cuiMenu.h"

#include "cells/CellLabels.h"
#include "cells/EventCodes.h"

#include <QMenu>
#include <QMenuBar>

namespace {

// Builds the popup menu as the menus would: one item per menu, whose click
// sends CL_PMenu_Copy. Remembers what it built and what was destroyed.
class FakeMenus
{
public:
    cuiSheet::ContextMenuFactory factory()
    {
        return [this](QMenu &popup, const std::string &name,
                      std::function<void(std::int32_t)> onCommand) {
            built.push_back(name);
            QAction *item = popup.addAction(QString::fromStdString(name));
            QObject::connect(item, &QAction::triggered, [onCommand] { onCommand(CL_PMenu_Copy); });
            auto *builder = new int(static_cast<int>(built.size()));
            live = builder;
            return std::shared_ptr<void>(builder, [this](void *p) {
                ++destroyed;
                if (live == p)
                    live = nullptr;
                delete static_cast<int *>(p);
            });
        };
    }

    std::vector<std::string> built;
    int destroyed = 0;
    void *live = nullptr;
};

class SheetMenus : public SheetWidgetFixture
{
protected:
    SheetMenus()
    {
        open("GI_Sheet_Nav", [this](cuiSheet &s) { s.SetOwnContextMenuFactory(menus.factory()); });
    }

    // The events of the menu protocol only: 9, 10 and 11.
    static std::vector<EventRecorder::Seen> menuEvents(const EventRecorder &recorder)
    {
        std::vector<EventRecorder::Seen> result;
        for (const EventRecorder::Seen &seen : recorder.events) {
            if (seen.type == kEvMenuStates || seen.type == kEvEmptySubmenu ||
                seen.type == kEvRebuildSubmenu)
                result.push_back(seen);
        }
        return result;
    }

    FakeMenus menus;
};

TEST_F(SheetMenus, TheContextMenuAndTheEditEntryFollowTheCurrentCell)
{
    EventRecorder events;
    focusGrid();
    auto seen = menuEvents(events);
    ASSERT_EQ(seen.size(), 3u) << "gaining the focus rebuilds";
    EXPECT_EQ(seen[0].type, kEvEmptySubmenu);
    EXPECT_EQ(seen[0].argument, CL_Menu_Edit_Top);
    EXPECT_EQ(seen[1].type, kEvRebuildSubmenu);
    EXPECT_EQ(seen[1].text, "GI_PMenu_Edit");
    EXPECT_EQ(seen[1].argument, CL_Menu_Edit_Top);
    EXPECT_EQ(seen[1].object, menus.live);
    EXPECT_EQ(seen[2].type, kEvMenuStates);
    EXPECT_EQ(sheet->PopupMenu()->actions().size(), 1);

    events.events.clear();
    key(Qt::Key_Right);
    seen = menuEvents(events);
    ASSERT_EQ(seen.size(), 1u) << "the same menu: only the states";
    EXPECT_EQ(seen[0].type, kEvMenuStates);

    events.events.clear();
    ASSERT_TRUE(sheet->PutCursor(1, 6));
    seen = menuEvents(events);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].text, "GI_PMenu_Tail");
    // Built when shown, again when the grid gained the focus, then the tail's.
    EXPECT_EQ(menus.built,
              (std::vector<std::string>{"GI_PMenu_Edit", "GI_PMenu_Edit", "GI_PMenu_Tail"}));
    EXPECT_EQ(menus.destroyed, 2);
    EXPECT_EQ(sheet->ContextMenuName(), "GI_PMenu_Tail");
}

TEST_F(SheetMenus, LosingTheFocusEmptiesTheEditEntry)
{
    focusGrid();
    EventRecorder events;
    container.setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(sheet->GridFocused());
    const auto seen = menuEvents(events);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, kEvEmptySubmenu);
    EXPECT_EQ(seen[1].type, kEvMenuStates);
    EXPECT_EQ(menus.live, nullptr);
    EXPECT_TRUE(sheet->PopupMenu()->actions().isEmpty());
}

TEST_F(SheetMenus, TheRightButtonOpensTheMenuOnSelectableCellsOnly)
{
    focusGrid();
    click(centreOf(0, 2), Qt::RightButton);
    EXPECT_FALSE(sheet->PopupMenu()->isVisible()) << "a heading";
    EXPECT_EQ(current(), (GridCoord{1, 1}));
    click(centreOf(2, 3), Qt::RightButton);
    EXPECT_EQ(current(), (GridCoord{2, 3}));
    EXPECT_TRUE(sheet->PopupMenu()->isVisible());
    sheet->PopupMenu()->hide();
}

TEST_F(SheetMenus, AShownSelectionKeepsTheCursorWhereItIs)
{
    focusGrid();
    key(Qt::Key_Down, Qt::ShiftModifier);
    releaseShift();
    ASSERT_TRUE(sheet->Selection().Shown());
    click(centreOf(3, 6), Qt::RightButton);
    EXPECT_EQ(current(), (GridCoord{1, 2}));
    EXPECT_TRUE(sheet->PopupMenu()->isVisible());
    sheet->PopupMenu()->hide();
}

TEST_F(SheetMenus, AMenuItemSendsItsCommandForTheCurrentCell)
{
    focusGrid();
    sheet->PutCursor(3, 2);
    sheet->PopupMenu()->actions().front()->trigger();
    ASSERT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].command, CL_PMenu_Copy);
    EXPECT_EQ(handler.actions[0].code, 0);
    EXPECT_EQ(handler.actions[0].label, Flex2);
    EXPECT_EQ(handler.actions[0].index, 1);
}

TEST_F(SheetMenus, TheSheetOwningAMenuAnswersWithItsCurrentCell)
{
    sheet->PutCursor(2, 3);
    const cmcEvAns *answer = eventManager().Query(kEvCurrentCellOfMenu, sheet->PopupMenu());
    ASSERT_NE(answer, nullptr);
    const cmcCellObj *cell = nullptr;
    ASSERT_EQ(answer->data.size(), sizeof cell);
    std::memcpy(&cell, answer->data.data(), sizeof cell);
    EXPECT_EQ(cell, &sheet->CellAt(2, 3));
    QMenu other;
    EXPECT_EQ(eventManager().Query(kEvCurrentCellOfMenu, &other), nullptr);
}

TEST_F(SheetMenus, ClosingTellsListenersAndKeepsTheColumnWidths)
{
    EventRecorder events;
    const auto grid = reinterpret_cast<std::intptr_t>(sheet->Grid());
    const int width = sheet->Grid()->colWidth(1);
    sheet.reset();
    ASSERT_FALSE(events.events.empty());
    EXPECT_EQ(events.types().back(), kEvControlClosing);
    EXPECT_EQ(events.events.back().argument, grid);
    EXPECT_EQ(SheetColumnWidthStore::Read("Navigation", 1), width);
}

TEST_F(SheetMenus, DoubleClickingAHeadingBorderFitsTheColumn)
{
    const std::string longText = "a much longer text";
    handler.onDraw = [&](cmcCellCapsule &capsule) {
        if (capsule.cell->index == 91)
            capsule.outputText = longText;
    };
    const QRect heading = grid().cellRect(1, 0);
    mouse(QEvent::MouseButtonDblClick, QPoint(heading.right() - 1, heading.center().y()),
          Qt::LeftButton, Qt::LeftButton);
    const QFontMetrics metrics(SheetFonts::ToQFont(sheet->FontOf(sheet->CellAt(1, 5))));
    EXPECT_EQ(grid().colWidth(1), metrics.horizontalAdvance(QString::fromStdString(longText)) + 8);
    EXPECT_TRUE(handler.actions.empty());

    // Not a border: a double click on the current cell is Enter.
    mouse(QEvent::MouseButtonDblClick, centreOf(1, 1), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].code, cmcCellCapsule::kCodeEnterAlias);
}

TEST_F(SheetMenus, ColumnsTheUserSizesStayWithinLimits)
{
    grid().setColWidth(1, 5000);
    EXPECT_EQ(grid().colWidth(1), sheet->ScreenWidthLimit());
    EXPECT_LE(grid().colWidth(1), SheetLayout::kMaxColWidth);
    grid().setColWidth(1, 2);
    EXPECT_EQ(grid().colWidth(1), SheetLayout::kMinColWidth);
    grid().setColWidth(0, 2);
    EXPECT_EQ(grid().colWidth(0), 2) << "headings are not kept, so not limited";
}

// The menus' own builder, as the program runs it: the sheet's context menu
// and the main menu's edit entry hold the same items.
class SheetOwnMenus : public SheetWidgetFixture
{
protected:
    SheetOwnMenus() : mainMenu(&container, &bar, mainTextDatabase(), "GI_Menu_Sheet", nullptr)
    {
        mainMenu.Build();
        open("GI_Sheet_Nav");
    }

    template <typename Items>
    static QStringList captions(const Items &items)
    {
        QStringList texts;
        for (const QAction *item : items)
            texts << item->text().remove('&').section('\t', 0, 0);
        return texts;
    }
    QAction *editEntry() { return mainMenu.FindItemByLabel(CL_Menu_Edit_Top); }

    QMenuBar bar;
    cuiMenu mainMenu;
};

TEST_F(SheetOwnMenus, TheEditEntryMirrorsTheCurrentCellsContextMenu)
{
    focusGrid();
    EXPECT_EQ(captions(sheet->PopupMenu()->actions()), (QStringList{"Edit...", "Copy"}));
    EXPECT_EQ(captions(mainMenu.Items(editEntry())), (QStringList{"Edit...", "Copy"}));
    ASSERT_TRUE(sheet->PutCursor(2, 7));
    ASSERT_TRUE(sheet->PutCursor(1, 7));
    EXPECT_EQ(captions(mainMenu.Items(editEntry())), (QStringList{"Copy", "Paste", "Delete"}));

    // A click in the main menu acts on the sheet's current cell.
    handler.actions.clear();
    mainMenu.Items(editEntry())[1]->trigger();
    ASSERT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].command, CL_PMenu_Paste);
    EXPECT_EQ(handler.actions[0].label, Flex0);
    EXPECT_EQ(handler.actions[0].index, 1);

    container.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(mainMenu.Items(editEntry()).empty());
}

TEST_F(SheetOwnMenus, ThePopupOpensAfterTheMenuWasRebuilt)
{
    focusGrid();
    ASSERT_TRUE(sheet->PutCursor(1, 7));
    ASSERT_TRUE(sheet->PutCursor(1, 2));
    click(centreOf(1, 7), Qt::RightButton);
    ASSERT_TRUE(sheet->PopupMenu()->isVisible());
    EXPECT_EQ(captions(sheet->PopupMenu()->actions()), (QStringList{"Copy", "Paste", "Delete"}));
    sheet->PopupMenu()->hide();
}

} // namespace
