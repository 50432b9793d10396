#pragma once

// quillon-cli labels: prints every cell label name in identifier order, one
// per line. `argc`/`argv` are the arguments after the command word.
int runLabelsCommand(int argc, char **argv);
