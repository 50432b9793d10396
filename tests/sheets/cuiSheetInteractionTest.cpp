#include "SheetWidgetFixture.h"

#include "cells/CellCategories.h"
#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"

#include <QPaintEvent>

#include <set>
#include <utility>

namespace {

// The navigation sheet of the fixture: a heading row and column; rows 1-3
// hold selectable cells a, b, c (labels Flex0, Flex1, Flex2, index 0-2);
// row 4 only a c (index 90), row 5 only an a (index 91); rows 6-25 again
// a, b, c (index 0-19), whose a cells have their own context menu.
class SheetKeys : public SheetWidgetFixture
{
protected:
    SheetKeys() { open("GI_Sheet_Nav"); }

    std::vector<std::int32_t> actionCodes() const
    {
        std::vector<std::int32_t> codes;
        for (const FakeCellHandler::Call &call : handler.actions)
            codes.push_back(call.code);
        return codes;
    }
};

TEST_F(SheetKeys, TheCursorStartsOnTheFirstSelectableCell)
{
    EXPECT_EQ(current(), (GridCoord{1, 1}));
    EXPECT_EQ(grid().fixedCols(), 1);
    EXPECT_EQ(grid().fixedRows(), 1);
}

TEST_F(SheetKeys, KeysMoveOverSelectableCellsOrReachTheHandler)
{
    struct Case {
        const char *what;
        GridCoord from;
        int key;
        Qt::KeyboardModifiers modifiers;
        GridCoord to;
        std::vector<std::int32_t> codes;
    };
    const Case cases[] = {
        {"right at the last cell goes to the handler", {3, 1}, Qt::Key_Right, {}, {3, 1}, {0x2700}},
        {"left at the first cell goes to the handler", {1, 1}, Qt::Key_Left, {}, {1, 1}, {0x2500}},
        {"right", {1, 1}, Qt::Key_Right, {}, {2, 1}, {}},
        {"down skips unselectable cells", {3, 3}, Qt::Key_Down, {}, {3, 4}, {}},
        {"up", {1, 5}, Qt::Key_Up, {}, {1, 3}, {}},
        {"ctrl alone keeps up and down from moving",
         {1, 1},
         Qt::Key_Down,
         Qt::ControlModifier,
         {1, 1},
         {}},
        {"shift does not", {1, 1}, Qt::Key_Down, Qt::ShiftModifier, {1, 2}, {}},
        {"page down is ten cells", {1, 1}, Qt::Key_PageDown, {}, {1, 12}, {}},
        {"page up", {1, 12}, Qt::Key_PageUp, {}, {1, 1}, {}},
        {"home and end do nothing", {2, 2}, Qt::Key_Home, {}, {2, 2}, {}},
        {"function keys reach the handler", {2, 2}, Qt::Key_F5, {}, {2, 2}, {0x7400}},
        {"F12", {2, 2}, Qt::Key_F12, {}, {2, 2}, {0x7B00}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(sheet->PutCursor(c.from.col, c.from.row));
        handler.actions.clear();
        key(c.key, c.modifiers);
        EXPECT_EQ(current(), c.to);
        EXPECT_EQ(actionCodes(), c.codes);
    }
}

TEST_F(SheetKeys, TypedCharactersAreRequestsForTheCurrentCell)
{
    sheet->PutCursor(2, 3);
    key(Qt::Key_7, {}, "7");
    key(Qt::Key_Return, {}, "\r");
    key(Qt::Key_Backspace, {}, "\b");
    EXPECT_EQ(actionCodes(), (std::vector<std::int32_t>{'7', 13, 8}));
    ASSERT_FALSE(handler.actions.empty());
    EXPECT_EQ(handler.actions[0].label, Flex1);
    EXPECT_EQ(handler.actions[0].index, 2);
    EXPECT_EQ(handler.actions[0].category, CT_Mch);
    EXPECT_EQ(handler.actions[0].stateBits & cmcCellCapsule::kStateCurrent,
              cmcCellCapsule::kStateCurrent);
}

// Some cells step further with Shift held: the handler hears of it with
// the key, and only while it is held.
TEST_F(SheetKeys, ShiftHeldWithAKeyReachesTheHandler)
{
    sheet->PutCursor(2, 3);
    key(Qt::Key_Space, Qt::ShiftModifier, " ");
    key(Qt::Key_Space, {}, " ");
    ASSERT_EQ(handler.actions.size(), 2u);
    EXPECT_TRUE(handler.actions[0].shift);
    EXPECT_FALSE(handler.actions[1].shift);
}

TEST_F(SheetKeys, EveryKeyClearsTheStatusMessage)
{
    EventRecorder events;
    key(Qt::Key_Down);
    ASSERT_FALSE(events.events.empty());
    EXPECT_EQ(events.events[0].type, kEvStatusText);
    EXPECT_EQ(events.events[0].text, "");
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(events.events[0].object), 0x80000008u);
    EXPECT_EQ(events.events[0].argument, 0x8000000F);
}

TEST_F(SheetKeys, CellsThatAreNotSelectableNeverBecomeCurrent)
{
    EXPECT_FALSE(sheet->PutCursor(2, 4));
    EXPECT_FALSE(sheet->PutCursor(0, 2));
    click(centreOf(2, 5));
    EXPECT_EQ(current(), (GridCoord{1, 1}));
    click(centreOf(3, 2));
    EXPECT_EQ(current(), (GridCoord{3, 2}));
}

TEST_F(SheetKeys, AJumpMovesTheCursorAndTheRepeatRunsThere)
{
    std::int32_t target = 90;
    handler.onAction = [&target](cmcCellCapsule &capsule) {
        if (capsule.cell->label == Flex0 && capsule.cell->index == 91) {
            capsule.jumpRequest = 1;
            capsule.jumpCategory = capsule.cell->category;
            capsule.jumpLabel = Flex2;
            capsule.jumpIndex = target;
            capsule.repeatCode = capsule.code;
        }
        return 0;
    };
    sheet->PutCursor(1, 5);
    key(Qt::Key_5, {}, "5");
    EXPECT_EQ(current(), (GridCoord{3, 4}));
    ASSERT_EQ(handler.actions.size(), 2u);
    EXPECT_EQ(handler.actions[1].label, Flex2);
    EXPECT_EQ(handler.actions[1].index, 90);
    EXPECT_EQ(handler.actions[1].code, '5');
    EXPECT_EQ(waits, (std::vector<int>{30}));

    // A target missing from the sheet: the key is not repeated on the same cell.
    target = 1000;
    handler.actions.clear();
    sheet->PutCursor(1, 5);
    key(Qt::Key_5, {}, "5");
    EXPECT_EQ(current(), (GridCoord{1, 5}));
    EXPECT_EQ(handler.actions.size(), 1u);
}

TEST_F(SheetKeys, AutoRepeatsWaitLessEachTimeThenNotAtAll)
{
    int remaining = 7;
    handler.onAction = [&](cmcCellCapsule &capsule) {
        capsule.repeatCode = remaining-- > 0 ? 0x2800 : 0;
        return 0;
    };
    sheet->ActionRequest(1, 1, 0x2600, 0, nullptr);
    EXPECT_EQ(waits, (std::vector<int>{30, 24, 18, 12, 6}));
    EXPECT_EQ(actionCodes(), (std::vector<std::int32_t>{0x2600, 0x2800, 0x2800, 0x2800, 0x2800,
                                                        0x2800, 0x2800, 0x2800}));
}

TEST_F(SheetKeys, TypedTextReachesTheHandlerAsInput)
{
    const std::string text = "145.5";
    sheet->ActionRequest(2, 2, 13, 0, &text);
    ASSERT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].inputMode, cmcCellCapsule::kInputText);
    EXPECT_EQ(handler.actions[0].inputText, "145.5");
    EXPECT_EQ(handler.actions[0].code, 0);
}

