#pragma once

#include "cells/CellBinding.h"

#include <span>

// 5-tone: the 8 receive codes with what the radio does on each, the 32
// transmit codes, the group tone that stands for any digit and the common
// receive and transmit timing.
std::span<const CellBinding> fiveToneBindings();
