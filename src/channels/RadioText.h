#pragma once

#include <string>
#include <string_view>

// Texts of the radio's character set may hold any byte, so they are edited
// in an escaped, printable form: '%' is written "%%", bytes 16..31 and
// 127..255 as '%' and two upper-case hexadecimal digits, printable bytes as
// themselves. Bytes below 16 end a text.
namespace radio_text {

constexpr std::size_t kMaxLength = 1024;

// The escaped form of the stored bytes, up to the first byte below 16 and of
// at most kMaxLength bytes.
std::string escape(std::string_view bytes);

// The bytes an escaped text stands for, reading at most kMaxLength
// characters: "%%" gives '%', '%' and two hexadecimal digits give that byte
// unless it is below 16 (then the '%' stays as it is and the digits follow
// as ordinary characters), a printable character or one of 127..255 gives
// itself, and anything else a space.
std::string unescape(std::string_view text);

} // namespace radio_text
