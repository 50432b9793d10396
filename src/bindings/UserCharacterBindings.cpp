#include "bindings/UserCharacterBindings.h"

#include "cells/CellLabels.h"
#include "channels/DisplayFont.h"
#include "channels/datCh.h"
#include "codecs/UserCharacterCodec.h"

// The glyphs live in the kind 3 records (0x10F53 + 24 i and 0x110D3 + 49 i);
// the editor changes the 24-byte form only, the 49-byte form of 7-column
// displays stays as the radio sent it. The font size (bit 2 of 0x10E98, set
// for the small font) decides which part of the glyph the editor works on.

namespace {

constexpr int kSmallFontBit = 2;

const CellBinding kRows[] = {
    {.label = CL_CEdit,
     .storage = CellStorage::recordBytes<&datCh::Glyph24>(),
     .codec = editUserChar(),
     .context = CellStorage::imageBits(DisplayFont::kSizeAddress, kSmallFontBit, 1)},
};

} // namespace

std::span<const CellBinding> userCharacterBindings() { return kRows; }