TEST_F(SheetKeys, DraggingBeyondTheEdgeMovesOneSelectableCell)
{
    sheet->PutCursor(1, 3);
    grid().onScroll(GridScrollDown);
    EXPECT_EQ(current(), (GridCoord{1, 5}));
    grid().onScroll(GridScrollUp);
    EXPECT_EQ(current(), (GridCoord{1, 3}));
    grid().onScroll(GridScrollRight | GridScrollDown);
    EXPECT_EQ(current(), (GridCoord{2, 6})) << "right, then down";
}

class SheetPlacement : public SheetWidgetFixture
{};

TEST_F(SheetPlacement, ARememberedPositionComesBackWithItsView)
{
    open("GI_Sheet_Nav", [](cuiSheet &s) { s.SetRememberedPosition({2, 12, 1, 8}); });
    EXPECT_EQ(current(), (GridCoord{2, 12}));
    EXPECT_EQ(grid().topRow(), 8);
}

TEST_F(SheetPlacement, APositionOutsideTheGridGivesWayToTheInitialCell)
{
    open(
        "GI_Sheet_Nav",
        [](cuiSheet &s) {
            s.SetRememberedPosition({2, 99, 1, 1});
        },
        Flex1, 2);
    EXPECT_EQ(current(), (GridCoord{2, 3}));
}

