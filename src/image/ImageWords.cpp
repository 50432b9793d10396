#include "image/ImageWords.h"

#include <vector>

namespace image_words {

uint16_t read16(const cmcEeprom &image, int32_t address)
{
    return static_cast<uint16_t>((image.GetByte(address) << 8) | image.GetByte(address + 1));
}

void write16(cmcEeprom &image, int32_t address, uint16_t value)
{
    image.SetByte(address, static_cast<uint8_t>(value >> 8));
    image.SetByte(address + 1, static_cast<uint8_t>(value));
}

uint32_t read32(const cmcEeprom &image, int32_t address)
{
    return (uint32_t{read16(image, address)} << 16) | read16(image, address + 2);
}

void write32(cmcEeprom &image, int32_t address, uint32_t value)
{
    write16(image, address, static_cast<uint16_t>(value >> 16));
    write16(image, address + 2, static_cast<uint16_t>(value));
}

void copyWithin(cmcEeprom &image, int32_t source, int32_t destination, int32_t n)
{
    if (n <= 0 || !spanInside(source, n, 0, image.GetSize()) ||
        !spanInside(destination, n, 0, image.GetSize()))
        return;
    std::vector<uint8_t> bytes(static_cast<size_t>(n));
    image.ReadBlock(source, bytes.data(), n);
    image.WriteBlock(destination, bytes.data(), n);
}

void copyAcross(const cmcEeprom &from, cmcEeprom &to, int32_t address, int32_t n)
{
    if (n <= 0 || !spanInside(address, n, 0, from.GetSize()) ||
        !spanInside(address, n, 0, to.GetSize()))
        return;
    std::vector<uint8_t> bytes(static_cast<size_t>(n));
    from.ReadBlock(address, bytes.data(), n);
    to.WriteBlock(address, bytes.data(), n);
}

} // namespace image_words
