#include "cells/CellStorage.h"

#include "cells/CellHost.h"
#include "cells/indCellHandler.h"
#include "image/BitField.h"

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
    case Kind::Image:
        return static_cast<std::int32_t>(
            imageField(*this, frame, labelPosition).Read(frame.host.WorkingImage()));
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
        break;
    }
}
