#pragma once

#include <string>

namespace platform {

// The folder the program's data files (overlays, initial clone files, help
// pages, icons) are read from, ending in '/': the executable's own folder
// when the overlays lie beside it (a build tree), otherwise the installed
// data folder <prefix>/share/quillon/ found from the executable's location,
// so a moved installation still finds its files.
std::string programDirectory();

// The same decision for an executable in the given folder (ending in '/').
std::string programDirectoryFor(const std::string &executableDirectory);

// The executable's file name without its folder (caption of fatal boxes).
std::string programFileName();

// Tests and tools point the program at another data folder.
void setProgramDirectory(const std::string &directory);

// The user's own data folder of the program ($XDG_DATA_HOME/quillon, without
// a trailing '/'), shared by the desktop program and the command-line tool.
std::string userDataFolder();
// Tests keep the user's folder out of their way; empty goes back to it.
void setUserDataFolder(const std::string &folder);

} // namespace platform
