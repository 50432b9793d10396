#pragma once

#include "cells/CellBinding.h"

#include <span>

// Keys and display (CL_KDisp_...): what the programmable keys, the dial and
// the hanger do, the display, the LEDs and the power switch.
std::span<const CellBinding> keyDisplayBindings();
