#pragma once

#include <string>
#include <vector>

// quillon-cli labels: prints every cell label name in identifier order, one
// per line. `arguments` are those after the command word.
int runLabelsCommand(const std::vector<std::string> &arguments);
