#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Digit strings are stored as nibble arrays: digit i is the high nibble of
// byte i / 2 when i is even and its low nibble when i is odd.

constexpr std::size_t nibbleCapacity(std::size_t bytes) { return bytes * 2; }

// Nibble `index`; 0 beyond the bytes.
std::uint8_t nibbleAt(std::span<const std::uint8_t> bytes, std::size_t index);
// Sets nibble `index` to the low four bits of `value`, leaving the other
// half of its byte; nothing beyond the bytes.
void setNibbleAt(std::span<std::uint8_t> bytes, std::size_t index, std::uint8_t value);
