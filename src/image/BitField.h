#pragma once

#include "image/cmcEeprom.h"

#include <cstdint>

// A run of bits of the memory image: `width` bits (1..32) whose lowest is
// bit `firstBit` (0..7) of the field's last byte, the bytes from `address` on
// read as one big-endian number, the radio's byte order. Reading and writing
// go through the image's byte access, so an address outside the image stops
// the program as any other byte access does; a write checks every byte
// before it changes one. A field of another width or first bit reads 0 and
// writes nothing.
class BitField
{
public:
    constexpr BitField(std::int32_t address, int firstBit, int width)
        : address_(address), firstBit_(firstBit), width_(width)
    {}

    // `count` whole bytes (1..4) as one number.
    static constexpr BitField bytes(std::int32_t address, int count)
    {
        return {address, 0, 8 * count};
    }
    static constexpr BitField bit(std::int32_t address, int bit) { return {address, bit, 1}; }
    // Bit `index` of a bitmap that starts at address, index 0 in the top bit.
    static constexpr BitField mapBit(std::int32_t address, int index)
    {
        return index < 0 ? refused(1) : BitField{address, 7 - index % 8, 1}.Stepped(index / 8, 1);
    }
    // Nibble `index` of a packed array, index 0 in the high half of the first byte.
    static constexpr BitField nibble(std::int32_t address, int index)
    {
        return index < 0 ? refused(4)
                         : BitField{address, index % 2 == 0 ? 4 : 0, 4}.Stepped(index / 2, 1);
    }

    // The same field `index` strides of `stride` bytes further on. A place
    // beyond any image becomes an address every image refuses, and a refused
    // field stays refused: stepping on must not land it inside again.
    constexpr BitField Stepped(std::int32_t index, std::int32_t stride) const
    {
        if (address_ < 0)
            return *this;
        const std::int64_t at = std::int64_t{address_} + std::int64_t{index} * stride;
        return {at >= 0 && at <= INT32_MAX ? static_cast<std::int32_t>(at) : -1, firstBit_, width_};
    }

    constexpr std::int32_t Address() const { return address_; }
    constexpr int FirstBit() const { return firstBit_; }
    constexpr int Width() const { return width_; }
    constexpr bool IsValid() const
    {
        return width_ >= 1 && width_ <= 32 && firstBit_ >= 0 && firstBit_ <= 7;
    }
    // Bytes the field spans: up to 5 when a 32-bit field starts above bit 0.
    constexpr int ByteCount() const { return IsValid() ? (firstBit_ + width_ + 7) / 8 : 0; }
    // The largest value the field holds.
    constexpr std::uint32_t Mask() const
    {
        return !IsValid() ? 0 : width_ == 32 ? 0xFFFFFFFFu : (1u << width_) - 1u;
    }

    // Inline, with the image's checked byte access: the record codec reads
    // and writes thousands of fields a redraw.
    std::uint32_t Read(const cmcEeprom &image) const
    {
        if (!IsValid())
            return 0; // a shape no field can have: nothing to shift
        const int n = ByteCount();
        if (!inside(image, n)) {
            refuse(image);
            return 0;
        }
        return static_cast<std::uint32_t>(readBytes(image, n) >> firstBit_) & Mask();
    }
    // Bits of value above the field's width are dropped; every byte is known
    // to lie inside the image before the first one changes.
    void Write(cmcEeprom &image, std::uint32_t value) const
    {
        if (!IsValid())
            return;
        const int n = ByteCount();
        if (!inside(image, n)) {
            refuse(image);
            return;
        }
        const bool wholeBytes = firstBit_ == 0 && width_ % 8 == 0;
        const std::uint64_t stored = wholeBytes ? 0 : readBytes(image, n);
        const std::uint64_t mask = std::uint64_t{Mask()} << firstBit_;
        std::uint64_t number = (stored & ~mask) | ((std::uint64_t{value} << firstBit_) & mask);
        for (int i = n - 1; i >= 0; --i, number >>= 8)
            image.SetByte(address_ + i, static_cast<std::uint8_t>(number));
    }

private:
    static constexpr BitField refused(int width) { return {-1, 0, width}; }

    bool inside(const cmcEeprom &image, int n) const
    {
        return address_ >= 0 && std::int64_t{address_} + n <= image.GetSize();
    }
    std::uint64_t readBytes(const cmcEeprom &image, int n) const
    {
        std::uint64_t number = 0;
        for (int i = 0; i < n; ++i)
            number = (number << 8) | image.GetByte(address_ + i);
        return number;
    }
    // Outside the image: its byte access names the fault and stops the program.
    void refuse(const cmcEeprom &image) const;

    std::int32_t address_;
    int firstBit_;
    int width_;
};
