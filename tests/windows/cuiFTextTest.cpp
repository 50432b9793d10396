#include "windows/cuiFText.h"

#include "CellWindowFixture.h"
#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "support/ImagePixels.h"
#include "ui/WindowGeometry.h"
#include "windows/PopupPlacement.h"

#include <QLineEdit>
#include <QPointer>

#include <QPushButton>
#include <QScrollBar>
#include <stdexcept>

namespace {

// Enter on the host's cell opens the formatted text window on `escaped`
// for a field of `width` characters.
class FormattedTextWindow : public CellWindowFixture
{
protected:
    FormattedTextWindow()
    {
        openWindow = [this](const cmcCellCapsule &capsule) {
            window = cuiFText::Open(capsule, mainTextDatabase(), escaped, width, selectionStart,
                                    selectionLength);
        };
    }

    cuiFText &open()
    {
        enterOnHost();
        return shown();
    }
    QLineEdit &edit() { return *shown().EditLine(); }
    cuiFText &shown() { return shownOf(window); }
    cuiGrid &table() { return *shown().Table()->Grid(); }
    // Puts the table's cursor on the cell of a character code.
    void onCharacter(int code)
    {
        const GridCoord cell = shown().Table()->FindCell(CT_Null, Flex0, code);
        ASSERT_GE(cell.col, 0) << code;
        ASSERT_TRUE(shown().Table()->PutCursor(cell.col, cell.row));
        table().setFocus();
    }
    void type(const QString &text)
    {
        for (const QChar c : text)
            press(edit(), 0, QString(c));
    }
    QImage previewShot()
    {
        QApplication::processEvents();
        return shown().Preview()->grab().toImage();
    }

