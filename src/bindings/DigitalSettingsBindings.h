#pragma once

#include "cells/CellBinding.h"

#include <span>

// The common digital settings of the LMR model: the radio's own unit ID and
// its configuration, individual and group calls, status and short data,
// call alert, the remote commands (radio check, stun, kill, revive, remote
// monitor), position, trunking, talk-back, the call log and the protocol's
// expert timing values.
std::span<const CellBinding> digitalSettingsBindings();
