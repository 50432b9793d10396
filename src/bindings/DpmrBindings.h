#pragma once

#include "cells/CellBinding.h"

#include <span>

// dPMR: the ID list with its individual and group views, the identity
// ranges, the status messages, short data messages and encryption keys, and
// the common dPMR settings (calls, display texts, options, configuration and
// the expert values) of the PMR model.
std::span<const CellBinding> dpmrBindings();
