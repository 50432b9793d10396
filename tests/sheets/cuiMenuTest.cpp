#include "MenusFixture.h"

#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/cmcEvent.h"
#include "sheets/cuiMenu.h"
#include "sheets/cuiMenuHotKeys.h"
#include "sheets/cuiMenuShortcut.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <memory>

namespace {

constexpr std::int32_t editTop = CL_Menu_Edit_Top;

// Stands in for a sheet: answers event 12 with its current cell when the
// query names its context menu's root, or names no menu at all.
struct FakeSheet {
    QObject *root = nullptr;
    cmcCellObj current;

    FakeSheet() { eventManager().Register(&FakeSheet::onEvent, this); }
    ~FakeSheet() { eventManager().Unregister(&FakeSheet::onEvent, this); }
    static void onEvent(void *object, const cmcEvent &event)
    {
        auto *sheet = static_cast<FakeSheet *>(object);
        if (event.type == kEvCurrentCellOfMenu &&
            (event.object == nullptr || event.object == sheet->root))
            cuiMenu::AnswerCurrentCell(sheet->current);
    }
};

// A sheet's click handling: the chosen item's label becomes a command.
struct ClickRecorder {
    std::vector<std::int32_t> labels;
    static void record(void *context, const cmcCellObj &cell)
    {
        static_cast<ClickRecorder *>(context)->labels.push_back(cell.label);
    }
    cuiMenuClick click() { return {&ClickRecorder::record, this}; }
};

class MenuBuilder : public MenusFixture
{
protected:
    std::unique_ptr<cuiMenu> mainMenu(bool autoHotKeys = false)
    {
        auto menu = std::make_unique<cuiMenu>(&window, bar, texts(), "GI_Menu_Test",
                                              &FakeCellHandler::handle);
        menu->SetAutoHotKeys(autoHotKeys);
        menu->Build();
        return menu;
    }
    std::unique_ptr<cuiMenu> contextMenu(ClickRecorder &recorder)
    {
        auto menu = std::make_unique<cuiMenu>(&grid, nullptr, texts(), "GI_PMenu_Test",
                                              &FakeCellHandler::handle, recorder.click());
        menu->Build();
        return menu;
    }
    // Depth first, as the menu finds items by label, but by index too.
    static QAction *item(const cuiMenu &menu, std::int32_t label, std::int32_t index,
                         const QAction *under = nullptr)
    {
        for (QAction *action : menu.Items(under)) {
            const cmcCellObj *cell = menu.ItemCell(action);
            if (cell->label == label && cell->index == index)
                return action;
            if (QAction *found = item(menu, label, index, action))
                return found;
        }
        return nullptr;
    }

