#include "GridWidgetFixture.h"

#include <string>
#include <vector>

namespace {

using GridInput = GridWidgetFixture;

TEST_F(GridInput, WithoutASelectCellCallbackAClickMakesAnyScrollingCellCurrent)
{
    press(centreOf(3, 4));
    release(centreOf(3, 4));
    EXPECT_EQ(grid.currentCell(), (GridCoord{3, 4}));
}

TEST_F(GridInput, ASelectCellCallbackAnsweringFalseKeepsTheCurrentCell)
{
    std::vector<GridCoord> asked;
    grid.onSelectCell = [&](int col, int row, bool &allowed) {
        EXPECT_TRUE(allowed) << "allowed comes preset";
        asked.push_back({col, row});
        allowed = false;
    };
    press(centreOf(3, 4));
    release(centreOf(3, 4));
    key(Qt::Key_Down);
    EXPECT_FALSE(grid.moveCurrent(2, 2, true, false));
    EXPECT_EQ(grid.currentCell(), (GridCoord{1, 1}));
    // The release asks once more for the cell under the mouse.
    EXPECT_EQ(asked, (std::vector<GridCoord>{{3, 4}, {3, 4}, {1, 2}, {2, 2}}));
}

TEST_F(GridInput, ClicksOnFixedCellsMoveNothing)
{
    for (const QPoint pos : {centreOf(0, 3), centreOf(2, 0), QPoint(199, 99) + QPoint(5, 5)}) {
        press(pos);
        release(pos);
    }
    EXPECT_EQ(grid.currentCell(), (GridCoord{1, 1}));
}

TEST_F(GridInput, MouseCallbacksComeAfterTheGridMoved)
{
    std::vector<std::string> seen;
    auto record = [&](const char *what) {
        return [&seen, what, this](const cuiGrid::MouseEvent &event) {
            seen.push_back(std::string(what) + " " + std::to_string(grid.col()) + "," +
                           std::to_string(grid.row()) + (event.doubleClick ? " double" : ""));
        };
    };
    grid.onMouseDown = record("down");
    grid.onMouseUp = record("up");
    grid.onDblClick = record("dblclick");
    press(centreOf(2, 3));
    release(centreOf(2, 3));
    // The second press of a double click does not select the cell under it.
    doubleClick(centreOf(3, 3));
    release(centreOf(3, 3));
    press(centreOf(3, 4), {}, Qt::RightButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"down 2,3", "up 2,3", "dblclick 2,3 double",
                                              "down 2,3 double", "up 2,3", "down 2,3"}));
}

TEST_F(GridInput, KeyDownComesFirstAndMayTakeTheKey)
{
    std::vector<int> rowsSeen;
    grid.onKeyDown = [&](int &key, Qt::KeyboardModifiers) {
        rowsSeen.push_back(grid.row());
        if (key == Qt::Key_PageDown)
            key = 0;
    };
    key(Qt::Key_Down);
    key(Qt::Key_PageDown);
    EXPECT_EQ(rowsSeen, (std::vector<int>{1, 2}));
    EXPECT_EQ(grid.row(), 2);
}

TEST_F(GridInput, KeysLeftToTheGridMoveTheCursorOrTheView)
{
    grid.onKeyDown = [](int &key, Qt::KeyboardModifiers modifiers) {
        // The sheet takes Up and Down unless Ctrl alone is held.
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && modifiers != Qt::ControlModifier)
            key = 0;
    };
    key(Qt::Key_Down);
    EXPECT_EQ(grid.row(), 1);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.topRow(), 2);
    key(Qt::Key_Right);
    EXPECT_EQ(grid.col(), 2);
}

