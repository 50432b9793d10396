#include "channels/datQsigAdr.h"

#include "channels/ChannelOffsets.h"
#include "image/cmcEeprom.h"

#include <cstdio>

namespace {

std::string noEditText(std::int32_t address)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d (No Edit)", static_cast<int>(address));
    return text;
}

} // namespace

datQsigAdr::datQsigAdr(cmcEeprom &image) : image_(&image)
{
    groupStart_ = (image.GetByte(channel_offsets::kMskGroupStart) << 8) |
                  image.GetByte(channel_offsets::kMskGroupStart + 1);
    Recompute();
}

void datQsigAdr::Recompute()
{
    const std::int32_t g = groupStart_;
    const std::int32_t top = kHighestAddress;
    ranges_[0] = {0, 0};
    ranges_[1] = {0, top};
    ranges_[kGroupRange] = {g, top};
    ranges_[3] = {top, top};
    ranges_[4] = {0, top};
    ranges_[kKillerRange] = {0, g - 1};
    ranges_[kIdGroupRanges] = {0, g - 1};
    for (int entry = kIdGroupRanges + 1; entry < kCallListRanges; ++entry)
        ranges_[static_cast<std::size_t>(entry)] = {g, top};
    for (int entry = kCallListRanges; entry < kEntries; ++entry)
        ranges_[static_cast<std::size_t>(entry)] = {0, top};
}

void datQsigAdr::Store(std::int32_t groupStart)
{
    image_->SetByte(channel_offsets::kMskGroupStart, static_cast<std::uint8_t>(groupStart >> 8));
    image_->SetByte(channel_offsets::kMskGroupStart + 1, static_cast<std::uint8_t>(groupStart));
    groupStart_ = groupStart & 0xFFFF;
    Recompute();
}

datQsigAdr::Range datQsigAdr::RangeOf(int entry) const
{
    if (entry < 0 || entry >= kEntries)
        return {1, 0};
    return ranges_[static_cast<std::size_t>(entry)];
}

bool datQsigAdr::Allows(int entry, std::int32_t address) const
{
    const Range range = RangeOf(entry);
    return address >= range.low && address <= range.high;
}

std::string datQsigAdr::IndividualRangeText(std::int32_t row) const
{
    if (groupStart_ == 0)
        return "----";
    if (row == 0)
        return noEditText(0);
    if (row == 1)
        return noEditText(groupStart_ - 1);
    return "error";
}

std::string datQsigAdr::GroupRangeEndText() { return noEditText(kHighestAddress); }
