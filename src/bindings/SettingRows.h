#pragma once

#include "cells/CellBinding.h"

#include <cstdint>

// Rows of the radio-wide settings that choose from an option list stored in
// a bit field of the working image: `width` bits from `lowestBit` of the
// byte at `at`, the list's entries labelled Flex0.
CellBinding imageOption(std::int32_t label, std::int32_t at, int lowestBit, int width,
                        const char *list);
// The same for one bit, Off or On.
CellBinding imageOnOff(std::int32_t label, std::int32_t at, int bit);
// A time (or a number) kept in one byte, shown by `codec`.
CellBinding imageTimer(std::int32_t label, std::int32_t at, CellCodec codec);
// Times kept in one byte: 1/10, 1/100 or whole seconds up to 255 units;
// with `offText` (a text key) 0 is shown and typed as that text.
CellBinding imageTenthSeconds(std::int32_t label, std::int32_t at);
CellBinding imageHundredthSeconds(std::int32_t label, std::int32_t at);
CellBinding imageSeconds(std::int32_t label, std::int32_t at, const char *offText);
// A setting other cells' look follows: a change redraws every labelled cell.
CellBinding redrawsAll(CellBinding row);
