#include "channels/RecordCodec.h"

#include "channels/ChannelGlobals.h"
#include "channels/datCh.h"
#include "image/BitField.h"
#include "image/cmcEeprom.h"
#include "platform/FatalError.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <type_traits>

using namespace record_layout;

namespace {

template <class T>
struct IsByteArray : std::false_type {};
template <std::size_t N>
struct IsByteArray<std::array<uint8_t, N>> : std::true_type {};

// Table rows name members by type; a coding paired with a member of another
// type is a fault in the tables themselves.
template <class T>
T &member(datCh &record, const Field &field)
{
    const auto *pointer = std::get_if<T datCh::*>(&field.member);
    if (pointer == nullptr || *pointer == nullptr)
        platform::fatalError("Record layout names a member of the wrong type.");
    return record.**pointer;
}

std::span<uint8_t> bytesOf(datCh &record, const Field &field)
{
    return std::visit(
        [&record](auto pointer) -> std::span<uint8_t> {
            using Target = std::remove_reference_t<decltype(record.*pointer)>;
            if constexpr (IsByteArray<Target>::value)
                return std::span<uint8_t>(record.*pointer);
            else
                return {};
        },
        field.member);
}

double &realOf(datCh &record, const Field &field)
{
    if (std::holds_alternative<datCh::RealPair datCh::*>(field.member))
        return member<datCh::RealPair>(record, field)[field.shift & 1];
    return member<double>(record, field);
}

uint32_t readNumber(const cmcEeprom &image, int32_t address, int size)
{
    return BitField::bytes(address, size).Read(image);
}

void writeNumber(cmcEeprom &image, int32_t address, int size, uint32_t value)
{
    BitField::bytes(address, size).Write(image, value);
}

int32_t clampFrequency(int64_t hertz)
{
    return static_cast<int32_t>(std::clamp<int64_t>(hertz, 0, datCh::kMaxFrequency));
}

BitField bitsOf(int32_t address, const Field &field) { return {address, field.lsb, field.width}; }

void writeBit(cmcEeprom &image, int32_t address, uint8_t bit, bool on)
{
    BitField::bit(address, bit).Write(image, on ? 1 : 0);
}

// An action number 26..37 picks one of four outputs (group 1..4) in one of
// three states; everything else drives none.
uint8_t actionGroup(int32_t action)
{
    return action >= 26 && action <= 37 ? static_cast<uint8_t>((action - 26) / 3 + 1) : 0;
}
uint8_t actionState(int32_t action)
{
    return action >= 26 && action <= 37 ? static_cast<uint8_t>((action - 26) % 3) : 0;
}

bool holdsNonSpace(std::span<const uint8_t> text)
{
    return std::any_of(text.begin(), text.end(), [](uint8_t c) { return c != ' '; });
}

// Scan membership: bitmap k holds member bit (planes - 2 - k); the last
// bitmap holds no list and is cleared on every write.
int32_t decodePlanes(const cmcEeprom &image, int32_t address, const Field &field, int row)
{
    const BitField first = BitField::mapBit(address, row);
    uint32_t value = 0;
    for (int plane = 0; plane < field.width; ++plane)
        value = (value << 1) | first.Stepped(plane, field.value).Read(image);
    return static_cast<int32_t>(value >> 1);
}

void encodePlanes(cmcEeprom &image, int32_t address, const Field &field, int row, int32_t value)
{
    const BitField first = BitField::mapBit(address, row);
    const uint32_t shifted = static_cast<uint32_t>(value) << 1;
    for (int plane = 0; plane < field.width; ++plane)
        first.Stepped(plane, field.value).Write(image, shifted >> (field.width - 1 - plane));
}

int32_t decodeBcd(const cmcEeprom &image, int32_t address)
{
    const uint32_t digits = readNumber(image, address, 2);
    int32_t value = 0;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const uint32_t digit = (digits >> shift) & 0xF;
        if (digit > 9)
            return 0xFFFF;
        value = value * 10 + static_cast<int32_t>(digit);
    }
    return value;
}

// An address that is no 4-digit number reads back as the same "no
// address": digits a radio stored that are not decimal stay as they are
// (editing another field of the entry must not rewrite them), anything else
// becomes all non-decimal digits.
void encodeBcd(cmcEeprom &image, int32_t address, int32_t value)
{
    if ((value < 0 || value > 9999) && decodeBcd(image, address) == 0xFFFF)
        return;
    uint32_t digits = 0xFFFF;
    if (value >= 0 && value <= 9999) {
        digits = 0;
        for (int32_t divisor = 1000; divisor > 0; divisor /= 10)
            digits = (digits << 4) | static_cast<uint32_t>((value / divisor) % 10);
    }
    writeNumber(image, address, 2, digits);
}

