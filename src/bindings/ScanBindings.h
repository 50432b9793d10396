#pragma once

#include "cells/CellBinding.h"

#include <span>

// The scan settings: the common scan timers, vote levels and options, the
// priority channels A and B, and the 16 scan lists with their channels and
// members.
std::span<const CellBinding> scanBindings();
