#pragma once

#include "cells/CellBinding.h"

#include <span>

// 2-tone: the 10 codes, each a receive part (the tones the radio listens
// for and what it does then) and a transmit part (the tones it sends), and
// the common 2-tone timers.
std::span<const CellBinding> twoToneBindings();