TEST_F(GridInput, TypedCharactersFollowTheirKeyEvenWhenItWasTaken)
{
    grid.onKeyDown = [](int &key, Qt::KeyboardModifiers) { key = 0; };
    std::vector<char32_t> typed;
    grid.onKeyPress = [&](char32_t &ch) { typed.push_back(ch); };
    key(Qt::Key_Return, {}, QStringLiteral("\r"));
    key(Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    key(Qt::Key_Eacute, {}, QString(QChar(0xE9)));
    key(Qt::Key_Down); // no character
    EXPECT_EQ(typed, (std::vector<char32_t>{13, U'A', 0xE9}));
    EXPECT_EQ(grid.currentCell(), (GridCoord{1, 1}));
}

TEST_F(GridInput, KeyUpReachesItsCallback)
{
    std::vector<int> released;
    grid.onKeyUp = [&](int &key, Qt::KeyboardModifiers) { released.push_back(key); };
    key(Qt::Key_F5);
    EXPECT_EQ(released, (std::vector<int>{Qt::Key_F5}));
}

TEST_F(GridInput, TabMovesTheCurrentCellOnlyWhenEnabled)
{
    grid.setOptions(GridOption::Tabs);
    key(Qt::Key_Tab);
    EXPECT_EQ(grid.currentCell(), (GridCoord{2, 1}));
}

// Pressing on cell (2, 2) starts a drag; the mouse then leaves for the
// position of the case and one tick of the automatic scroll runs.
TEST_F(GridInput, DraggingBeyondTheCellsScrollsInTheDirectionOfTheMouse)
{
    struct Case {
        QPoint pos;
        int directions;
    } cases[] = {
        {{125, 150}, GridScrollDown},
        {{250, 50}, GridScrollRight},
        {{125, 10}, GridScrollUp},  // over the fixed row
        {{20, 50}, GridScrollLeft}, // over the fixed column
        {{-5, -5}, GridScrollLeft | GridScrollUp},
        {{201, 101}, GridScrollRight | GridScrollDown},
        {{125, 50}, 0}, // inside: no scroll
    };
    std::vector<int> reported;
    grid.onScroll = [&](int directions) { reported.push_back(directions); };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.pos.x() << "," << c.pos.y());
        reported.clear();
        press(centreOf(2, 2));
        ASSERT_TRUE(grid.autoScrolling());
        drag(c.pos);
        grid.autoScrollTick();
        release(c.pos);
        EXPECT_FALSE(grid.autoScrolling());
        EXPECT_EQ(reported, c.directions ? std::vector<int>{c.directions} : std::vector<int>{});
    }
}

TEST_F(GridInput, WithoutAScrollCallbackTheDragExtendsCellByCell)
{
    int topLeftChanges = 0;
    grid.onTopLeftChanged = [&] { ++topLeftChanges; };
    press(centreOf(2, 3));
    drag(centreOf(3, 4)); // inside the cells the current cell follows the mouse
    EXPECT_EQ(grid.currentCell(), (GridCoord{3, 4}));
    drag({175, 130});
    grid.autoScrollTick();
    grid.autoScrollTick();
    EXPECT_EQ(grid.currentCell(), (GridCoord{3, 6}));
    EXPECT_EQ(grid.topRow(), 3);
    EXPECT_EQ(topLeftChanges, 2);
    release({175, 130});
    grid.autoScrollTick(); // after the release the timer has nothing to do
    EXPECT_EQ(grid.currentCell(), (GridCoord{3, 6}));
}

TEST_F(GridInput, AutomaticScrollAsksTheSelectCellCallback)
{
    grid.onSelectCell = [](int, int row, bool &allowed) { allowed = row != 4; };
    press(centreOf(1, 3));
    drag({75, 200});
    grid.autoScrollTick();
    EXPECT_EQ(grid.currentCell(), (GridCoord{1, 3}));
}

TEST_F(GridInput, FocusLostReachesTheCallbackBeforeTheGridsOwnHandling)
{
    bool draggingWhenTold = false;
    grid.onFocusLost = [&] { draggingWhenTold = grid.autoScrolling(); };
    press(centreOf(2, 2));
    focus(QEvent::FocusOut, Qt::OtherFocusReason);
    EXPECT_TRUE(draggingWhenTold);
    EXPECT_FALSE(grid.autoScrolling()); // the grid itself ends the drag afterwards
}

