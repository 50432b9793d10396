#include "codecs/NumberCodecs.h"

#include "codecs/CodecBasics.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// --- whole numbers ---

struct IntegerParams {
    IntegerFormat format;
    // Steps of 5 while Shift is held (and of 1 otherwise).
    bool shiftSteps = false;
    // A plain count: typed numbers outside the range are ignored, the
    // number is padded with zeros to `digits`.
    bool rejectOutside = false;
    int digits = 0;
};

std::int64_t floorToMultiple(std::int64_t value, std::int64_t step)
{
    std::int64_t quotient = value / step;
    if (value % step != 0 && value < 0)
        --quotient;
    return quotient * step;
}

std::int64_t nearestMultiple(std::int64_t value, std::int64_t step)
{
    std::int64_t quotient = value / step;
    const std::int64_t remainder = value % step;
    if (2 * std::llabs(remainder) >= step)
        quotient += value < 0 ? -1 : 1;
    return quotient * step;
}

std::string integerText(const IntegerParams &params, std::int32_t value)
{
    if (!params.format.fixedText.empty())
        return params.format.fixedText;
    const long long shown = static_cast<long long>(value) + params.format.offset;
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", std::clamp(params.digits, 0, 16), shown);
    return text;
}

// The typed number as a stored value, or nothing when it is to be ignored.
std::optional<std::int64_t> typedInteger(const IntegerParams &params, std::int64_t step,
                                         std::string_view typed)
{
    const IntegerFormat &format = params.format;
    const std::optional<double> number = typedNumber(typed, ".-");
    if (!number)
        return std::nullopt;
    std::int64_t value = roundHalfAway(*number) - format.offset;
    if (step != 1)
        value = nearestMultiple(value, step);
    if (params.rejectOutside && (value < format.minimum || value > format.maximum))
        return std::nullopt;
    return clampTo(value, format.minimum, format.maximum);
}

CodecAnswer runInteger(const IntegerParams &params, std::int32_t value, const CodecRequest &request)
{
    const IntegerFormat &format = params.format;
    const std::int32_t minimum = format.minimum;
    const std::int32_t maximum = std::max(format.minimum, format.maximum);
    const std::int64_t step = std::max(1, format.step);
    std::int32_t current = value;
    if (format.clampCheck)
        current = static_cast<std::int32_t>(clampTo(current, minimum, maximum));
    if (request.kind == CodecRequest::Kind::Typed) {
        if (const auto typed = typedInteger(params, step, request.typed))
            current = static_cast<std::int32_t>(*typed);
    }

    CodecAnswer answer;
    const std::int32_t key = keyOf(request);
    if (isStepKey(key)) {
        const std::int64_t by = params.shiftSteps ? (request.shift ? 5 : 1) : step;
        const RangeEnds ends = format.saturate ? RangeEnds::Saturate : RangeEnds::Wrap;
        const std::int32_t next = stepByKey(key, current, by, minimum, maximum, ends);
        // A minimum that is no multiple of the step must not be left below.
        current = static_cast<std::int32_t>(clampTo(floorToMultiple(next, step), minimum, maximum));
    } else if (isDigitKey(key) || (key == '-' && minimum < 0)) {
        answer = editStartingWith(key);
    } else if (key == CodecRequest::kEnter) {
        answer = editSelectingAll(std::string(trimmed(integerText(params, current))));
    }
    return answerShowing(std::move(answer), integerText(params, current), value, current);
}

// --- decimals ---

