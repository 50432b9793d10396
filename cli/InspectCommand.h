#pragma once

#include <string>
#include <vector>

// quillon-cli inspect FILE.vrc: reads a clone file as the program opens one
// and prints what it found. Exit 0, 2 for wrong arguments, or 100 + the
// file error code.
int runInspectCommand(const std::vector<std::string> &arguments);
