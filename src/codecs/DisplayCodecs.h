#pragma once

#include "cells/CellCodec.h"

#include <cstdint>

// Codecs of cells that only show something and never change a value.

// The cell's own text, as its sheet wrote it (entries of selection lists).
CellCodec cellText();

// The value plus `offset`, right-aligned in `width` characters (the running
// numbers of list entries).
CellCodec entryNumber(std::int32_t offset, std::int32_t width);
