#pragma once

#include "cells/CellFont.h"

#include <string_view>

// Applies the seven comma-separated font fields of a description's "Font="
// property (or a sheet's title font) to a font: character set, face, colour,
// height, size, style, pitch. Missing trailing fields, empty fields and
// names that are not known leave the attribute as it was.
void applyFontFields(CellFont &font, std::string_view fields);

// The value of one of the 19 character set names, e.g. "SHIFTJIS_CHARSET";
// blanks may surround the name. False for anything else.
bool findCharsetName(std::string_view field, std::int32_t &charset);
