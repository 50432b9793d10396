#include "MenusFixture.h"

#include "cells/CellLabels.h"
#include "cells/EventCodes.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiToolBar.h"

#include <QToolBar>

namespace {

class ToolBar : public MenusFixture
{
protected:
    ToolBar() { bar.Build(); }

    cuiImageList images = cuiImageList::ToolBarImages(testing_support::sourceDir() + "data/icons/");
    cuiToolBar bar{&window, texts(), "GI_ToolBar_Test", &images, &FakeCellHandler::handle};
};

TEST_F(ToolBar, ButtonsGapsAndRowsFollowTheBody)
{
    ASSERT_EQ(bar.ButtonCount(), 6);
    ASSERT_EQ(bar.RowCount(), 2);
    // Row 0: New, an 8-pixel gap, Open, left to right.
    QToolBar *first = bar.Row(0);
    const QList<QAction *> actions = first->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0], bar.Button(0));
    EXPECT_EQ(first->widgetForAction(actions[1]), bar.Gap(1));
    EXPECT_EQ(bar.Gap(1)->width(), cuiToolBar::kGapWidth);
    EXPECT_EQ(actions[2], bar.Button(2));
    // The break starts row 1 with the buttons after it.
    EXPECT_EQ(bar.Button(3), nullptr);
    EXPECT_EQ(bar.Row(1)->actions(), QList<QAction *>({bar.Button(4), bar.Button(5)}));

    EXPECT_EQ(bar.Button(4)->toolTip(), "Read from the radio");
    EXPECT_EQ(bar.Button(5)->icon().pixmap(16).toImage(), images.pixmap(3).toImage());
    EXPECT_EQ(bar.ButtonCell(5)->label, CL_Menu_Port_Com);
    EXPECT_EQ(bar.ButtonCell(5)->index, 1);
}

TEST_F(ToolBar, StatesComeFromTheHandler)
{
    FakeCellHandler::answer(CL_Menu_Port_Com, 1, {0x1, {}, 9});
    FakeCellHandler::answer(CL_Menu_File_Open, 0, {0x4, {}, {}});
    eventManager().Send(kEvToolStates);
    QAction *com = bar.Button(5);
    EXPECT_TRUE(com->isCheckable());
    EXPECT_TRUE(com->isChecked());
    EXPECT_FALSE(bar.Button(2)->isEnabled());
    EXPECT_TRUE(bar.Button(0)->isEnabled());
    EXPECT_FALSE(bar.Button(0)->isCheckable());
    EXPECT_EQ(com->icon().pixmap(16).toImage(), images.pixmap(9).toImage());
    // Gaps and breaks are not asked.
    EXPECT_EQ(FakeCellHandler::calls.size(), 4u);
    for (const auto &call : FakeCellHandler::calls) {
        EXPECT_EQ(call.code, 0);
        EXPECT_EQ(call.mode, kHandlerDraw);
        EXPECT_EQ(call.owner, &window);
    }

    FakeCellHandler::answers.clear();
    bar.RefreshStates();
    EXPECT_FALSE(com->isCheckable());
    EXPECT_FALSE(com->isChecked());
    EXPECT_TRUE(bar.Button(2)->isEnabled());
}

TEST_F(ToolBar, AClickSendsTheButtonsCellWithEnter)
{
    FakeCellHandler::answer(CL_Menu_Port_Com, 1, {0x1, {}, {}});
    bar.RefreshStates();
    FakeCellHandler::calls.clear();
    bar.Button(5)->trigger();
    ASSERT_EQ(FakeCellHandler::calls.size(), 1u);
    EXPECT_EQ(FakeCellHandler::calls[0].label, CL_Menu_Port_Com);
    EXPECT_EQ(FakeCellHandler::calls[0].code, cmcCellCapsule::kCodeEnter);
    EXPECT_EQ(FakeCellHandler::calls[0].owner, &window);
    // The button shows what the handler said until it is asked again.
    EXPECT_TRUE(bar.Button(5)->isChecked());
}

TEST_F(ToolBar, AClickHandlerReplacesTheOwnHandling)
{
    std::vector<std::int32_t> labels;
    bar.Build({[](void *context, const cmcCellObj &cell) {
                   static_cast<std::vector<std::int32_t> *>(context)->push_back(cell.label);
               },
               &labels});
    bar.Button(4)->trigger();
    EXPECT_EQ(labels, std::vector<std::int32_t>{CL_Menu_Clone_Read});
    EXPECT_TRUE(FakeCellHandler::calls.empty());
    EXPECT_EQ(bar.RowCount(), 2);
}

} // namespace
