#include "clonefile/AddressBitmap.h"

#include <algorithm>
#include <bit>
#include <cstring>

void AddressBitmap::Reset(int32_t size)
{
    size_ = std::max(size, 0);
    bytes_.assign(static_cast<size_t>((int64_t{size_} + 7) / 8), 0);
}

void AddressBitmap::Clear() { std::memset(bytes_.data(), 0, bytes_.size()); }

void AddressBitmap::MarkSpan(int32_t first, int32_t last)
{
    if (first < 0 || last >= size_ || first > last)
        return;
    // Bit by bit only up to the next whole byte; whole bytes in one go.
    int32_t a = first;
    for (; a <= last && a % 8 != 0; ++a)
        setBit(a);
    const int32_t wholeBytes = (last - a + 1) / 8;
    std::memset(bytes_.data() + a / 8, 0xFF, static_cast<size_t>(wholeBytes));
    for (a += wholeBytes * 8; a <= last; ++a)
        setBit(a);
}

void AddressBitmap::setBit(int32_t a)
{
    bytes_[static_cast<size_t>(a / 8)] |= static_cast<uint8_t>(1u << (a % 8));
}

void AddressBitmap::MarkRanges(const RangeList &ranges)
{
    for (const AddressRange &range : usableRanges(ranges, size_))
        MarkSpan(range.first, range.last);
}

bool AddressBitmap::Test(int32_t a) const
{
    if (a < 0 || a >= size_)
        return false;
    return (bytes_[static_cast<size_t>(a / 8)] >> (a % 8) & 1u) != 0;
}

int32_t AddressBitmap::Count() const
{
    int32_t count = 0;
    for (const uint8_t byte : bytes_)
        count += std::popcount(byte);
    return count;
}

bool AddressBitmap::Equals(const AddressBitmap &other) const
{
    return size_ == other.size_ && bytes_ == other.bytes_;
}

bool AddressBitmap::HasBitsOutside(const AddressBitmap &other) const
{
    for (size_t i = 0; i < bytes_.size(); ++i) {
        const uint8_t theirs = i < other.bytes_.size() ? other.bytes_[i] : 0;
        if ((bytes_[i] & ~theirs) != 0)
            return true;
    }
    return false;
}
