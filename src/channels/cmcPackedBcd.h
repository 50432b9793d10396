#pragma once

#include "platform/cmcBuff.h"

#include <cstdint>
#include <span>

// A growing list of nibbles (0..15), one element a nibble, that the digit
// and identity codecs build values in before packing them into the stored
// nibble array.
class cmcPackedBcd : public cmcBuff
{
public:
    // Keeps the low four bits.
    void AppendNibble(std::uint8_t nibble);
    std::int32_t Count() const { return Length(); }
    std::uint8_t Nibble(std::int32_t index) const { return *At(index); }

    // Nibble i of the list into nibble i of `bytes` (nibble 0 into the high
    // half of byte 0). Writes only as many nibbles as the list holds and as
    // fit; the caller clears the target nibbles first.
    void Pack(std::span<std::uint8_t> bytes) const;
};
