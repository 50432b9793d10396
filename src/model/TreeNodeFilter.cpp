#include "model/TreeNodeFilter.h"

#include "cells/CellHost.h"
#include "image/cmcEeprom.h"

namespace TreeNodeFilter {

namespace {

constexpr std::int32_t kOptionFlags = 0x10E97;
constexpr std::uint8_t kOptionNodesFlag = 0x10;

constexpr std::uint32_t bit(Flag flag) { return 1u << flag; }

} // namespace

std::uint32_t HiddenFlags(int modelType, bool makerMode, bool optionNodes)
{
    // The adjustment nodes are never part of the editing tree.
    std::uint32_t hidden = bit(kAdjustNodes);
    if (!makerMode)
        hidden |= bit(kMakerNodes);
    if (modelType != 0)
        hidden |= bit(kLmrNodes);
    if (modelType != 1)
        hidden |= bit(kPmrNodes);
    if (!optionNodes)
        hidden |= bit(kOptionNodes);
    return hidden;
}

std::uint32_t HiddenFlags(CellHost &document)
{
    const int modelType = document.ModelType();
    const bool optionNodes =
        (modelType == 0 || modelType == 1) &&
        (document.WorkingImage().GetByte(kOptionFlags) & kOptionNodesFlag) != 0;
    return HiddenFlags(modelType, document.MakerMode(), optionNodes);
}

} // namespace TreeNodeFilter
