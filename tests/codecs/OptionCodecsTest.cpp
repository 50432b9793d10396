#include "codecs/OptionCodecs.h"

#include "cells/CellLabels.h"

#include "CodecCases.h"

namespace {

using namespace codec_cases;

// The fixture's power list: Low, Mid, High in style 1; Low!, Mid!, Top! as
// 0, 1, 5 in style 4.
constexpr const char *kPower = "GI_Sheet_Sel_Test_Power";

TEST(OptionCodec, TextsSteppingAndAnswers)
{
    const CellCodec plain = editOption(kPower, Flex0);
    const CellCodec marked = editOption(kPower, FlexMark);
    runCases({
        {"text of the value", plain, 1, draw(), {"Mid"}},
        {"value the list does not hold", plain, 7, draw(), {"error"}},
        {"space steps on", plain, 1, key(kSpace), {"High", 2}},
        {"space wraps to the first", plain, 2, key(kSpace), {"Low", 0}},
        {"backspace wraps to the last", plain, 0, key(kBackspace), {"High", 2}},
        {"stepping from a value not held starts at the first", plain, 7, key(kSpace), {"Low", 0}},
        {"other style, other options", marked, 1, key(kSpace), {"Top!", 5}},
        {"off the grid nothing steps", plain, 1, keyOffGrid(kSpace), {"Mid"}},
        {"other keys do nothing", plain, 1, key('x'), {"Mid"}},
        {"the list answers", plain, 0, chosen(Flex0, 2), {"High", 2}},
        {"choosing the same option still answers", plain, 2, chosen(Flex0, 2), {"High", 2}},
        {"a list of another style is not this one", plain, 0, chosen(FlexMark, 5), {"Low"}},
    });
}

TEST(OptionCodec, EnterOpensTheListAtTheValue)
{
    const CodecAnswer answer = editOption(kPower, FlexMark)(5, key(kEnter));
    EXPECT_EQ(answer.text, "Top!");
    EXPECT_EQ(answer.open.kind, CodecOpen::Kind::List);
    EXPECT_EQ(answer.open.key, kPower);
    EXPECT_EQ(answer.open.style, FlexMark);
    EXPECT_EQ(answer.open.current, 5);
    EXPECT_FALSE(answer.value);
}

TEST(OptionCodec, ByteVariantKeepsTheHighBits)
{
    const CellCodec byte = editOptionByte(kPower, Flex0);
    runCases({
        {"low byte is the option", byte, 0x0301, draw(), {"Mid"}},
        {"steps the low byte only", byte, 0x0301, key(kSpace), {"High", 0x0302}},
        {"answer into the low byte", byte, 0x0301, chosen(Flex0, 0), {"Low", 0x0300}},
    });
}

TEST(OptionCodec, WithoutTextsShowsTheErrorText)
{
    CodecRequest request = key(kSpace);
    request.formats = nullptr;
    const CodecAnswer answer = editOption(kPower, Flex0)(1, request);
    EXPECT_EQ(answer.text, "error");
    EXPECT_FALSE(answer.value);
}

} // namespace
