#pragma once

#include <cstdint>
#include <string>
#include <vector>

class cmcEeprom;
class datCh;

// dPMR identities: 7 decimal digits packed into 4 bytes, first digit in the
// high nibble of the first byte, the eighth nibble spare. A digit of value
// 10 is a wildcard. Records keep the 4 bytes as one 32-bit number, first
// byte most significant, and so do the functions here.
//
// The working image holds the first group identity: identities below it
// are individual identities, identities from it on and identities holding a
// wildcard are group identities.

inline constexpr std::uint8_t kWildcardDigit = 10;
inline constexpr int kIdentityDigits = 7;
// All seven digits wildcards: the highest identity a list entry may hold.
inline constexpr std::uint32_t kAllWildcardIdentity = 0xAAAAAAA0;

// Digit `position` (0..7, 7 the spare nibble).
std::uint8_t identityDigit(std::uint32_t identity, int position);
// A wildcard among the first 8 nibbles.
bool identityHasWildcard(std::uint32_t identity);
// digit1 * 10^6 + ... + digit7, each digit taken at its nibble's value.
std::int32_t identityNumber(std::uint32_t identity);
// The 7 digits as shown, the wildcard as '*'.
std::string identityText(std::uint32_t identity);

std::uint32_t firstGroupIdentity(const cmcEeprom &image);

// Which entries of the dPMR ID list a choice offers (the order of the
// tables keyed by it).
enum class DpmrIdFilter : std::uint8_t { All = 0, Group = 1, Individual = 2 };

// A wildcard, or the 4 bytes from the first group identity up to all
// wildcards (compared as byte strings).
bool isGroupIdentity(std::uint32_t identity, std::uint32_t firstGroup);
// No wildcard and a number below the first group identity's.
bool isIndividualIdentity(std::uint32_t identity, std::uint32_t firstGroup);
bool passesFilter(DpmrIdFilter filter, std::uint32_t identity, std::uint32_t firstGroup);

// The dPMR ID list as a choice sees it: every entry's identity in list
// order, and the first group identity, read through a copy of `record`
// (any record bound to the working image; the record itself is not
// touched).
struct DpmrIdList {
    std::vector<std::uint32_t> identities;
    std::uint32_t firstGroup = 0;

    static DpmrIdList Read(const datCh &record);
    // Indexes of the entries that pass, in list order.
    std::vector<std::int32_t> Passing(DpmrIdFilter filter) const;
};
