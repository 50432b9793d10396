#include "sheets/SheetFactory.h"
#include "sheets/cuiGrid.h"
#include "sheets/iuiSh_ChBank.h"
#include "sheets/iuiSh_Common.h"
#include "sheets/iuiSh_Mch.h"

#include "BankSheetsFixture.h"

#include "sheets/SheetColours.h"
#include "sheets/SheetModelFacts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

#include <memory>
#include <string>
#include <typeinfo>

namespace {

// Fixture bank sheet: two rows above the channels; columns number, receive,
// transmit, name, group ID, block ID.
constexpr int kHeadRows = 2;
constexpr int kNameCol = 3;

// The model's sheets in a shown container, with the model cell handler on
// the fixture overlay.
class SheetsOnScreen : public BankSheetsTest
{
protected:
    SheetsOnScreen()
    {
        container.resize(600, 400);
        container.show();
        QApplication::processEvents();
    }
    ~SheetsOnScreen() override { sheet.reset(); }

    cuiSheet &open(const std::string &descriptor)
    {
        sheet.reset();
        sheet = SheetFactory::Create(&container, nullptr, 0, 0, mainTextDatabase(), descriptor);
        sheet->SetWidthsPersistent(false);
        sheet->Show();
        QApplication::processEvents();
        return *sheet;
    }
    cuiGrid &grid() { return *sheet->Grid(); }
    GridCoord current() { return sheet->CurrentCell(); }
    void key(int code)
    {
        QKeyEvent down(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(&grid(), &down);
        QKeyEvent up(QEvent::KeyRelease, code, Qt::NoModifier);
        QApplication::sendEvent(&grid(), &up);
    }

    QWidget container;
    std::unique_ptr<cuiSheet> sheet;
};

TEST_F(SheetsOnScreen, TheFactoryMakesTheClassTheDescriptorNames)
{
    struct Case {
        const char *descriptor;
        const std::type_info &type;
    };
    const Case cases[] = {
        {"[St_ChBank]GI_Sheet_Bank,Bank 0", typeid(iuiSh_ChBank)},
        {"[St_Common]GI_Sheet_CommonPage", typeid(iuiSh_Common)},
        {"GI_Sheet_Digital_Ind_Id,X", typeid(iuiSh_Mch)},
        {"GI_Sheet_MultipleTable,M P,3", typeid(iuiSh_Mch)},
        {"GI_Sheet_RptSetWin,R S,1", typeid(iuiSh_Mch)},
        {"[St_Common]GI_Sheet_Digital_Ind_Id,X", typeid(iuiSh_Common)},
        {"GI_Sheet_Picker,C", typeid(cuiSheet)},
        {"GI_Sheet_Picker", typeid(cuiSheet)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.descriptor);
        cuiSheet &made = open(c.descriptor);
        EXPECT_TRUE(typeid(made) == c.type) << typeid(made).name();
        EXPECT_EQ(made.SaveName(), c.descriptor);
        EXPECT_NE(made.Grid(), nullptr);
    }
}

TEST_F(SheetsOnScreen, CommonPagesFollowTheModel)
{
    open("[St_Common]GI_Sheet_CommonPage");
    EXPECT_EQ(sheet->RowCount(), 2);
    EXPECT_EQ(sheet->CellAt(0, 1).GetText(), "last");
}

TEST_F(SheetsOnScreen, TheBankTitleShowsTheBanksKind)
{
    struct Case {
        const char *what;
        bool trunking;
        QColor colour;
    };
    const Case cases[] = {
        {"plain bank", false, QColor(255, 255, 0)},
        {"trunking bank", true, QColor(0, 255, 255)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        records().setBankSmarTrunk(0, c.trunking);
        open("[St_ChBank]GI_Sheet_Bank,Bank 0");
        const QLabel *title = sheet->TitleLabel();
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), " Memory Channels");
        EXPECT_EQ(title->palette().color(QPalette::WindowText), c.colour);
    }
    // The bank's kind may change while its sheet is open.
    records().setBankSmarTrunk(0, false);
    eventManager().Send(kEvRefreshBankSheet);
    EXPECT_EQ(sheet->TitleLabel()->palette().color(QPalette::WindowText), QColor(255, 255, 0));
}

TEST_F(SheetsOnScreen, TheCursorNeverStopsInColumnsTheBankHides)
{
    struct Case {
        const char *what;
        bool groupIdBank;
        int rightKey; // Left or Right from the name column
    };
    const Case cases[] = {
        {"plain bank: nothing after the name", false, Qt::Key_Right},
        {"group-ID bank: no frequencies before the name", true, Qt::Key_Left},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        setChannels(2);
        records().setBankLtr(0, c.groupIdBank);
        open("[St_ChBank]GI_Sheet_Bank,Bank 0");
        ASSERT_TRUE(sheet->PutCursor(kNameCol, kHeadRows));
        key(c.rightKey);
        EXPECT_EQ(current(), (GridCoord{kNameCol, kHeadRows}));
        for (int col = 0; col < grid().colCount(); ++col) {
            if (grid().colWidth(col) == 0) {
                EXPECT_FALSE(sheet->PutCursor(col, kHeadRows)) << col;
            }
        }
    }
}

TEST_F(SheetsOnScreen, BankRowsComeAndGoWithTheCursorInTheList)
{
    setChannels(3);
    open("[St_ChBank]GI_Sheet_Bank,Bank 0");
    const int newRow = kHeadRows + 3;
    ASSERT_EQ(grid().rowCount(), newRow + 1);
    ASSERT_TRUE(sheet->PutCursor(kNameCol, newRow));
    grid().setRowHeight(newRow, 31);

    setChannels(4);
    sendRows(kEvAppendRows, 1);
    EXPECT_EQ(grid().rowCount(), newRow + 2);
    EXPECT_EQ(grid().rowHeight(newRow + 1), 31);
    EXPECT_EQ(current(), (GridCoord{kNameCol, newRow}));
    key(Qt::Key_Down);
    EXPECT_EQ(current(), (GridCoord{kNameCol, newRow + 1}));

    setChannels(3);
    sendRows(kEvRemoveRows, 1);
    EXPECT_EQ(grid().rowCount(), newRow + 1);
    EXPECT_EQ(current(), (GridCoord{kNameCol, newRow}));
    // The first channel is as far up as the cursor goes.
    ASSERT_TRUE(sheet->PutCursor(kNameCol, kHeadRows));
    setChannels(2);
    sendRows(kEvRemoveRows, 1);
    EXPECT_EQ(current(), (GridCoord{kNameCol, kHeadRows}));
}

TEST_F(SheetsOnScreen, ListRowsComeAndGoWithTheCursorInTheList)
{
    records().setListCount(SheetModelFacts::kIndividualIdList, 5);
    open("GI_Sheet_Digital_Ind_Id,X");
    // A head row, five entries and the row for a new one.
    ASSERT_EQ(grid().rowCount(), 7);
    struct Step {
        const char *what;
        int from;
        std::intptr_t rows;
        int expectedRows;
        int to;
    };
    const Step steps[] = {
        {"one row: the cursor goes up with it", 3, 1, 6, 2},
        {"more rows: the cursor stays", 3, 2, 4, 3},
        {"more rows: at most to the last row left", 3, 2, 2, 1},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        ASSERT_TRUE(sheet->PutCursor(1, s.from));
        sendRows(kEvRemoveRows, s.rows);
        EXPECT_EQ(grid().rowCount(), s.expectedRows);
        EXPECT_EQ(current(), (GridCoord{1, s.to}));
    }
    sendRows(kEvAppendRows, 0);
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(sheet->CellAt(1, 2).index, 1);
}

} // namespace