struct DecimalParams {
    DecimalFormat format;
    std::int64_t scale = 1; // 10^storedDecimals
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

// Typed decimals stay within this many stored units either side of zero.
constexpr double kDecimalLimit = (1 << 30) - 2;

std::int64_t powerOfTen(int exponent)
{
    std::int64_t power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

std::int32_t storedDecimal(double real, std::int64_t scale)
{
    return static_cast<std::int32_t>(roundHalfAway(
        std::clamp(real * static_cast<double>(scale), -kDecimalLimit, kDecimalLimit)));
}

// The integer part three wide, the point and the shown decimals; the sign
// goes before the integer part, so that -0.5 reads as such.
std::string decimalText(const DecimalParams &params, std::int32_t value)
{
    const int stored = params.format.storedDecimals;
    const int shown = params.format.shownDecimals;
    const std::int64_t magnitude = std::llabs(static_cast<long long>(value));
    const std::int64_t whole = magnitude / params.scale;
    const std::int64_t remainder = magnitude % params.scale;
    const std::int64_t fraction = shown >= stored ? remainder * powerOfTen(shown - stored)
                                                  : remainder / powerOfTen(stored - shown);
    const bool negative = value < 0 && (whole != 0 || (shown > 0 && fraction != 0));
    const std::string integer = (negative ? "-" : "") + std::to_string(whole);
    char text[48];
    if (shown == 0)
        std::snprintf(text, sizeof text, "%3s", integer.c_str());
    else
        std::snprintf(text, sizeof text, "%3s.%0*lld", integer.c_str(), shown,
                      static_cast<long long>(fraction));
    return trimFraction(text, params.format.trimZeros);
}

CodecAnswer runDecimal(const DecimalParams &params, std::int32_t value, const CodecRequest &request)
{
    const DecimalFormat &format = params.format;
    const std::int64_t step = std::max(1, format.step);
    std::int32_t current = value;
    if (request.kind == CodecRequest::Kind::Typed) {
        if (const std::optional<double> number = typedNumber(request.typed, ".-")) {
            std::int64_t typed = storedDecimal(*number, params.scale);
            typed = typed / step * step;
            current = static_cast<std::int32_t>(clampTo(typed, params.minimum, params.maximum));
        }
    }

    CodecAnswer answer;
    const std::int32_t key = keyOf(request);
    const bool stepKey = isStepKey(key);
    if (key == '.') {
        std::string text(trimmed(decimalText(params, current)));
        const std::size_t point = text.find('.');
        const auto caret =
            static_cast<std::int32_t>(point == std::string::npos ? text.size() : point + 1);
        answer = editWithCaretAt(std::move(text), caret);
    } else if (stepKey && format.stepping) {
        current = stepByKey(key, current, step, params.minimum, params.maximum, RangeEnds::Wrap);
    } else if (stepKey || key == CodecRequest::kEnter) {
        answer = editSelectingAll(format.clearOnEnter
                                      ? std::string()
                                      : std::string(trimmed(decimalText(params, current))));
    } else if (isDigitKey(key) || key == '-') {
        answer = editStartingWith(key);
    }
    return answerShowing(std::move(answer), decimalText(params, current), value, current);
}

// --- level bar ---

struct LevelParams {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

CodecAnswer showLevel(const LevelParams &params, std::int32_t value, const CodecRequest &)
{
    constexpr std::int64_t kWidth = 20;
    const std::int64_t span = static_cast<std::int64_t>(params.maximum) - params.minimum;
    const std::int64_t filled =
        span > 0
            ? std::clamp<std::int64_t>(
                  (static_cast<std::int64_t>(value) - params.minimum) * kWidth / span, 0, kWidth)
            : 0;
    std::string text = "[";
    text.append(static_cast<std::size_t>(filled), '#');
    text.append(static_cast<std::size_t>(kWidth - filled), '-');
    text += ']';
    return {.text = text};
}

} // namespace

CellCodec editInteger(const IntegerFormat &format)
{
    return CellCodec(runInteger, IntegerParams{.format = format});
}

CellCodec editIntegerWrap(std::int32_t minimum, std::int32_t maximum)
{
    return editInteger({.minimum = minimum, .maximum = maximum});
}

CellCodec editIntegerSaturate(std::int32_t minimum, std::int32_t maximum)
{
    return editInteger({.minimum = minimum, .maximum = maximum, .saturate = true});
}

CellCodec editIntegerShiftStep(std::int32_t minimum, std::int32_t maximum)
{
    return CellCodec(runInteger, IntegerParams{.format = {.minimum = minimum, .maximum = maximum},
                                               .shiftSteps = true});
}

CellCodec editCount(std::int32_t minimum, std::int32_t maximum, int digits, bool zeroPad)
{
    return CellCodec(runInteger, IntegerParams{.format = {.minimum = minimum, .maximum = maximum},
                                               .rejectOutside = true,
                                               .digits = zeroPad ? digits : 0});
}

CellCodec editDecimal(const DecimalFormat &format)
{
    DecimalParams params{.format = format};
    params.format.storedDecimals = std::clamp(format.storedDecimals, 0, 9);
    params.format.shownDecimals = std::clamp(format.shownDecimals, 0, 9);
    params.scale = powerOfTen(params.format.storedDecimals);
    params.minimum = storedDecimal(format.minimum, params.scale);
    params.maximum = std::max(params.minimum, storedDecimal(format.maximum, params.scale));
    return CellCodec(runDecimal, params);
}

CellCodec levelBar(std::int32_t minimum, std::int32_t maximum)
{
    return CellCodec(showLevel, LevelParams{minimum, maximum});
}
