#pragma once

#include <cstdint>

class CellHost;

// Which nodes of the tree a document shows. Nodes that only some radios or
// modes show carry one of these user flags on their cell; the desktop tree
// and the command line leave out the same ones.
namespace TreeNodeFilter {

enum Flag : int {
    kMakerNodes = 0,
    kAdjustNodes = 1,
    kPmrNodes = 2,
    kLmrNodes = 3,
    kOptionNodes = 4,
};

// This model keeps its channels in one bank.
constexpr int kBankCount = 1;

// The user flags (bit n for flag n) whose nodes are left out.
std::uint32_t HiddenFlags(int modelType, bool makerMode, bool optionNodes);
// The same for a document: its model type, the maker mode and the radio's
// option bit.
std::uint32_t HiddenFlags(CellHost &document);

} // namespace TreeNodeFilter
