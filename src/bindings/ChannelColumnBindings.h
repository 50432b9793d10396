#pragma once

#include "cells/CellBinding.h"

#include <span>

// The columns of the memory channel sheets: which member of the channel
// record each label shows, with which codec and list, when it applies and
// which marks it sets.
std::span<const CellBinding> channelColumnBindings();
