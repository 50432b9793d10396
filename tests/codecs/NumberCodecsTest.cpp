#include "codecs/NumberCodecs.h"

#include "CodecCases.h"

namespace {

using namespace codec_cases;

TEST(IntegerCodec, TypedNumbers)
{
    const CellCodec tens = editIntegerWrap(0, 10);
    const CellCodec signedRange = editIntegerWrap(-10, 10);
    const CellCodec shownFromOne = editInteger({.minimum = 0, .maximum = 98, .offset = 1});
    const CellCodec fives = editInteger({.minimum = 0, .maximum = 50, .step = 5});
    runCases({
        {"whole number", tens, 3, typed("7"), {"7", 7}},
        {"above the range", tens, 3, typed("12"), {"10", 10}},
        {"below the range", tens, 3, typed("-3"), {"0", 0}},
        {"half rounds away from zero", tens, 0, typed("2.5"), {"3", 3}},
        {"negative half rounds away from zero", signedRange, 3, typed("-2.5"), {"-3", -3}},
        {"other characters are dropped", tens, 3, typed(" 8 dB"), {"8", 8}},
        {"only nine characters count", tens, 3, typed("000000000999"), {"0", 0}},
        {"no digit leaves the value", tens, 3, typed("abc"), {"3"}},
        {"empty text leaves the value", tens, 3, typed(""), {"3"}},
        {"shown value is typed", shownFromOne, 4, typed("10"), {"10", 9}},
        {"offset is shown", shownFromOne, 4, draw(), {"5"}},
        {"nearest multiple of the step", fives, 0, typed("8"), {"10", 10}},
        {"nearest multiple below", fives, 0, typed("7"), {"5", 5}},
    });
}

TEST(IntegerCodec, SteppingWrapsOrSaturates)
{
    const CellCodec wrap = editIntegerWrap(0, 10);
    const CellCodec saturate = editIntegerSaturate(0, 10);
    const CellCodec fives = editInteger({.minimum = 0, .maximum = 50, .step = 5});
    const CellCodec oddMinimum =
        editInteger({.minimum = 3, .maximum = 20, .step = 5, .saturate = true});
    const CellCodec shifted = editIntegerShiftStep(0, 20);
    runCases({
        {"space steps up", wrap, 4, key(kSpace), {"5", 5}},
        {"backspace steps down", wrap, 4, key(kBackspace), {"3", 3}},
        {"wrap at the maximum", wrap, 10, key(kSpace), {"0", 0}},
        {"wrap at the minimum", wrap, 0, key(kBackspace), {"10", 10}},
        {"saturate at the maximum", saturate, 10, key(kSpace), {"10"}},
        {"saturate at the minimum", saturate, 0, key(kBackspace), {"0"}},
        {"steps of the step", fives, 5, key(kSpace), {"10", 10}},
        {"off-step value goes down to a multiple", fives, 7, key(kSpace), {"10", 10}},
        {"wrap below lands on the maximum", fives, 0, key(kBackspace), {"50", 50}},
        {"rounding down stays in the range", oddMinimum, 3, key(kBackspace), {"3"}},
        {"one without shift", shifted, 4, key(kSpace), {"5", 5}},
        {"five with shift", shifted, 4, key(kSpace, true), {"9", 9}},
        {"five back with shift", shifted, 4, key(kBackspace, true), {"20", 20}},
        {"off the grid nothing steps", wrap, 4, keyOffGrid(kSpace), {"4"}},
    });
}

TEST(IntegerCodec, KeysStartTheEditor)
{
    const CellCodec positive = editIntegerWrap(0, 10);
    const CellCodec signedRange = editIntegerWrap(-10, 10);
    const CellCodec fixed = editInteger({.minimum = 0, .maximum = 10, .fixedText = " auto "});
    runCases({
        {"digit", positive, 4, key('7'), editorWith('7')},
        {"minus where negatives exist", signedRange, 4, key('-'), editorWith('-')},
        {"minus where they do not", positive, 4, key('-'), {"4"}},
        {"enter edits the trimmed text", fixed, 4, key(kEnter), editorSelecting("auto")},
        {"other keys do nothing", positive, 4, key('x'), {"4"}},
        {"fixed text is shown", fixed, 4, draw(), {" auto "}},
    });
}

TEST(IntegerCodec, ClampCheckPullsStoredValuesIntoTheRange)
{
    const CellCodec checked = editInteger({.minimum = 0, .maximum = 10, .clampCheck = true});
    const CellCodec unchecked = editIntegerWrap(0, 10);
    runCases({
        {"too large on a draw", checked, 50, draw(), {"10", 10}},
        {"too small on a draw", checked, -5, draw(), {"0", 0}},
        {"within the range", checked, 5, draw(), {"5"}},
        {"without the check it is shown", unchecked, 50, draw(), {"50"}},
    });
}

TEST(CountCodec, IgnoresNumbersOutsideTheRangeAndPadsWithZeros)
{
    const CellCodec padded = editCount(1, 200, 3);
    const CellCodec plain = editCount(1, 200, 3, false);
    runCases({
        {"padded", padded, 7, draw(), {"007"}},
        {"not padded", plain, 7, draw(), {"7"}},
        {"typed within the range", padded, 7, typed("12"), {"012", 12}},
        {"typed above is ignored", padded, 7, typed("250"), {"007"}},
        {"typed below is ignored", padded, 7, typed("0"), {"007"}},
        {"steps wrap", padded, 200, key(kSpace), {"001", 1}},
    });
}

TEST(DecimalCodec, Texts)
{
    const CellCodec tenths =
        editDecimal({.storedDecimals = 1, .shownDecimals = 1, .minimum = 0, .maximum = 99.9});
    const CellCodec hundredths =
        editDecimal({.storedDecimals = 2, .shownDecimals = 2, .minimum = -10, .maximum = 10});
    const CellCodec trimmed = editDecimal(
        {.storedDecimals = 3, .shownDecimals = 3, .minimum = 0, .maximum = 100, .trimZeros = 3});
    const CellCodec fewerShown =
        editDecimal({.storedDecimals = 3, .shownDecimals = 1, .minimum = 0, .maximum = 100});
    const CellCodec whole = editDecimal(
        {.storedDecimals = 0, .shownDecimals = 0, .minimum = 0, .maximum = 999, .trimZeros = 2});
    runCases({
        {"tenths", tenths, 125, draw(), {" 12.5"}},
        {"negative below one keeps its sign", hundredths, -5, draw(), {" -0.05"}},
        {"negative", hundredths, -250, draw(), {" -2.50"}},
        {"trailing zeros go", trimmed, 1500, draw(), {"  1.5"}},
        {"and the point with them", trimmed, 1000, draw(), {"  1"}},
        {"fewer decimals shown than stored", fewerShown, 1234, draw(), {"  1.2"}},
        {"zeros of whole numbers stay", whole, 100, draw(), {"100"}},
    });
}

TEST(DecimalCodec, TypedAndKeys)
{
    const DecimalFormat tenths{
        .storedDecimals = 1, .shownDecimals = 1, .minimum = 0, .maximum = 50, .step = 1};
    const CellCodec stepping = editDecimal(tenths);
    DecimalFormat coarse = tenths;
    coarse.storedDecimals = 2;
    coarse.shownDecimals = 2;
    coarse.step = 5;
    const CellCodec fives = editDecimal(coarse);
    DecimalFormat fixed = tenths;
    fixed.stepping = false;
    fixed.clearOnEnter = true;
    const CellCodec noSteps = editDecimal(fixed);
    runCases({
        {"typed", stepping, 0, typed("1.25"), {"  1.3", 13}},
        {"typed toward zero to the step", fives, 0, typed("1.23"), {"  1.20", 120}},
        {"typed above the range", stepping, 0, typed("500"), {" 50.0", 500}},
        {"no digit leaves the value", stepping, 7, typed("-."), {"  0.7"}},
        {"space steps", stepping, 7, key(kSpace), {"  0.8", 8}},
        {"backspace wraps", stepping, 0, key(kBackspace), {" 50.0", 500}},
        {"point puts the caret after the point", stepping, 125, key('.'), editor("12.5", 3, 0)},
        {"enter edits the value", stepping, 125, key(kEnter), editorSelecting("12.5")},
        {"digit starts the editor", stepping, 125, key('4'), editorWith('4')},
        {"without steps space edits", noSteps, 125, key(kSpace), editorSelecting("")},
        {"clear on enter", noSteps, 125, key(kEnter), editorSelecting("")},
    });
}

TEST(LevelBar, FillsInProportion)
{
    const CellCodec bar = levelBar(0, 100);
    const CellCodec flat = levelBar(5, 5);
    runCases({
        {"half", bar, 50, draw(), {"[##########----------]"}},
        {"empty", bar, 0, draw(), {"[--------------------]"}},
        {"full", bar, 100, draw(), {"[####################]"}},
        {"below the minimum", bar, -40, draw(), {"[--------------------]"}},
        {"above the maximum", bar, 400, draw(), {"[####################]"}},
        {"no range", flat, 5, draw(), {"[--------------------]"}},
        {"keys change nothing", bar, 50, key(kSpace), {"[##########----------]"}},
    });
}

} // namespace
