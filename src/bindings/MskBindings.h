#pragma once

#include "cells/CellBinding.h"

#include <span>

// MSK signalling: the address plan with its ranges, the ID groups, the call
// list, the status messages and short texts, the configuration and the
// protocol's timers and counts.
std::span<const CellBinding> mskBindings();