TEST_F(SheetPlacement, ARememberedCellThatIsNotSelectableIsIgnored)
{
    open("GI_Sheet_Nav", [](cuiSheet &s) { s.SetRememberedPosition({2, 4, 1, 1}); });
    EXPECT_EQ(current(), (GridCoord{1, 1}));
}

TEST_F(SheetPlacement, ShowingAgainReplacesTheGrid)
{
    open("GI_Sheet_Nav");
    EventRecorder events;
    const auto first = reinterpret_cast<std::intptr_t>(&grid());
    sheet->Show();
    EXPECT_EQ(container.findChildren<cuiGrid *>().size(), 1);
    ASSERT_FALSE(events.events.empty());
    EXPECT_EQ(events.events.front().type, kEvControlClosing);
    EXPECT_EQ(events.events.front().argument, first);
    EXPECT_EQ(current(), (GridCoord{1, 1}));
    key(Qt::Key_Down);
    EXPECT_EQ(current(), (GridCoord{1, 2}));
}

TEST_F(SheetPlacement, TheRequiredSizeShowsEveryCell)
{
    open("GI_Sheet_Nav");
    int width = 0;
    for (int col = 0; col < sheet->ColCount(); ++col)
        width += grid().colWidth(col);
    int height = 0;
    for (int row = 0; row < sheet->RowCount(); ++row)
        height += grid().rowHeight(row);
    EXPECT_EQ(sheet->RequiredWidth(), width + container.width() - grid().viewport()->width());
    EXPECT_EQ(sheet->RequiredHeight(), height + container.height() - grid().viewport()->height());
}

// --- the in-place editor ---

class SheetEditor : public SheetKeys
{
protected:
    SheetEditor()
    {
        handler.onAction = [](cmcCellCapsule &capsule) {
            if (capsule.code != 13)
                return 0;
            capsule.outputText = "12.5";
            capsule.editSelStart = 1;
            capsule.editSelLength = 2;
            return 2;
        };
        focusGrid();
        key(Qt::Key_Return, {}, "\r");
        handler.actions.clear();
    }
};

TEST_F(SheetEditor, EnterOnAnEditableCellOpensTheEditorWithTheHandlersText)
{
    ASSERT_TRUE(sheet->EditorActive());
    EXPECT_EQ(sheet->Editor()->text(), "12.5");
    EXPECT_EQ(sheet->Editor()->selectedText(), "2.");
    EXPECT_EQ(sheet->Editor()->maxLength(), cuiSheet::kEditorMaxLength);
    EXPECT_EQ(sheet->Editor()->parentWidget(), grid().viewport());
    EXPECT_TRUE(grid().cellRect(1, 1).contains(sheet->Editor()->geometry().center()));
}

TEST_F(SheetEditor, EnterCommitsTheTextAndReturnsToTheGrid)
{
    key(Qt::Key_7, {}, "7");
    key(Qt::Key_Return, {}, "\r");
    EXPECT_FALSE(sheet->EditorActive());
    ASSERT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].inputText, "175");
    EXPECT_EQ(handler.actions[0].inputMode, cmcCellCapsule::kInputText);
    EXPECT_EQ(handler.actions[0].label, Flex0);
    EXPECT_TRUE(grid().hasFocus());
}

