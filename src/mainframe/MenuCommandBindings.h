#pragma once

#include "cells/CellBinding.h"

#include <span>

// Menu and tool-bar commands (the CL_Menu_, CL_Model_ and CL_Help_ labels,
// the language menu, the language window's choice and list names,
// CallSheet): their state flags on every state request and their effect on
// Enter.
std::span<const CellBinding> menuCommandBindings();
