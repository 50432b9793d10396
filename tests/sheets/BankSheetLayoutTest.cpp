#include "sheets/BankSheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "sheets/cmcScrBlock.h"

#include "BankSheetsFixture.h"

#include "cells/CellLabels.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using BankLayout = BankSheetLayout<SheetLayout>;

// Rows above the channel loop in the fixture's bank sheet.
constexpr int kHeadRows = 2;
// Fixture columns: number, receive, transmit, name, group ID, block ID.
constexpr int kReceiveCol = 1;
constexpr int kGroupCol = 4;

class BankSheet : public BankSheetsTest
{
protected:
    std::unique_ptr<BankLayout> build(const std::string &tag = "Bank 0", bool printing = false,
                                      const std::string &prefix = "GI_Sheet_Bank")
    {
        auto sheet = std::make_unique<BankLayout>(
            mainTextDatabase(), "[St_ChBank]" + prefix + "," + tag, nullptr, 0, 0);
        sheet->SetWidthsPersistent(false);
        if (printing)
            sheet->SetPrintMetrics({});
        sheet->Show();
        return sheet;
    }
};

TEST(ScrBlock, NameEndsAtTheFirstBlankAndItemsAtCommas)
{
    struct Case {
        std::string text;
        std::string name;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"Bank 0", "Bank", {"0"}},   {"M P,3", "M", {"P", "3"}}, {"R  S , 2 ", "R", {"S", "2"}},
        {"Bank", "Bank", {}},        {"X ", "X", {""}},          {"", "", {}},
        {"Bank\t 1", "Bank", {"1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const cmcScrBlock block(c.text);
        EXPECT_EQ(block.Name(), c.name);
        ASSERT_EQ(block.ItemCount(), static_cast<int>(c.items.size()));
        for (int i = 0; i < block.ItemCount(); ++i)
            EXPECT_EQ(block.Item(i), c.items[static_cast<std::size_t>(i)]);
        EXPECT_EQ(block.Item(block.ItemCount()), "");
        EXPECT_EQ(block.Item(-1), "");
    }
}

TEST_F(BankSheet, ChannelRowsFollowTheBank)
{
    struct Case {
        const char *what;
        int storedCount;
        bool printing;
        int channelRows;
        bool printable;
    };
    const Case cases[] = {
        {"empty bank: the row for a new channel", 0, false, 1, false},
        {"empty bank on paper: one body row", 0, true, 1, false},
        {"five channels and the new one", 5, false, 6, true},
        {"five channels on paper", 5, true, 5, true},
        {"a full bank", 32, false, 33, true},
        // A count word from a file or a radio beyond the channel list.
        {"a count beyond the channel list", 0xFFFF, false, 33, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        setChannels(c.storedCount);
        const auto sheet = build("Bank 0", c.printing);
        EXPECT_EQ(sheet->FirstChannelRow(), kHeadRows);
        ASSERT_EQ(sheet->RowCount(), kHeadRows + c.channelRows);
        // Channel counter 0 numbers the rows from the bank's first channel.
        EXPECT_EQ(indexes(*sheet, kReceiveCol, kHeadRows), counting(0, c.channelRows));
        EXPECT_EQ(sheet->CanPrint(), c.printable);
    }
}

TEST_F(BankSheet, ChannelsCountFromTheBanksFirstChannel)
{
    setChannels(2);
    const auto sheet = build("Bank 0", false, "GI_Sheet_HeadCounts");
    EXPECT_EQ(sheet->FirstChannelRow(), 1);
    EXPECT_EQ(indexes(*sheet, 0, 1), counting(0, 3));
    // Bank 1 starts after bank 0.
    const auto second = build("Bank 1", false, "GI_Sheet_HeadCounts");
    EXPECT_EQ(indexes(*second, 0, 1), counting(2, 1));
}

TEST_F(BankSheet, OnlyTheNewChannelRowStaysOutOfMultiSelection)
{
    setChannels(3);
    const auto sheet = build();
    std::vector<bool> expected(static_cast<std::size_t>(kHeadRows + 4), true);
    expected.back() = false;
    EXPECT_EQ(takingPart(*sheet), expected);
    // Nothing to leave out on paper.
    const auto printed = build("Bank 0", true);
    EXPECT_EQ(takingPart(*printed), std::vector<bool>(kHeadRows + 3, true));
}

TEST_F(BankSheet, RowsBeyondTheBankArePreparedWithTheNextChannels)
{
    setChannels(2);
    const auto sheet = build();
    ASSERT_EQ(sheet->SlotRows(), BankLayout::kPreparedRows);
    const cmcCellObj &last = sheet->CellAt(kReceiveCol, BankLayout::kPreparedRows - 1);
    EXPECT_EQ(last.label, CL_Mch_FreqR);
    EXPECT_EQ(last.index, BankLayout::kPreparedRows - 1 - kHeadRows);
    EXPECT_FALSE(sheet->Slot(0, BankLayout::kPreparedRows - 1).multiSelect);
}

TEST_F(BankSheet, AddedAndRemovedChannelsAddAndRemoveRows)
{
    setChannels(3);
    const auto sheet = build();
    const int rows = sheet->RowCount();
    sheet->Surface().SetRowHeight(rows - 1, 23);

    setChannels(4);
    sendRows(kEvAppendRows, 0);
    ASSERT_EQ(sheet->RowCount(), rows + 1);
    EXPECT_EQ(sheet->Surface().RowHeight(rows), 23);
    EXPECT_EQ(sheet->CellAt(kReceiveCol, rows).index, 4);
    EXPECT_TRUE(sheet->Slot(0, rows - 1).multiSelect);
    EXPECT_FALSE(sheet->Slot(0, rows).multiSelect);
    EXPECT_TRUE(sheet->CanPrint());

    setChannels(2);
    sendRows(kEvRemoveRows, 2);
    ASSERT_EQ(sheet->RowCount(), rows - 1);
    EXPECT_FALSE(sheet->Slot(0, rows - 2).multiSelect);
}

TEST_F(BankSheet, RowsStayWithinTheHeadAndThePreparedCells)
{
    setChannels(1);
    const auto sheet = build();
    sendRows(kEvRemoveRows, 10);
    // The row for a new channel stays, and the rows above the list.
    EXPECT_EQ(sheet->RowCount(), kHeadRows + 1);
    sendRows(kEvAppendRows, 100);
    EXPECT_EQ(sheet->RowCount(), BankLayout::kPreparedRows);
    sendRows(kEvAppendRows, 1);
    EXPECT_EQ(sheet->RowCount(), BankLayout::kPreparedRows);
}

TEST_F(BankSheet, TagNamesTheBankTheHandlerIsTold)
{
    setChannels(5);
    struct Case {
        const char *tag;
        int bank;
        Answer answer;
        int channelRows;
    };
    const Case cases[] = {
        {"Bank 0", 0, {0, 0}, 6},
        // Bank 1 starts after bank 0 and holds nothing in this model.
        {"Bank 1", 1, {1, 5}, 1},
        {"Bank", 0, {0, 0}, 6},
        {"Banks 1", 0, {0, 0}, 6},
        {"", 0, {0, 0}, 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tag);
        const auto sheet = build(c.tag);
        EXPECT_EQ(sheet->Bank(), c.bank);
        EXPECT_EQ(ask(kEvCurrentBank), c.answer);
        EXPECT_EQ(sheet->RowCount(), kHeadRows + c.channelRows);
    }
    const auto sheet = build("Bank 0");
    sheet->SetTag("Bank 1");
    EXPECT_EQ(sheet->Tag(), "Bank 1");
    EXPECT_EQ(ask(kEvCurrentBank), (Answer{1, 5}));
}

TEST_F(BankSheet, ColumnsThatDoNotApplyToTheBankAreOutOfReach)
{
    struct Case {
        const char *what;
        bool groupIdBank;
        std::vector<bool> hidden; // number, receive, transmit, name, group, block
        int firstSelectableCol;
    };
    const Case cases[] = {
        {"plain bank: no group columns", false, {false, false, false, false, true, true}, 1},
        {"group-ID bank: no frequencies", true, {false, true, true, false, false, true}, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        setChannels(2);
        records().setBankLtr(0, c.groupIdBank);
        const auto sheet = build();
        for (int col = 0; col < sheet->ColCount(); ++col) {
            SCOPED_TRACE(col);
            const bool hidden = c.hidden[static_cast<std::size_t>(col)];
            EXPECT_EQ(sheet->Surface().ColWidth(col) == 0, hidden);
            if (!hidden)
                continue;
            // Prepared rows included, so that added rows stay out of reach.
            for (int row = 0; row < sheet->SlotRows(); ++row)
                EXPECT_FALSE(sheet->IsSelectable(col, row)) << row;
        }
        EXPECT_TRUE(sheet->IsSelectable(kGroupCol, kHeadRows) == c.groupIdBank);
        EXPECT_EQ(sheet->FirstSelectable().col, c.firstSelectableCol);
    }
}

TEST_F(BankSheet, PrintsUnderTheChannelHeading)
{
    setChannels(1);
    const auto sheet = build();
    EXPECT_EQ(sheet->TitleText(), "Channel Print-out");
    // The style's own refusal stands.
    const auto refusing = build("Bank 0", false, "GI_Sheet_BankNoPrint");
    EXPECT_FALSE(refusing->CanPrint());
    EXPECT_EQ(refusing->RowCount(), 2);
}

// A loop with a count is the base sheet's: it does not follow the bank.
TEST_F(BankSheet, CountedLoopsAreTheBaseSheets)
{
    setChannels(7);
    const std::vector<std::string> lines = {"#GI_Sheet_Counted_Style",
                                            "",
                                            "#GI_Sheet_Counted_BasicCell",
                                            "{($Basic)(%CT_Mch.)}",
                                            "#GI_Sheet_Counted_Cells",
                                            ":(LoopFrom 3)",
                                            "{($Val)(%CL_Mch_FreqR[@ch0])(@ch0++)}R",
                                            ":(LoopTo)",
                                            "#",
                                            "#End_Of_Ovl"};
    cmcGTex texts;
    texts.SetItems(&lines);
    BankLayout sheet(texts, "[St_ChBank]GI_Sheet_Counted,Bank 0", nullptr, 0, 0);
    sheet.SetWidthsPersistent(false);
    sheet.Show();
    EXPECT_EQ(sheet.RowCount(), 3);
    EXPECT_EQ(sheet.FirstChannelRow(), -1);
}

} // namespace
