#include "cells/cmcCellCapsule.h"
#include "cells/CellIdentifiers.h"
#include "cells/cmcCellObj.h"

#include <gtest/gtest.h>

namespace {

cmcCellObj cellOf(std::int32_t category, std::int32_t label, std::int32_t index)
{
    cmcCellObj cell;
    cell.category = category;
    cell.label = label;
    cell.index = index;
    return cell;
}

TEST(cmcCellCapsule, ResetClearsEveryFieldAndCopyKeepsThem)
{
    cmcCellObj cell;
    cmcCellCapsule origin;
    int context = 0;
    cmcCellCapsule capsule;
    capsule.origin = &origin;
    capsule.bank = 2;
    capsule.cell = &cell;
    capsule.code = 13;
    capsule.command = CL_PMenu_Copy;
    capsule.inputText = "145.5";
    capsule.outputText = "out";
    capsule.stateBits = cmcCellCapsule::kStateCurrent | cmcCellCapsule::kStateError;
    capsule.inputMode = cmcCellCapsule::kInputText;
    capsule.jumpLabel = CL_Mch_FreqR;
    capsule.rangeBits = cmcCellCapsule::kRangeActive;
    capsule.rangeHigh = 9;
    capsule.redraw.context = &context;
    capsule.redraw.function = [](void *c, const cmcCellCapsule &, std::uint32_t mask) {
        *static_cast<int *>(c) = static_cast<int>(mask);
    };

    const cmcCellCapsule copy = capsule;
    EXPECT_EQ(copy.origin, &origin);
    EXPECT_EQ(copy.inputText, "145.5");
    EXPECT_EQ(copy.outputText, "out");
    EXPECT_EQ(copy.stateBits, 0x09);
    EXPECT_EQ(copy.rangeHigh, 9);
    copy.redraw(copy, 0x20);
    EXPECT_EQ(context, 0x20);

    capsule.Reset();
    EXPECT_EQ(capsule.origin, nullptr);
    EXPECT_EQ(capsule.cell, nullptr);
    EXPECT_EQ(capsule.bank, 0);
    EXPECT_EQ(capsule.code, 0);
    EXPECT_EQ(capsule.command, 0);
    EXPECT_TRUE(capsule.inputText.empty() && capsule.outputText.empty());
    EXPECT_EQ(capsule.stateBits, 0);
    EXPECT_EQ(capsule.inputMode, 0u);
    EXPECT_EQ(capsule.jumpLabel, 0);
    EXPECT_EQ(capsule.rangeBits, 0);
    EXPECT_EQ(capsule.rangeHigh, 0);
    EXPECT_FALSE(capsule.redraw.bound() || capsule.editor.bound());
    capsule.redraw(capsule, 1); // unbound: nothing happens
    capsule.editor(capsule, false);
    EXPECT_EQ(copy.inputText, "145.5");
}

TEST(cmcCellCapsule, RedrawMaskSelectsCellsByIdentity)
{
    using C = cmcCellCapsule;
    const cmcCellObj addressed = cellOf(CT_Mch, CL_Mch_FreqR, 5);
    const cmcCellObj noCategory = cellOf(kNoCategory, CL_Comm_UserPassword, 5);
    struct Case {
        const char *what;
        std::uint32_t mask;
        const cmcCellObj *capsuleCell;
        cmcCellObj cell;
        bool redrawn;
    } cases[] = {
        {"itself", C::kRedrawSameCell, &addressed, cellOf(CT_Mch, CL_Mch_FreqR, 5), true},
        {"same label, other row", C::kRedrawSameCell, &addressed, cellOf(CT_Mch, CL_Mch_FreqR, 6),
         false},
        {"other label, same row", C::kRedrawSameCell, &addressed, cellOf(CT_Mch, CL_Mch_FreqT, 5),
         false},
        {"category", C::kRedrawSameCategory, &addressed, cellOf(CT_Mch, kNoLabel, 0), true},
        {"other category", C::kRedrawSameCategory, &addressed, cellOf(CT_Scan, CL_Mch_FreqR, 5),
         false},
        {"label", C::kRedrawSameLabel, &addressed, cellOf(CT_Scan, CL_Mch_FreqR, 1), true},
        {"row", C::kRedrawSameIndex, &addressed, cellOf(CT_Scan, CL_Mch_FreqT, 5), true},
        {"row, no label", C::kRedrawSameIndex, &addressed, cellOf(CT_Mch, kNoLabel, 5), false},
        {"row of no category", C::kRedrawSameIndex, &noCategory, cellOf(CT_Mch, CL_Mch_FreqT, 5),
         false},
        {"neighbour below", C::kRedrawNeighbours, &addressed, cellOf(CT_Mch, CL_Mch_Text, 6), true},
        {"neighbour above", C::kRedrawNeighbours, &addressed, cellOf(CT_Mch, CL_Mch_Text, 4), true},
        {"two rows away", C::kRedrawNeighbours, &addressed, cellOf(CT_Mch, CL_Mch_Text, 7), false},
        {"neighbour, no label", C::kRedrawNeighbours, &addressed, cellOf(CT_Mch, kNoLabel, 5),
         false},
        {"neighbour, other category", C::kRedrawNeighbours, &addressed,
         cellOf(CT_Scan, CL_Mch_Text, 5), false},
        {"labelled", C::kRedrawLabelled, &addressed, cellOf(kNoCategory, CL_Null, 0), true},
        {"unlabelled", C::kRedrawLabelled, &addressed, cellOf(CT_Mch, kNoLabel, 5), false},
        {"from index, above", C::kRedrawFromIndex, &addressed, cellOf(CT_Scan, CL_Null, 9), true},
        {"from index, equal", C::kRedrawFromIndex, &addressed, cellOf(CT_Scan, CL_Null, 5), true},
        {"from index, below", C::kRedrawFromIndex, &addressed, cellOf(CT_Scan, CL_Null, 4), false},
        {"from index, no label", C::kRedrawFromIndex, &addressed, cellOf(CT_Mch, kNoLabel, 9),
         false},
        {"up to index, below", C::kRedrawUpToIndex, &addressed, cellOf(CT_Scan, CL_Null, -3), true},
        {"up to index, above", C::kRedrawUpToIndex, &addressed, cellOf(CT_Scan, CL_Null, 6), false},
        {"up to index, no category", C::kRedrawUpToIndex, &noCategory, cellOf(CT_Scan, CL_Null, 0),
         false},
        {"any bit of several", C::kRedrawSameLabel | C::kRedrawSameIndex, &addressed,
         cellOf(CT_Scan, CL_Mch_Text, 5), true},
        {"empty mask", 0, &addressed, cellOf(CT_Mch, CL_Mch_FreqR, 5), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(C::RedrawMatches(c.mask, *c.capsuleCell, c.cell), c.redrawn) << c.what;
}

} // namespace
