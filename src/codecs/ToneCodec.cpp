#include "codecs/ToneCodec.h"

#include "channels/datCh.h"
#include "codecs/CodecBasics.h"
#include "codecs/OptionCodecs.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

struct ToneParams {
    ToneSide side = ToneSide::Alone;
    std::string listKey;
};

std::int32_t itemOf(const ToneSetting &tone)
{
    if (!tone.on())
        return kToneOffItem;
    return tone.isDtcs() ? kToneDtcsItem : tone.ctcss;
}

ToneSetting ctcssTone(std::int32_t item)
{
    ToneSetting tone;
    if (item != kToneOffItem) {
        tone.flags = ToneSetting::kOn;
        tone.ctcss = static_cast<std::uint16_t>(item);
    }
    return tone;
}

ToneSetting dtcsTone(std::uint16_t code, bool reverse)
{
    ToneSetting tone;
    tone.flags = ToneSetting::kOn | ToneSetting::kDtcs | (reverse ? ToneSetting::kDtcsReverse : 0);
    tone.dtcs = code;
    return tone;
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

// Three octal digits, then nothing, 'I' or 'N' (the text is upper case).
std::optional<ToneSetting> typedDtcs(std::string_view text)
{
    if (text.size() < 3 || text.size() > 4 || !isOctal(text[0]) || !isOctal(text[1]) ||
        !isOctal(text[2]))
        return std::nullopt;
    if (text.size() == 4 && text[3] != 'I' && text[3] != 'N')
        return std::nullopt;
    const auto code =
        static_cast<std::uint16_t>((text[0] - '0') * 64 + (text[1] - '0') * 8 + (text[2] - '0'));
    return dtcsTone(code, text.size() == 4 && text[3] == 'I');
}

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// The CTCSS tone whose frequency text begins with `prefix`: the only one,
// or the first of several when the prefix is longer than one character.
std::optional<std::int32_t> ctcssByPrefix(cmcGTex *texts, std::string_view prefix)
{
    if (texts == nullptr || prefix.empty())
        return std::nullopt;
    std::optional<std::int32_t> first;
    int matches = 0;
    std::int32_t item = 0;
    std::string line;
    for (int index = 0; texts->TryGetLine(kCtcssTextsKey, index, line) && !line.starts_with('#');
         ++index) {
        std::string_view rest = line;
        while (true) {
            const std::size_t comma = rest.find(',');
            if (upperCase(trimmed(rest.substr(0, comma))).starts_with(prefix)) {
                ++matches;
                if (!first)
                    first = item;
            }
            ++item;
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
    }
    if (matches == 1 || (matches > 1 && prefix.size() > 1))
        return first;
    return std::nullopt;
}

// The tone a typed text gives, or nothing when it gives none.
std::optional<ToneSetting> typedTone(const CodecRequest &request)
{
    const std::string text = upperCase(trimmed(request.typed));
    if (const auto dtcs = typedDtcs(text))
        return dtcs;
    const auto item = ctcssByPrefix(request.texts, text);
    if (item && *item < kToneOffItem)
        return ctcssTone(*item);
    return std::nullopt;
}

CodecAnswer runTone(const ToneParams &params, std::int32_t value, const CodecRequest &request)
{
    const ToneSetting stored = unpackTone(value);
    if (request.kind == CodecRequest::Kind::Chosen && request.chosenStyle == kDtcsEntryStyle)
        return editSelectingAll(dtcsText(stored));

    ToneSetting tone = stored;
    CodecAnswer answer;
    const std::int32_t key = keyOf(request);
    if (request.kind == CodecRequest::Kind::Typed) {
        if (const auto typed = typedTone(request))
            tone = *typed;
    } else if (stored.isDtcs() && isStepKey(key)) {
        tone.flags ^= ToneSetting::kDtcsReverse;
    } else if (isPrintableKey(key)) {
        answer = editStartingWith(key);
    } else {
        CodecAnswer option = answerOption(params.listKey, kToneListStyle, itemOf(stored), request);
        // The list's DTCS entry answers with a style of its own (above).
        if (option.value && *option.value >= 0 && *option.value <= kToneOffItem)
            tone = ctcssTone(*option.value);
        answer.open = std::move(option.open);
    }

    if (answer.open.kind != CodecOpen::Kind::Editor) {
        const datCh *record = request.record;
        answer.text = tone.isDtcs()
                          ? dtcsText(tone)
                          : optionText(request, params.listKey, kToneListStyle, itemOf(tone));
        if (record != nullptr && params.side == ToneSide::Transmit && tone.on() &&
            tone == record->CToneR) {
            answer.text = "<-";
            answer.look.align = CodecLook::Align::Left;
        }
        if (record != nullptr && params.side != ToneSide::Alone && record->FreqR == 0)
            answer.look.colour = CodecLook::Colour::Olive;
    }
    if (tone != stored)
        answer.value = packTone(tone);
    return answer;
}

} // namespace

CellCodec editTone(ToneSide side, const char *toneListKey)
{
    return CellCodec(runTone, ToneParams{side, toneListKey != nullptr ? toneListKey : ""});
}

std::int32_t packTone(const ToneSetting &tone)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(tone.flags) |
                                     (static_cast<std::uint32_t>(tone.dtcs & 0x1FF) << 8) |
                                     (static_cast<std::uint32_t>(tone.ctcss & 0x3FFF) << 17));
}

ToneSetting unpackTone(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    ToneSetting tone;
    tone.flags = static_cast<std::uint8_t>(bits & 0xFF);
    tone.dtcs = static_cast<std::uint16_t>((bits >> 8) & 0x1FF);
    tone.ctcss = static_cast<std::uint16_t>((bits >> 17) & 0x3FFF);
    return tone;
}

std::string dtcsText(const ToneSetting &tone)
{
    const int code = tone.dtcs & 0x1FF;
    return {static_cast<char>('0' + ((code >> 6) & 7)), static_cast<char>('0' + ((code >> 3) & 7)),
            static_cast<char>('0' + (code & 7)), tone.isReverse() ? 'i' : 'N'};
}

ToneSetting transmitToneFollows(const ToneSetting &receiveBefore, const ToneSetting &transmitBefore,
                                const ToneSetting &receiveAfter)
{
    return receiveBefore == transmitBefore ? receiveAfter : transmitBefore;
}
