#pragma once

#include "cells/CellBinding.h"

#include <span>

// The accessory connector (CL_ExtPort_...): the nine port lines with their
// direction, logic and function, the analogue input and output, and the
// channel switch table that the channel select lines index.
std::span<const CellBinding> externalPortBindings();
