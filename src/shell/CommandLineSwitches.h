#pragma once

#include <string>
#include <vector>

class indMain;

// The desktop program's switches: "/lantern" (maker mode) and "/factory_adj"
// (factory adjustment mode). Every argument, the program path included, is
// compared whole and without regard to case; the maker mode is always asked
// for first, whatever the order on the command line. Anything else on the
// command line is a clone file to open, which the entry point takes.
void processCommandLineSwitches(const std::vector<std::string> &arguments, indMain &model);
