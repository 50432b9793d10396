#include "windows/cuiCEdit.h"

#include "CellWindowFixture.h"
#include "cells/CellCodec.h"
#include "platform/MessageService.h"
#include "sheets/cuiToolBar.h"
#include "ui/WindowGeometry.h"
#include "windows/PopupPlacement.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>

#include <string>
#include <vector>

namespace {

constexpr int kColumns = 6;
constexpr int kSmallRows = 8;
constexpr int kLargeRows = 17;
constexpr int kDot = 14;

// A glyph of the small font as rows of '0'/'1' (top row first).
std::string glyph(std::initializer_list<const char *> rows)
{
    std::string dots;
    for (const char *row : rows)
        dots += row;
    return dots;
}

// Enter on the host's cell opens the character editor on `dots`.
class CharacterEditor : public CellWindowFixture
{
protected:
    CharacterEditor()
    {
        openWindow = [this](const cmcCellCapsule &capsule) {
            window =
                cuiCEdit::Open(capsule, mainTextDatabase(), nullptr, kDot, kColumns, rows, dots);
        };
    }

    cuiCEdit &open()
    {
        enterOnHost();
        return shown();
    }
    cuiCEdit &shown() { return shownOf(window); }

    void mouseOn(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint pos)
    {
        QWidget &grid = *shown().GridBox();
        QMouseEvent event(type, pos, grid.mapToGlobal(pos), button, held, {});
        QApplication::sendEvent(&grid, &event);
    }
    QPoint centre(int column, int row) { return shown().DotRect(column, row).center(); }
    void pressAt(Qt::MouseButton button, int column, int row)
    {
        mouseOn(QEvent::MouseButtonPress, button, button, centre(column, row));
    }
    void moveTo(Qt::MouseButton held, int column, int row)
    {
        mouseOn(QEvent::MouseMove, Qt::NoButton, held, centre(column, row));
    }
    void release(Qt::MouseButton button)
    {
        mouseOn(QEvent::MouseButtonRelease, button, Qt::NoButton, centre(0, 0));
    }
    void drag(Qt::MouseButton button, int fromColumn, int fromRow, int toColumn, int toRow)
    {
        pressAt(button, fromColumn, fromRow);
        moveTo(button, toColumn, toRow);
        release(button);
    }
    // Clicks the tool bar button with the picture `image`.
    void clickTool(int image)
    {
        cuiToolBar &bar = *shown().ToolBar();
        for (int line = 0; line < bar.ButtonCount(); ++line) {
            const cmcCellObj *cell = bar.ButtonCell(line);
            if (bar.Button(line) != nullptr && cell != nullptr && cell->imageIndex == image) {
                bar.Button(line)->trigger();
                return;
            }
        }
        FAIL() << "no button with image " << image;
    }
    bool toolPressed(int image)
    {
        cuiToolBar &bar = *shown().ToolBar();
        for (int line = 0; line < bar.ButtonCount(); ++line) {
            const cmcCellObj *cell = bar.ButtonCell(line);
            if (bar.Button(line) != nullptr && cell != nullptr && cell->imageIndex == image)
                return bar.Button(line)->isChecked();
        }
        return false;
    }
    std::vector<std::string> answeredDots() const
    {
        std::vector<std::string> dotsSent;
        for (const FakeCellHandler::Call &call : answers()) {
            EXPECT_EQ(call.chosenLabel, CodecOpen::kWindowAnswerStyle);
            EXPECT_EQ(call.code, 0);
            dotsSent.push_back(call.inputText);
        }
        return dotsSent;
    }

