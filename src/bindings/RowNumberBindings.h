#pragma once

#include "cells/CellBinding.h"

#include <span>

// Channel row numbers ("bank-position") and the separators of the CL_Misc
// family.
std::span<const CellBinding> rowNumberBindings();
