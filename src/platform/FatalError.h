#pragma once

#include <string>

namespace platform {

// How the fatal box reaches the screen. The core cannot show widgets, so the
// desktop program installs a display; without one the text only goes to
// stderr. The display must not return control to the caller's logic: the
// process aborts right after it.
using FatalDisplay = void (*)(const std::string &caption, const std::string &text);
void setFatalDisplay(FatalDisplay display);

// An internal fault: shows the text (caption = program file name), writes it
// to stderr and terminates abnormally. Nothing is saved.
[[noreturn]] void fatalError(const std::string &caption, const std::string &text);
[[noreturn]] void fatalError(const std::string &text);

// printf-style %s substitution used by the fatal texts ("Cannot open '%s'.").
std::string formatText(const char *format, const std::string &argument);

} // namespace platform
