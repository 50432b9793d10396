#include "codecs/CodecBasics.h"

#include "cells/cmcFCache.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

std::int32_t keyOf(const CodecRequest &request)
{
    return request.kind == CodecRequest::Kind::Key && request.interactive ? request.code : 0;
}

bool isDigitKey(std::int32_t key) { return key >= '0' && key <= '9'; }

bool isStepKey(std::int32_t key)
{
    return key == CodecRequest::kSpace || key == CodecRequest::kBackspace;
}

bool isPrintableKey(std::int32_t key) { return key > ' ' && key < 127; }

std::string keepDigitsAnd(std::string_view text, std::string_view extra, std::size_t limit)
{
    std::string kept;
    for (char c : text) {
        if (kept.size() >= limit)
            break;
        if ((c >= '0' && c <= '9') || extra.find(c) != std::string_view::npos)
            kept.push_back(c);
    }
    return kept;
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlank = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

std::optional<double> typedNumber(std::string_view text, std::string_view extra)
{
    const std::string kept = keepDigitsAnd(text, extra, kTypedNumberLength);
    if (std::none_of(kept.begin(), kept.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    double number = 0;
    const auto [end, error] = std::from_chars(kept.data(), kept.data() + kept.size(), number);
    (void)end;
    // "--5" and the like read as nothing, that is 0.
    return error == std::errc() ? number : 0.0;
}

std::int64_t roundHalfAway(double value)
{
    constexpr double kLimit = 9.0e18;
    if (!(value > -kLimit))
        return static_cast<std::int64_t>(-kLimit);
    if (value > kLimit)
        return static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(std::round(value));
}

std::int64_t clampTo(std::int64_t value, std::int32_t minimum, std::int32_t maximum)
{
    return std::clamp<std::int64_t>(value, minimum, std::max(minimum, maximum));
}

std::int32_t stepWithin(std::int64_t value, std::int64_t delta, std::int32_t minimum,
                        std::int32_t maximum, RangeEnds ends)
{
    maximum = std::max(minimum, maximum);
    const std::int64_t next = value + delta;
    if (next < minimum)
        return ends == RangeEnds::Saturate ? minimum : maximum;
    if (next > maximum)
        return ends == RangeEnds::Saturate ? maximum : minimum;
    return static_cast<std::int32_t>(next);
}

std::int32_t stepByKey(std::int32_t key, std::int64_t value, std::int64_t by, std::int32_t minimum,
                       std::int32_t maximum, RangeEnds ends)
{
    return stepWithin(value, key == CodecRequest::kSpace ? by : -by, minimum, maximum, ends);
}

std::string trimFraction(std::string text, int zeros)
{
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return text;
    for (; zeros > 0 && text.size() > point + 1 && text.back() == '0'; --zeros)
        text.pop_back();
    if (text.size() == point + 1)
        text.pop_back();
    return text;
}

CodecAnswer editStartingWith(std::int32_t key)
{
    return {.text = std::string(1, static_cast<char>(key)), .open = CodecOpen::Editor(1, 0)};
}

CodecAnswer editSelectingAll(std::string text)
{
    const auto length = static_cast<std::int32_t>(text.size());
    return {.text = std::move(text), .open = CodecOpen::Editor(0, length)};
}

CodecAnswer editWithCaretAt(std::string text, std::int32_t caret)
{
    return {.text = std::move(text), .open = CodecOpen::Editor(caret, 0)};
}

CodecAnswer answerShowing(CodecAnswer answer, std::string shown, std::int32_t stored,
                          std::int32_t current)
{
    if (answer.open.kind != CodecOpen::Kind::Editor)
        answer.text = std::move(shown);
    if (current != stored)
        answer.value = current;
    return answer;
}

std::string namedText(const CodecRequest &request, const char *key)
{
    std::string line;
    if (request.texts == nullptr || !request.texts->TryGetLine(key, 0, line))
        return cmcFCache::kErrorText;
    return line;
}

bool isPrintableAscii(std::int32_t key) { return key >= 32 && key <= 126; }

bool isHexDigitKey(std::int32_t key)
{
    return isPrintableAscii(key) && std::isxdigit(static_cast<unsigned char>(key)) != 0;
}

std::string upperCased(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

bool startsWithOff(std::string_view text)
{
    const std::string upper = upperCased(trimmed(text));
    return upper.starts_with("OF");
}

std::int32_t numberAt(CellCodec::Bytes bytes, std::size_t at)
{
    if (at > bytes.size() || bytes.size() - at < 4)
        return 0;
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4; ++i)
        number = (number << 8) | bytes[at + i];
    return static_cast<std::int32_t>(number);
}

void setNumberAt(CellBytes &bytes, std::size_t at, std::int32_t number)
{
    if (at > bytes.size() || bytes.size() - at < 4)
        return;
    const auto value = static_cast<std::uint32_t>(number);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void answerBytes(CodecAnswer &answer, CellCodec::Bytes stored, CellBytes bytes)
{
    if (!std::ranges::equal(stored, bytes))
        answer.bytes = std::move(bytes);
}
