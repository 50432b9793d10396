#include "cells/CellStorage.h"

#include "cells/CellHost.h"
#include "cells/indCellHandler.h"
#include "image/cmcEeprom.h"

#include <climits>

namespace {

int bytesOf(const CellStorage &storage) { return (storage.firstBit + storage.bitCount + 7) / 8; }

std::uint32_t maskOf(const CellStorage &storage)
{
    return storage.bitCount >= 32 ? 0xFFFFFFFFu : (1u << storage.bitCount) - 1u;
}

// An index that puts the value outside any image (a broken description)
// reaches the image as an address it refuses.
std::int32_t imageOffset(const CellStorage &storage, const indCellHandler &frame,
                         std::int32_t labelPosition)
{
    const std::int64_t at = std::int64_t{storage.offset} +
                            std::int64_t{storage.stride} * frame.index +
                            std::int64_t{storage.perLabel} * labelPosition;
    return at >= 0 && at <= INT32_MAX - 4 ? static_cast<std::int32_t>(at) : -1;
}

std::uint32_t readBigEndian(const cmcEeprom &image, std::int32_t at, int bytes)
{
    std::uint32_t number = 0;
    for (int i = 0; i < bytes; ++i)
        number = (number << 8) | image.GetByte(at + i);
    return number;
}

void writeBigEndian(cmcEeprom &image, std::int32_t at, int bytes, std::uint32_t number)
{
    for (int i = bytes - 1; i >= 0; --i) {
        image.SetByte(at + i, static_cast<std::uint8_t>(number & 0xFF));
        number >>= 8;
    }
}

} // namespace

bool CellStorage::IsWellFormed() const
{
    switch (kind) {
    case Kind::Record:
        return member != nullptr;
    case Kind::Image:
        return bitCount >= 1 && firstBit < 8 && firstBit + bitCount <= 32 && offset >= 0;
    case Kind::Model:
        return get != nullptr || set != nullptr;
    case Kind::None:
    case Kind::CellIndex:
        return true;
    }
    return false;
}

std::int32_t CellStorage::Load(indCellHandler &frame, std::int32_t labelPosition) const
{
    switch (kind) {
    case Kind::Record:
        return frame.record.*member;
    case Kind::Image: {
        const std::uint32_t stored = readBigEndian(
            frame.host.WorkingImage(), imageOffset(*this, frame, labelPosition), bytesOf(*this));
        return static_cast<std::int32_t>((stored >> firstBit) & maskOf(*this));
    }
    case Kind::Model:
        return get != nullptr ? get(frame) : 0;
    case Kind::CellIndex:
        return frame.index;
    case Kind::None:
        break;
    }
    return 0;
}

void CellStorage::Store(indCellHandler &frame, std::int32_t value, std::int32_t labelPosition) const
{
    switch (kind) {
    case Kind::Record:
        frame.record.*member = value;
        frame.record.commit();
        frame.NoteRecordChanged();
        break;
    case Kind::Image: {
        cmcEeprom &image = frame.host.WorkingImage();
        const std::int32_t at = imageOffset(*this, frame, labelPosition);
        const int bytes = bytesOf(*this);
        const std::uint32_t mask = maskOf(*this) << firstBit;
        const std::uint32_t stored = readBigEndian(image, at, bytes);
        const std::uint32_t placed = (static_cast<std::uint32_t>(value) << firstBit) & mask;
        writeBigEndian(image, at, bytes, (stored & ~mask) | placed);
        break;
    }
    case Kind::Model:
        if (set != nullptr)
            set(frame, value);
        break;
    case Kind::None:
    case Kind::CellIndex:
        break;
    }
}
