#include "mainframe/FrameTestFixture.h"

#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "channels/datCh.h"
#include "sheets/SheetDescriptor.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiMenuClick.h"
#include "sheets/cuiSheet.h"
#include "sheets/iuiSh_ChBank.h"
#include "sheets/iuiSh_Common.h"
#include "sheets/iuiSh_Mch.h"
#include "sheets/iuiTree.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTreeWidget>

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

// The desktop program on its own overlay, data files and cell handler: every
// sheet the tree leads to, directly or through the links of other sheets,
// opens as the class its descriptor names, and the cursor moves in it.
class TreeSheets : public FrameTest
{
protected:
    void openProgram(int modelType)
    {
        settings().modelType = modelType;
        openForm();
        // The memory channel branch and its captions arrive as events.
        eventManager().Tick();
        QApplication::processEvents();
    }

    // The call text of every tree node, in tree order.
    std::vector<std::string> treeCallTexts()
    {
        std::vector<std::string> texts;
        const iuiTree *tree = view().Tree();
        for (QTreeWidgetItem *node = tree->View()->topLevelItem(0); node != nullptr;
             node = tree->NextNode(node)) {
            const cmcCellObj *cell = tree->NodeCell(node);
            if (cell != nullptr && cell->suffix && !cell->suffix->empty())
                texts.push_back(*cell->suffix);
        }
        return texts;
    }

    // Opens a sheet the way a tree node or a link does: its cell goes to the
    // cell handler with Enter.
    cuiSheet *openThroughHandler(const std::string &callText)
    {
        // A tree selection still waiting out its delay would open its own
        // sheet over this one whenever a slow machine lets the timer run.
        if (iuiTree *tree = view().Tree(); tree != nullptr)
            tree->FlushChange();
        cmcCellObj link;
        link.label = CallSheet;
        link.suffix = callText;
        cuiMenuClick::SendEnter(MainWindowView::CellHandler(), form.get(), link, nullptr);
        QApplication::processEvents();
        return view().CurrentSheet();
    }

    // The call texts of the links in a sheet's cells.
    static std::vector<std::string> linksIn(const cuiSheet &sheet)
    {
        std::vector<std::string> links;
        for (int row = 0; row < sheet.RowCount(); ++row) {
            for (int col = 0; col < sheet.ColCount(); ++col) {
                const cmcCellObj &cell = sheet.CellAt(col, row);
                if (cell.label == CallSheet && cell.suffix && !cell.suffix->empty())
                    links.push_back(*cell.suffix);
            }
        }
        return links;
    }

