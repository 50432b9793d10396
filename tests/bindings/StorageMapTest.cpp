// The storage map of every label family: each row that keeps its value in
// the working image stays inside one parameter block, and no two rows write
// the same bits unless they say they mean to. The check itself is tried on
// small tables first, so that a sound map of the program proves something.
#include "StorageMapCheck.h"

#include "bindings/LabelFamilies.h"
#include "cells/CellLabels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using parameter_blocks::Block;
using parameter_blocks::InitialFill;
using parameter_blocks::Written;

// A single block of 8 bytes at 0x100 and, right after it, three records of
// 4 bytes.
const Block kBlocks[] = {
    {1, 0x100, 8, 0, Written::Always, InitialFill::Single, 8},
    {2, 0x108, 4, 3, Written::Always, InitialFill::Records, 0},
};

CellBinding at(std::int32_t label, CellStorage storage, std::uint32_t flags = 0)
{
    return {.label = label, .storage = storage, .flags = flags};
}

std::string joined(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    return text;
}

std::vector<std::string> faultsOf(const std::vector<CellBinding> &rows)
{
    std::vector<const CellBinding *> pointers;
    for (const CellBinding &row : rows)
        pointers.push_back(&row);
    return storageMapFaults(pointers, kBlocks);
}

TEST(StorageMapCheck, FindsRowsOutsideABlockAndBitsWrittenTwice)
{
    const CellBinding run{.label = Flex0,
                          .lastLabel = Flex2,
                          .storage = CellStorage::imageByte(0x100).stepPerLabel(1)};
    CellBinding withContext = at(Flex1, CellStorage::imageBits(0x101, 0, 4));
    withContext.context = CellStorage::imageBits(0x101, 0, 8);
    CellBinding contextOutside = at(Flex1, CellStorage::imageBits(0x101, 0, 4));
    contextOutside.context = CellStorage::imageByte(0x300);

    struct Case {
        const char *what;
        std::vector<CellBinding> rows;
        std::vector<std::string> faults;
    } cases[] = {
        {"two fields of one byte",
         {at(Flex0, CellStorage::imageBits(0x100, 4, 4)),
          at(Flex1, CellStorage::imageBits(0x100, 0, 4))},
         {}},
        {"a field over another's bits",
         {at(Flex0, CellStorage::imageBits(0x100, 4, 4)),
          at(Flex1, CellStorage::imageBits(0x100, 0, 6))},
         {"Flex0 and Flex1 both write 0x00100 bits 5-4 (mark one CellBinding::kSharedBits if "
          "they show one setting)"}},
        {"two labels of one setting",
         {at(Flex0, CellStorage::imageBits(0x100, 4, 4)),
          at(Flex1, CellStorage::imageBits(0x100, 4, 4), CellBinding::kSharedBits)},
         {}},
        {"every byte two rows share is named",
         {at(Flex0, CellStorage::imageBits(0x102, 4, 12)),
          at(Flex1, CellStorage::imageBytes(0x101, 3))},
         {"Flex0 and Flex1 both write 0x00102 all bits, 0x00103 bits 7-4 (mark one "
          "CellBinding::kSharedBits if they show one setting)"}},
        {"a wide field across two blocks",
         {at(Flex0, CellStorage::imageBits(0x107, 0, 16))},
         {"Flex0: bytes 0x00107..0x00108 lie in no one parameter block (they start in block "
          "1)"}},
        {"outside every block",
         {at(Flex0, CellStorage::imageByte(0x200))},
         {"Flex0: bytes 0x00200..0x00200 lie in no one parameter block (the first lies in "
          "none)"}},
        {"one index a record", {at(Flex0, CellStorage::imageByte(0x109, 4))}, {}},
        {"indexes beyond the block",
         {at(Flex0, CellStorage::imageByte(0x100, 2).forIndexes(5))},
         {"Flex0: bytes 0x00100..0x00108 lie in no one parameter block (they start in block "
          "1)"}},
        {"a stride with no count",
         {at(Flex0, CellStorage::imageByte(0x100, 1))},
         {"Flex0: steps 1 bytes per index from 0x00100 but names no index count "
          "(CellStorage::forIndexes) and steps through no records of that size"}},
        {"indexes of two rows meet",
         {at(Flex0, CellStorage::imageByte(0x108, 4)),
          at(Flex1, CellStorage::imageBits(0x110, 0, 1))},
         {"Flex0 and Flex1 both write 0x00110 bit 0 (mark one CellBinding::kSharedBits if "
          "they show one setting)"}},
        {"the labels of a run",
         {run, at(Flex0 + 10, CellStorage::imageByte(0x102))},
         {"Flex0..Flex2 and " + std::string(kCellLabelNames[Flex0 + 10]) +
          " both write 0x00102 all bits (mark one CellBinding::kSharedBits if they show one "
          "setting)"}},
        {"a context is only read", {withContext}, {}},
        {"a context outside every block",
         {contextOutside},
         {"Flex1 (context): bytes 0x00300..0x00300 lie in no one parameter block (the first "
          "lies in none)"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(joined(faultsOf(c.rows)), joined(c.faults)) << c.what;
}

// The tables of every label family, as the program registers them.
TEST(StorageMap, EveryFamilyKeepsToItsBlocksAndToItsOwnBits)
{
    CellBindingRegistry registry;
    addLabelFamilies(registry);
    const std::vector<const CellBinding *> rows = registryRows(registry);
    ASSERT_FALSE(rows.empty());
    const std::vector<std::string> faults = storageMapFaults(rows, parameter_blocks::all());
    EXPECT_TRUE(faults.empty()) << joined(faults);
}

} // namespace
