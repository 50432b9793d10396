#include "sheets/ListSheetLayout.h"
#include "sheets/SheetModelFacts.h"

#include "BankSheetsFixture.h"

#include "cells/cmcCellCapsule.h"
#include "channels/ChannelOffsets.h"
#include "channels/MultiTableSelection.h"
#include "image/cmcEeprom.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using ListLayout = ListSheetLayout<SheetLayout>;

class ListSheet : public BankSheetsTest
{
protected:
    void TearDown() override
    {
        multiTableSelection().switchOff();
        BankSheetsTest::TearDown();
    }

    std::unique_ptr<ListLayout> build(const std::string &descriptor, bool printing = false,
                                      const cmcCellCapsule *origin = nullptr)
    {
        auto sheet = std::make_unique<ListLayout>(mainTextDatabase(), descriptor, origin, 0, 0);
        sheet->SetWidthsPersistent(false);
        if (printing)
            sheet->SetPrintMetrics({});
        sheet->Show();
        return sheet;
    }
    void setList(int kind, int count) { records().setListCount(kind, count); }
};

constexpr const char *kIdSheet = "GI_Sheet_Digital_Ind_Id,";

TEST_F(ListSheet, RowsFollowTheListTheTagNames)
{
    struct Case {
        const char *what;
        std::string tag;
        int kind;
        int entries;
        bool printing;
        int rows;
        bool lastRowAlone;
    };
    const Case cases[] = {
        {"individual IDs and a new one", "X", SheetModelFacts::kIndividualIdList, 4, false, 6,
         true},
        {"individual IDs on paper, with the printed line", "X", SheetModelFacts::kIndividualIdList,
         4, true, 6, false},
        {"an empty list still offers a new entry", "x", SheetModelFacts::kIndividualIdList, 0,
         false, 2, true},
        {"an empty list on paper has no rows", "X", SheetModelFacts::kIndividualIdList, 0, true, 2,
         false},
        {"talk groups", "Q", SheetModelFacts::kTalkGroupList, 3, false, 5, true},
        {"talk groups, other letter", "q", SheetModelFacts::kTalkGroupList, 2, false, 4, true},
        {"dPMR IDs", "D", SheetModelFacts::kCallList, 7, false, 9, true},
        {"dPMR IDs to choose from", "Z", SheetModelFacts::kCallList, 3, false, 4, true},
        {"the sixteen multi-table entries", "M", 0, 0, false, 17, false},
        {"a site table is empty in this model", "R S,2", 0, 0, false, 2, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.kind != 0)
            setList(c.kind, c.entries);
        const auto sheet = build(kIdSheet + c.tag, c.printing);
        ASSERT_EQ(sheet->RowCount(), c.rows);
        const int listRows = c.rows - sheet->LoopMark();
        EXPECT_EQ(indexes(*sheet, 0, sheet->LoopMark()), counting(0, listRows));
        std::vector<bool> expected(static_cast<std::size_t>(c.rows), true);
        expected.back() = !c.lastRowAlone;
        EXPECT_EQ(takingPart(*sheet), expected);
        ASSERT_EQ(sheet->SlotRows(), ListLayout::kPreparedRows);
        if (listRows > 0) {
            EXPECT_EQ(sheet->CellAt(0, ListLayout::kPreparedRows - 1).index,
                      ListLayout::kPreparedRows - 1 - sheet->LoopMark());
        }
    }
}

// The popups of the talk-group and call columns offer only the group or
// only the individual entries of the dPMR ID list.
TEST_F(ListSheet, DpmrEntriesOfOneKindToChooseFrom)
{
    cmcEeprom &image = *records().image;
    const std::uint32_t firstGroup = 0x90000000; // 9000000
    for (int i = 0; i < 4; ++i)
        image.SetByte(channel_offsets::kDpmrFirstGroupId + i,
                      static_cast<std::uint8_t>(firstGroup >> (24 - 8 * i)));
    const std::uint32_t identities[] = {0x12345670, 0x91000000, 0x20000000};
    setList(SheetModelFacts::kCallList, 3);
    datCh entry = records();
    for (int i = 0; i < 3; ++i) {
        entry.decode(datCh::kKindDpmrId, i);
        entry.Id = static_cast<std::int32_t>(identities[i]);
        entry.encode(datCh::kKindNone, i);
    }
    struct Case {
        const char *tag;
        int rows;
    } cases[] = {{"V", 3}, {"W", 2}, {"Z", 4}};
    for (const Case &c : cases) {
        const auto sheet = build(kIdSheet + std::string(c.tag));
        EXPECT_EQ(sheet->RowCount(), c.rows) << c.tag;
        EXPECT_FALSE(takingPart(*sheet).back()) << c.tag;
    }
}

