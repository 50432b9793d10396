#pragma once

#include <cstdint>
#include <memory>

// A radio's memory, or the larger working buffer that holds the radio layout
// followed by the fixed working layout. The image knows nothing of layouts:
// byte access outside it is a programming fault and stops the program; block
// copies outside it do nothing, because their callers check sizes themselves.
class cmcEeprom
{
public:
    cmcEeprom() = default;
    ~cmcEeprom() = default;
    // Images are large and long-lived; copies are made on purpose with CopyFrom.
    cmcEeprom(const cmcEeprom &) = delete;
    cmcEeprom &operator=(const cmcEeprom &) = delete;

    // Resizes (reallocating only when the size changes) and zeroes every byte;
    // 0 or a negative size leaves an empty image.
    void SetSize(int32_t n);
    int32_t GetSize() const { return size_; }
    bool IsValidAddress(int32_t a) const { return a >= 0 && a < size_; }
    void Fill(uint8_t value);

    uint8_t GetByte(int32_t a) const;
    void SetByte(int32_t a, uint8_t value);

    // Copy n bytes out of or into the image; a request that does not lie
    // wholly inside the image copies nothing.
    void ReadBlock(int32_t a, uint8_t *destination, int32_t n) const;
    void WriteBlock(int32_t a, const uint8_t *source, int32_t n);

    void CopyFrom(const cmcEeprom &other);
    bool Equals(const cmcEeprom &other) const;
    bool Differs(const cmcEeprom &other) const { return !Equals(other); }

private:
    bool holdsBlock(int32_t a, int32_t n) const;

    int32_t size_ = 0;
    std::unique_ptr<uint8_t[]> data_;
};
