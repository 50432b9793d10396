#include "codecs/DigitCodecs.h"

#include "channels/DigitAlphabets.h"
#include "channels/DpmrIdentity.h"
#include "channels/NibbleArray.h"
#include "channels/cmcPackedBcd.h"
#include "codecs/CodecBasics.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

namespace {

using Bytes = CellCodec::Bytes;

// The value of a hexadecimal digit character, -1 for anything else.
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const int upper = std::toupper(static_cast<unsigned char>(c));
    return upper >= 'A' && upper <= 'F' ? upper - 'A' + 10 : -1;
}

// The answer of a codec without stepping: Space, Backspace and Enter edit
// the shown text, an accepted key starts the editor with itself.
CodecAnswer answerDigits(std::string shown, const CodecRequest &request, bool (*accepts)(int key))
{
    const std::int32_t key = keyOf(request);
    if (key == CodecRequest::kEnter || key == CodecRequest::kSpace ||
        key == CodecRequest::kBackspace)
        return editSelectingAll(std::move(shown));
    if (isPrintableAscii(key) && accepts(key))
        return editStartingWith(key);
    return {.text = std::move(shown)};
}

// --- DTMF ---

struct DtmfParams {
    int maxDigits = 24;
};

bool dtmfKey(int key) { return isHexDigitKey(key) || key == '*' || key == '#'; }

int dtmfValue(char c)
{
    if (c == '*')
        return 14;
    if (c == '#')
        return 15;
    return hexValue(c);
}

CodecAnswer dtmfDigits(const DtmfParams &params, Bytes bytes, const CodecRequest &request)
{
    if (bytes.size() < 4)
        return {};
    const std::size_t area = bytes.size() - 4;
    const auto limit = std::min(static_cast<std::size_t>(std::max(params.maxDigits, 0)), area);
    const auto show = [&](Bytes digits, std::int32_t count) {
        std::string text;
        const auto shown = static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, limit));
        for (std::size_t i = 0; i < shown; ++i)
            text += digitCharacter(kDtmfAlphabet, digits[i] & 0x0F);
        return text;
    };

    if (request.kind == CodecRequest::Kind::Typed) {
        cmcPackedBcd digits;
        for (char c : request.typed) {
            if (static_cast<std::size_t>(digits.Count()) >= limit)
                break;
            if (const int value = dtmfValue(c); value >= 0)
                digits.AppendNibble(static_cast<std::uint8_t>(value));
        }
        CellBytes next(bytes.begin(), bytes.end());
        std::fill_n(next.begin(), area, std::uint8_t{0});
        for (std::int32_t i = 0; i < digits.Count(); ++i)
            next[static_cast<std::size_t>(i)] = digits.Nibble(i);
        setNumberAt(next, area, digits.Count());
        CodecAnswer answer{.text = show(next, digits.Count())};
        answerBytes(answer, bytes, std::move(next));
        return answer;
    }
    return answerDigits(show(bytes, numberAt(bytes, area)), request, dtmfKey);
}

// --- 5-tone ---

constexpr std::size_t kFiveToneBytes = 4;
constexpr int kFiveToneDigits = 8;
constexpr std::uint8_t kEndDigit = 0xF;

struct FiveToneParams {
    FiveToneForm form = FiveToneForm::Receive;
};

bool fiveToneKey(int key)
{
    return isHexDigitKey(key) || key == '*' || key == 'G' || key == 'g' || key == '#' || key == '+';
}

// Digits are read while their byte is below 0xF0, two a byte, one when the
// low half is 0xF.
int fiveToneDigitCount(Bytes code)
{
    int count = 0;
    for (std::size_t i = 0; i < kFiveToneBytes && code[i] < 0xF0; ++i) {
        if ((code[i] & 0x0F) == kEndDigit)
            return count + 1;
        count += 2;
    }
    return count;
}