TEST_F(SheetEditor, EscapeLeavesWithoutSending)
{
    key(Qt::Key_7, {}, "7");
    key(Qt::Key_Escape);
    EXPECT_FALSE(sheet->EditorActive());
    EXPECT_TRUE(handler.actions.empty());
    EXPECT_TRUE(grid().hasFocus());
}

TEST_F(SheetEditor, UpAndDownCommitAndMove)
{
    key(Qt::Key_Down);
    EXPECT_FALSE(sheet->EditorActive());
    EXPECT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].inputText, "12.5");
    EXPECT_EQ(current(), (GridCoord{1, 2}));
}

TEST_F(SheetEditor, PageKeysCommitAndPage)
{
    key(Qt::Key_PageDown);
    EXPECT_FALSE(sheet->EditorActive());
    EXPECT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(current(), (GridCoord{1, 12}));
}

TEST_F(SheetEditor, ClickingElsewhereCommits)
{
    ASSERT_TRUE(sheet->Editor()->hasFocus());
    click(centreOf(2, 2));
    EXPECT_FALSE(sheet->EditorActive());
    ASSERT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].inputText, "12.5");
    EXPECT_EQ(handler.actions[0].label, Flex0) << "the text goes to the edited cell";
    EXPECT_EQ(current(), (GridCoord{2, 2}));
}

TEST_F(SheetEditor, FinishingEditsCommits)
{
    eventManager().Send(kEvFinishEdits);
    EXPECT_FALSE(sheet->EditorActive());
    ASSERT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].inputText, "12.5");
}

TEST_F(SheetEditor, TheHandlerMayReopenTheEditorWhileCommitting)
{
    handler.onAction = [](cmcCellCapsule &capsule) {
        capsule.outputText = "bad";
        capsule.editSelStart = 0;
        capsule.editSelLength = 3;
        capsule.editor(capsule, false);
        return 0;
    };
    key(Qt::Key_Return, {}, "\r");
    ASSERT_TRUE(sheet->EditorActive());
    EXPECT_EQ(sheet->Editor()->text(), "bad");
    EXPECT_EQ(sheet->Editor()->selectedText(), "bad");
}

// --- multi-selection ---

TEST_F(SheetKeys, ShiftExtendsASelectionOfCellsAndAPlainMoveDropsIt)
{
    focusGrid();
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(sheet->Selection().Shown());
    for (const GridCoord cell :
         {GridCoord{1, 1}, GridCoord{2, 1}, GridCoord{1, 2}, GridCoord{2, 2}})
        EXPECT_TRUE(sheet->Slot(cell.col, cell.row).selected) << cell.col << "," << cell.row;
    EXPECT_FALSE(sheet->Slot(3, 1).selected);
    // A request while the selection is shown carries its index range.
    sheet->ActionRequest(2, 2, 'x');
    ASSERT_FALSE(handler.actions.empty());
    EXPECT_EQ(handler.actions.back().rangeBits, cmcCellCapsule::kRangeActive);
    EXPECT_EQ(handler.actions.back().rangeLow, 0);
    EXPECT_EQ(handler.actions.back().rangeHigh, 1);
    EXPECT_TRUE(sheet->Selection().Shown()) << "shift still held: shown again";
    releaseShift();
    sheet->ActionRequest(2, 2, 'x');
    EXPECT_FALSE(sheet->Selection().Shown()) << "the request's answer drops it";

    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down);
    EXPECT_FALSE(sheet->Selection().Shown());
    EXPECT_FALSE(sheet->Slot(2, 2).selected);
}

