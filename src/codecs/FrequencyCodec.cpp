#include "codecs/FrequencyCodec.h"

#include "channels/datCh.h"
#include "codecs/CodecBasics.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

struct FrequencyParams {
    ChannelSide side = ChannelSide::Receive;
};

std::string frequencyText(std::int64_t hertz)
{
    const std::int64_t magnitude = std::llabs(hertz);
    char text[40];
    std::snprintf(text, sizeof text, "%s%lld.%06lld", hertz < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 1000000),
                  static_cast<long long>(magnitude % 1000000));
    return text;
}

// The typed MHz in hertz on the raster; nothing when the entry is to be
// ignored (no digit, off the raster, 0).
std::optional<std::int32_t> typedFrequency(std::string_view typed)
{
    // Nine digits of MHz are far above the highest frequency but still
    // need this much room; the raster runs before the value is pulled down,
    // so 900 becomes the highest frequency rather than nothing.
    constexpr double kTypedLimit = 999999999.0;
    const std::optional<double> megahertz = typedNumber(typed, ".");
    if (!megahertz)
        return std::nullopt;
    const double hertz = std::min(*megahertz * 1000000.0 + 0.5, kTypedLimit);
    const std::int64_t snapped = channelRaster(static_cast<std::int64_t>(hertz));
    if (snapped <= 0)
        return std::nullopt;
    return static_cast<std::int32_t>(std::min<std::int64_t>(snapped, kHighestFrequency));
}

CodecAnswer runFrequency(const FrequencyParams &params, std::int32_t value,
                         const CodecRequest &request)
{
    const bool receiveSide = params.side == ChannelSide::Receive;
    std::int32_t current = value;
    if (request.kind == CodecRequest::Kind::Typed) {
        if (const auto typed = typedFrequency(request.typed))
            current = *typed;
    }
    // The transmit side knows the receive frequency only from its record.
    std::optional<std::int32_t> receive;
    if (receiveSide)
        receive = current;
    else if (request.record != nullptr)
        receive = request.record->FreqR;
    const bool blank = receive && *receive == 0;

    CodecAnswer answer;
    const std::int32_t key = keyOf(request);
    if (isStepKey(key) || key == CodecRequest::kEnter) {
        answer = editSelectingAll(blank ? std::string() : frequencyText(current));
    } else if (key == '.') {
        const std::string text = blank ? "." : frequencyText(current);
        answer = editWithCaretAt(text, static_cast<std::int32_t>(text.find('.') + 1));
    } else if (key == '=' && !receiveSide && receive) {
        answer = editSelectingAll(frequencyText(*receive));
    } else if (isDigitKey(key)) {
        answer = editStartingWith(key);
    }
    if (answer.open.kind == CodecOpen::Kind::Nothing) {
        if (blank) {
            answer.text.clear();
            if (receiveSide)
                answer.look.colour = CodecLook::Colour::Olive;
        } else if (!receiveSide && receive && current == *receive) {
            answer.text = "<-";
            answer.look.align = CodecLook::Align::Left;
        } else {
            answer.text = frequencyText(current);
        }
    }
    if (current != value)
        answer.value = current;
    return answer;
}

} // namespace

CellCodec editFrequency(ChannelSide side) { return CellCodec(runFrequency, FrequencyParams{side}); }

std::int64_t channelRaster(std::int64_t hertz)
{
    constexpr std::int64_t kCoarsest = 100000;
    constexpr std::int64_t kSearchStep = 625;
    if (hertz < 0)
        return -1;
    // The precision typed: the largest power of ten up to 100 kHz that
    // divides the frequency.
    std::int64_t typedPrecision = 1;
    while (typedPrecision < kCoarsest && hertz % (typedPrecision * 10) == 0)
        typedPrecision *= 10;
    for (std::int64_t r = hertz / kCoarsest * kCoarsest; r <= hertz + typedPrecision - 1;
         r += kSearchStep) {
        if (r >= hertz && (r % 2500 == 0 || r % 3125 == 0))
            return r;
    }
    return -1;
}

ChannelFrequencies transmitFollowsReceive(const ChannelFrequencies &before,
                                          std::int32_t receiveAfter)
{
    ChannelFrequencies after = before;
    after.receive = receiveAfter;
    if (before.receive == before.transmit || !before.used)
        after.transmit = receiveAfter;
    after.used = before.used || receiveAfter != 0;
    return after;
}
