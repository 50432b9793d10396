#include "image/BitField.h"

void BitField::refuse(const cmcEeprom &image) const
{
    for (int i = 0; i < ByteCount(); ++i) {
        // Past the largest address counts as outside, not wrapped round to a
        // small address that might lie inside.
        const std::int64_t at = std::int64_t{address_} + i;
        image.GetByte(at <= INT32_MAX ? static_cast<std::int32_t>(at) : -1);
    }
}