    int rows = kSmallRows;
    std::string dots =
        glyph({"001000", "010100", "100010", "100010", "111110", "100010", "100010", "000000"});
    QPointer<cuiCEdit> window;
};

TEST_F(CharacterEditor, OpensOnTheDotsWithThePenAndKeepsTheMainWindowDisabled)
{
    cuiCEdit &editor = open();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.windowTitle(), "Character Editor");
    EXPECT_EQ(editor.Dots(), dots);
    EXPECT_EQ(editor.CurrentTool(), cuiCEdit::kPen);
    EXPECT_TRUE(toolPressed(cuiCEdit::kPenImage));
    EXPECT_FALSE(toolPressed(cuiCEdit::kRectangleImage));
    EXPECT_EQ(editor.OkButton()->text(), "OK");
    EXPECT_EQ(editor.CancelButton()->text(), "Cancel");
    EXPECT_EQ(editor.OkButton()->width(), cuiCEdit::kButtonWidth);
    EXPECT_TRUE(editor.GridBox()->rect().contains(editor.DotRect(kColumns - 1, rows - 1)));
    const QRect cell = host->Grid()->cellRect(0, 0);
    const QRect onScreen(host->Grid()->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    EXPECT_EQ(editor.pos(), popup_placement::position(onScreen, editor.frameGeometry().size(),
                                                      window_geometry::workAreaOf(host->Grid())));

    EXPECT_FALSE(host_.isEnabled());
    EXPECT_TRUE(editor.isEnabled());
    editor.CancelButton()->click();
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(host_.isEnabled());
    EXPECT_TRUE(answers().empty()) << "Cancel leaves the glyph alone";
}

// A short or long text of dots, or one of other characters, never reaches
// outside the grid.
TEST_F(CharacterEditor, DotsBeyondTheGridOrNotOneAreClear)
{
    dots = "1x1";
    EXPECT_EQ(open().Dots(), "101" + std::string(kColumns * kSmallRows - 3, '0'));
}

TEST_F(CharacterEditor, RefusesAnEmptyOrAbsurdGrid)
{
    for (const auto &[columns, gridRows] : {std::pair{0, 8}, std::pair{6, 0}, std::pair{6, 1000}}) {
        openWindow = [&, columns = columns, gridRows = gridRows](const cmcCellCapsule &capsule) {
            window =
                cuiCEdit::Open(capsule, mainTextDatabase(), nullptr, kDot, columns, gridRows, dots);
        };
        enterOnHost();
        EXPECT_TRUE(window.isNull()) << columns << " x " << gridRows;
        EXPECT_TRUE(host_.isEnabled());
    }
}

TEST_F(CharacterEditor, PenDrawsWithTheLeftButtonAndErasesWithTheRight)
{
    dots = std::string(kColumns * kSmallRows, '0');
    cuiCEdit &editor = open();
    drag(Qt::LeftButton, 0, 0, 2, 0);
    EXPECT_TRUE(editor.DotShown(0, 0));
    EXPECT_FALSE(editor.DotShown(1, 0)) << "the pen marks the dots it passes, not a line";
    EXPECT_TRUE(editor.DotShown(2, 0));
    drag(Qt::RightButton, 2, 0, 2, 0);
    EXPECT_FALSE(editor.DotShown(2, 0));
    EXPECT_TRUE(editor.DotShown(0, 0));
}

TEST_F(CharacterEditor, PressesAndMovesOutsideTheGridDoNothing)
{
    cuiCEdit &editor = open();
    const QPoint outside = editor.DotRect(kColumns - 1, rows - 1).bottomRight() + QPoint(3, 3);
    mouseOn(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {0, 0});
    mouseOn(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, outside);
    EXPECT_EQ(editor.Dots(), dots);
    pressAt(Qt::LeftButton, 5, 7);
    mouseOn(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, outside);
    release(Qt::LeftButton);
    std::string expected = dots;
    expected[kColumns * 7 + 5] = '1';
    EXPECT_EQ(editor.Dots(), expected);
}

// The rectangle follows the pointer while the button is held: the left
// button adds its dots, the right one takes them away; moving back gives
// the dots it no longer covers back.
TEST_F(CharacterEditor, RectangleShowsItsDotsLiveWhileDragging)
{
    struct Case {
        Qt::MouseButton button;
        char start;
        char inside;
        cuiCEdit::OverlayMode mode;
    } cases[] = {
        {Qt::RightButton, '1', '0', cuiCEdit::kRemove},
        {Qt::LeftButton, '0', '1', cuiCEdit::kAdd},
    };
    for (const Case &c : cases) {
        dots = std::string(kColumns * kSmallRows, c.start);
        cuiCEdit &editor = open();
        clickTool(cuiCEdit::kRectangleImage);
        ASSERT_EQ(editor.CurrentTool(), cuiCEdit::kRectangle);
        EXPECT_TRUE(toolPressed(cuiCEdit::kRectangleImage));
        EXPECT_FALSE(toolPressed(cuiCEdit::kPenImage));

        pressAt(c.button, 3, 4);
        moveTo(c.button, 1, 1);
        EXPECT_EQ(editor.CurrentOverlayMode(), c.mode);
        for (int r = 0; r < kSmallRows; ++r) {
            for (int col = 0; col < kColumns; ++col) {
                const bool inRectangle = col >= 1 && col <= 3 && r >= 1 && r <= 4;
                EXPECT_EQ(editor.DotShown(col, r), (inRectangle ? c.inside : c.start) == '1')
                    << col << "," << r;
            }
        }
        moveTo(c.button, 3, 3);
        EXPECT_EQ(editor.DotShown(1, 1), c.start == '1') << "uncovered again";
        EXPECT_EQ(editor.DotShown(3, 3), c.inside == '1');
        release(c.button);
        EXPECT_EQ(editor.CurrentOverlayMode(), cuiCEdit::kAdd);
        EXPECT_EQ(editor.DotShown(3, 4), c.inside == '1') << "kept after the release";
        editor.CancelButton()->click();
        settle();
    }
}

// The shift moves the whole character by the pointer's offset; what leaves
// one edge comes back at the other.
TEST_F(CharacterEditor, ShiftWrapsRoundTheEdges)
{
    cuiCEdit &editor = open();
    clickTool(cuiCEdit::kShiftImage);
    const std::string before = editor.Dots();
    struct Case {
        int toColumn;
        int toRow;
        int across;
        int down;
    } cases[] = {{3, 3, 1, 0}, {2, 2, 0, -1}, {0, 3, -2, 0}, {2, 3, 0, 0}};
    for (const Case &c : cases) {
        pressAt(Qt::LeftButton, 2, 3);
        moveTo(Qt::LeftButton, c.toColumn, c.toRow);
        EXPECT_EQ(editor.CurrentOverlayMode(), cuiCEdit::kReplace);
        for (int r = 0; r < kSmallRows; ++r) {
            for (int col = 0; col < kColumns; ++col) {
                const int fromColumn = ((col - c.across) % kColumns + kColumns) % kColumns;
                const int fromRow = ((r - c.down) % kSmallRows + kSmallRows) % kSmallRows;
                EXPECT_EQ(editor.DotShown(col, r),
                          before[static_cast<std::size_t>(fromRow * kColumns + fromColumn)] == '1')
                    << "offset " << c.across << "," << c.down << " dot " << col << "," << r;
            }
        }
        // Back to where it started: nothing moved.
        moveTo(Qt::LeftButton, 2, 3);
        EXPECT_EQ(editor.Dots(), before);
        release(Qt::LeftButton);
    }
    // One column to the right: the last column comes round to column 0.
    dots = glyph({"000001", "000001", "000000", "000000", "000000", "000000", "000000", "100000"});
    editor.CancelButton()->click();
    settle();
    cuiCEdit &again = open();
    clickTool(cuiCEdit::kShiftImage);
    drag(Qt::LeftButton, 0, 0, 1, 0);
    EXPECT_EQ(again.Dots(), glyph({"100000", "100000", "000000", "000000", "000000", "000000",
                                   "000000", "010000"}));
}

// OK answers with the dots, row by row, once: unchanged dots as they came,
// the large font's 6 x 17 grid as 102 characters.
TEST_F(CharacterEditor, OkAnswersTheDotsRowByRow)
{
    struct Case {
        int rows;
        bool edit;
    } cases[] = {{kSmallRows, false}, {kSmallRows, true}, {kLargeRows, false}, {kLargeRows, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, edit " << c.edit);
        handler.actions.clear();
        rows = c.rows;
        dots = std::string(static_cast<std::size_t>(kColumns * c.rows), '0');
        dots[1] = '1';
        dots[dots.size() - 1] = '1';
        cuiCEdit &editor = open();
        std::string expected = dots;
        if (c.edit) {
            drag(Qt::LeftButton, 5, c.rows - 2, 5, c.rows - 2);
            expected[static_cast<std::size_t>(kColumns * (c.rows - 2) + 5)] = '1';
        }
        editor.OkButton()->click();
        settle();
        EXPECT_TRUE(window.isNull());
        const std::vector<std::string> sent = answeredDots();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0], expected);
        EXPECT_EQ(sent[0].size(), static_cast<std::size_t>(kColumns * c.rows));
        EXPECT_TRUE(host_.isEnabled());
    }
}

