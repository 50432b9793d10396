#include "platform/cmcBuff.h"

#include "platform/FatalError.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr std::int64_t kMaxLength = std::numeric_limits<std::int32_t>::max();

[[noreturn]] void failOutOfRange() { platform::fatalError("Out of cmcBuff element !"); }

} // namespace

cmcBuff::cmcBuff() { Clear(); }

cmcBuff::cmcBuff(const cmcBuff &other) : cmcBuff() { Assign(other); }

cmcBuff::cmcBuff(cmcBuff &&other) : cmcBuff() { *this = std::move(other); }

cmcBuff &cmcBuff::operator=(const cmcBuff &other)
{
    Assign(other);
    return *this;
}

cmcBuff &cmcBuff::operator=(cmcBuff &&other)
{
    if (this != &other) {
        // The moved-from buffer must still own a block, so it gets ours and
        // is then reset.
        std::swap(block_, other.block_);
        std::swap(data_, other.data_);
        std::swap(length_, other.length_);
        std::swap(capacity_, other.capacity_);
        other.Clear();
    }
    return *this;
}

cmcBuff::~cmcBuff() = default;

void cmcBuff::Clear()
{
    fill_ = 0;
    length_ = 0;
    replaceBlock(1);
}

void cmcBuff::replaceBlock(std::int32_t blockSize)
{
    auto block = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(blockSize));
    std::fill_n(block.get(), blockSize, fill_);
    const std::int32_t kept = std::min(length_, blockSize);
    if (kept > 0)
        std::memcpy(block.get(), data_, static_cast<std::size_t>(kept));
    block_ = std::move(block);
    data_ = block_.get();
    capacity_ = blockSize;
}

std::int32_t cmcBuff::SetLength(std::int32_t length)
{
    length = std::max(length, 0);
    if (capacity_ < length) {
        // A quarter of the current length on top keeps a growing queue from
        // reallocating on every append.
        const std::int64_t wanted = std::int64_t{length} + length_ / 4;
        replaceBlock(static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, 1, kMaxLength)));
    }
    length_ = length;
    return length;
}

std::uint8_t *cmcBuff::At(std::int32_t index)
{
    if (index < 0 || index >= length_)
        failOutOfRange();
    return data_ + index;
}

const std::uint8_t *cmcBuff::At(std::int32_t index) const
{
    return const_cast<cmcBuff *>(this)->At(index);
}

bool cmcBuff::overlapsBlock(const std::uint8_t *bytes) const
{
    const std::less<const std::uint8_t *> before;
    const std::uint8_t *end = data_ + capacity_;
    return !before(bytes, block_.get()) && before(bytes, end);
}

std::int32_t cmcBuff::lengthAfterAdding(std::int32_t count) const
{
    const std::int64_t total = std::int64_t{length_} + count;
    if (total > kMaxLength)
        failOutOfRange();
    return static_cast<std::int32_t>(total);
}

void cmcBuff::Assign(const std::uint8_t *bytes, std::int32_t count)
{
    if (count <= 0) {
        SetLength(0);
        return;
    }
    if (overlapsBlock(bytes)) {
        // Growing would free the source; copy it out first.
        const std::vector<std::uint8_t> copy(bytes, bytes + count);
        Assign(copy.data(), count);
        return;
    }
    SetLength(count);
    std::memcpy(data_, bytes, static_cast<std::size_t>(count));
}

void cmcBuff::Assign(const cmcBuff &other)
{
    if (this != &other)
        Assign(other.data_, other.length_);
}

void cmcBuff::Append(const std::uint8_t *bytes, std::int32_t count)
{
    if (count <= 0)
        return;
    if (overlapsBlock(bytes)) {
        const std::vector<std::uint8_t> copy(bytes, bytes + count);
        Append(copy.data(), count);
        return;
    }
    const std::int32_t oldLength = length_;
    SetLength(lengthAfterAdding(count));
    std::memcpy(data_ + oldLength, bytes, static_cast<std::size_t>(count));
}

void cmcBuff::Append(const cmcBuff &other) { Append(other.data_, other.length_); }

void cmcBuff::AppendByte(std::uint8_t byte) { AppendRepeated(byte, 1); }

void cmcBuff::AppendRepeated(std::uint8_t byte, std::int32_t count)
{
    if (count <= 0)
        return;
    const std::int32_t oldLength = length_;
    SetLength(lengthAfterAdding(count));
    std::fill_n(data_ + oldLength, count, byte);
}

void cmcBuff::Fill(std::uint8_t byte) { std::fill_n(data_, length_, byte); }

int cmcBuff::PopFront()
{
    if (length_ == 0)
        return -1;
    const int byte = *data_;
    ++data_;
    --capacity_;
    SetLength(length_ - 1);
    if (deadBytes() > kCompactThreshold)
        Compact();
    return byte;
}

void cmcBuff::Compact() { replaceBlock(std::max(length_, 1)); }
