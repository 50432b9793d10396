#pragma once

#include "cells/CellBinding.h"

#include <span>

// The radio's set mode (CL_SetM_...): the adjustments a technician makes on
// the radio itself, kept in block 6; and the user set mode (CL_USetM_...):
// which of those items a user may reach, kept in block 48.
std::span<const CellBinding> setModeBindings();
std::span<const CellBinding> userSetModeBindings();
