#pragma once

#include "image/AddressRange.h"

#include <cstdint>
#include <vector>

// One bit per image address: address a is bit a mod 8 (least significant
// first) of byte a div 8. The clone file keeps one for the addresses it
// expects and one for those a read actually stored.
class AddressBitmap
{
public:
    // Sizes for an image of n bytes and clears every bit.
    void Reset(int32_t size);
    int32_t GetSize() const { return size_; }
    void Clear();
    // Sets the bits of a span inside the bitmap; spans reaching outside are ignored.
    void MarkSpan(int32_t first, int32_t last);
    // Sets the bits of the usable leading ranges of a list.
    void MarkRanges(const RangeList &ranges);
    bool Test(int32_t a) const;
    int32_t Count() const;
    bool Equals(const AddressBitmap &other) const;
    // True when a bit is set here that is clear in other.
    bool HasBitsOutside(const AddressBitmap &other) const;

private:
    void setBit(int32_t a);

    int32_t size_ = 0;
    std::vector<uint8_t> bytes_;
};
