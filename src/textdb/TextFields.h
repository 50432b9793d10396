#pragma once

#include <string>
#include <string_view>

// Field n of a TAB-separated overlay line; a missing field reads as empty.
// Overlays are UTF-8, where a TAB byte is never part of a longer character.
std::string textField(std::string_view line, int n);
