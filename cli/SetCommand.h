#pragma once

#include <string>
#include <vector>

// quillon-cli set FILE.vrc LABEL[INDEX]=TEXT ... [-o OUT.vrc]: types each
// TEXT into its cell as a user would (the typed text, or for a cell that
// offers a list the text of one of its entries), in order, then saves the
// file (or OUT.vrc). A label that is unknown, an index out of range or a
// text the cell does not take stops it before anything is written (exit 2).
int runSetCommand(const std::vector<std::string> &arguments);
