#pragma once

#include "cells/CellBinding.h"

#include <span>

// The digital lists of the LMR model: individual IDs and talk groups with
// their duplicate marks and new entries, NAC channels, status messages with
// their actions, encryption keys and short data messages.
std::span<const CellBinding> digitalListBindings();
