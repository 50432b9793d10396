#include "image/cmcEeprom.h"

#include "platform/FatalError.h"

#include <algorithm>
#include <cstring>

void cmcEeprom::SetSize(int32_t n)
{
    if (n <= 0) {
        data_.reset();
        size_ = 0;
        return;
    }
    if (n != size_) {
        data_ = std::make_unique<uint8_t[]>(static_cast<size_t>(n));
        size_ = n;
    }
    Fill(0);
}

void cmcEeprom::Fill(uint8_t value)
{
    if (size_ > 0)
        std::memset(data_.get(), value, static_cast<size_t>(size_));
}

uint8_t cmcEeprom::GetByte(int32_t a) const
{
    if (!IsValidAddress(a))
        platform::fatalError("Out of EEPROM image address (GetByte).");
    return data_[static_cast<size_t>(a)];
}

void cmcEeprom::SetByte(int32_t a, uint8_t value)
{
    if (!IsValidAddress(a))
        platform::fatalError("Out of EEPROM image address (SetByte).");
    data_[static_cast<size_t>(a)] = value;
}

bool cmcEeprom::holdsBlock(int32_t a, int32_t n) const
{
    // Summed in 64 bits so that a huge count cannot wrap into range.
    return a >= 0 && a < size_ && n > 0 && int64_t{a} + n <= size_;
}

void cmcEeprom::ReadBlock(int32_t a, uint8_t *destination, int32_t n) const
{
    if (holdsBlock(a, n))
        std::memcpy(destination, data_.get() + a, static_cast<size_t>(n));
}

void cmcEeprom::WriteBlock(int32_t a, const uint8_t *source, int32_t n)
{
    if (holdsBlock(a, n))
        std::memcpy(data_.get() + a, source, static_cast<size_t>(n));
}

void cmcEeprom::CopyFrom(const cmcEeprom &other)
{
    if (&other == this)
        return;
    SetSize(other.size_);
    if (size_ > 0)
        std::memcpy(data_.get(), other.data_.get(), static_cast<size_t>(size_));
}

bool cmcEeprom::Equals(const cmcEeprom &other) const
{
    if (size_ != other.size_)
        return false;
    return size_ == 0 || std::equal(data_.get(), data_.get() + size_, other.data_.get());
}
