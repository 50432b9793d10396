#pragma once

#include <string>

// Builds the sheet of a call text with the program's sheet engine in a child
// process, so that a fault of the text, which ends the program, only ends
// the child. Returns what the child reported on failure, empty on success.
std::string buildSheetInChild(const std::string &descriptor);
