#include "sheets/SheetSelection.h"
#include "sheets/SheetLayout.h"

#include "SheetTestTexts.h"

#include "cells/CellLabels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A heading row and column; five list rows (indexes 0 to 4) and an "add"
// row that takes no part in multi-selection.
class MultiSelection : public testing::Test
{
protected:
    static void SetUpTestSuite() { openSheetFixture(); }

    void build(const std::string &mode)
    {
        texts_ = std::make_unique<InlineTexts>(
            sheetKeys("GI_Sheet_M", "(FixedRows=1)(FixedCols=1)(MultiSelect=" + mode + ")",
                      {"h|h|h", ":(LoopFrom 5)",
                       "{(%Flex0[@ch0])}n|{S(%Flex1[@ch0])}a|{S(%Flex2[@ch0])(@ch0++)}b", ":(End)",
                       ":(SelectOFF)", "new|{S(%Flex1[99])}x|{S(%Flex2[99])}y"},
                      "{($Basic)(%CT_Mch.)}"));
        layout_ = std::make_unique<SheetLayout>(texts_->texts(), "GI_Sheet_M", nullptr, 0, 0);
        layout_->SetWidthsPersistent(false);
        layout_->Show();
        selection_ = std::make_unique<SheetSelection>(*layout_);
    }

    // One character per cell: 'c' selected, 'l' line-marked, '.' neither.
    std::vector<std::string> marks() const
    {
        std::vector<std::string> rows;
        for (int row = 0; row < layout_->RowCount(); ++row) {
            std::string line;
            for (int col = 0; col < layout_->ColCount(); ++col) {
                const clsSheetCellId &slot = layout_->Slot(col, row);
                line += slot.selected ? 'c' : slot.lineSelected ? 'l' : '.';
            }
            rows.push_back(line);
        }
        return rows;
    }

    std::unique_ptr<InlineTexts> texts_;
    std::unique_ptr<SheetLayout> layout_;
    std::unique_ptr<SheetSelection> selection_;
};

TEST_F(MultiSelection, ARectangleSelectsItsSelectableCells)
{
    build("Cell");
    selection_->SetAnchor({2, 2});
    selection_->SelectRectangle({1, 4});
    EXPECT_TRUE(selection_->Shown());
    EXPECT_EQ(marks(), (std::vector<std::string>{"...", "...", ".cc", ".cc", ".cc", "...", "..."}));
    selection_->SelectRectangle({2, 3});
    EXPECT_EQ(marks(), (std::vector<std::string>{"...", "...", "..c", "..c", "...", "...", "..."}))
        << "cells outside the new rectangle are deselected";
    selection_->Clear();
    EXPECT_FALSE(selection_->Shown());
    EXPECT_EQ(marks(), std::vector<std::string>(7, "..."));
}

TEST_F(MultiSelection, LineModeMarksWholeRowsFromTheFirstScrollingColumn)
{
    build("Line");
    selection_->SetAnchor({1, 3});
    selection_->SelectRectangle({1, 5});
    EXPECT_EQ(marks(), (std::vector<std::string>{"...", "...", "...", ".cl", ".cl", ".cl", "..."}));
    EXPECT_TRUE(layout_->Slot(2, 4).Highlighted());
    EXPECT_FALSE(layout_->Slot(0, 4).Highlighted());
}

TEST_F(MultiSelection, OnlyRowsThatTakePartCount)
{
    build("Cell");
    EXPECT_FALSE(selection_->RowTakesPart(6));
    EXPECT_TRUE(selection_->RowTakesPart(1));
}

TEST_F(MultiSelection, TheIndexRangeSpansTheAnchorRowAndTheCurrentRow)
{
    build("Line");
    std::int32_t low = -1;
    std::int32_t high = -1;
    selection_->SetAnchor({2, 4});
    selection_->IndexRange({1, 2}, low, high);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 3);
}

TEST_F(MultiSelection, AHandlerRangeSelectsByLabelAndAnchorsAtTheFarEnd)
{
    build("Line");
    selection_->SelectRange({1, 2}, Flex1, 1, 3);
    EXPECT_EQ(marks(), (std::vector<std::string>{"...", "...", ".cl", ".cl", ".cl", "...", "..."}));
    EXPECT_EQ(selection_->Anchor(), (GridCoord{1, 4}));
    selection_->SelectRange({1, 4}, Flex1, 1, 3);
    EXPECT_EQ(selection_->Anchor(), (GridCoord{1, 2}));
}

} // namespace
