#include "platform/HexDigits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::hexDigitValue;
using platform::hexNumber;
using platform::isHexText;
using platform::upperHexDigitValue;

TEST(HexDigits, DigitValuesOfBothReadings)
{
    struct Case {
        char c;
        int anyCase;
        int upperOnly;
    } cases[] = {
        {'0', 0, 0},      {'9', 9, 9},   {'A', 10, 10}, {'F', 15, 15},  {'a', 10, -1},
        {'f', 15, -1},    {'G', -1, -1}, {'g', -1, -1}, {'/', -1, -1},  {':', -1, -1},
        {'@', -1, -1},    {'`', -1, -1}, {' ', -1, -1}, {'\0', -1, -1}, {'\xFE', -1, -1},
        {'\xC6', -1, -1}, // 'F' with the top bit set
    };
    for (const Case &c : cases) {
        EXPECT_EQ(hexDigitValue(c.c), c.anyCase) << int(static_cast<unsigned char>(c.c));
        EXPECT_EQ(upperHexDigitValue(c.c), c.upperOnly) << int(static_cast<unsigned char>(c.c));
    }
}

TEST(HexDigits, NumbersOfOneToEightDigits)
{
    struct Case {
        std::string digits;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"0", 0u},
        {"7", 7u},
        {"FF7F", 0xFF7Fu},
        {"ff7f", 0xFF7Fu},
        {"3079", 0x3079u},
        {"FFFFFFFF", 0xFFFFFFFFu},
        {"0000000A", 0xAu},
        {"", std::nullopt},
        {"100000000", std::nullopt}, // a ninth digit would not fit
        {"12 4", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"0x1F", std::nullopt},
        {std::string("1\0", 2), std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(hexNumber(c.digits), c.value) << '"' << c.digits << '"';
}

TEST(HexDigits, TextOfDigitsOnly)
{
    EXPECT_TRUE(isHexText(""));
    EXPECT_TRUE(isHexText("0123456789abcdefABCDEF"));
    EXPECT_FALSE(isHexText("0123456789abcdefg"));
    EXPECT_FALSE(isHexText(" 12"));
    EXPECT_FALSE(isHexText(std::string("12\0", 3)));
}

} // namespace