std::string fiveToneText(Bytes code, std::uint8_t mask, int groupCode)
{
    std::string text;
    const int count = fiveToneDigitCount(code);
    for (int i = 0; i < count; ++i) {
        const std::uint8_t digit = nibbleAt(code, static_cast<std::size_t>(i));
        if ((mask & (0x80 >> i)) != 0)
            text += '+';
        else if (digit == groupCode)
            text += '*';
        else
            text += digitCharacter(kFiveToneAlphabet, digit);
    }
    return text;
}

// The typed characters a code takes; transmit codes have no repeat digits.
std::string fiveToneCharacters(std::string_view typed, bool receive)
{
    const std::string_view accepted = receive ? "abcdefgABCDEFG*+" : "abcdefgABCDEFG*";
    std::string kept;
    for (char c : typed) {
        if ((c >= '0' && c <= '9') || accepted.find(c) != std::string_view::npos)
            kept += c;
    }
    return kept;
}

CodecAnswer fiveTone(const FiveToneParams &params, Bytes bytes, const CodecRequest &request)
{
    const bool receive = params.form == FiveToneForm::Receive;
    const std::size_t size = receive ? kFiveToneBytes + 4 : kFiveToneBytes;
    if (bytes.size() < size)
        return {};
    const int groupCode = request.context & 0x0F;
    const auto maskOf = [receive](Bytes value) {
        return receive ? static_cast<std::uint8_t>(numberAt(value, kFiveToneBytes)) : 0;
    };

    std::string kept = request.kind == CodecRequest::Kind::Typed
                           ? fiveToneCharacters(request.typed, receive)
                           : std::string();
    // A typed text with nothing the code takes leaves it alone; "F" alone
    // clears it.
    if (!kept.empty()) {
        if (const std::size_t end = kept.find('F'); end != std::string::npos)
            kept.erase(end);
        std::erase(kept, 'f');
        cmcPackedBcd digits;
        std::uint8_t mask = 0;
        for (char c : kept) {
            if (digits.Count() == kFiveToneDigits)
                break;
            const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (upper == '+') {
                mask |= static_cast<std::uint8_t>(0x80 >> digits.Count());
                digits.AppendNibble(0);
            } else if (upper == '*' || upper == 'G') {
                digits.AppendNibble(static_cast<std::uint8_t>(groupCode));
            } else {
                digits.AppendNibble(static_cast<std::uint8_t>(hexValue(upper)));
            }
        }
        while (digits.Count() < kFiveToneDigits)
            digits.AppendNibble(kEndDigit);
        CellBytes next(bytes.begin(), bytes.end());
        std::fill_n(next.begin(), kFiveToneBytes, std::uint8_t{0});
        digits.Pack(std::span(next).first(kFiveToneBytes));
        if (receive)
            setNumberAt(next, kFiveToneBytes,
                        (numberAt(bytes, kFiveToneBytes) & ~0xFF) |
                            static_cast<std::int32_t>(mask));
        CodecAnswer answer{.text = fiveToneText(next, mask, groupCode)};
        answerBytes(answer, bytes, std::move(next));
        return answer;
    }
    return answerDigits(fiveToneText(bytes, maskOf(bytes), groupCode), request, fiveToneKey);
}

// --- Identities ---

constexpr std::size_t kTypedIdentityPlaces = 9;
// The identity digits are places 2..8 of the padded text.
constexpr std::size_t kFirstIdentityPlace = 2;
constexpr std::size_t kFirstLateWildcardPlace = 5;

struct IdParams {
    IdBcdRange range;
};

