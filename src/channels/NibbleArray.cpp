#include "channels/NibbleArray.h"

std::uint8_t nibbleAt(std::span<const std::uint8_t> bytes, std::size_t index)
{
    if (index >= nibbleCapacity(bytes.size()))
        return 0;
    const std::uint8_t byte = bytes[index / 2];
    return static_cast<std::uint8_t>(index % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

void setNibbleAt(std::span<std::uint8_t> bytes, std::size_t index, std::uint8_t value)
{
    if (index >= nibbleCapacity(bytes.size()))
        return;
    std::uint8_t &byte = bytes[index / 2];
    const auto nibble = static_cast<std::uint8_t>(value & 0x0F);
    byte = index % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | (nibble << 4))
                          : static_cast<std::uint8_t>((byte & 0xF0) | nibble);
}