TEST_F(GridInput, FocusMovesToAndFromPopupMenusAreNotReported)
{
    int gained = 0;
    int lost = 0;
    grid.onFocusGained = [&] { ++gained; };
    grid.onFocusLost = [&] { ++lost; };
    focus(QEvent::FocusOut, Qt::PopupFocusReason);
    focus(QEvent::FocusIn, Qt::PopupFocusReason);
    EXPECT_EQ(gained + lost, 0);
    focus(QEvent::FocusIn, Qt::TabFocusReason);
    focus(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(gained, 1);
    EXPECT_EQ(lost, 1);
}

class GridColumnSizing : public GridWidgetFixture
{
protected:
    GridColumnSizing()
    {
        grid.setOptions(GridOption::ColSizing);
        grid.onColWidthsChanged = [this] {
            seenWidths.push_back(grid.colWidth(1));
            seenVisibleCols.push_back(grid.visibleColCount());
        };
    }

    void dragEdge(int fromX, int toX)
    {
        press({fromX, 10});
        drag({toX, 10});
        release({toX, 10});
    }

    std::vector<int> seenWidths;
    std::vector<int> seenVisibleCols;
};

TEST_F(GridColumnSizing, DraggingAnEdgeInTheFixedRowsSizesTheColumnOnRelease)
{
    press({101, 10}); // one pixel right of column 1's edge at 100
    drag({131, 10});
    EXPECT_EQ(grid.colWidth(1), 50);
    release({131, 10});
    EXPECT_EQ(grid.colWidth(1), 80);
    // The callback sees the grid already laid out for the new width.
    EXPECT_EQ(seenWidths, (std::vector<int>{80}));
    EXPECT_EQ(seenVisibleCols, (std::vector<int>{2}));
    EXPECT_EQ(grid.currentCell(), (GridCoord{1, 1}));
}

TEST_F(GridColumnSizing, ACallbackThatClampsTheWidthIsCalledAgainOnlyForItsOwnChange)
{
    grid.onColWidthsChanged = [this] {
        seenWidths.push_back(grid.colWidth(1));
        grid.setColWidth(1, std::max(grid.colWidth(1), 30));
    };
    dragEdge(100, 60);
    EXPECT_EQ(seenWidths, (std::vector<int>{10, 30}));
    EXPECT_EQ(grid.colWidth(1), 30);
}

TEST_F(GridColumnSizing, AColumnIsNeverSizedAway)
{
    dragEdge(100, 20);
    EXPECT_EQ(grid.colWidth(1), 1);
}

TEST_F(GridColumnSizing, EdgesBelowTheFixedRowsAndUnchangedWidthsDoNothing)
{
    press({100, 50}); // an edge, but in a scrolling row: selects column 2
    release({100, 50});
    EXPECT_EQ(grid.currentCell(), (GridCoord{2, 2}));
    dragEdge(100, 100);
    grid.setColWidth(1, 50);
    EXPECT_TRUE(seenWidths.empty());
}

TEST_F(GridInput, TheWheelScrollsUnlessTheCallbackHandlesIt)
{
    bool handle = false;
    grid.onMouseWheel = [&](const cuiGrid::WheelEvent &event, bool &handled) {
        EXPECT_EQ(event.pos, centreOf(2, 2));
        handled = handle;
    };
    const int lines = QApplication::wheelScrollLines();
    wheel(-120);
    EXPECT_EQ(grid.topRow(), 1 + lines);
    wheel(60); // half a notch waits for the other half
    EXPECT_EQ(grid.topRow(), 1 + lines);
    wheel(60);
    EXPECT_EQ(grid.topRow(), 1);
    handle = true;
    wheel(-120);
    EXPECT_EQ(grid.topRow(), 1);
    EXPECT_EQ(grid.currentCell(), (GridCoord{1, 1}));
}

} // namespace
