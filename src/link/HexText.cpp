#include "link/HexText.h"

#include "platform/HexDigits.h"

namespace {

std::int32_t clampedLength(std::size_t size)
{
    constexpr std::size_t kMax = static_cast<std::size_t>(INT32_MAX);
    return static_cast<std::int32_t>(size < kMax ? size : kMax);
}

} // namespace

cmcBuff BytesFromHex(std::string_view text)
{
    cmcBuff bytes;
    // Reserve the text length up front: never fewer bytes than come out.
    bytes.SetLength(clampedLength(text.size()));
    bytes.SetLength(0);
    int highNibble = -1;
    for (char c : text) {
        const int digit = platform::hexDigitValue(c);
        if (digit < 0)
            continue;
        if (highNibble < 0) {
            highNibble = digit;
        } else {
            bytes.AppendByte(static_cast<std::uint8_t>(highNibble << 4 | digit));
            highNibble = -1;
        }
    }
    if (highNibble >= 0)
        bytes.AppendByte(static_cast<std::uint8_t>(highNibble << 4));
    return bytes;
}

std::string HexFromText(std::string_view text)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}
