#pragma once

#include "cells/CellBinding.h"

#include <span>

// The tone tables: the 15 user tones with their common timing, and the 40
// CTCSS/DTCS tone pairs with their selection bits.
std::span<const CellBinding> toneTableBindings();
