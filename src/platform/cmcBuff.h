#pragma once

#include <cstdint>
#include <memory>

// A growable byte buffer that doubles as the byte queue of the radio link:
// bytes are appended at the end and taken from the front. Taking from the
// front only moves the read position, so a queue keeps a little dead space
// before its live bytes until it is compacted.
//
// Bytes between the end of the live bytes and the end of the block keep what
// they held: shortening does not clear them and lengthening within the
// capacity shows them again. Only bytes added by a growth are set to the
// fill byte (always 0).
class cmcBuff
{
public:
    cmcBuff();
    cmcBuff(const cmcBuff &other);
    cmcBuff(cmcBuff &&other);
    cmcBuff &operator=(const cmcBuff &other);
    cmcBuff &operator=(cmcBuff &&other);
    virtual ~cmcBuff();

    // Back to a fresh one-byte block.
    void Clear();
    // Grows the block when needed; a negative length counts as 0.
    std::int32_t SetLength(std::int32_t length);
    std::int32_t Length() const { return length_; }
    std::uint8_t *Data() { return data_; }
    const std::uint8_t *Data() const { return data_; }
    // Live byte i; an index outside the live bytes is a programming error
    // and ends the program.
    std::uint8_t *At(std::int32_t index);
    const std::uint8_t *At(std::int32_t index) const;

    // Counts of 0 or less copy nothing (Assign then empties the buffer).
    // The source may lie inside this buffer.
    void Assign(const std::uint8_t *bytes, std::int32_t count);
    void Assign(const cmcBuff &other);
    void Append(const std::uint8_t *bytes, std::int32_t count);
    void Append(const cmcBuff &other);
    void AppendByte(std::uint8_t byte);
    void AppendRepeated(std::uint8_t byte, std::int32_t count);
    void Fill(std::uint8_t byte);

    // The first live byte as 0..255 and removes it; -1 when empty.
    int PopFront();
    // Moves the live bytes into a block of exactly their size (at least 1).
    void Compact();

    // Bytes available from the read position to the end of the block.
    std::int32_t capacity() const { return capacity_; }
    // Dead bytes before the read position, left there by PopFront.
    std::int32_t deadBytes() const { return static_cast<std::int32_t>(data_ - block_.get()); }

    // PopFront compacts once more than this many dead bytes lie in front.
    static constexpr std::int32_t kCompactThreshold = 4096;

private:
    void replaceBlock(std::int32_t blockSize);
    bool overlapsBlock(const std::uint8_t *bytes) const;
    std::int32_t lengthAfterAdding(std::int32_t count) const;

    std::unique_ptr<std::uint8_t[]> block_;
    std::uint8_t *data_ = nullptr;
    std::int32_t length_ = 0;
    std::int32_t capacity_ = 0;
    std::uint8_t fill_ = 0;
};
