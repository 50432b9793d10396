#pragma once

#include <set>
#include <string>
#include <vector>

// The text keys the program's code names: every string literal that begins
// with "GI_" in the C++ sources below the given folders, comments left out.
std::set<std::string> sourceKeys(const std::vector<std::string> &folders);

// The same for one file's text (tests feed it lines).
void collectKeys(const std::string &text, std::set<std::string> &keys);
