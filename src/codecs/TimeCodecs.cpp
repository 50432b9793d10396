#include "codecs/TimeCodecs.h"

#include "codecs/CodecBasics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A signed whole part `width` wide, the separator and the part below it
// in `digits` digits: "%3d.%03d" of seconds, "%2d:%02d" of minutes.
std::string twoParts(std::int64_t whole, char separator, std::int64_t below, int width, int digits,
                     bool negative)
{
    const std::string shownWhole = (negative ? "-" : "") + std::to_string(whole);
    char text[64];
    std::snprintf(text, sizeof text, "%*s%c%0*lld", width, shownWhole.c_str(), separator, digits,
                  static_cast<long long>(below));
    return text;
}

// --- timer ---

struct TimerParams {
    double unitsPerSecond = 1;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::string offTextKey; // empty: no OFF
    int trimZeros = 0;
};

// The letters o and f of the text, whatever else it holds, begin with "of".
bool saysOff(std::string_view typed)
{
    std::string letters;
    for (char c : typed) {
        const char lower = static_cast<char>(c | 0x20);
        if (lower == 'o' || lower == 'f')
            letters.push_back(lower);
    }
    return letters.starts_with("of");
}

std::string timerText(const TimerParams &params, std::int32_t value)
{
    // A hair above the exact quotient, so that real factors (0.3 units per
    // second) do not show 9.999 for 10 seconds.
    const double exact = static_cast<double>(value) * 1000.0 / params.unitsPerSecond;
    constexpr double kLongest = 1e15; // far beyond any timer, well within 64 bits
    const auto milliseconds =
        static_cast<std::int64_t>(std::floor(std::min(std::fabs(exact), kLongest) + 1e-6));
    const std::string text =
        twoParts(milliseconds / 1000, '.', milliseconds % 1000, 3, 3, value < 0);
    return trimFraction(text, params.trimZeros);
}

CodecAnswer runTimer(const TimerParams &params, std::int32_t value, const CodecRequest &request)
{
    const std::int32_t maximum = std::max(params.minimum, params.maximum);
    std::int32_t current = value;
    if (request.kind == CodecRequest::Kind::Typed) {
        if (saysOff(request.typed)) {
            current = static_cast<std::int32_t>(clampTo(0, params.minimum, maximum));
        } else if (const std::optional<double> seconds = typedNumber(request.typed, ".")) {
            const double units =
                std::clamp((*seconds + 0.0005) * params.unitsPerSecond,
                           static_cast<double>(params.minimum), static_cast<double>(maximum));
            current = static_cast<std::int32_t>(units);
        }
    }

    CodecAnswer answer;
    const std::int32_t key = keyOf(request);
    if (isStepKey(key)) {
        current = stepByKey(key, current, 1, params.minimum, maximum, RangeEnds::Wrap);
    } else if (key == CodecRequest::kEnter) {
        answer = editSelectingAll(std::string(trimmed(timerText(params, current))));
    } else if (isDigitKey(key) || key == '.' || key == 'O' || key == 'o') {
        answer = editStartingWith(key);
    }
    const bool showOff =
        !params.offTextKey.empty() && current == 0 && request.kind != CodecRequest::Kind::Key;
    return answerShowing(std::move(answer),
                         showOff ? namedText(request, params.offTextKey.c_str())
                                 : timerText(params, current),
                         value, current);
}

TimerParams timerParams(double unitsPerSecond, std::int32_t minimum, std::int32_t maximum,
                        const char *offTextKey, int trimZeros)
{
    const bool usable = std::isfinite(unitsPerSecond) && unitsPerSecond > 0;
    return {usable ? unitsPerSecond : 1.0, minimum, maximum,
            offTextKey != nullptr ? offTextKey : "", trimZeros};
}

// --- minutes and seconds ---

struct MinSecParams {
    std::int32_t minimum = 0; // in units
    std::int32_t maximum = 0;
    std::int32_t resolution = 1;
};

std::string minSecText(const MinSecParams &params, std::int32_t value)
{
    const std::int64_t seconds = std::llabs(static_cast<long long>(value)) * params.resolution;
    return twoParts(seconds / 60, ':', seconds % 60, 2, 2, value < 0);
}

// The digits of `part` up to the first other character; 0 for none.
std::int64_t leadingNumber(std::string_view part)
{
    std::int64_t number = 0;
    for (char c : part) {
        if (c < '0' || c > '9')
            break;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::optional<std::int32_t> typedMinSec(const MinSecParams &params, std::string_view typed)
{
    constexpr std::size_t kLongest = 5; // "mm:ss"
    const std::string kept = keepDigitsAnd(typed, ":");
    if (kept.size() > kLongest || kept.find_first_of("0123456789") == std::string::npos)
        return std::nullopt;
    const std::size_t colon = kept.find(':');
    const std::int64_t minutes = leadingNumber(std::string_view(kept).substr(0, colon));
    const std::int64_t seconds =
        colon == std::string::npos ? 0 : leadingNumber(std::string_view(kept).substr(colon + 1));
    const std::int64_t c = params.resolution;
    std::int64_t units = minutes * (60 / c) + seconds / c;
    // Half a unit or more of seconds left over counts as a whole unit.
    if (2 * (seconds % c) >= c)
        ++units;
    return static_cast<std::int32_t>(clampTo(units, params.minimum, params.maximum));
}

CodecAnswer runMinSec(const MinSecParams &params, std::int32_t value, const CodecRequest &request)
{
    std::int32_t current = value;
    if (request.kind == CodecRequest::Kind::Typed) {
        if (const auto typed = typedMinSec(params, request.typed))
            current = *typed;
    }
    CodecAnswer answer;
    const std::int32_t key = keyOf(request);
    if (isStepKey(key)) {
        current = stepByKey(key, current, 1, params.minimum, params.maximum, RangeEnds::Wrap);
    } else if (key == CodecRequest::kEnter) {
        answer = editSelectingAll(std::string(trimmed(minSecText(params, current))));
    } else if (isDigitKey(key) || key == ':') {
        answer = editStartingWith(key);
    }
    return answerShowing(std::move(answer), minSecText(params, current), value, current);
}

} // namespace

CellCodec editTimer(int unitsPerSecond, std::int32_t minimum, std::int32_t maximum,
                    const char *offTextKey, int trimZeros)
{
    return editTimerReal(unitsPerSecond, minimum, maximum, offTextKey, trimZeros);
}

CellCodec editTimerReal(double unitsPerSecond, std::int32_t minimum, std::int32_t maximum,
                        const char *offTextKey, int trimZeros)
{
    return CellCodec(runTimer,
                     timerParams(unitsPerSecond, minimum, maximum, offTextKey, trimZeros));
}

CellCodec editTimerByte(double unitsPerSecond, std::int32_t minimum, std::int32_t maximum,
                        const char *offTextKey, int trimZeros)
{
    return editTimerReal(unitsPerSecond, std::clamp(minimum, 0, 255), std::clamp(maximum, 0, 255),
                         offTextKey, trimZeros);
}

CellCodec editMinSec(std::int32_t minimumSeconds, std::int32_t maximumSeconds,
                     std::int32_t resolution)
{
    const std::int32_t c = std::max(1, resolution);
    const std::int32_t minimum = minimumSeconds / c;
    return CellCodec(runMinSec, MinSecParams{minimum, std::max(minimum, maximumSeconds / c), c});
}
