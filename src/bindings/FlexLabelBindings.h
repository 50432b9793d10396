#pragma once

#include "cells/CellBinding.h"

#include <span>

// The general-purpose labels of selection lists: static entries that show
// their own text, and the running numbers of list entries.
std::span<const CellBinding> flexLabelBindings();
