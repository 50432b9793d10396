#pragma once

#include "cells/CellBinding.h"

#include <span>

// The multi-table: sixteen sets of sixteen rows, each row translating a
// decoded tone or code into the one to send. The sheet shows the selected
// set.
std::span<const CellBinding> multiTableBindings();
