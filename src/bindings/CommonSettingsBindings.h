#pragma once

#include "cells/CellBinding.h"

#include <span>

// The radio-wide settings of the common settings sheets (CL_Comm_...,
// CL_Common_...): where each one lives in the working image, the codec that
// shows and changes it, and the few rules that tie settings together.
std::span<const CellBinding> commonSettingsBindings();
