#pragma once

#include <cstdint>
#include <string_view>

// How the digit strings show their nibbles: nibble n as character n of its
// alphabet.
inline constexpr std::string_view kDtmfAlphabet = "0123456789ABCD*#";
inline constexpr std::string_view kFiveToneAlphabet = "0123456789ABCDE*";
// Identities: 10 is the wildcard digit.
inline constexpr std::string_view kIdentityAlphabet = "0123456789*";
inline constexpr std::string_view kHexAlphabet = "0123456789ABCDEF";

// The character of `nibble`; '?' for a value the alphabet has no character
// for (a stored identity nibble above 10).
constexpr char digitCharacter(std::string_view alphabet, int nibble)
{
    return nibble >= 0 && static_cast<std::size_t>(nibble) < alphabet.size()
               ? alphabet[static_cast<std::size_t>(nibble)]
               : '?';
}