TEST_F(ListSheet, GrowingListsFollowAddedAndRemovedEntries)
{
    setList(SheetModelFacts::kIndividualIdList, 2);
    const auto sheet = build(std::string(kIdSheet) + "X");
    ASSERT_EQ(sheet->RowCount(), 4);
    // Object 0 stands for one row, which carries the next entry.
    sendRows(kEvAppendRows, 0);
    ASSERT_EQ(sheet->RowCount(), 5);
    EXPECT_EQ(sheet->CellAt(0, 4).index, 3);
    EXPECT_EQ(takingPart(*sheet), (std::vector<bool>{true, true, true, true, false}));
    sendRows(kEvAppendRows, 3);
    EXPECT_EQ(sheet->RowCount(), 8);
    sendRows(kEvRemoveRows, 2);
    EXPECT_EQ(sheet->RowCount(), 6);
    EXPECT_FALSE(sheet->Slot(1, 5).multiSelect);
    // The head and the row for a new entry stay.
    sendRows(kEvRemoveRows, 50);
    EXPECT_EQ(sheet->RowCount(), 2);
}

// Rows above the list may count for themselves; the list starts at its
// first entry all the same.
TEST_F(ListSheet, EntriesCountFromTheListsFirstEntry)
{
    setList(SheetModelFacts::kIndividualIdList, 2);
    const auto sheet = build("GI_Sheet_HeadCounts,X");
    EXPECT_EQ(indexes(*sheet, 0, 1), counting(0, 3));
}

TEST_F(ListSheet, FixedListsKeepTheirRows)
{
    const auto sheet = build(std::string(kIdSheet) + "M");
    sendRows(kEvAppendRows, 1);
    sendRows(kEvRemoveRows, 1);
    EXPECT_EQ(sheet->RowCount(), 17);
}

TEST_F(ListSheet, TablesAndFirstEntriesAreToldToTheHandler)
{
    setChannels(3);
    cmcCellObj opener;
    opener.index = 7;
    cmcCellCapsule origin;
    origin.cell = &opener;
    cmcCellObj bankOne;
    bankOne.index = 1;
    cmcCellCapsule fromBankOne;
    fromBankOne.cell = &bankOne;
    struct Case {
        const char *what;
        std::string descriptor;
        const cmcCellCapsule *origin;
        Answer table;
        Answer bank;
        int rows;
    };
    const Case cases[] = {
        {"a site table names its table", "GI_Sheet_RptSetWin,R S,2", nullptr, {2, 0}, {0, 0}, 2},
        {"a list opened from a cell", "GI_Sheet_Picker,X", &origin, {7, 0}, {0, 0}, 2},
        {"the channels of bank 0", "GI_Sheet_Picker,C", nullptr, {0, 0}, {0, 0}, 4},
        // Bank 1 starts after bank 0's channels and holds none.
        {"the channels of bank 1", "GI_Sheet_Picker,C", &fromBankOne, {1, 0}, {0, 3}, 1},
        {"the banks that hold channels", "GI_Sheet_Picker,B", nullptr, {0, 0}, {0, 0}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const auto sheet = build(c.descriptor, false, c.origin);
        EXPECT_EQ(ask(kEvCurrentTable), c.table);
        EXPECT_EQ(ask(kEvCurrentBank), c.bank);
        EXPECT_EQ(sheet->RowCount(), c.rows);
    }
}

TEST_F(ListSheet, MultiTableTagsChooseTheSetTheTitleNames)
{
    struct Case {
        std::string tag;
        bool selected;
        int set;
        std::string title;
    };
    const Case cases[] = {
        {"M P,2", true, 2, "Multi-Table - 3"},
        {"M P,15", true, 15, "Multi-Table - 16"},
        {"M", false, 0, "Multi-Table - 1"},
        // A set beyond the sixteen would address memory past the tables.
        {"M P,16", false, 0, "Multi-Table - 1"},
        {"M P,-1", false, 0, "Multi-Table - 1"},
        {"M Q,2", false, 0, "Multi-Table - 1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tag);
        multiTableSelection().select(9);
        const auto sheet = build("GI_Sheet_MultipleTable," + c.tag);
        EXPECT_EQ(multiTableSelection().switchedOn != 0, c.selected);
        EXPECT_EQ(multiTableSelection().set(), c.set);
        EXPECT_EQ(sheet->TitleText(), c.title);
    }
}

TEST_F(ListSheet, TitlesGoByTheListsName)
{
    struct Case {
        std::string descriptor;
        std::string title;
    };
    const Case cases[] = {
        {"GI_Sheet_RptSetWin,R S,2", "Repeater (Site:  3)"},
        {"GI_Sheet_RptSetWin,R S,120", "Repeater (Site:121)"},
        {"GI_Sheet_Digital_Ind_Id,X", "Individual IDs"},
        {"GI_Sheet_Picker,X", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.descriptor);
        EXPECT_EQ(build(c.descriptor)->TitleText(), c.title);
    }
}

} // namespace