// Floating members are written back truncated; a value outside what the
// bytes hold is stopped at their limits rather than wrapped.
uint32_t truncatedReal(double value, int size)
{
    const double limit = size >= 2 ? 65535.0 : 255.0;
    if (!(value > 0))
        return 0;
    return static_cast<uint32_t>(std::trunc(std::min(value, limit)));
}

struct Place {
    cmcEeprom &image;
    int32_t address;
    int row;
    int sectionRow;
};

void decodeNibbles(datCh &record, const Field &field, const Place &at)
{
    std::span<uint8_t> digits = bytesOf(record, field);
    for (int n = 0; n < field.width && n < static_cast<int>(digits.size()); ++n)
        digits[static_cast<std::size_t>(n)] =
            static_cast<uint8_t>(BitField::nibble(at.address, n).Read(at.image));
}

void encodeNibbles(datCh &record, const Field &field, const Place &at)
{
    std::span<uint8_t> digits = bytesOf(record, field);
    // Only whole bytes are written: an odd last digit leaves its byte alone.
    const int written = std::min(field.width / 2, static_cast<int>(digits.size()) / 2) * 2;
    for (int n = 0; n < written; ++n)
        BitField::nibble(at.address, n).Write(at.image, digits[static_cast<std::size_t>(n)]);
}

void decodeField(datCh &record, const Field &field, const Place &at)
{
    cmcEeprom &image = at.image;
    switch (field.coding) {
    case Coding::Bits:
        member<int32_t>(record, field) |=
            static_cast<int32_t>(bitsOf(at.address, field).Read(image)) << field.shift;
        break;
    case Coding::NotBit:
        member<int32_t>(record, field) |= (bitsOf(at.address, field).Read(image) == 0 ? 1 : 0)
                                          << field.shift;
        break;
    case Coding::Number:
        member<int32_t>(record, field) =
            static_cast<int32_t>(readNumber(image, at.address, field.width));
        break;
    case Coding::Frequency:
        member<int32_t>(record, field) =
            clampFrequency(readNumber(image, at.address, 4) & 0x7FFFFFFFu);
        break;
    case Coding::Bytes: {
        std::span<uint8_t> text = bytesOf(record, field);
        image.ReadBlock(at.address, text.data(),
                        std::min<int32_t>(field.width, static_cast<int32_t>(text.size())));
        break;
    }
    case Coding::Nibbles:
        decodeNibbles(record, field, at);
        break;
    case Coding::Tone:
        member<ToneSetting>(record, field) =
            ToneSetting::fromStored(image.GetByte(at.address), image.GetByte(at.address + 1));
        break;
    case Coding::NonZeroByte:
        member<int32_t>(record, field) = image.GetByte(at.address) != 0 ? 1 : 0;
        break;
    case Coding::RowWord:
        member<int32_t>(record, field) = ChannelGlobals::readWord(image, at.address) == at.row;
        break;
    case Coding::BankFlag:
        member<int32_t>(record, field) = ChannelGlobals::bankFlag(image, at.address, at.row);
        break;
    case Coding::ChannelBankFlag:
        member<int32_t>(record, field) = ChannelGlobals::bankFlag(
            image, at.address, ChannelGlobals::bankOfChannel(image, at.row));
        break;
    case Coding::ScanPlanes:
        member<int32_t>(record, field) = decodePlanes(image, at.address, field, at.row);
        break;
    case Coding::RowBit:
        member<int32_t>(record, field) =
            static_cast<int32_t>(BitField::mapBit(at.address, at.row).Read(image));
        break;
    case Coding::Real:
        realOf(record, field) = readNumber(image, at.address, field.width);
        break;
    case Coding::BcdAddress:
        member<int32_t>(record, field) = decodeBcd(image, at.address);
        break;
    case Coding::ActionGroup:
    case Coding::ActionState:
        // Derived bytes are rewritten on every read too.
        break;
    case Coding::TwoToneCode:
        member<int32_t>(record, field) = BitField::nibble(at.address, 1).Read(image) != 0x0F;
        break;
    case Coding::TextPresent:
    case Coding::Fill:
    case Coding::NonZeroBit:
        break;
    }
}

void encodeDerived(datCh &record, const Field &field, const Place &at)
{
    cmcEeprom &image = at.image;
    const int32_t value = member<int32_t>(record, field);
    if (field.coding == Coding::ActionGroup) {
        image.SetByte(at.address, actionGroup(value));
    } else if (field.coding == Coding::ActionState) {
        BitField(at.address, 0, 2).Write(image, actionState(value));
    }
}

