#include "codecs/TimeCodecs.h"

#include "CodecCases.h"

namespace {

using namespace codec_cases;

constexpr const char *kOff = "GI_AppInd_TimerOff";
constexpr const char *kNoOff = nullptr;

TEST(TimerCodec, TextsAndOff)
{
    const CellCodec tenths = editTimer(10, 0, 255, kOff, 2);
    const CellCodec noOff = editTimer(10, 0, 255, kNoOff, 0);
    const CellCodec fromOne = editTimer(1, 1, 60, kNoOff, 3);
    runCases({
        {"off", tenths, 0, draw(), {"OFF"}},
        {"off is a number while a key is handled", tenths, 0, key('x'), {"  0.0"}},
        {"tenths", tenths, 15, draw(), {"  1.5"}},
        {"without off", noOff, 0, draw(), {"  0.000"}},
        {"typed off", tenths, 25, typed("off"), {"OFF", 0}},
        {"off in any case among other characters", tenths, 25, typed("O-f F"), {"OFF", 0}},
        {"fo is no off", tenths, 25, typed("fo"), {"  2.5"}},
        {"off where off is not allowed goes to the minimum", fromOne, 9, typed("off"), {"  1", 1}},
        {"seconds", tenths, 0, typed("2.5"), {"  2.5", 25}},
        {"above the maximum", tenths, 0, typed("30"), {" 25.5", 255}},
        {"no digit leaves the value", tenths, 25, typed("x"), {"  2.5"}},
    });
}

TEST(TimerCodec, RealFactorAndByte)
{
    const CellCodec third = editTimerReal(0.3, 0, 1000, kNoOff, 0);
    const CellCodec byte = editTimerByte(1, 0, 1000, kNoOff, 3);
    runCases({
        {"units of a real factor", third, 3, draw(), {" 10.000"}},
        {"typed with a real factor", third, 0, typed("10"), {" 10.000", 3}},
        {"byte range", byte, 0, typed("999"), {"255", 255}},
        {"byte steps wrap at 255", byte, 255, key(kSpace), {"  0", 0}},
    });
}

TEST(TimerCodec, Keys)
{
    const CellCodec timer = editTimer(10, 0, 255, kOff, 2);
    runCases({
        {"space steps", timer, 15, key(kSpace), {"  1.6", 16}},
        {"backspace wraps", timer, 0, key(kBackspace), {" 25.5", 255}},
        {"enter edits the trimmed number", timer, 15, key(kEnter), editorSelecting("1.5")},
        {"digit", timer, 15, key('3'), editorWith('3')},
        {"point", timer, 15, key('.'), editorWith('.')},
        {"o starts off", timer, 15, key('o'), editorWith('o')},
        {"O too", timer, 15, key('O'), editorWith('O')},
        {"other keys do nothing", timer, 15, key('f'), {"  1.5"}},
    });
}

TEST(MinSecCodec, TypedAndShown)
{
    const CellCodec halfMinutes = editMinSec(0, 600, 30);
    const CellCodec seconds = editMinSec(0, 3600, 1);
    runCases({
        {"shown", halfMinutes, 6, draw(), {" 3:00"}},
        {"half a unit left over rounds up", halfMinutes, 0, typed("2:45"), {" 3:00", 6}},
        {"less than half does not", halfMinutes, 0, typed("2:44"), {" 2:30", 5}},
        {"minutes alone", halfMinutes, 0, typed("1"), {" 1:00", 2}},
        {"seconds alone", halfMinutes, 0, typed(":30"), {" 0:30", 1}},
        {"longer than mm:ss is ignored", halfMinutes, 3, typed("123456"), {" 1:30"}},
        {"above the maximum", halfMinutes, 0, typed("99:00"), {"10:00", 20}},
        {"no digit leaves the value", halfMinutes, 3, typed(":"), {" 1:30"}},
        {"whole seconds add nothing", seconds, 0, typed("1:05"), {" 1:05", 65}},
        {"backspace wraps", halfMinutes, 0, key(kBackspace), {"10:00", 20}},
        {"enter edits", halfMinutes, 3, key(kEnter), editorSelecting("1:30")},
        {"colon starts the editor", halfMinutes, 3, key(':'), editorWith(':')},
    });
}

} // namespace
