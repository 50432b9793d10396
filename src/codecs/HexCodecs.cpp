#include "codecs/HexCodecs.h"

#include "codecs/CodecBasics.h"
#include "platform/HexDigits.h"

#include <algorithm>
#include <string>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool isHexKey(std::int32_t key)
{
    return key > 0 && key < 128 && platform::hexDigitValue(static_cast<char>(key)) >= 0;
}

// Hexadecimal values have no steps: Space and Backspace open the editor as
// Enter does, a digit opens it with itself.
CodecAnswer hexAnswer(std::int32_t key, std::string text, std::int32_t stored, std::int32_t current)
{
    CodecAnswer answer;
    if (isStepKey(key) || key == CodecRequest::kEnter)
        answer = editSelectingAll(text);
    else if (isHexKey(key))
        answer = editStartingWith(key);
    return answerShowing(std::move(answer), std::move(text), stored, current);
}

// --- value ---

struct HexValueParams {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    int digits = 1;
};

std::string hexText(std::uint32_t value, int digits)
{
    std::string text;
    do {
        text.insert(text.begin(), kHexDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (text.size() < static_cast<std::size_t>(digits))
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return text;
}

CodecAnswer runHexValue(const HexValueParams &params, std::int32_t value,
                        const CodecRequest &request)
{
    std::int32_t current = value;
    if (request.kind == CodecRequest::Kind::Typed) {
        const std::string_view typed =
            trimmed(request.typed).substr(0, static_cast<std::size_t>(params.digits) + 1);
        if (!typed.empty() && platform::isHexText(typed)) {
            std::int64_t number = 0;
            for (char c : typed)
                number = number * 16 + platform::hexDigitValue(c);
            current = static_cast<std::int32_t>(clampTo(number, params.minimum, params.maximum));
        }
    }
    return hexAnswer(keyOf(request), hexText(static_cast<std::uint32_t>(current), params.digits),
                     value, current);
}

// --- digits ---

struct HexDigitsParams {
    int count = 1;
    bool letters = false;
};

std::string nibbleText(std::uint32_t value, int count)
{
    std::string text;
    for (int i = count - 1; i >= 0; --i)
        text.push_back(kHexDigits[(value >> (4 * i)) & 0xF]);
    return text;
}

CodecAnswer runHexDigits(const HexDigitsParams &params, std::int32_t value,
                         const CodecRequest &request)
{
    std::int32_t current = value;
    if (request.kind == CodecRequest::Kind::Typed) {
        std::string kept = keepDigitsAnd(request.typed, params.letters ? "abcdefABCDEF" : "");
        if (!kept.empty()) {
            const auto count = static_cast<std::size_t>(params.count);
            if (kept.size() < count)
                kept.insert(0, count - kept.size(), '0');
            kept.resize(count);
            std::uint32_t nibbles = 0;
            for (char c : kept)
                nibbles = (nibbles << 4) | static_cast<std::uint32_t>(platform::hexDigitValue(c));
            // Nibbles beyond the count belong to no digit and stay as they were.
            const std::uint32_t mask =
                params.count >= 8 ? 0xFFFFFFFFu : (1u << (4 * params.count)) - 1;
            current =
                static_cast<std::int32_t>((static_cast<std::uint32_t>(value) & ~mask) | nibbles);
        }
    }
    return hexAnswer(keyOf(request), nibbleText(static_cast<std::uint32_t>(current), params.count),
                     value, current);
}

// --- one digit ---

struct HexDigitParams {
    bool fAllowed = false;
};

CodecAnswer runHexDigit(const HexDigitParams &params, std::int32_t value,
                        const CodecRequest &request)
{
    const std::int32_t highest = params.fAllowed ? 15 : 14;
    std::int32_t current = value;
    if (request.kind == CodecRequest::Kind::Typed) {
        const std::string_view typed = trimmed(request.typed);
        const int digit = typed.empty() ? -1 : platform::hexDigitValue(typed.front());
        if (digit >= 0 && digit <= highest)
            current = digit;
    }
    CodecAnswer answer =
        hexAnswer(keyOf(request), std::string(1, kHexDigits[current & 0xF]), value, current);
    // The one digit is selected, so that the next one typed replaces it.
    if (answer.open.kind == CodecOpen::Kind::Editor)
        answer.open = CodecOpen::Editor(0, 1);
    return answer;
}

} // namespace

CellCodec editHexValue(std::int32_t minimum, std::int32_t maximum, int digits)
{
    return CellCodec(runHexValue, HexValueParams{minimum, maximum, std::clamp(digits, 1, 8)});
}

CellCodec editHexDigits(int count, bool letters)
{
    return CellCodec(runHexDigits, HexDigitsParams{std::clamp(count, 1, 8), letters});
}

CellCodec editHexDigit(bool fAllowed) { return CellCodec(runHexDigit, HexDigitParams{fAllowed}); }

std::int32_t nibblesToValue(std::span<const std::uint8_t> nibbles)
{
    std::uint32_t value = 0;
    for (std::uint8_t nibble : nibbles.first(std::min<std::size_t>(nibbles.size(), 8)))
        value = (value << 4) | (nibble & 0xFu);
    return static_cast<std::int32_t>(value);
}

void valueToNibbles(std::int32_t value, std::span<std::uint8_t> nibbles)
{
    const std::size_t count = std::min<std::size_t>(nibbles.size(), 8);
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < count; ++i)
        nibbles[i] = static_cast<std::uint8_t>((bits >> (4 * (count - 1 - i))) & 0xF);
}
