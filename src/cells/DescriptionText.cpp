#include "cells/DescriptionText.h"

#include <limits>

namespace {

bool isWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

bool isBlankOrControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

std::int32_t readDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

namespace {

template <typename Trimmed>
std::string_view trimmed(std::string_view text, Trimmed trim)
{
    while (!text.empty() && trim(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && trim(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string_view trimBlanks(std::string_view text) { return trimmed(text, isBlank); }

std::string_view trimBlanksAndControls(std::string_view text)
{
    return trimmed(text, isBlankOrControl);
}

bool valueAfterEquals(std::string_view property, std::string_view &value)
{
    const std::size_t equals = property.find('=');
    if (equals == std::string_view::npos)
        return false;
    value = property.substr(equals + 1);
    return true;
}

std::int32_t wrappingAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