void encodeField(datCh &record, const Field &field, const Place &at)
{
    cmcEeprom &image = at.image;
    switch (field.coding) {
    case Coding::Bits:
        bitsOf(at.address, field)
            .Write(image, static_cast<uint32_t>(member<int32_t>(record, field)) >> field.shift);
        break;
    case Coding::NotBit: {
        const uint32_t on =
            (static_cast<uint32_t>(member<int32_t>(record, field)) >> field.shift) & 1;
        bitsOf(at.address, field).Write(image, on ^ 1);
        break;
    }
    case Coding::Number:
        writeNumber(image, at.address, field.width,
                    static_cast<uint32_t>(member<int32_t>(record, field)));
        break;
    case Coding::Frequency: {
        int32_t &hertz = member<int32_t>(record, field);
        hertz = clampFrequency(hertz);
        writeNumber(image, at.address, 4, static_cast<uint32_t>(hertz));
        break;
    }
    case Coding::Bytes: {
        std::span<uint8_t> text = bytesOf(record, field);
        image.WriteBlock(at.address, text.data(),
                         std::min<int32_t>(field.width, static_cast<int32_t>(text.size())));
        break;
    }
    case Coding::Nibbles:
        encodeNibbles(record, field, at);
        break;
    case Coding::Tone: {
        uint8_t b0 = image.GetByte(at.address);
        uint8_t b1 = image.GetByte(at.address + 1);
        member<ToneSetting>(record, field).toStored(b0, b1);
        image.SetByte(at.address, b0);
        image.SetByte(at.address + 1, b1);
        break;
    }
    case Coding::TextPresent: {
        std::span<uint8_t> text = bytesOf(record, field);
        writeBit(image, at.address, field.lsb,
                 holdsNonSpace(text.first(std::min<std::size_t>(field.width, text.size()))));
        break;
    }
    case Coding::Fill:
        for (int i = 0; i < field.width; ++i)
            image.SetByte(at.address + i, field.value);
        break;
    case Coding::NonZeroByte:
        image.SetByte(at.address, member<int32_t>(record, field) != 0 ? 0xFF : 0x00);
        break;
    case Coding::NonZeroBit:
        writeBit(image, at.address, field.lsb, member<int32_t>(record, field) != 0);
        break;
    case Coding::RowWord:
        // Only setting a designation moves it; clearing it here writes nothing.
        if (member<int32_t>(record, field) != 0)
            ChannelGlobals::writeWord(image, at.address, at.row);
        break;
    case Coding::BankFlag:
        ChannelGlobals::setBankFlag(image, at.address, at.row, member<int32_t>(record, field) != 0);
        break;
    case Coding::ChannelBankFlag:
        ChannelGlobals::setBankFlag(image, at.address, ChannelGlobals::bankOfChannel(image, at.row),
                                    member<int32_t>(record, field) != 0);
        break;
    case Coding::ScanPlanes:
        encodePlanes(image, at.address, field, at.row, member<int32_t>(record, field));
        break;
    case Coding::RowBit:
        BitField::mapBit(at.address, at.row)
            .Write(image, member<int32_t>(record, field) != 0 ? 1 : 0);
        break;
    case Coding::Real:
        writeNumber(image, at.address, field.width,
                    truncatedReal(realOf(record, field), field.width));
        break;
    case Coding::BcdAddress:
        encodeBcd(image, at.address, member<int32_t>(record, field));
        break;
    case Coding::ActionGroup:
    case Coding::ActionState:
        encodeDerived(record, field, at);
        break;
    case Coding::TwoToneCode: {
        const int code = at.sectionRow & 0x0F;
        const int low = member<int32_t>(record, field) != 0 ? code : 0x0F;
        image.SetByte(at.address, static_cast<uint8_t>((code << 4) | low));
        break;
    }
    }
}

template <class Visit>
void forEachField(const Layout &layout, cmcEeprom &image, int row, Direction skipped, Visit visit)
{
    for (const Field &field : layout.fields) {
        if (field.direction == skipped || field.section >= layout.sections.size())
            continue;
        const Section &section = layout.sections[field.section];
        if (row < section.firstRow)
            continue;
        visit(field, Place{image, section.base + section.stride * row + field.byte, row,
                           row - section.firstRow});
    }
}

} // namespace

void RecordCodec::decode(datCh &record, const Layout &layout, cmcEeprom &image, int row)
{
    forEachField(layout, image, row, Direction::EncodeOnly,
                 [&record](const Field &field, const Place &at) {
                     decodeField(record, field, at);
                     // Derived action bytes follow the number on a read as well.
                     if (field.coding == Coding::ActionGroup || field.coding == Coding::ActionState)
                         encodeDerived(record, field, at);
                 });
}

void RecordCodec::encode(datCh &record, const Layout &layout, cmcEeprom &image, int row)
{
    forEachField(
        layout, image, row, Direction::DecodeOnly,
        [&record](const Field &field, const Place &at) { encodeField(record, field, at); });
}
