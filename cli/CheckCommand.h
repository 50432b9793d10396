#pragma once

#include <string>
#include <vector>

// quillon-cli check [--file F] [--model-type N]: runs the warning check on
// the initial data of the model type or on a clone file, and prints each
// sheet that failed with "E" (errors) or "W" (warnings only), below it each
// marked cell as "sheet, row, column: text — reason". Exit 0 when nothing
// was found, 3 when only warnings were, 1 when any error was.
int runCheckCommand(const std::vector<std::string> &arguments);

// The lines that tell why the model's last warning check failed, for the
// check command and a refused write.
std::vector<std::string> describeWarningCheck();
