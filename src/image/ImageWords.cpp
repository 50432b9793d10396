#include "image/ImageWords.h"

#include "image/BitField.h"

#include <vector>

namespace image_words {

uint16_t read16(const cmcEeprom &image, int32_t address)
{
    return static_cast<uint16_t>(BitField::bytes(address, 2).Read(image));
}

void write16(cmcEeprom &image, int32_t address, uint16_t value)
{
    BitField::bytes(address, 2).Write(image, value);
}

uint32_t read32(const cmcEeprom &image, int32_t address)
{
    return BitField::bytes(address, 4).Read(image);
}

void write32(cmcEeprom &image, int32_t address, uint32_t value)
{
    BitField::bytes(address, 4).Write(image, value);
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
