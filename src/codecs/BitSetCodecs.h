#pragma once

#include "cells/CellCodec.h"
#include "cells/EventCodes.h"

#include <array>
#include <cstdint>

class datCh;

// Sets of members, one bit each: the bit set of numbered members (scan
// lists, receive code numbers) and the channel's attribute flags.

// Members first..last (at most 25). With more than 8 members the first is
// bit n - 1 of the value and the last bit 0; with 8 or fewer the value is a
// byte whose bit 7 is the first member. The cell shows one character per
// member ('_' when clear) and a line end: in style 3 members below 10 as
// digits and from 10 on as letters, otherwise the member number's last digit;
// the 17th member as 'Z'. A member's character toggles it, Space sets all
// or (when any is set) clears all, Backspace inverts all, and Enter opens
// the flag bits window `windowKey` with the left-aligned mask.
CellCodec editBitSet(std::int32_t first, std::int32_t last, std::int32_t style,
                     const char *windowKey);

// Towards the flag bits window the mask is left-aligned: member first + i
// at bit 25 - i.
std::int32_t leftAlignedMembers(std::int32_t value, std::int32_t first, std::int32_t last);
std::int32_t membersFromLeftAligned(std::int32_t mask, std::int32_t first, std::int32_t last);

// The channel's attributes as one value, one bit each.
enum ChannelAttribute : std::int32_t {
    kAttributeA = 0x01,
    kAttributeB = 0x02,
    kAttributeE = 0x04,
    kAttributeEOff = 0x08,
    kAttributeBankSmarTrunk = 0x10,
    kAttributeBankLtr = 0x20,
};
std::int32_t channelAttributes(const datCh &record);
void setChannelAttributes(datCh &record, std::int32_t attributes);

// The attributes: "A", "B" and "E" (E only while not switched off). Enter
// opens the menu `menuKey`; its items 1..6 set A, set B, switch E on, switch
// E off, toggle the bank's SmarTrunk and its LTR flag.
CellCodec editFlagSet(const char *menuKey);

// Every item the attribute menu answers changes the channel, even one that
// sets a flag already set: its row posts these events, in this order.
inline constexpr std::array<EventCode, 2> kFlagSetEvents = {kEvRefreshBankImages,
                                                            kEvRefreshBankSheet};
