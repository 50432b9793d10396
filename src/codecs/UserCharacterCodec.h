#pragma once

#include "cells/CellCodec.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The 16 user characters of the display (codes 16..31). A glyph is 24
// bytes: bytes 0..5 the six columns of the small glyph (bit r = row r from
// the top), bytes 6..23 the six columns of the large glyph, three bytes a
// column, least significant first (bit r of the 24-bit column = row r).

inline constexpr int kGlyphColumns = 6;
inline constexpr int kSmallGlyphRows = 8;
inline constexpr int kLargeGlyphRows = 17;
inline constexpr int kFirstUserCharacter = 16;
inline constexpr int kUserCharacters = 16;

// The cell of user character `index` (the cell's index, 0..15). Its value
// is the 24-byte glyph (CellStorage::recordBytes<&datCh::Glyph24>()); the
// request's context is the display font, not 0 for the small one. A draw
// answers the character framed in the display font (on paper in the size the
// print mode asks for, if any); Enter opens the cell editor with the glyph's
// dots of the current font; the editor's answer, the edited dots, rebuilds
// that part of the glyph.
CellCodec editUserChar();

// The dots of the glyph part of one font size as '0'/'1', row by row from
// the top and column by column within a row.
std::string glyphDots(std::span<const std::uint8_t> glyph, bool smallFont);
// Clears the glyph part of one font size and sets the dots of `dots`
// (anything but '1' is a clear dot; dots past the part's rows are left out).
void setGlyphDots(std::span<std::uint8_t> glyph, std::string_view dots, bool smallFont);
