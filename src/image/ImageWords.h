#pragma once

#include "image/cmcEeprom.h"

#include <cstdint>

// Big-endian numbers of the radio layout and of the working layout's
// counters. Callers pass addresses they know to lie inside the image.
namespace image_words {

uint16_t read16(const cmcEeprom &image, int32_t address);
void write16(cmcEeprom &image, int32_t address, uint16_t value);
uint32_t read32(const cmcEeprom &image, int32_t address);
void write32(cmcEeprom &image, int32_t address, uint32_t value);

// True when n bytes from address all lie inside [first, end).
constexpr bool spanInside(int64_t address, int64_t n, int64_t first, int64_t end)
{
    return n >= 0 && address >= first && address + n <= end;
}

// Copies n bytes inside one image (the areas may overlap); nothing when
// either side reaches outside the image.
void copyWithin(cmcEeprom &image, int32_t source, int32_t destination, int32_t n);
// Copies n bytes at the same offset from one image to another; nothing when
// the span reaches outside either.
void copyAcross(const cmcEeprom &from, cmcEeprom &to, int32_t address, int32_t n);

} // namespace image_words
