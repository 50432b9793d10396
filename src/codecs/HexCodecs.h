#pragma once

#include "cells/CellCodec.h"

#include <cstdint>
#include <span>

// Values shown and typed as hexadecimal digits. None of them steps: Space
// and Backspace act as Enter.

// A number shown in `digits` upper-case digits (1..8). A typed text is read
// only when all of its first digits + 1 characters are hexadecimal digits,
// and is then pulled into minimum..maximum.
CellCodec editHexValue(std::int32_t minimum, std::int32_t maximum, int digits);

// `count` nibbles (1..8), the first shown the most significant. Typed digits
// (letters only when `letters`) are padded on the left with '0' to `count`
// and cut to it.
CellCodec editHexDigits(int count, bool letters);

// One nibble 0..14, or 0..15 with `fAllowed`; its editor selects the digit.
CellCodec editHexDigit(bool fAllowed);

// editHexDigits for nibbles kept one a byte: the bindings load the array
// into a value and store the value back into the array. The first nibble is
// the most significant; at most 8 take part.
std::int32_t nibblesToValue(std::span<const std::uint8_t> nibbles);
void valueToNibbles(std::int32_t value, std::span<std::uint8_t> nibbles);
