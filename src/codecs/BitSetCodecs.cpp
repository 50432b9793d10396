#include "codecs/BitSetCodecs.h"

#include "channels/datCh.h"
#include "codecs/CodecBasics.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {

// --- bit set ---

constexpr std::int32_t kMostMembers = 25;
constexpr int kTopBit = 25;           // member first + i at bit 25 - i, left-aligned
constexpr std::int32_t kZMember = 16; // the 17th member shows as 'Z'

struct BitSetParams {
    std::int32_t first = 1;
    std::int32_t last = 1;
    std::int32_t style = 0;
    std::string windowKey;
};

std::int32_t memberCount(std::int32_t first, std::int32_t last)
{
    return std::clamp<std::int32_t>(last - first + 1, 1, kMostMembers);
}

// How far the stored mask is shifted to be left-aligned.
int alignShift(std::int32_t count) { return count <= 8 ? 18 : 26 - count; }

std::uint32_t memberBits(std::int32_t count)
{
    return ((1u << count) - 1) << (kTopBit + 1 - count);
}

char memberCharacter(const BitSetParams &params, std::int32_t position)
{
    if (position == kZMember)
        return 'Z';
    const std::int32_t member = params.first + position;
    if (params.style == 3) {
        if (member >= 0 && member < 10)
            return static_cast<char>('0' + member);
        return member >= 10 && member < 36 ? static_cast<char>('A' + member - 10) : '?';
    }
    return member >= 0 ? static_cast<char>('0' + member % 10) : '?';
}

// The position of the member whose character the key is, or -1.
std::int32_t memberOfKey(const BitSetParams &params, std::int32_t key)
{
    if (key <= ' ' || key >= 127)
        return -1;
    char c = static_cast<char>(key);
    if (c == 'z' || (params.style == 3 && c >= 'a' && c <= 'z'))
        c = static_cast<char>(c - 'a' + 'A');
    const std::int32_t count = memberCount(params.first, params.last);
    for (std::int32_t position = 0; position < count; ++position) {
        if (memberCharacter(params, position) == c && c != '?')
            return position;
    }
    return -1;
}

std::string bitSetText(const BitSetParams &params, std::uint32_t aligned)
{
    const std::int32_t count = memberCount(params.first, params.last);
    std::string text;
    for (std::int32_t position = 0; position < count; ++position)
        text.push_back((aligned >> (kTopBit - position)) & 1u ? memberCharacter(params, position)
                                                              : '_');
    text.push_back('\n');
    return text;
}

// The flag bits window answers with the left-aligned mask in decimal.
std::optional<std::uint32_t> answeredMask(const CodecRequest &request)
{
    if (request.typed.empty())
        return static_cast<std::uint32_t>(request.chosenEntry);
    const std::string_view text = trimmed(request.typed);
    std::uint32_t mask = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mask);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return mask;
}

CodecAnswer runBitSet(const BitSetParams &params, std::int32_t value, const CodecRequest &request)
{
    const std::int32_t count = memberCount(params.first, params.last);
    const std::uint32_t members = memberBits(count);
    const std::uint32_t stored =
        static_cast<std::uint32_t>(leftAlignedMembers(value, params.first, params.last));
    std::uint32_t aligned = stored;
    CodecAnswer answer;
    const std::int32_t key = keyOf(request);
    if (request.kind == CodecRequest::Kind::Chosen) {
        if (const auto mask = answeredMask(request))
            aligned = *mask & members;
    } else if (key == CodecRequest::kSpace) {
        aligned = (aligned & members) == 0 ? members : 0;
    } else if (key == CodecRequest::kBackspace) {
        aligned ^= members;
    } else if (key == CodecRequest::kEnter) {
        answer.open.kind = CodecOpen::Kind::Window;
        answer.open.window = CodecOpen::Window::FlagBits;
        answer.open.key = params.windowKey;
        answer.open.current = static_cast<std::int32_t>(aligned);
        answer.open.first = params.first;
        answer.open.last = params.first + count - 1;
        answer.open.style = params.style;
    } else if (const std::int32_t position = memberOfKey(params, key); position >= 0) {
        aligned ^= 1u << (kTopBit - position);
    }
    answer.text = bitSetText(params, aligned);
    // Bits that are no members are written 0, but only with a change: a
    // draw never writes.
    if (aligned != stored)
        answer.value =
            membersFromLeftAligned(static_cast<std::int32_t>(aligned), params.first, params.last);
    return answer;
}

