#pragma once

#include <string>

// Builds the sheet of a call text as the program would, with the sheet
// engine and the model cell handler on a model object made from the
// overlays in `dataDir` for the language, and asks every cell for its text.
// It all runs in a child process, so a fault of the text, which ends the
// program, only ends the child. Returns what the child reported on
// failure, empty on success.
std::string buildSheetInChild(const std::string &dataDir, int language,
                              const std::string &descriptor);
