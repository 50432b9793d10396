#pragma once

#include "cells/CellHandler.h"

class indMain;

#include <string>
#include <vector>

// quillon-cli sheet DESCRIPTOR [--file F] [--model-type N] [--lang N]:
// builds the sheet as the desktop program would, on the initial data of the
// model type or on a clone file, and prints one line per grid row with the
// cells' texts separated by TAB; a cell with an error or warning mark ends
// in "!E" or "!W". `arguments` are those after the command word.
int runSheetCommand(const std::vector<std::string> &arguments);

// The same with a given cell handler.
int runSheetCommandWith(const std::vector<std::string> &arguments, cmcCellHandler handler);

// Exit codes of a clone file that cannot be read: this plus its error code.
inline constexpr int kFileErrorExitBase = 100;

// Opens the clone file in the model as the desktop program would; 0, or
// the command's exit code after telling why on standard error.
int loadCloneFile(indMain &model, const std::string &path);