// The 5-byte form of a typed identity, or nothing when the entry is
// refused or empty.
std::optional<std::array<std::uint8_t, 5>> typedIdentity(std::string_view typed, bool wildcards)
{
    std::string kept;
    for (char c : typed) {
        if ((c >= '0' && c <= '9') || c == '*')
            kept += c;
    }
    if (kept.empty() || (!wildcards && kept.find('*') != std::string::npos))
        return std::nullopt;
    if (kept.size() < kTypedIdentityPlaces)
        kept.insert(0, kTypedIdentityPlaces - kept.size(), '0');
    kept.resize(kTypedIdentityPlaces);

    const std::size_t firstWildcard = kept.find('*');
    if (firstWildcard != std::string::npos) {
        const bool wholeIdentity = firstWildcard <= kFirstIdentityPlace;
        if (!wholeIdentity && firstWildcard < kFirstLateWildcardPlace)
            return std::nullopt;
        if (wholeIdentity && kept.find_first_not_of('*', firstWildcard) != std::string::npos)
            return std::nullopt;
    }
    cmcPackedBcd nibbles;
    for (std::size_t place = 0; place < kept.size(); ++place) {
        const bool wildcard = firstWildcard != std::string::npos && place >= firstWildcard;
        nibbles.AppendNibble(wildcard ? kWildcardDigit
                                      : static_cast<std::uint8_t>(kept[place] - '0'));
    }
    nibbles.AppendNibble(0);
    std::array<std::uint8_t, 5> bytes{};
    nibbles.Pack(bytes);
    return bytes;
}

bool identityKey(int key) { return key >= '0' && key <= '9'; }
bool identityOrWildcardKey(int key) { return identityKey(key) || key == '*'; }

CodecAnswer idBcd(const IdParams &params, std::int32_t value, const CodecRequest &request)
{
    const IdBcdRange &range = params.range;
    const auto stored = static_cast<std::uint32_t>(value);
    if (request.kind != CodecRequest::Kind::Typed)
        return answerDigits(identityText(stored), request,
                            range.wildcards ? identityOrWildcardKey : identityKey);

    std::optional<std::array<std::uint8_t, 5>> typed =
        typedIdentity(request.typed, range.wildcards);
    if (!typed)
        return {.text = identityText(stored)};
    std::array<std::uint8_t, 5> bytes = std::clamp(*typed, range.minimum, range.maximum);
    std::uint32_t identity = 0;
    for (std::size_t i = 1; i < bytes.size(); ++i)
        identity = (identity << 8) | bytes[i];
    // Digits 2..7 are the nibbles below the first one, the spare aside.
    if (range.ownUnit && (identity & 0x0FFFFFF0) == 0)
        identity |= 0x10;
    CodecAnswer answer{.text = identityText(identity)};
    if (identity != stored)
        answer.value = static_cast<std::int32_t>(identity);
    return answer;
}

// --- Hexadecimal strings ---

struct HexStringParams {
    int count = 1;
    bool letters = false;
};

CodecAnswer hexString(const HexStringParams &params, Bytes bytes, const CodecRequest &request)
{
    const auto count =
        std::min(static_cast<std::size_t>(std::max(params.count, 0)), nibbleCapacity(bytes.size()));
    const auto show = [count](Bytes nibbles) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += digitCharacter(kHexAlphabet, nibbleAt(nibbles, i));
        return text;
    };
    if (request.kind == CodecRequest::Kind::Typed) {
        std::string kept;
        for (char c : request.typed) {
            if ((c >= '0' && c <= '9') || (params.letters && hexValue(c) >= 0))
                kept += c;
        }
        if (kept.size() < count)
            kept.insert(0, count - kept.size(), '0');
        kept.resize(count);
        cmcPackedBcd nibbles;
        for (char c : kept)
            nibbles.AppendNibble(static_cast<std::uint8_t>(hexValue(c)));
        CellBytes next(bytes.begin(), bytes.end());
        for (std::size_t i = 0; i < count; ++i)
            setNibbleAt(next, i, 0);
        nibbles.Pack(next);
        CodecAnswer answer{.text = show(next)};
        answerBytes(answer, bytes, std::move(next));
        return answer;
    }
    const auto accepts = params.letters ? isHexDigitKey : identityKey;
    return answerDigits(show(bytes), request, accepts);
}

} // namespace

CellCodec editDtmfDigits(int maxDigits) { return CellCodec(dtmfDigits, DtmfParams{maxDigits}); }

CellCodec editFiveTone(FiveToneForm form) { return CellCodec(fiveTone, FiveToneParams{form}); }

CellCodec editIdBcd(const IdBcdRange &range) { return CellCodec(idBcd, IdParams{range}); }

CellCodec editHexString(int count, bool letters)
{
    return CellCodec(hexString, HexStringParams{count, letters});
}
