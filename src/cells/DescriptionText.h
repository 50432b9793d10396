#pragma once

#include <cstdint>
#include <string_view>

// Small readers shared by the parts of the cell description language. They
// work on bytes: every syntax character is ASCII, and in UTF-8 an ASCII byte
// is never part of a longer character.

// Blank or control character (what the text part trims); bytes of
// multi-byte characters are neither.
bool isBlankOrControl(char c);

// A decimal number as the language has always read them: leading white space,
// an optional sign, digits up to the first non-digit; nothing readable gives
// 0. Values beyond 32 bits saturate instead of wrapping.
std::int32_t readDecimal(std::string_view text);

// Without leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);
// Without leading and trailing blanks and control characters.
std::string_view trimBlanksAndControls(std::string_view text);

// The text after the first '='; false when there is none.
bool valueAfterEquals(std::string_view property, std::string_view &value);

// Wrapping addition: counters may be driven past the 32-bit range by a
// description, which must not make the arithmetic undefined.
std::int32_t wrappingAdd(std::int32_t a, std::int32_t b);
