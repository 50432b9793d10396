#pragma once

#include <string>
#include <vector>

// quillon-cli set FILE.vrc LABEL[INDEX]=TEXT ... [-o OUT.vrc]: types each
// TEXT into its cell as a user would (the typed text, or for a cell that
// offers a list the text of one of its entries), in order, then saves the
// file (or OUT.vrc). A wrong command line exits 2; an assignment the cell
// does not take (an unknown label, a cell no sheet shows, a cell that cannot
// be typed into, a refused text) exits 1, and nothing is saved either way.
int runSetCommand(const std::vector<std::string> &arguments);
