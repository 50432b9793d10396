#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Hexadecimal digits as clone files, stored settings, the radio's clone
// information and its frames carry them. Every reader of such digits goes
// through here, so that all of them agree on what a digit is.
namespace platform {

// 0 to 15 for a digit of either case; -1 for any other character.
int hexDigitValue(char c);

// The same for upper-case digits only: the radio's frames never carry lower
// case, so a lower-case letter there is a spoiled byte, not a digit.
int upperHexDigitValue(char c);

// Every character is a digit of either case (true for the empty text).
bool isHexText(std::string_view text);

// One to eight digits of either case read as one number; nothing when the
// text is empty, longer or holds any other character.
std::optional<std::uint32_t> hexNumber(std::string_view digits);

} // namespace platform
