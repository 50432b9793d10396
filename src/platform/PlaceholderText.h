#pragma once

#include <initializer_list>
#include <string>
#include <utility>

namespace platform {

// Fills the {name} placeholders of a text from the overlays with values; a
// name it is not given stays as written. Overlay texts are never used as
// printf formats, whose wrong conversions could read anywhere.
std::string fillPlaceholders(const std::string &text,
                             std::initializer_list<std::pair<const char *, std::string>> values);

} // namespace platform
