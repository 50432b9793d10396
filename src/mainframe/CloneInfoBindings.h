#pragma once

#include "cells/CellBinding.h"

#include <span>

// The clone information sheet (CL_CloneInfo_...): what the radio reported
// in its last ID reply, read from the main frame's clone information area.
// The cells only show; nothing is written back.
std::span<const CellBinding> cloneInfoBindings();
