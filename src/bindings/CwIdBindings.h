#pragma once

#include "cells/CellBinding.h"

#include <span>

// The CW identification (CL_CW_...): the Morse station identification a
// repeater sends on the channels that have CW ID on, kept in block 48.
std::span<const CellBinding> cwIdBindings();
