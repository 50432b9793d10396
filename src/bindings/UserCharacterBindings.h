#pragma once

#include "cells/CellBinding.h"

#include <span>

// The 16 user characters of the display (CL_CEdit, record kind 3): each
// cell draws its glyph and opens the character editor on Enter.
std::span<const CellBinding> userCharacterBindings();
