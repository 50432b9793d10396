#pragma once

#include "cells/CellCodec.h"

#include <array>
#include <cstdint>

// Digit strings and identities: DTMF and 5-tone codes, dPMR identities
// with wildcards and strings of hexadecimal digits. None of them steps:
// Space and Backspace act as Enter, which starts the in-place editor with
// the whole text selected; a key the codec accepts starts it with that key.

// DTMF digits shown as "0123456789ABCD*#". The value is bytes: the digits
// one a byte (as the records keep them), then the digit count as a 4-byte
// number (CellStorage::recordBytes<&datCh::Digits, &datCh::DigitCount>()).
// A typed text keeps its digits, A..F in either case, '*' (14) and '#' (15)
// up to `maxDigits`; the other digits are cleared and the count set.
CellCodec editDtmfDigits(int maxDigits);

// 5-tone codes: 8 digits in 4 packed bytes, a digit 0xF ending the code,
// shown as "0123456789ABCDE*". A receive code is followed by its repeat
// mask as a 4-byte number whose low byte holds the mask (bit 7 for the
// first digit); a repeat digit shows and is typed as '+'. The request's
// context is the group code, the digit that stands for any digit: it shows
// and is typed as '*' (or G).
enum class FiveToneForm : std::uint8_t { Receive, Transmit };
CellCodec editFiveTone(FiveToneForm form);

// dPMR identities: 7 digits in 4 packed bytes held as one number (first
// byte most significant, the records' form), shown with '*' for a wildcard.
// A typed identity is padded on the left with '0' to nine places (the
// identity is places 2..8), pulled into minimum..maximum (5 bytes compared
// as byte strings) and then stored. A wildcard may stand first (and then
// every place must be one) or from the fourth digit on (the places after it
// become wildcards too); elsewhere, or where no wildcard is allowed, the
// entry is refused.
struct IdBcdRange {
    std::array<std::uint8_t, 5> minimum{};
    std::array<std::uint8_t, 5> maximum{};
    bool wildcards = false;
    // An own unit ID never ends in six zeros: x000000 becomes x000001.
    bool ownUnit = false;
};
inline constexpr IdBcdRange kOwnUnitIdRange{
    {0x00, 0x00, 0x00, 0x00, 0x10}, {0x00, 0x99, 0x99, 0x99, 0x80}, false, true};
inline constexpr IdBcdRange kDpmrListIdRange{
    {0x00, 0x00, 0x00, 0x00, 0x10}, {0x00, 0xAA, 0xAA, 0xAA, 0xA0}, true, false};
CellCodec editIdBcd(const IdBcdRange &range);

// `count` hexadecimal digits packed two a byte, the first in the high half
// of the first byte. A typed text keeps its digits (and A..F in either case
// when `letters`), is padded on the left with '0' to `count` and cut to it.
CellCodec editHexString(int count, bool letters);