    void key(cuiSheet &sheet, int code)
    {
        QKeyEvent down(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(sheet.Grid(), &down);
        QKeyEvent up(QEvent::KeyRelease, code, Qt::NoModifier);
        QApplication::sendEvent(sheet.Grid(), &up);
    }

    // The class the program's factory is to make for a call text.
    static const std::type_info &expectedClass(const std::string &callText)
    {
        switch (SheetDescriptor::Parse(callText).kind()) {
        case SheetDescriptor::Kind::Bank:
            return typeid(iuiSh_ChBank);
        case SheetDescriptor::Kind::Common:
            return typeid(iuiSh_Common);
        case SheetDescriptor::Kind::List:
            return typeid(iuiSh_Mch);
        case SheetDescriptor::Kind::Plain:
            break;
        }
        return typeid(cuiSheet);
    }

    // Opens every sheet reachable from the tree; returns their call texts.
    std::set<std::string> walkEverySheet()
    {
        std::deque<std::string> queue;
        for (const std::string &text : treeCallTexts())
            queue.push_back(text);
        std::set<std::string> opened;
        while (!queue.empty()) {
            const std::string callText = queue.front();
            queue.pop_front();
            if (!opened.insert(callText).second)
                continue;
            SCOPED_TRACE(callText);
            cuiSheet *sheet = openThroughHandler(callText);
            if (sheet == nullptr || sheet->Grid() == nullptr) {
                ADD_FAILURE() << "the sheet did not open";
                continue;
            }
            EXPECT_EQ(view().CurrentCallText(), callText);
            const cuiSheet &shown = *sheet;
            EXPECT_TRUE(typeid(shown) == expectedClass(callText)) << typeid(shown).name();
            expectCursorMoves(*sheet);
            for (const std::string &link : linksIn(*sheet))
                queue.push_back(link);
            // The tick disposes of the sheets closed meanwhile.
            view().Tick();
        }
        return opened;
    }

    void expectCursorMoves(cuiSheet &sheet)
    {
        sheet.Grid()->setFocus();
        const GridCoord start = sheet.CurrentCell();
        ASSERT_TRUE(sheet.IsSelectable(start.col, start.row));
        for (int code : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) {
            key(sheet, code);
            if (sheet.CurrentCell() != start)
                break;
        }
        const GridCoord moved = sheet.CurrentCell();
        EXPECT_NE(moved, start) << "the cursor stays at " << start.col << "," << start.row;
        EXPECT_TRUE(sheet.IsSelectable(moved.col, moved.row));
    }
};

TEST_F(TreeSheets, EverySheetOfTheLmrTreeOpensAndTheCursorMoves)
{
    openProgram(0);
    const std::set<std::string> opened = walkEverySheet();
    for (const char *expected :
         {"[St_ChBank]GI_Sheet_Mch_Conv_Lmr_KCOOP_Rep,Bank 0", "[St_Common]GI_Sheet_Common",
          "GI_Sheet_Digital_Ind_Id,X", "GI_Sheet_Digital_Grp_Id,Q", "GI_Sheet_MultipleTable,M",
          "GI_Sheet_MultipleTable,M P,15", "GI_Sheet_CloneInfo"})
        EXPECT_TRUE(opened.contains(expected)) << expected;
    // dPMR belongs to the PMR model.
    EXPECT_FALSE(opened.contains("GI_Sheet_Dpmr_Ind_Id,D"));
}

TEST_F(TreeSheets, EverySheetOfThePmrTreeOpensAndTheCursorMoves)
{
    openProgram(1);
    const std::vector<std::string> nodes = treeCallTexts();
    // The KCOOP lists belong to the LMR model.
    EXPECT_EQ(std::count(nodes.begin(), nodes.end(), "GI_Sheet_Digital_Ind_Id,X"), 0);
    EXPECT_EQ(
        std::count(nodes.begin(), nodes.end(), "[St_ChBank]GI_Sheet_Mch_Conv_Pmr_Dpmr_Rep,Bank 0"),
        1);
    const std::set<std::string> opened = walkEverySheet();
    EXPECT_TRUE(opened.contains("[St_ChBank]GI_Sheet_Mch_Conv_Pmr_Dpmr_Rep,Bank 0"));
    for (const char *expected : {"GI_Sheet_Dpmr_Ind_Id,D", "[St_Common]GI_Sheet_Dpmr",
                                 "GI_Sheet_Dpmr_Status", "[St_Common]GI_Sheet_Dpmr_Expert"})
        EXPECT_TRUE(opened.contains(expected)) << expected;
}

// A clone file's channels fill the bank's sheet, with the row for a new
// channel below them.
TEST_F(TreeSheets, TheBankNodeShowsTheFilesChannels)
{
    openProgram(1);
    ASSERT_TRUE(model().LoadFile(testing_support::fixtureDir() + "cli/two-channels.vrc"));
    eventManager().Tick();
    QApplication::processEvents();
    const iuiTree *tree = view().Tree();
    QTreeWidgetItem *bankNode = tree->FindBankNode(0);
    ASSERT_NE(bankNode, nullptr);
    EXPECT_EQ(bankNode->text(0).toStdString(),
              mainTextDatabase().GetFirstLine("GI_Tree_Branch_NoBankMch_SheetName"));
    const cmcCellObj *cell = tree->NodeCell(bankNode);
    ASSERT_NE(cell, nullptr);
    cuiSheet *sheet = openThroughHandler(*cell->suffix);
    ASSERT_NE(sheet, nullptr);
    auto *bank = dynamic_cast<iuiSh_ChBank *>(sheet);
    ASSERT_NE(bank, nullptr);
    const int channels = datCh(&model().WorkingImage()).bankChannelCount(0);
    ASSERT_EQ(channels, 2);
    EXPECT_EQ(sheet->RowCount(), bank->FirstChannelRow() + channels + 1);
    cmcCellCapsule capsule;
    cmcCellObj look;
    const int newRow = bank->FirstChannelRow() + channels;
    EXPECT_EQ(sheet->CellText(0, newRow, capsule, look, 0),
              mainTextDatabase().GetFirstLine("GI_NewChTitle"));
    EXPECT_EQ(sheet->CellText(0, newRow - 1, capsule, look, 0), "1-  2");
}

} // namespace
