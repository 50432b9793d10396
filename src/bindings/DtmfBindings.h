#pragma once

#include "cells/CellBinding.h"

#include <span>

// DTMF: the 11 DTMF memories (10 codes to send and the radio's own ID
// code), the 10 decode entries with what the radio does on each, and the
// common DTMF timing and options.
std::span<const CellBinding> dtmfBindings();
