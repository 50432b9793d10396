#include "sheets/SheetTextDump.h"
#include "sheets/SheetLayout.h"

#include "FakeCellHandler.h"
#include "SheetTestTexts.h"

#include "cells/CellLabels.h"
#include "channels/datCh.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "textdb/GlobalTexts.h"

#include <gtest/gtest.h>

namespace {

class SheetText : public testing::Test
{
protected:
    static void SetUpTestSuite() { openSheetFixture(); }
};

TEST_F(SheetText, RowsShowTheHandlersTextsAndMarks)
{
    FakeCellHandler handler;
    handler.onDraw = [](cmcCellCapsule &capsule) {
        if (capsule.cell->label != Flex1)
            return;
        capsule.outputText = "v" + std::to_string(capsule.cell->index);
        if (capsule.cell->index == 1)
            capsule.stateBits |= cmcCellCapsule::kStateWarning;
        if (capsule.cell->index == 2)
            capsule.stateBits |= cmcCellCapsule::kStateError | cmcCellCapsule::kStateWarning;
    };
    InlineTexts texts(sheetKeys("GI_Sheet_D", "",
                                {"Two\\nlines|tab|", ":(LoopFrom 3)",
                                 "{(%Flex0[@ch0])}kept|{S(%Flex1[@ch0])(@ch0++)}", ":(End)"}));
    SheetLayout layout(texts.texts(), "GI_Sheet_D", nullptr, 0, 0);
    layout.SetWidthsPersistent(false);
    layout.SetHandler(&FakeCellHandler::Handle, nullptr);
    layout.Show();
    EXPECT_EQ(SheetTextDump::Rows(layout),
              (std::vector<std::string>{"Two lines\ttab", "kept\tv0", "kept\tv1!W", "kept\tv2!E"}));
    ASSERT_EQ(handler.draws.size(), 6u);
    EXPECT_EQ(handler.draws[0].label, Flex0) << "labelled cells are asked even for static text";
}

TEST_F(SheetText, TheModelsHandlerNumbersTheEntriesOfAList)
{
    indMain model;
    openSheetFixture(); // the model opened the installed overlays
    installModelObject(&model);
    datCh(&model.WorkingImage()).setListCount(datCh::kKindDigTg, 3);
    SheetLayout layout(mainTextDatabase(), "GI_Sheet_Tg", nullptr, 0, 0);
    layout.SetWidthsPersistent(false);
    layout.Show();
    const std::vector<std::string> rows = SheetTextDump::Rows(layout);
    installModelObject(nullptr);
    EXPECT_EQ(rows,
              (std::vector<std::string>{"No.\tNote", "  1\tx", "  2\tx", "  3\tx", "New\tadd"}));
}

} // namespace
