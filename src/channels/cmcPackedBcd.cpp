#include "channels/cmcPackedBcd.h"

#include "channels/NibbleArray.h"

#include <algorithm>

void cmcPackedBcd::AppendNibble(std::uint8_t nibble)
{
    AppendByte(static_cast<std::uint8_t>(nibble & 0x0F));
}

void cmcPackedBcd::Pack(std::span<std::uint8_t> bytes) const
{
    const std::size_t count =
        std::min(static_cast<std::size_t>(Count()), nibbleCapacity(bytes.size()));
    for (std::size_t i = 0; i < count; ++i)
        setNibbleAt(bytes, i, Nibble(static_cast<std::int32_t>(i)));
}
