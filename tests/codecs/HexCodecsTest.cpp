#include "codecs/HexCodecs.h"

#include "CodecCases.h"

#include <array>

namespace {

using namespace codec_cases;

TEST(HexValueCodec, TypedAndShown)
{
    const CellCodec hex = editHexValue(0, 0xFFF, 3);
    const CellCodec wide = editHexValue(0, 0x7FFFFFFF, 8);
    runCases({
        {"shown in three digits", hex, 0xAB, draw(), {"0AB"}},
        {"typed", hex, 0, typed(" 1f "), {"01F", 0x1F}},
        {"a character that is no digit rejects all", hex, 0x12, typed("1G"), {"012"}},
        {"one digit more than shown is read, then clamped", hex, 0, typed("FFFF"), {"FFF", 0xFFF}},
        {"beyond that is cut", hex, 0, typed("12345"), {"FFF", 0xFFF}},
        {"nine digits do not overflow", wide, 0, typed("FFFFFFFFF"), {"7FFFFFFF", 0x7FFFFFFF}},
        {"empty changes nothing", hex, 0x12, typed(""), {"012"}},
        {"space acts as enter", hex, 0xAB, key(' '), editorSelecting("0AB")},
        {"enter", hex, 0xAB, key(kEnter), editorSelecting("0AB")},
        {"a digit starts the editor", hex, 0xAB, key('c'), editorWith('c')},
        {"other keys do nothing", hex, 0xAB, key('g'), {"0AB"}},
    });
}

TEST(HexDigitsCodec, NibblesPaddedAndCut)
{
    const CellCodec letters = editHexDigits(4, true);
    const CellCodec digitsOnly = editHexDigits(4, false);
    const CellCodec two = editHexDigits(2, true);
    runCases({
        {"shown", letters, 0x12AB, draw(), {"12AB"}},
        {"padded on the left", letters, 0x12AB, typed("f"), {"000F", 0x000F}},
        {"cut to the count", letters, 0, typed("123456"), {"1234", 0x1234}},
        {"letters only when allowed", digitsOnly, 0, typed("1a2"), {"0012", 0x0012}},
        {"nothing kept changes nothing", digitsOnly, 0x12AB, typed("xyz"), {"12AB"}},
        {"nibbles beyond the count stay", two, 0x1234, typed("FF"), {"FF", 0x12FF}},
        {"eight nibbles",
         editHexDigits(8, true),
         0,
         typed("89abcdef"),
         {"89ABCDEF", static_cast<std::int32_t>(0x89ABCDEFu)}},
        {"backspace acts as enter", letters, 0x12AB, key('\b'), editorSelecting("12AB")},
        {"a digit starts the editor", letters, 0x12AB, key('9'), editorWith('9')},
    });
}

TEST(HexDigitsCodec, NibbleArrays)
{
    const std::array<std::uint8_t, 4> nibbles = {0x1, 0x2, 0xA, 0xFB};
    EXPECT_EQ(nibblesToValue(nibbles), 0x12AB); // only the low nibble of each byte
    std::array<std::uint8_t, 4> back{};
    valueToNibbles(0x12AB, back);
    EXPECT_EQ(back, (std::array<std::uint8_t, 4>{0x1, 0x2, 0xA, 0xB}));
    std::array<std::uint8_t, 10> long_{};
    long_.fill(0xF);
    EXPECT_EQ(nibblesToValue(long_), -1); // the first eight take part
    valueToNibbles(0x12345678, long_);
    EXPECT_EQ(long_[0], 1);
    EXPECT_EQ(long_[7], 8);
    EXPECT_EQ(long_[8], 0xF); // untouched
}

TEST(HexDigitCodec, OneNibble)
{
    const CellCodec noF = editHexDigit(false);
    const CellCodec withF = editHexDigit(true);
    runCases({
        {"shown", noF, 0xC, draw(), {"C"}},
        {"typed in lower case", noF, 0, typed("e"), {"E", 0xE}},
        {"F only when allowed", noF, 3, typed("F"), {"3"}},
        {"F allowed", withF, 3, typed("f"), {"F", 0xF}},
        {"not a digit", noF, 3, typed("x"), {"3"}},
        {"enter selects the digit", noF, 0xC, key(kEnter), editor("C", 0, 1)},
        {"a digit key opens the editor with it selected", noF, 0xC, key('7'), editor("7", 0, 1)},
    });
}

} // namespace