    std::string escaped = "Ch%1A1";
    std::int32_t width = 12;
    std::int32_t selectionStart = 0;
    std::int32_t selectionLength = 0;
    QPointer<cuiFText> window;
};

TEST_F(FormattedTextWindow, OpensAtTheCellWithTheEscapedTextAndTheCaretAtTheEnd)
{
    cuiFText &text = open();
    EXPECT_TRUE(text.isVisible());
    EXPECT_TRUE(text.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(edit().text(), "Ch%1A1");
    EXPECT_EQ(edit().cursorPosition(), 6);
    EXPECT_FALSE(edit().hasSelectedText());
    EXPECT_EQ(text.Bytes(), "Ch\x1A"
                            "1");
    EXPECT_EQ(edit().maxLength(), 1024);

    const QRect cell = host->Grid()->cellRect(0, 0);
    const QRect onScreen(host->Grid()->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    EXPECT_EQ(text.pos(), popup_placement::position(onScreen, text.frameGeometry().size(),
                                                    window_geometry::workAreaOf(host->Grid())));
    EXPECT_EQ(text.Table()->ColCount(), 17);
    EXPECT_TRUE(table().verticalScrollBar()->isVisible() ||
                table().verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn);
}

TEST_F(FormattedTextWindow, TheWholeTextIsSelectedWhenAsked)
{
    selectionLength = 6;
    open();
    EXPECT_EQ(edit().selectedText(), "Ch%1A1");
    type("x");
    EXPECT_EQ(edit().text(), "x") << "typing replaces it";
}

TEST_F(FormattedTextWindow, ThePreviewFollowsTheEscapedText)
{
    escaped = "";
    cuiFText &text = open();
    const QImage blank = previewShot();
    type("%41");
    EXPECT_EQ(text.Bytes(), "A");
    EXPECT_EQ(text.PreviewText().characters, "A");
    const QImage escapedA = previewShot();
    EXPECT_NE(escapedA, blank);
    edit().setText("A");
    EXPECT_EQ(previewShot(), escapedA) << "%41 shows as A does";
    edit().setText("%%41");
    EXPECT_EQ(text.Bytes(), "%41");

    struct Case {
        QString typed;
        std::string bytes;
    } cases[] = {
        {QString::fromUtf8("\xC3\xA9"), "\xE9"},  // é: one byte of the set
        {QString::fromUtf8("\xE2\x82\xAC"), " "}, // the euro sign is not in the set
        {"%0A", "%0A"},                           // no byte below 16
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        edit().setText(c.typed);
        EXPECT_EQ(text.Bytes(), c.bytes);
    }
}

TEST_F(FormattedTextWindow, ThePreviewKeepsTheFieldsWidthAndLines)
{
    struct Case {
        std::int32_t width;
        std::int32_t perLine;
        std::int32_t lines;
    } cases[] = {{12, 12, 2}, {24, 12, 2}, {25, 25, 1}, {100, 25, 4}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.width);
        width = c.width;
        escaped = std::string(120, 'x');
        cuiFText &text = open();
        const DotMatrixText preview = text.PreviewText();
        EXPECT_EQ(preview.charactersPerLine, c.perLine);
        EXPECT_EQ(preview.lines, c.lines);
        EXPECT_EQ(preview.keptLength, c.width) << "the rest is olive";
        EXPECT_EQ(preview.characters.size(), static_cast<std::size_t>(c.perLine * c.lines));
        text.CancelButton()->click();
        settle();
    }
}

TEST_F(FormattedTextWindow, TheTableInsertsCharactersAtTheCaret)
{
    escaped = "AB";
    cuiFText &text = open();
    edit().setCursorPosition(1);

    onCharacter(16);
    press(table(), Qt::Key_Space, " ");
    EXPECT_EQ(edit().text(), "A%10B") << "a user character in its escaped form";
    EXPECT_EQ(shown().focusWidget(), &table()) << "Space stays in the table";

    onCharacter('E');
    doubleClick(table(),
                table().cellRect(table().currentCell().col, table().currentCell().row).center());
    EXPECT_EQ(edit().text(), "A%10EB");
    EXPECT_EQ(shown().focusWidget(), &edit()) << "a double click goes back to the text";

    edit().setSelection(0, 1);
    onCharacter('E');
    press(table(), Qt::Key_Z, "z");
    EXPECT_EQ(edit().text(), "z%10EB") << "a typed key replaces the selection";
    EXPECT_EQ(shown().focusWidget(), &edit());

    for (const auto &[key, character] :
         {std::pair{Qt::Key_Backspace, "\b"}, std::pair{Qt::Key_Escape, "\x1b"}}) {
        onCharacter('E');
        press(table(), key, character);
        EXPECT_EQ(shown().focusWidget(), &edit());
    }
    EXPECT_EQ(edit().text(), "z%10EB") << "Backspace and Escape in the table change nothing";
    EXPECT_TRUE(text.isVisible());
    EXPECT_TRUE(answers().empty());
}

TEST_F(FormattedTextWindow, EnterAnswersTheTextOnce)
{
    struct Case {
        const char *name;
        std::function<void()> apply;
    } cases[] = {
        {"Enter in the text",
         [this] {
             press(edit(), Qt::Key_Return, "\r");
             press(edit(), Qt::Key_Return, "\r");
         }},
        {"OK", [this] { shown().OkButton()->click(); }},
        {"Enter in the table",
         [this] {
             onCharacter('A');
             press(table(), Qt::Key_Return, "\r");
         }},
        {"pending edits finished (event 21)",
         [] {
             eventManager().Send(kEvFinishEdits);
             eventManager().Send(kEvFinishEdits);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        handler.actions.clear();
        open();
        c.apply();
        settle();
        EXPECT_TRUE(window.isNull());
        const std::vector<FakeCellHandler::Call> given = answers();
        ASSERT_EQ(given.size(), 1u);
        EXPECT_EQ(given[0].inputText, "Ch%1A1");
        EXPECT_EQ(given[0].label, Flex1) << "the opening cell";
        EXPECT_EQ(given[0].chosenLabel, CodecOpen::kWindowAnswerStyle);
    }
}

TEST_F(FormattedTextWindow, LeavingWithoutOkAnswersNothing)
{
    struct Case {
        const char *name;
        std::function<void()> leave;
    } cases[] = {
        {"Escape in the text", [this] { press(edit(), Qt::Key_Escape); }},
        {"Cancel, then pending edits finished",
         [this] {
             shown().CancelButton()->click();
             eventManager().Send(kEvFinishEdits);
         }},
        {"the opening grid goes (event 1)", [this] { host.reset(); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (host == nullptr)
            openHost();
        handler.actions.clear();
        open();
        type("x");
        c.leave();
        settle();
        EXPECT_TRUE(window.isNull());
        EXPECT_TRUE(answers().empty());
    }
}

TEST_F(FormattedTextWindow, WorkingElsewhereLeavesItOpen)
{
    cuiFText &text = open();
    deactivate(text);
    QWidget other;
    eventManager().Send(kEvControlClosing, nullptr, reinterpret_cast<std::intptr_t>(&other));
    settle();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(text.isVisible());
    EXPECT_TRUE(answers().empty());
}

// The table's cells draw their glyphs instead of their text ("W"): 'A'
// shows dots, a user character the image leaves blank none.
TEST_F(FormattedTextWindow, TheTableShowsEachCharactersGlyph)
{
    open();
    const auto inkOf = [this](int code, int current) {
        onCharacter(current);
        QApplication::processEvents();
        const QImage image = table().viewport()->grab().toImage();
        const GridCoord cell = shown().Table()->FindCell(CT_Null, Flex0, code);
        const QRect shownPart = table().cellRect(cell.col, cell.row).intersected(image.rect());
        EXPECT_FALSE(shownPart.isEmpty()) << code;
        return testing_support::darkPixels(image, shownPart);
    };
    EXPECT_GT(inkOf('A', 'O'), 10);
    EXPECT_EQ(inkOf(17, 31), 0);
}

} // namespace