TEST_F(SheetKeys, DraggingSelects)
{
    mouse(QEvent::MouseButtonPress, centreOf(1, 1), Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, centreOf(1, 3), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, centreOf(1, 3), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(current(), (GridCoord{1, 3}));
    EXPECT_TRUE(sheet->Selection().Shown());
    EXPECT_TRUE(sheet->Slot(1, 2).selected);
    click(centreOf(2, 2));
    EXPECT_FALSE(sheet->Selection().Shown());
}

TEST_F(SheetKeys, AHandlerRangeBecomesTheSelection)
{
    handler.onAction = [](cmcCellCapsule &capsule) {
        capsule.rangeBits |= cmcCellCapsule::kRangeSelect;
        capsule.rangeLow = 0;
        capsule.rangeHigh = 2;
        return 0;
    };
    sheet->ActionRequest(1, 1, 'x');
    EXPECT_TRUE(sheet->Selection().Shown());
    for (int row : {1, 2, 3, 6, 7, 8})
        EXPECT_TRUE(sheet->Slot(1, row).selected) << row;
    EXPECT_FALSE(sheet->Slot(1, 9).selected);
    EXPECT_FALSE(sheet->Slot(2, 1).selected) << "only cells with the current cell's label";
}

class SheetLines : public SheetWidgetFixture
{
protected:
    SheetLines() { open("GI_Sheet_List"); }
};

TEST_F(SheetLines, ShiftDownSelectsWholeLinesAndSpareRowsStayOut)
{
    focusGrid();
    ASSERT_TRUE(sheet->PutCursor(1, 3));
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(current(), (GridCoord{1, 5}));
    for (int row = 1; row < sheet->RowCount(); ++row) {
        for (int col = 0; col < sheet->ColCount(); ++col)
            EXPECT_EQ(sheet->Slot(col, row).Highlighted(), row >= 3 && row <= 5)
                << col << "," << row;
    }
    // The "add" row takes no part: while the selection shows, it cannot be reached.
    EXPECT_FALSE(sheet->PutCursor(1, 9));
    key(Qt::Key_Up);
    EXPECT_TRUE(sheet->PutCursor(1, 9)) << "without a selection it can";
}

// --- selection lists ---

class SelectionList : public SheetWidgetFixture
{
protected:
    SelectionList()
    {
        opener.label = Flex2;
        opener.index = 42;
        origin.cell = &opener;
        open(
            "GI_Sheet_Pick", [](cuiSheet &s) { s.SetPopupMode(true); }, Flex0, 1, &origin);
    }

    cmcCellObj opener;
    cmcCellCapsule origin;
};

TEST_F(SelectionList, StartsOnTheCurrentValueAndWraps)
{
    EXPECT_EQ(current(), (GridCoord{0, 1}));
    key(Qt::Key_Down);
    EXPECT_EQ(current(), (GridCoord{0, 2}));
    key(Qt::Key_Down);
    EXPECT_EQ(current(), (GridCoord{0, 0}));
    key(Qt::Key_Up);
    EXPECT_EQ(current(), (GridCoord{0, 2}));
    key(Qt::Key_Right);
    EXPECT_EQ(current(), (GridCoord{0, 2})) << "a row with one entry";
}

TEST_F(SelectionList, TypingDoesNothingAndEnterAnswersTheOpeningCell)
{
    key(Qt::Key_A, {}, "a");
    EXPECT_TRUE(handler.actions.empty());
    EXPECT_TRUE(container.isVisible());
    key(Qt::Key_Return, {}, "\r");
    ASSERT_EQ(handler.actions.size(), 1u);
    const FakeCellHandler::Call &answer = handler.actions[0];
    EXPECT_EQ(answer.label, Flex2) << "the opening cell receives the answer";
    EXPECT_EQ(answer.index, 42);
    EXPECT_EQ(answer.inputMode, cmcCellCapsule::kInputChosen);
    EXPECT_EQ(answer.chosenLabel, Flex0);
    EXPECT_EQ(answer.chosenIndex, 1);
    EXPECT_FALSE(container.isVisible());
}

TEST_F(SelectionList, TheMouseHoversAndAReleaseChooses)
{
    mouse(QEvent::MouseMove, centreOf(0, 2), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(current(), (GridCoord{0, 2}));
    mouse(QEvent::MouseMove, centreOf(1, 0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(current(), (GridCoord{0, 2})) << "only selectable cells follow the mouse";
    mouse(QEvent::MouseMove, centreOf(0, 0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(current(), (GridCoord{0, 0}));
    click(centreOf(0, 0));
    ASSERT_EQ(handler.actions.size(), 1u);
    EXPECT_EQ(handler.actions[0].chosenIndex, 0);
    EXPECT_FALSE(container.isVisible());
}

// --- redraws ---

// Which cells a paint after the redraw covered, by label and index.
class SheetRedraw : public SheetKeys
{
protected:
    std::set<std::pair<int, int>> redrawnAfter(const std::function<void()> &cause)
    {
        QApplication::processEvents();
        region_ = QRegion();
        grid().viewport()->installEventFilter(&spy_);
        cause();
        QApplication::processEvents();
        grid().viewport()->removeEventFilter(&spy_);
        std::set<std::pair<int, int>> cells;
        for (int row = 0; row < sheet->RowCount(); ++row) {
            for (int col = 0; col < sheet->ColCount(); ++col) {
                const QRect rect = grid().cellRect(col, row);
                if (!rect.isEmpty() && region_.intersects(rect.adjusted(1, 1, -1, -1)))
                    cells.insert({sheet->CellAt(col, row).label, sheet->CellAt(col, row).index});
            }
        }
        return cells;
    }

    class Spy : public QObject
    {
    public:
        explicit Spy(QRegion &region) : region_(region) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                region_ += static_cast<QPaintEvent *>(event)->region();
            return false;
        }

    private:
        QRegion &region_;
    };

    QRegion region_;
    Spy spy_{region_};
};

TEST_F(SheetRedraw, TheHandlersMaskChoosesTheCellsToRedraw)
{
    struct Case {
        std::uint32_t mask;
        std::set<std::pair<int, int>> cells;
    };
    const Case cases[] = {
        {cmcCellCapsule::kRedrawSameCell, {{Flex1, 1}}},
        {cmcCellCapsule::kRedrawSameIndex, {{Flex0, 1}, {Flex1, 1}, {Flex2, 1}}},
        {cmcCellCapsule::kRedrawSameLabel,
         {{Flex1, 0},  {Flex1, 1},  {Flex1, 2},  {Flex1, 3},  {Flex1, 4},  {Flex1, 5},  {Flex1, 6},
          {Flex1, 7},  {Flex1, 8},  {Flex1, 9},  {Flex1, 10}, {Flex1, 11}, {Flex1, 12}, {Flex1, 13},
          {Flex1, 14}, {Flex1, 15}, {Flex1, 16}, {Flex1, 17}, {Flex1, 18}, {Flex1, 19}}},
    };
    for (const Case &c : cases) {
        handler.onAction = [&c](cmcCellCapsule &capsule) {
            capsule.redraw(capsule, c.mask);
            return 0;
        };
        const auto cells = redrawnAfter([&] { sheet->ActionRequest(2, 2, 'x'); });
        std::set<std::pair<int, int>> visible;
        for (const auto &cell : c.cells) {
            const GridCoord at = sheet->SheetLayout::FindCell(CT_Mch, cell.first, cell.second);
            if (!grid().cellRect(at.col, at.row).isEmpty())
                visible.insert(cell);
        }
        EXPECT_EQ(cells, visible) << c.mask;
    }
}

TEST_F(SheetRedraw, RedrawEventsChooseByIndex)
{
    using Cells = std::set<std::pair<int, int>>;
    EXPECT_EQ(redrawnAfter([] { eventManager().Send(kEvRedrawFromIndex, nullptr, 90); }),
              (Cells{{Flex2, 90}, {Flex0, 91}}));
    EXPECT_EQ(redrawnAfter([] { eventManager().Send(kEvRedrawIndex, nullptr, 91); }),
              (Cells{{Flex0, 91}}));
    const Cells labelled = redrawnAfter([] { eventManager().Send(kEvRedrawLabelled); });
    EXPECT_TRUE(labelled.count({Flex0, 91}) == 1 && labelled.count({Flex2, 90}) == 1 &&
                labelled.count({Flex1, 0}) == 1);
    EXPECT_EQ(labelled.count({kNoLabel, 0}), 0u) << "headings are not redrawn";
}

} // namespace
