#include "channels/DpmrIdentity.h"

#include "channels/ChannelOffsets.h"
#include "channels/DigitAlphabets.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"

#include <algorithm>
#include <array>

std::uint8_t identityDigit(std::uint32_t identity, int position)
{
    return static_cast<std::uint8_t>((identity >> (28 - 4 * position)) & 0x0F);
}

bool identityHasWildcard(std::uint32_t identity)
{
    for (int position = 0; position < 8; ++position) {
        if (identityDigit(identity, position) == kWildcardDigit)
            return true;
    }
    return false;
}

std::int32_t identityNumber(std::uint32_t identity)
{
    std::int32_t number = 0;
    for (int position = 0; position < kIdentityDigits; ++position)
        number = number * 10 + identityDigit(identity, position);
    return number;
}

std::string identityText(std::uint32_t identity)
{
    std::string text;
    for (int position = 0; position < kIdentityDigits; ++position)
        text += digitCharacter(kIdentityAlphabet, identityDigit(identity, position));
    return text;
}

std::uint32_t firstGroupIdentity(const cmcEeprom &image)
{
    std::uint32_t identity = 0;
    for (int i = 0; i < 4; ++i)
        identity = (identity << 8) | image.GetByte(channel_offsets::kDpmrFirstGroupId + i);
    return identity;
}

bool isGroupIdentity(std::uint32_t identity, std::uint32_t firstGroup)
{
    return identityHasWildcard(identity) ||
           (identity >= firstGroup && identity <= kAllWildcardIdentity);
}

bool isIndividualIdentity(std::uint32_t identity, std::uint32_t firstGroup)
{
    return !identityHasWildcard(identity) && identityNumber(identity) < identityNumber(firstGroup);
}

bool passesFilter(DpmrIdFilter filter, std::uint32_t identity, std::uint32_t firstGroup)
{
    using Test = bool (*)(std::uint32_t, std::uint32_t);
    static constexpr std::array<Test, 3> kTests = {
        [](std::uint32_t, std::uint32_t) { return true; }, isGroupIdentity, isIndividualIdentity};
    return kTests[static_cast<std::size_t>(filter)](identity, firstGroup);
}

DpmrIdList DpmrIdList::Read(const datCh &record)
{
    DpmrIdList list;
    if (record.image == nullptr)
        return list;
    list.firstGroup = firstGroupIdentity(*record.image);
    // A damaged count word must not send the rows past the list's area.
    const int count = std::clamp(record.listCount(datCh::kKindDpmrId), 0,
                                 datCh::lastIndex(datCh::kKindDpmrId) + 1);
    datCh row = record;
    for (int i = 0; i < count; ++i) {
        row.decode(datCh::kKindDpmrId, i);
        list.identities.push_back(static_cast<std::uint32_t>(row.Id));
    }
    return list;
}

std::vector<std::int32_t> DpmrIdList::Passing(DpmrIdFilter filter) const
{
    std::vector<std::int32_t> passing;
    for (std::size_t i = 0; i < identities.size(); ++i) {
        if (passesFilter(filter, identities[i], firstGroup))
            passing.push_back(static_cast<std::int32_t>(i));
    }
    return passing;
}
