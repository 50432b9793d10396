// Every sheet the tree opens, built as the sheet command builds it, shows
// what its cells hold on both model types: no cell is left without its
// binding.
#include "ModelTestFixture.h"

#include "cells/indCellHandler.h"
#include "model/CellTyping.h"
#include "model/GlobalModel.h"
#include "model/TreeNodeFilter.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "sheets/SheetTextDump.h"
#include "textdb/GlobalTexts.h"

#include <memory>
#include <string>

namespace {

class TreeSheets : public ModelTest, public ::testing::WithParamInterface<int>
{
protected:
    TreeSheets() { installModelObject(model.get()); }
    ~TreeSheets() override { installModelObject(nullptr); }

    static std::vector<std::string> rows(const std::string &call)
    {
        const std::unique_ptr<SheetLayout> layout =
            SheetLayoutFactory::Create(mainTextDatabase(), call);
        layout->SetWidthsPersistent(false);
        layout->SetHandler(indCellHandler::Handle, nullptr);
        layout->Show();
        return SheetTextDump::Rows(*layout);
    }
};

TEST_P(TreeSheets, EverySheetShowsWhatItsCellsHold)
{
    const int modelType = GetParam();
    ASSERT_TRUE(model->ChangeModelType(modelType, false));
    useChannel(model->WorkingImage(), 0, 145500000);
    // The option nodes too: every sheet a radio can show.
    const std::vector<std::string> sheets = CellTyping::TreeSheets(
        mainTextDatabase(), modelType, TreeNodeFilter::HiddenFlags(modelType, false, true));
    ASSERT_GT(sheets.size(), 10u);
    for (const std::string &call : sheets) {
        for (const std::string &row : rows(call))
            EXPECT_EQ(row.find("*Yet*"), std::string::npos) << call << ": " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(ModelTypes, TreeSheets, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int> &type) {
                             return type.param == 0 ? "Lmr" : "Pmr";
                         });

} // namespace
