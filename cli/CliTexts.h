#pragma once

#include <string>

// The command-line tool runs from a build or an installation that may lack
// the overlay files. Every text it takes from the text database is asked for
// only after the files and keys were found, so a missing overlay never ends
// the tool with a text database error.

// Opens the language list and the overlay of `language` (the first by
// default) as the desktop program would; false when either file is missing
// or the list has no such language.
bool openInstalledTexts(int language = 0);
// The languages of the list the last openInstalledTexts read.
int installedLanguageCount();

// "error N: " and the message of a clone file error code: from the overlay
// when it holds the keys, otherwise a plain English fallback.
std::string fileErrorText(int code);
