// The record codec keeps its own list of places; the layout conversion's
// block table is where they come from. This holds the two together.
#include "channels/ChannelOffsets.h"
#include "image/ParameterBlockTable.h"

#include <gtest/gtest.h>

namespace {

using namespace channel_offsets;

struct BlockRows {
    int32_t offset;
    int block;
    // Row size and rows the codec uses; 0 for a place inside a single block.
    int32_t rowSize;
    int rows;
};

const BlockRows kBlockRows[] = {
    {kChannelMain, 2, kChannelMainSize, kChannels},
    {kChannelExtra, 3, kChannelExtraSize, kChannels},
    {kPriorityA, 7, 0, 0},
    {kGlyph24, 10, 24, 16},
    {kGlyph49, 11, 49, 16},
    {kUserToneEncode, 12, 0, 0},
    {kBankName, 13, 12, 1},
    {kToneList, 14, 4, 40},
    {kScanBitmaps, 15, 4, 17},
    {kScanList, 16, 34, 17},
    {kDtmfMemory, 17, 37, 11},
    {kTxCode, 18, 4, 32},
    {kTxCodeText, 19, 14, 32},
    {kRxCode, 20, 44, 11},
    {kMskCallAdr, 27, 4, 32},
    {kMskCallText, 28, 14, 32},
    {kMskIdGroup, 29, 42, 8},
    {kMskStatusTx, 30, 16, 24},
    {kMskStatusRx, 31, 16, 24},
    {kMskShortText, 32, 12, 8},
    {kMskShortTextSel, 33, 2, 8},
    {kDigInd, 34, 16, kListCapacity},
    {kDigTg, 35, 14, kListCapacity},
    {kDigNacCh, 36, 4, 40},
    {kDtmfDecode, 40, kDtmfDecodeSize, kDtmfDecodeRows},
    {kDigStatusTx, 42, 16, 100},
    {kDigStatusRx, 43, 16, 100},
    {kChSwitchTable, 44, 0, 0},
    {kMultiTable, 49, 96, 16},
    {kDigKey, 51, 2, 63},
    {kDigSdm, 56, 12, 10},
    {kDigSdmSel, 57, 2, 10},
    {kDpmrId, 69, 18, kListCapacity},
    {kDpmrStatusTx, 72, 16, 32},
    {kDpmrStatusRx, 73, 17, 32},
    {kDpmrSdm, 76, 100, 10},
    {kDpmrSdmSel, 77, 2, 10},
    {kDpmrKey, 79, 2, 32},
};

TEST(ChannelOffsets, ListsStartWhereTheirBlocksAreAndFitInThem)
{
    for (const BlockRows &row : kBlockRows) {
        SCOPED_TRACE(row.block);
        const parameter_blocks::Block *block = parameter_blocks::find(row.block);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block->offset, row.offset);
        if (row.rowSize == 0)
            continue;
        EXPECT_GE(block->workingLength(), row.rowSize * row.rows);
        if (!block->isSingle()) {
            EXPECT_EQ(block->recordSize, row.rowSize);
        }
    }
}

TEST(ChannelOffsets, PlacesInsideBlocksLieWithinThem)
{
    struct Inside {
        int32_t offset;
        int32_t length;
        int block;
    };
    const Inside places[] = {
        {kPriorityB, 2, 7},         {kBankSmarTrunk, 1, 8},    {kChannelE, 2, 8},
        {kChannelEActive, 1, 8},    {kBankCounts, 2, 8},       {kBankLtr, 1, 8},
        {kToneListSel, 5, 8},       {kDigNacChSel, 5, 8},      {kGroupCode, 1, 8},
        {kUserToneDecode, 60, 12},  {kTwoTonePeriod, 22, 12},  {kTwoToneRxFreq + 8, 80, 12},
        {kDigIndEntryWord, 2, 59},  {kDpmrIdEntryWord, 2, 75}, {kDpmrIdEntryWord2, 2, 81},
        {kDpmrIdEntryWord3, 2, 81},
    };
    for (const Inside &place : places) {
        SCOPED_TRACE(::testing::Message() << "0x" << std::hex << place.offset);
        const parameter_blocks::Block *block = parameter_blocks::find(place.block);
        ASSERT_NE(block, nullptr);
        EXPECT_GE(place.offset, block->offset);
        EXPECT_LE(place.offset + place.length, block->offset + block->workingLength());
    }
}

TEST(ChannelOffsets, ListCountsAreTheConversionsRecordsInUseWords)
{
    EXPECT_EQ(parameter_blocks::recordsInUseWord(34), kDigIndCount);
    EXPECT_EQ(parameter_blocks::recordsInUseWord(35), kDigTgCount);
    EXPECT_EQ(parameter_blocks::recordsInUseWord(69), kDpmrIdCount);
}

} // namespace