TEST_F(CharacterEditor, EnterAnswersWhileEscapeAndTheCloseBoxCancel)
{
    struct Case {
        int key;
        std::size_t answers;
    } cases[] = {{Qt::Key_Return, 1}, {Qt::Key_Enter, 1}, {Qt::Key_Escape, 0}};
    for (const Case &c : cases) {
        handler.actions.clear();
        cuiCEdit &editor = open();
        press(*editor.GridBox(), c.key);
        settle();
        EXPECT_TRUE(window.isNull()) << c.key;
        EXPECT_EQ(answers().size(), c.answers) << c.key;
        EXPECT_TRUE(host_.isEnabled());
    }
    // The close box cancels too.
    handler.actions.clear();
    open().close();
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(answers().empty());
    EXPECT_TRUE(host_.isEnabled());
}

TEST_F(CharacterEditor, ClearAsksFirstAndClearsOnlyOnOk)
{
    platform::RecordingMessageService messages;
    platform::ScopedMessageService installed(messages);
    cuiCEdit &editor = open();
    messages.queueAnswer(platform::MessageResult::Cancel);
    clickTool(cuiCEdit::kClearImage);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Windows Test");
    EXPECT_EQ(messages.shown()[0].text, "Clear every dot?");
    EXPECT_EQ(messages.shown()[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(messages.shown()[0].buttons, platform::MessageButtons::OkCancel);
    EXPECT_EQ(editor.Dots(), dots);
    EXPECT_EQ(editor.CurrentTool(), cuiCEdit::kPen) << "clearing is no tool";

    messages.queueAnswer(platform::MessageResult::Ok);
    clickTool(cuiCEdit::kClearImage);
    EXPECT_EQ(editor.Dots(), std::string(dots.size(), '0'));
    EXPECT_TRUE(toolPressed(cuiCEdit::kPenImage));
}

// Set dots are black; clear ones white inside the character box and grey
// outside it (the small font's box: columns 0..4, rows 1..7; the large
// font's: columns 0..4, rows 2..13).
TEST_F(CharacterEditor, DotsShowTheCharacterBox)
{
    struct Case {
        int rows;
        int column;
        int row;
        bool set;
        QColor colour;
    } cases[] = {
        {kSmallRows, 0, 0, false, QColor(128, 128, 128)},
        {kSmallRows, 0, 1, false, Qt::white},
        {kSmallRows, 4, 7, false, Qt::white},
        {kSmallRows, 5, 3, false, QColor(128, 128, 128)},
        {kSmallRows, 5, 0, true, Qt::black},
        {kLargeRows, 2, 1, false, QColor(128, 128, 128)},
        {kLargeRows, 2, 2, false, Qt::white},
        {kLargeRows, 4, 13, false, Qt::white},
        {kLargeRows, 4, 14, false, QColor(128, 128, 128)},
        {kLargeRows, 1, 5, true, Qt::black},
    };
    for (const Case &c : cases) {
        rows = c.rows;
        dots = std::string(static_cast<std::size_t>(kColumns * c.rows), '0');
        dots[static_cast<std::size_t>(c.row * kColumns + c.column)] = c.set ? '1' : '0';
        cuiCEdit &editor = open();
        QApplication::processEvents();
        const QImage shot = editor.GridBox()->grab().toImage();
        const QPoint middle = editor.DotRect(c.column, c.row).center();
        EXPECT_EQ(QColor(shot.pixel(middle)), c.colour)
            << c.rows << " rows, dot " << c.column << "," << c.row;
        EXPECT_EQ(QColor(shot.pixel(0, 0)), QColor(Qt::black)) << "framed";
        editor.CancelButton()->click();
        settle();
    }
}

TEST(CharacterEditorDots, DotSizeFollowsTheZoomAndNeverShrinks)
{
    struct Case {
        int zoom;
        int size;
    } cases[] = {{100, 14}, {150, 21}, {200, 28}, {50, 14}, {0, 14}};
    for (const Case &c : cases)
        EXPECT_EQ(cuiCEdit::DotSizeFor(c.zoom), c.size) << c.zoom;
}

} // namespace