// --- flag set ---

struct FlagSetParams {
    std::string menuKey;
};

constexpr std::int32_t kMenuStyle = 1;

std::string attributeText(std::int32_t attributes)
{
    std::string text;
    if ((attributes & kAttributeA) != 0)
        text += 'A';
    if ((attributes & kAttributeB) != 0)
        text += 'B';
    if ((attributes & kAttributeE) != 0 && (attributes & kAttributeEOff) == 0)
        text += 'E';
    return text;
}

std::optional<std::int32_t> afterMenuItem(std::int32_t attributes, std::int32_t item)
{
    switch (item) {
    case 1:
        return attributes | kAttributeA;
    case 2:
        return attributes | kAttributeB;
    case 3:
        return (attributes | kAttributeE) & ~kAttributeEOff;
    case 4:
        return (attributes & ~kAttributeE) | kAttributeEOff;
    case 5:
        return attributes ^ kAttributeBankSmarTrunk;
    case 6:
        return attributes ^ kAttributeBankLtr;
    default:
        return std::nullopt;
    }
}

CodecAnswer runFlagSet(const FlagSetParams &params, std::int32_t value, const CodecRequest &request)
{
    CodecAnswer answer;
    std::int32_t current = value;
    if (request.kind == CodecRequest::Kind::Chosen && request.chosenStyle == kMenuStyle) {
        answer.value = afterMenuItem(value, request.chosenEntry);
        current = answer.value.value_or(value);
    } else if (keyOf(request) == CodecRequest::kEnter) {
        answer.open = CodecOpen::List(params.menuKey, kMenuStyle, 0);
    }
    answer.text = attributeText(current);
    return answer;
}

} // namespace

std::int32_t leftAlignedMembers(std::int32_t value, std::int32_t first, std::int32_t last)
{
    const std::int32_t count = memberCount(first, last);
    const std::uint64_t shifted = static_cast<std::uint64_t>(static_cast<std::uint32_t>(value))
                                  << alignShift(count);
    return static_cast<std::int32_t>(shifted & memberBits(count));
}

std::int32_t membersFromLeftAligned(std::int32_t mask, std::int32_t first, std::int32_t last)
{
    const std::int32_t count = memberCount(first, last);
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(mask) & memberBits(count)) >>
                                     alignShift(count));
}

CellCodec editBitSet(std::int32_t first, std::int32_t last, std::int32_t style,
                     const char *windowKey)
{
    return CellCodec(runBitSet,
                     BitSetParams{first, last, style, windowKey != nullptr ? windowKey : ""});
}

std::int32_t channelAttributes(const datCh &record)
{
    return (record.AtrA != 0 ? kAttributeA : 0) | (record.AtrB != 0 ? kAttributeB : 0) |
           (record.AtrE != 0 ? kAttributeE : 0) | (record.AtrEOff != 0 ? kAttributeEOff : 0) |
           (record.BankSmarTrunk != 0 ? kAttributeBankSmarTrunk : 0) |
           (record.BankLtr != 0 ? kAttributeBankLtr : 0);
}

void setChannelAttributes(datCh &record, std::int32_t attributes)
{
    record.AtrA = (attributes & kAttributeA) != 0 ? 1 : 0;
    record.AtrB = (attributes & kAttributeB) != 0 ? 1 : 0;
    record.AtrE = (attributes & kAttributeE) != 0 ? 1 : 0;
    record.AtrEOff = (attributes & kAttributeEOff) != 0 ? 1 : 0;
    record.BankSmarTrunk = (attributes & kAttributeBankSmarTrunk) != 0 ? 1 : 0;
    record.BankLtr = (attributes & kAttributeBankLtr) != 0 ? 1 : 0;
}

CellCodec editFlagSet(const char *menuKey)
{
    return CellCodec(runFlagSet, FlagSetParams{menuKey != nullptr ? menuKey : ""});
}
