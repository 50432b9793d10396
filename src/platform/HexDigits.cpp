#include "platform/HexDigits.h"

#include <algorithm>

namespace platform {

namespace {

// Eight digits fill 32 bits; one more would be lost off the top.
constexpr std::size_t kMaxNumberDigits = 8;

} // namespace

int hexDigitValue(char c)
{
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return upperHexDigitValue(c);
}

int upperHexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isHexText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return hexDigitValue(c) >= 0; });
}

std::optional<std::uint32_t> hexNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > kMaxNumberDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

} // namespace platform
