#include "mainframe/FrameTestFixture.h"

#include "cells/CellLabels.h"
#include "channels/DisplayFont.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiMenuClick.h"
#include "sheets/cuiSheet.h"
#include "sheets/iuiTree.h"
#include "windows/cuiCEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

#include <cstdint>

namespace {

constexpr std::int32_t kGlyph24 = 0x10F53;
constexpr int kGlyphBytes = 24;

// The desktop program on its own overlay: Enter on a character of the user
// character sheet opens the character editor on that glyph, and its OK
// stores the drawn dots in the working image.
class UserCharacterSheet : public FrameTest
{
protected:
    cuiSheet *openSheet(bool smallFont)
    {
        openForm();
        eventManager().Tick();
        QApplication::processEvents();
        cmcEeprom &image = model().WorkingImage();
        const std::uint8_t size = image.GetByte(DisplayFont::kSizeAddress);
        image.SetByte(DisplayFont::kSizeAddress,
                      static_cast<std::uint8_t>(smallFont ? size | DisplayFont::kSmallSizeBit
                                                          : size & ~DisplayFont::kSmallSizeBit));
        for (int k = 0; k < kGlyphBytes; ++k)
            image.SetByte(kGlyph24 + kGlyphBytes * 2 + k, 0);
        if (iuiTree *tree = view().Tree(); tree != nullptr)
            tree->FlushChange();
        cmcCellObj link;
        link.label = CallSheet;
        link.suffix = std::string("[St_Common]GI_Sheet_Common_CEdit");
        cuiMenuClick::SendEnter(MainWindowView::CellHandler(), form.get(), link, nullptr);
        QApplication::processEvents();
        return view().CurrentSheet();
    }
    static void leftClick(QWidget &target, QPoint at)
    {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, target.mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
            QApplication::sendEvent(&target, &event);
        }
    }
};

TEST_F(UserCharacterSheet, EnterOpensTheEditorAndOkStoresTheGlyph)
{
    struct Case {
        bool smallFont;
        int rows;
        int column;
        int row;
        int byte;
        std::uint8_t bit;
    } cases[] = {{true, 8, 1, 3, 1, 0x08}, {false, 17, 4, 16, 6 + 3 * 4 + 2, 0x01}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rows);
        cuiSheet *sheet = openSheet(c.smallFont);
        ASSERT_NE(sheet, nullptr);
        const GridCoord cell = sheet->FindCell(CT_CEdit, CL_CEdit, 2);
        ASSERT_GE(cell.col, 0);
        ASSERT_TRUE(sheet->PutCursor(cell.col, cell.row));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(sheet->Grid(), &enter);
        QApplication::processEvents();

        cuiCEdit *editor = form->findChild<cuiCEdit *>();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Columns(), 6);
        EXPECT_EQ(editor->Rows(), c.rows);
        EXPECT_GE(editor->DotSize(), cuiCEdit::kSmallestDot);
        EXPECT_EQ(editor->Dots(), std::string(static_cast<std::size_t>(6 * c.rows), '0'));
        EXPECT_FALSE(form->isEnabled()) << "the main window waits for the editor";

        leftClick(*editor->GridBox(), editor->DotRect(c.column, c.row).center());
        editor->OkButton()->click();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(form->findChild<cuiCEdit *>(), nullptr);
        EXPECT_TRUE(form->isEnabled());
        for (int k = 0; k < kGlyphBytes; ++k) {
            EXPECT_EQ(model().WorkingImage().GetByte(kGlyph24 + kGlyphBytes * 2 + k),
                      k == c.byte ? c.bit : 0)
                << "byte " << k;
        }
        form.reset();
    }
}

} // namespace
