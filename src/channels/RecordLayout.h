#pragma once

#include "channels/datCh.h"

#include <cstdint>
#include <span>
#include <variant>

// Where one row of a record kind lives and which bits feed which member.
// Every kind is a table of fields; the codec walks the table both ways, so a
// layout is written once and decode and encode cannot drift apart.
namespace record_layout {

// How a field's bytes become a member and back.
enum class Coding : uint8_t {
    Bits,            // `width` bits from bit `lsb`, at member bit `shift`
    NotBit,          // one bit stored inverted
    Number,          // `width` bytes big-endian
    Frequency,       // 4 bytes big-endian, top bit not part of it, clamped
    Bytes,           // `width` bytes copied verbatim
    Nibbles,         // `width` nibbles, first in the high nibble, one a member byte
    Tone,            // two-byte tone setting
    TextPresent,     // bit `lsb` set when the first `width` text bytes hold a non-space
    Fill,            // `width` bytes written as `value`
    NonZeroByte,     // member 0/1; written 0x00 or 0xFF
    NonZeroBit,      // bit `lsb` set when the member is not 0
    RowWord,         // member 1 when the 16-bit word holds the row; set writes the row
    BankFlag,        // the flag bit of the bank the row (a bank) names
    ChannelBankFlag, // the flag bit of the bank the row (a channel) belongs to
    ScanPlanes,      // one bit a row in each of `width` bitmaps, `value` bytes apart
    RowBit,          // bit `row` of a bitmap, first row in the top bit
    Real,            // `width` bytes big-endian into a floating member, truncated back
    BcdAddress,      // four BCD digits in 2 bytes; 65535 when a digit is not decimal
    ActionGroup,     // output group of an action number, whole byte
    ActionState,     // state of an action number, bits 1-0
    TwoToneCode,     // 2-tone transmit code byte, built from the row number
};

enum class Direction : uint8_t { Both, DecodeOnly, EncodeOnly };

using MemberRef =
    std::variant<int32_t datCh::*, double datCh::*, datCh::RealPair datCh::*, ToneSetting datCh::*,
                 datCh::Bytes4 datCh::*, datCh::Text12 datCh::*, datCh::Text24 datCh::*,
                 datCh::Glyph datCh::*, datCh::Message100 datCh::*>;

// A run of rows: row i starts at base + stride * i. Fields with a stride of
// 0 address absolute places. Rows below firstRow have no bytes there.
struct Section {
    int32_t base;
    int32_t stride;
    int32_t firstRow = 0;
};

struct Field {
    uint8_t section;
    int32_t byte;
    Coding coding;
    uint8_t lsb;
    uint8_t width;
    uint8_t shift;
    MemberRef member;
    Direction direction = Direction::Both;
    uint8_t value = 0;
};

// Extra work a kind needs beyond its fields.
enum Specifics : uint8_t {
    kNone = 0,
    kChannel = 1,     // priority E gate, used and present
    kDtmfRefresh = 2, // recompute every channel's derived DTMF bit
};

struct Layout {
    int32_t rows; // storage rows; other indexes leave the record alone
    int firstIndex;
    int lastIndex;
    int flags;
    std::span<const Section> sections;
    std::span<const Field> fields;
    uint8_t specifics = kNone;
};

// The layout of a kind; kinds outside 0..29 get the empty layout of kind 0.
const Layout &layoutOf(int kind);

} // namespace record_layout
