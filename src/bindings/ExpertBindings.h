#pragma once

#include "cells/CellBinding.h"

#include <span>

// Expert settings (CL_Exp_...): tones, timers and accessory behaviour a
// technician sets once for an installation.
std::span<const CellBinding> expertBindings();