    QMenuBar *bar = new QMenuBar(&window);
    QWidget grid{&window};
};

TEST_F(MenuBuilder, NestingFollowsTheCharactersBeforeThePlus)
{
    cuiMenu menu(&window, bar, texts(), "GI_Menu_Nest", &FakeCellHandler::handle);
    menu.Build();
    ASSERT_EQ(captions(menu.Items()), QStringList({"A", "B"}));
    QAction *a = menu.Items()[0];
    // The blank line inside the list is passed over; A2 continues A's list
    // after A1's deeper one ended.
    ASSERT_EQ(captions(menu.Items(a)), QStringList({"A1", "A2"}));
    EXPECT_EQ(captions(menu.Items(menu.Items(a)[0])), QStringList({"A1a"}));
    EXPECT_TRUE(menu.Items(menu.Items(a)[1]).empty());
    EXPECT_TRUE(menu.Items(menu.Items()[1]).empty());
    // Menu-bar entries open menus even when empty; nested items only with items.
    EXPECT_NE(menu.Items()[1]->menu(), nullptr);
    EXPECT_NE(menu.Items(a)[0]->menu(), nullptr);
    EXPECT_EQ(menu.Items(a)[1]->menu(), nullptr);
}

TEST_F(MenuBuilder, ItemsTakeCaptionShortcutAndSeparatorFromTheirCells)
{
    auto menu = mainMenu();
    const std::vector<QAction *> file = menu->Items(menu->Items()[0]);
    EXPECT_EQ(captions(file),
              QStringList({"New", "&Open...", "-", "Recent file 1", "Recent file 2", "Exit"}));
    EXPECT_TRUE(file[2]->isSeparator());
    EXPECT_EQ(file[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    // A text that names no key gives no shortcut.
    EXPECT_TRUE(file[5]->shortcuts().isEmpty());
    EXPECT_EQ(menu->ItemCell(file[0])->label, CL_Menu_File_New);
    EXPECT_EQ(menu->ItemCell(file[4])->index, 1);

    ClickRecorder recorder;
    auto popup = contextMenu(recorder);
    const std::vector<QAction *> items = popup->Items();
    ASSERT_EQ(items.size(), 4u);
    // The tab before the attributes goes with the other blanks.
    EXPECT_EQ(items[0]->text(), "Edit...");
    EXPECT_EQ(items[0]->shortcuts(),
              QList<QKeySequence>({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}));
    EXPECT_EQ(items[3]->shortcut(), QKeySequence(Qt::Key_Delete));
    // A context menu only shows its keys; the main menu's carry out.
    EXPECT_EQ(items[3]->shortcutContext(), Qt::WidgetShortcut);
    EXPECT_EQ(file[0]->shortcutContext(), Qt::WindowShortcut);
}

TEST_F(MenuBuilder, BuildingAgainLeavesNothingOfTheFirstBuild)
{
    auto menu = mainMenu();
    const std::size_t cells = menu->CellCount();
    const qsizetype barActions = bar->actions().size();
    menu->Build();
    EXPECT_EQ(menu->CellCount(), cells);
    EXPECT_EQ(bar->actions().size(), barActions);
    EXPECT_EQ(cells, 15u);
}

TEST_F(MenuBuilder, StatesComeFromTheHandlersUserFlags)
{
    FakeCellHandler::answer(CL_Menu_View_FontSize, 150, {0x1, {}, {}});
    FakeCellHandler::answer(CL_Menu_File_Exit, 0, {0x4, {}, {}});
    FakeCellHandler::answer(CL_Menu_File_Recent, 0, {0x8, "&1 /tmp/a&&b.vrc", {}});
    FakeCellHandler::answer(CL_Menu_File_Recent, 1, {0x2 | 0x4, "&2 not shown", {}});
    auto menu = mainMenu();
    menu->RefreshStates();

    struct Case {
        std::int32_t label;
        std::int32_t index;
        bool checked;
        bool visible;
        bool enabled;
        const char *caption;
    };
    const Case cases[] = {
        {CL_Menu_View_FontSize, 150, true, true, true, "150 %"},
        {CL_Menu_View_FontSize, 100, false, true, true, "100 %"},
        {CL_Menu_File_Exit, 0, false, true, false, "Exit"},
        // The caption is taken only when the handler sets flag 3.
        {CL_Menu_File_Recent, 0, false, true, true, "&1 /tmp/a&&b.vrc"},
        {CL_Menu_File_Recent, 1, false, false, false, "Recent file 2"},
        // Flags the description sets are cleared before the handler is asked.
        {CL_Menu_View_ToolBar, 0, false, true, true, "Tool bar"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.label << "[" << c.index << "]");
        QAction *action = item(*menu, c.label, c.index);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->isChecked(), c.checked);
        EXPECT_EQ(action->isVisible(), c.visible);
        EXPECT_EQ(action->isEnabled(), c.enabled);
        EXPECT_EQ(action->text(), c.caption);
        // The request is a state request: mode 0, code 0, the main window.
        const auto &calls = FakeCellHandler::calls;
        const auto call = std::find_if(calls.begin(), calls.end(), [&](const auto &each) {
            return each.label == c.label && each.index == c.index;
        });
        ASSERT_NE(call, calls.end());
        EXPECT_EQ(call->mode, kHandlerDraw);
        EXPECT_EQ(call->code, 0);
        EXPECT_EQ(call->owner, &window);
    }
}

TEST_F(MenuBuilder, AHiddenItemComesBackWhenTheFlagIsGone)
{
    auto menu = mainMenu();
    FakeCellHandler::answer(CL_Menu_File_Exit, 0, {0x2, {}, {}});
    menu->RefreshStates();
    QAction *exit = menu->FindItemByLabel(CL_Menu_File_Exit);
    EXPECT_FALSE(exit->isVisible());
    FakeCellHandler::answers.clear();
    eventManager().Send(kEvMenuStates);
    EXPECT_TRUE(exit->isVisible());
}

TEST_F(MenuBuilder, OpeningASubmenuAsksForItsItemsStates)
{
    auto menu = mainMenu();
    QAction *view = menu->Items()[2];
    emit view->menu()->aboutToShow();
    std::vector<std::int32_t> asked;
    for (const auto &call : FakeCellHandler::calls)
        asked.push_back(call.label);
    EXPECT_EQ(asked, (std::vector<std::int32_t>{kLabelCount, kLabelCount, CL_Menu_View_FontSize,
                                                CL_Menu_View_FontSize, CL_Menu_View_ToolBar}));
}

TEST_F(MenuBuilder, AutomaticHotKeysFollowCaptionChanges)
{
    auto menu = mainMenu(true);
    EXPECT_EQ(captions(menu->Items()), QStringList({"&File", "&Edit", "&View", "&Help"}));
    QAction *file = menu->Items()[0];
    EXPECT_EQ(captions(menu->Items(file)),
              QStringList({"&New", "&Open...", "-", "&Recent file 1", "R&ecent file 2", "E&xit"}));
    FakeCellHandler::answer(CL_Menu_File_Recent, 0, {0x8, "Xylophone", {}});
    menu->RefreshStates();
    // The new caption takes its own first letter and frees R and E.
    EXPECT_EQ(captions(menu->Items(file)),
              QStringList({"&New", "&Open...", "-", "&Xylophone", "&Recent file 2", "&Exit"}));
}

TEST(MenuHotKeys, EachCaptionGetsAFreeLetterOrDigit)
{
    struct Case {
        QStringList captions;
        QStringList expected;
    };
    const Case cases[] = {
        {{"Save", "Save as"}, {"&Save", "S&ave as"}},       {{"Cut", "&Copy"}, {"C&ut", "&Copy"}},
        {{"a && b", "-", "&&c"}, {"&a && b", "-", "&&&c"}}, {{"1 file", "!!"}, {"&1 file", "!!"}},
        {{"ab", "ba", "ab"}, {"&ab", "&ba", "ab"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(withHotKeys(c.captions), c.expected) << c.captions.join('|').toStdString();
}

TEST(MenuShortcut, TextsOfTheDescriptionsBecomeKeySequences)
{
    struct Case {
        const char *text;
        QKeySequence expected;
    };
    const Case cases[] = {
        {"Ctrl+C", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"ctrl+shift+z", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"Del", QKeySequence(Qt::Key_Delete)},
        {"Shift+Ins", QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {"Alt+BkSp", QKeySequence(Qt::ALT | Qt::Key_Backspace)},
        {"PgDn", QKeySequence(Qt::Key_PageDown)},
        {"F12", QKeySequence(Qt::Key_F12)},
        {"Ctrl++", QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {"Ctrl+1", QKeySequence(Qt::CTRL | Qt::Key_1)},
        {"", QKeySequence()},
        {"Ctrl+", QKeySequence()},
        {"F25", QKeySequence()},
        {"Ctrl+Bogus", QKeySequence()},
        {"Ctrl+ C", QKeySequence()},
    };
    for (const Case &c : cases) {
        const QList<QKeySequence> sequences = menuShortcutFromText(c.text);
        const QKeySequence first = sequences.isEmpty() ? QKeySequence() : sequences.front();
        EXPECT_EQ(first, c.expected) << c.text;
    }
}

TEST_F(MenuBuilder, AClickSendsTheItemsCellWithEnterAndRefreshes)
{
    FakeSheet sheet;
    sheet.current.label = CL_Mch_FreqR;
    auto menu = mainMenu();
    item(*menu, CL_Menu_View_FontSize, 150)->trigger();
    const auto clicks = FakeCellHandler::clicks();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].label, CL_Menu_View_FontSize);
    EXPECT_EQ(clicks[0].index, 150);
    EXPECT_EQ(clicks[0].mode, kHandlerDraw);
    EXPECT_EQ(clicks[0].owner, &window);
    // The current sheet's cell comes along as the origin.
    EXPECT_EQ(clicks[0].originLabel, CL_Mch_FreqR);
    // Then every item's state was asked again.
    EXPECT_EQ(FakeCellHandler::calls.size(), 1 + menu->CellCount());
}

TEST_F(MenuBuilder, ContextMenuClicksGoToTheSheet)
{
    ClickRecorder recorder;
    auto popup = contextMenu(recorder);
    popup->Items()[1]->trigger();
    EXPECT_EQ(recorder.labels, std::vector<std::int32_t>{CL_PMenu_Copy});
    EXPECT_TRUE(FakeCellHandler::clicks().empty());
}

TEST_F(MenuBuilder, ContextMenuStatesAreAskedForTheSheetsCurrentCell)
{
    FakeSheet sheet;
    ClickRecorder recorder;
    auto popup = contextMenu(recorder);
    sheet.root = popup->Root();
    sheet.current.label = CL_Mch_FreqR;
    popup->RefreshStates();
    sheet.current.label = CL_Mch_Text;
    emit popup->PopupMenu()->aboutToShow();
    // Each refresh asks again: the cursor may have moved in between.
    ASSERT_EQ(FakeCellHandler::calls.size(), 8u);
    EXPECT_EQ(FakeCellHandler::calls[0].originLabel, CL_Mch_FreqR);
    EXPECT_EQ(FakeCellHandler::calls[7].originLabel, CL_Mch_Text);
    EXPECT_EQ(FakeCellHandler::calls[7].owner, &grid);
}

TEST_F(MenuBuilder, TheEditEntryMirrorsTheContextMenu)
{
    auto menu = mainMenu();
    FakeSheet sheet;
    ClickRecorder recorder;
    auto popup = contextMenu(recorder);
    sheet.root = popup->Root();
    sheet.current.label = CL_Mch_FreqR;
    const std::size_t cellsBefore = menu->CellCount();

    eventManager().SendText(kEvRebuildSubmenu, popup.get(), editTop, "GI_PMenu_Test");
    QAction *edit = menu->FindItemByLabel(editTop);
    const std::vector<QAction *> items = menu->Items(edit);
    ASSERT_EQ(captions(items), QStringList({"Edit...", "Copy", "Paste", "Delete"}));
    EXPECT_EQ(items[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(items[1]->shortcutContext(), Qt::WindowShortcut);

    // A click goes to the sheet, as in its own context menu.
    items[3]->trigger();
    EXPECT_EQ(recorder.labels, std::vector<std::int32_t>{CL_PMenu_Delete});
    // Their states are asked for the sheet's current cell; the main menu's
    // own items have no sheet behind them.
    FakeCellHandler::calls.clear();
    menu->RefreshStates();
    for (const auto &call : FakeCellHandler::calls) {
        const bool mirrored = call.label >= CL_PMenu_Edit && call.label <= CL_PMenu_Delete;
        EXPECT_EQ(call.originLabel.has_value(), mirrored) << call.label;
    }

    eventManager().Send(kEvEmptySubmenu, nullptr, editTop);
    EXPECT_TRUE(menu->Items(edit).empty());
    EXPECT_EQ(menu->CellCount(), cellsBefore);
}

TEST_F(MenuBuilder, ThePostedNoItemEntryFillsOnlyAnEmptyEditEntry)
{
    auto menu = mainMenu();
    QAction *edit = menu->FindItemByLabel(editTop);
    // Asked twice before the queue ran, the entry still shows once.
    for (int i = 0; i < 2; ++i)
        eventManager().PostText(kEvRebuildSubmenu, menu.get(), editTop, "GI_PMenu_NoItem");
    eventManager().Tick();
    ASSERT_EQ(captions(menu->Items(edit)), QStringList({"(no item)"}));

    // Its click is the main menu's own.
    menu->Items(edit)[0]->trigger();
    ASSERT_EQ(FakeCellHandler::clicks().size(), 1u);
    EXPECT_EQ(FakeCellHandler::clicks()[0].label, CL_PMenu_NoItem);

    // A sheet that took the entry meanwhile keeps it.
    ClickRecorder recorder;
    auto popup = contextMenu(recorder);
    eventManager().Send(kEvEmptySubmenu, nullptr, editTop);
    eventManager().PostText(kEvRebuildSubmenu, menu.get(), editTop, "GI_PMenu_NoItem");
    eventManager().SendText(kEvRebuildSubmenu, popup.get(), editTop, "GI_PMenu_Test");
    eventManager().Tick();
    EXPECT_EQ(menu->Items(edit).size(), 4u);
}

TEST_F(MenuBuilder, ItemsOfAGoneBuilderClickThroughTheMainMenu)
{
    auto menu = mainMenu();
    ClickRecorder recorder;
    auto popup = contextMenu(recorder);
    cuiMenu *gone = popup.get();
    popup.reset();
    // The posted event outlived its builder.
    eventManager().PostText(kEvRebuildSubmenu, gone, editTop, "GI_PMenu_Test");
    eventManager().Tick();
    QAction *copy = menu->Items(menu->FindItemByLabel(editTop))[1];
    copy->trigger();
    EXPECT_TRUE(recorder.labels.empty());
    ASSERT_EQ(FakeCellHandler::clicks().size(), 1u);
    EXPECT_EQ(FakeCellHandler::clicks()[0].label, CL_PMenu_Copy);
}

TEST_F(MenuBuilder, EventsNamingNoItemChangeNothing)
{
    auto menu = mainMenu();
    const QStringList before = captions(menu->Items());
    eventManager().Send(kEvEmptySubmenu, nullptr, CL_Menu_Clone_Read);
    eventManager().SendText(kEvRebuildSubmenu, menu.get(), CL_Menu_Clone_Read, "GI_PMenu_Test");
    EXPECT_EQ(captions(menu->Items()), before);
    EXPECT_EQ(menu->CellCount(), 15u);
}

TEST_F(MenuBuilder, ACommandThatRebuildsTheMenuFromItsOwnClickIsSafe)
{
    static cuiMenu *rebuilt = nullptr;
    auto handler = [](indActiveCell *context, cmcCellCapsule &capsule, std::int32_t mode) {
        if (capsule.code == cmcCellCapsule::kCodeEnter)
            rebuilt->Build();
        return FakeCellHandler::handle(context, capsule, mode);
    };
    cuiMenu rebuilding(&window, bar, texts(), "GI_Menu_Test", handler);
    rebuilt = &rebuilding;
    rebuilding.Build();
    rebuilding.FindItemByLabel(CL_Menu_File_Exit)->trigger();
    EXPECT_EQ(rebuilding.CellCount(), 15u);
    EXPECT_EQ(FakeCellHandler::clicks().size(), 1u);
}

TEST_F(MenuBuilder, ExecPopupReportsTheChosenLabelWithoutClicking)
{
    ClickRecorder recorder;
    auto popup = contextMenu(recorder);
    QMenu *shown = popup->PopupMenu();
    QTimer::singleShot(0, shown, [shown] {
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(shown, &press);
        }
    });
    EXPECT_EQ(popup->ExecPopup(QPoint(10, 10)), CL_PMenu_Copy);
    EXPECT_TRUE(recorder.labels.empty());

    QTimer::singleShot(0, shown, [shown] { shown->close(); });
    EXPECT_EQ(popup->ExecPopup(QPoint(10, 10)), cuiMenu::kNoChoice);
}

} // namespace

namespace {

// A popup menu lent to a builder outlives it: showing the menu afterwards
// must not reach the gone builder (a memory checker sees the stale call).
TEST_F(MenuBuilder, ABorrowedPopupForgetsItsBuilder)
{
    QMenu borrowed(&window);
    auto menu = std::make_unique<cuiMenu>(&grid, &borrowed, texts(), "GI_PMenu_Test",
                                          &FakeCellHandler::handle);
    menu->Build();
    menu.reset();
    FakeCellHandler::calls.clear();
    emit borrowed.aboutToShow();
    EXPECT_TRUE(FakeCellHandler::calls.empty());
}

} // namespace
