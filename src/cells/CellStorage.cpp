#include "cells/CellStorage.h"

#include "cells/CellHost.h"
#include "cells/indCellHandler.h"
#include "image/BitField.h"
#include "image/cmcEeprom.h"

#include <algorithm>

namespace {

// An index that puts the value outside any image (a broken description)
// reaches the image as an address it refuses.
BitField imageField(const CellStorage &storage, const indCellHandler &frame,
                    std::int32_t labelPosition)
{
    return BitField{storage.offset, storage.firstBit, storage.bitCount}
        .Stepped(frame.index, storage.stride)
        .Stepped(labelPosition, storage.perLabel);
}

// Where a byte value of the image starts for this cell.
std::int32_t imageBytesAt(const CellStorage &storage, const indCellHandler &frame,
                          std::int32_t labelPosition)
{
    return storage.offset + frame.index * storage.stride + labelPosition * storage.perLabel;
}

} // namespace

bool CellStorage::IsWellFormed() const
{
    switch (kind) {
    case Kind::Record:
        return member != nullptr;
    case Kind::Image:
        return bitCount >= 1 && firstBit < 8 && firstBit + bitCount <= 32 && offset >= 0 &&
               indexCount >= 0;
    case Kind::Model:
        return get != nullptr || set != nullptr;
    case Kind::RecordBytes:
        return loadBytes != nullptr && saveBytes != nullptr;
    case Kind::ImageBytes:
        return length >= 1 && offset >= 0 && indexCount >= 0;
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
    case Kind::Image:
        return static_cast<std::int32_t>(
            imageField(*this, frame, labelPosition).Read(frame.host.WorkingImage()));
    case Kind::Model:
        return get != nullptr ? get(frame) : 0;
    case Kind::CellIndex:
        return frame.index;
    case Kind::None:
    case Kind::RecordBytes:
    case Kind::ImageBytes:
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
    case Kind::Image:
        imageField(*this, frame, labelPosition)
            .Write(frame.host.WorkingImage(), static_cast<std::uint32_t>(value));
        break;
    case Kind::Model:
        if (set != nullptr)
            set(frame, value);
        break;
    case Kind::None:
    case Kind::CellIndex:
    case Kind::RecordBytes:
    case Kind::ImageBytes:
        break;
    }
}

CellBytes CellStorage::LoadBytes(indCellHandler &frame, std::int32_t labelPosition) const
{
    if (kind == Kind::RecordBytes)
        return loadBytes(frame.record);
    if (kind != Kind::ImageBytes)
        return {};
    // The image refuses an address outside it, like any broken description.
    const cmcEeprom &image = frame.host.WorkingImage();
    const std::int32_t at = imageBytesAt(*this, frame, labelPosition);
    CellBytes bytes(static_cast<std::size_t>(length));
    for (std::int32_t i = 0; i < length; ++i)
        bytes[static_cast<std::size_t>(i)] = image.GetByte(at + i);
    return bytes;
}

void CellStorage::StoreBytes(indCellHandler &frame, std::span<const std::uint8_t> bytes,
                             std::int32_t labelPosition) const
{
    if (kind == Kind::RecordBytes) {
        saveBytes(frame.record, bytes);
        frame.record.commit();
        frame.NoteRecordChanged();
        return;
    }
    if (kind != Kind::ImageBytes)
        return;
    cmcEeprom &image = frame.host.WorkingImage();
    const std::int32_t at = imageBytesAt(*this, frame, labelPosition);
    const auto count = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(length));
    for (std::size_t i = 0; i < count; ++i)
        image.SetByte(at + static_cast<std::int32_t>(i), bytes[i]);
}
