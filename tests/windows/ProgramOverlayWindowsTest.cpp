#include "windows/cuiCEdit.h"
#include "windows/cuiFBitsR.h"
#include "windows/cuiFText.h"

#include "CellWindowFixture.h"
#include "cells/CellLabels.h"
#include "sheets/cuiToolBar.h"

#include <QPointer>
#include <QPushButton>

#include <string>
#include <vector>

namespace {

// The windows build their sheets from the program's own overlay: the
// character table and the cell models of the flag bits window's sheet
// are there (the language sheet serves as the opening sheet).
class WindowsOnTheProgramsOverlay : public CellWindowFixture
{
protected:
    static void SetUpTestSuite()
    {
        mainTextDatabase().Open(testing_support::sourceDir() + "data/QX7315C_ENG.OVL");
    }
    WindowsOnTheProgramsOverlay() : CellWindowFixture("GI_Sheet_LanguageSel") {}
};

TEST_F(WindowsOnTheProgramsOverlay, TheCharacterTableHoldsEveryCodeFromSixteen)
{
    QPointer<cuiFText> window;
    openWindow = [&window](const cmcCellCapsule &capsule) {
        window = cuiFText::Open(capsule, mainTextDatabase(), "Name", 12);
    };
    enterOnHost();
    const cuiFText *open = window.data();
    ASSERT_NE(open, nullptr);
    ASSERT_NE(open->Table(), nullptr);
    const cuiSheet &table = *open->Table();
    for (int code : {16, 31, 32, 65, 127, 255}) {
        SCOPED_TRACE(code);
        EXPECT_GE(table.FindCell(CT_Null, Flex0, code).col, 0);
    }
    EXPECT_LT(table.FindCell(CT_Null, Flex0, 15).col, 0);
}

TEST_F(WindowsOnTheProgramsOverlay, TheFlagBitsSheetFindsItsCellModels)
{
    QPointer<cuiFBitsR> window;
    openWindow = [&window](const cmcCellCapsule &capsule) {
        window = cuiFBitsR::Open(capsule, mainTextDatabase(), 0, 1, 4, cuiFBitsR::kDecimal,
                                 cuiFBitsR::kMarkCheck);
    };
    enterOnHost();
    const cuiFBitsR *open = window.data();
    ASSERT_NE(open, nullptr);
    ASSERT_NE(open->Sheet(), nullptr);
    const cuiSheet &sheet = *open->Sheet();
    EXPECT_EQ(sheet.ColCount(), 8);
    EXPECT_TRUE(sheet.CellAt(1, 3).Selectable()) << "a check box ($eWh)";
    EXPECT_EQ(sheet.CellAt(2, 3).label, CL_Misc_QuarterPillar) << "a separator ($iQp)";
}

// The character editor's tool bar: the three tools, a gap, and clear; its
// caption comes from the overlay too.
TEST_F(WindowsOnTheProgramsOverlay, TheCharacterEditorFindsItsToolBarAndCaption)
{
    QPointer<cuiCEdit> window;
    openWindow = [&window](const cmcCellCapsule &capsule) {
        window = cuiCEdit::Open(capsule, mainTextDatabase(), nullptr, cuiCEdit::kSmallestDot, 6, 8,
                                std::string(48, '0'));
    };
    enterOnHost();
    cuiCEdit *open = window.data();
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->windowTitle(), "Character Editor");
    const cuiToolBar &bar = *open->ToolBar();
    std::vector<int> images;
    for (int line = 0; line < bar.ButtonCount(); ++line)
        images.push_back(bar.Button(line) != nullptr ? bar.ButtonCell(line)->imageIndex : -1);
    EXPECT_EQ(images, (std::vector<int>{cuiCEdit::kPenImage, cuiCEdit::kRectangleImage,
                                        cuiCEdit::kShiftImage, -1, cuiCEdit::kClearImage}));
    open->CancelButton()->click();
}

} // namespace
