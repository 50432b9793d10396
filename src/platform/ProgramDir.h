#pragma once

#include <string>

namespace platform {

// The folder of the running executable, ending in '/'. Overlays, initial
// clone files and help pages are looked up here.
std::string programDirectory();

// The executable's file name without its folder (caption of fatal boxes).
std::string programFileName();

// Tests and tools point the program at another data folder.
void setProgramDirectory(const std::string &directory);

} // namespace platform
