#include "bindings/DuplicateIds.h"

#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr std::int32_t kIndividualIdSize = 16;
constexpr std::int32_t kTalkGroupSize = 14;

} // namespace

DuplicateIds::DuplicateIds(int listKind)
    : kind_(listKind),
      base_(listKind == datCh::kKindDigInd ? channel_offsets::kDigInd : channel_offsets::kDigTg),
      stride_(listKind == datCh::kKindDigInd ? kIndividualIdSize : kTalkGroupSize)
{}

int DuplicateIds::OtherEntryOf(cmcEeprom &image, int entry)
{
    Refresh(image);
    if (entry < 0 || static_cast<std::size_t>(entry) >= other_.size())
        return -1;
    return other_[static_cast<std::size_t>(entry)];
}

void DuplicateIds::Refresh(cmcEeprom &image)
{
    const int count =
        std::clamp(ChannelGlobals::listCount(image, kind_), 0, channel_offsets::kListCapacity);
    const std::int32_t length = count * stride_;
    if (!image.IsValidAddress(base_) || !image.IsValidAddress(base_ + length - 1)) {
        seen_.clear();
        seenCount_ = -1;
        other_.clear();
        return;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    if (length > 0)
        image.ReadBlock(base_, bytes.data(), length);
    if (count == seenCount_ && bytes == seen_)
        return;
    seen_ = std::move(bytes);
    seenCount_ = count;
    other_.assign(static_cast<std::size_t>(count), -1);
    std::unordered_map<std::int32_t, int> firstWithId;
    datCh record(&image);
    for (int entry = 0; entry < count; ++entry) {
        record.decode(kind_, entry);
        const auto [place, fresh] = firstWithId.try_emplace(record.Id, entry);
        if (fresh)
            continue;
        const int first = place->second;
        other_[static_cast<std::size_t>(entry)] = first;
        if (other_[static_cast<std::size_t>(first)] < 0)
            other_[static_cast<std::size_t>(first)] = entry;
    }
}
