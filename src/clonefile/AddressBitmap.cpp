#include "clonefile/AddressBitmap.h"

#include <algorithm>
#include <bit>

void AddressBitmap::Reset(int32_t size)
{
    size_ = std::max(size, 0);
    bytes_.assign(static_cast<size_t>((int64_t{size_} + 7) / 8), 0);
}

void AddressBitmap::Clear() { std::fill(bytes_.begin(), bytes_.end(), 0); }

void AddressBitmap::MarkSpan(int32_t first, int32_t last)
{
    if (first < 0 || last >= size_ || first > last)
        return;
    for (int32_t a = first; a <= last; ++a)
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
