// The multi-table: a row's type decides whether its two entries are tones
// or codes, switching the type back brings the earlier values back, and the
// rows read and write the set the sheet selected.
#include "CellRequests.h"
#include "SettingCellsFixture.h"

#include "cells/CellIdentifiers.h"
#include "channels/MultiTableSelection.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::int32_t kTables = 0x1A78B;
constexpr std::int32_t kSetSize = 96;

constexpr std::int32_t rowAt(int set, int row) { return kTables + kSetSize * set + 6 * row; }

class MultiTable : public SettingCells
{
protected:
    ~MultiTable() override { multiTableSelection().switchOff(); }

    ShownCell cell(std::int32_t label, int row) { return drawCell(CT_MultiTable, label, row); }
    void typeInto(std::int32_t label, int row, const std::string &text)
    {
        typeIntoCell(CT_MultiTable, label, row, text);
    }
};

TEST_F(MultiTable, TheRowTypeChoosesToneOrCodeAndComesBack)
{
    setBytes(rowAt(0, 4), std::string("\x80\x00\x05\x80\x00\x07", 6));
    EXPECT_EQ(cell(CL_MultiTable_Type, 4).text, "Code");
    EXPECT_EQ(cell(CL_MultiTable_Decode, 4).text, "5");
    EXPECT_EQ(cell(CL_MultiTable_Encode, 4).text, "7");

    typeInto(CL_MultiTable_Encode, 4, "300");
    EXPECT_EQ(byteAt(rowAt(0, 4) + 5), 255) << "a code is one byte";

    answerCell(CT_MultiTable, CL_MultiTable_Type, 4, Flex0, 0);
    EXPECT_EQ(byteAt(rowAt(0, 4)) & 0x80, 0);
    EXPECT_EQ(byteAt(rowAt(0, 4) + 3) & 0x80, 0) << "both entries change their type";
    typeInto(CL_MultiTable_Decode, 4, "023N");
    EXPECT_EQ(cell(CL_MultiTable_Decode, 4).text, "023N");

    answerCell(CT_MultiTable, CL_MultiTable_Type, 4, Flex0, 1);
    EXPECT_EQ(cell(CL_MultiTable_Decode, 4).text, "5") << "the code comes back";
    EXPECT_EQ(cell(CL_MultiTable_Encode, 4).text, "255");
    answerCell(CT_MultiTable, CL_MultiTable_Type, 4, Flex0, 0);
    EXPECT_EQ(cell(CL_MultiTable_Decode, 4).text, "023N") << "and so does the tone";
}

TEST_F(MultiTable, RowsBelongToTheSelectedSet)
{
    multiTableSelection().select(2);
    EXPECT_EQ(cell(CL_MultiTable_BlockNo, 0).text, "3 (No Edit)");
    answerCell(CT_MultiTable, CL_MultiTable_Type, 15, Flex0, 1);
    typeInto(CL_MultiTable_Decode, 15, "42");
    EXPECT_EQ(byteAt(rowAt(2, 15) + 2), 42);
    EXPECT_EQ(byteAt(rowAt(0, 15)) & 0x80, 0) << "set 1 is untouched";

    multiTableSelection().switchOff();
    EXPECT_EQ(cell(CL_MultiTable_BlockNo, 0).text, "1 (No Edit)");
    EXPECT_EQ(cell(CL_MultiTable_Type, 15).text, "CTCSS/DTCS");
}

} // namespace
