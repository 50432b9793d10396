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
// A setting other cells' look follows: a change redraws every labelled cell.
CellBinding redrawsAll(CellBinding row);
