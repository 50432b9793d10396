#include "link/HexText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(BytesFromHex, PairsDigitsAndSkipsEverythingElse)
{
    struct Case {
        std::string text;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"FEFE EE EF E4", {0xFE, 0xFE, 0xEE, 0xEF, 0xE4}},
        {"ABC", {0xAB, 0xC0}},
        {"", {}},
        {"  \t-", {}},
        {"f", {0xF0}},
        {"0a:Bc,", {0x0A, 0xBC}},
        {"F E", {0xFE}},    // pairs cross separators
        {"gz01xy", {0x01}}, // letters past f are no digits
        {std::string("1\0002", 3), {0x12}},
    };
    for (const auto &c : cases) {
        const cmcBuff buffer = BytesFromHex(c.text);
        const std::vector<std::uint8_t> bytes(buffer.Data(), buffer.Data() + buffer.Length());
        EXPECT_EQ(bytes, c.bytes) << '"' << c.text << '"';
    }
}

TEST(BytesFromHex, ReservesTheTextLengthSoAppendsNeverGrow)
{
    EXPECT_EQ(BytesFromHex("FE FE EE EF").capacity(), 11);
}

TEST(HexFromText, WritesTwoUpperCaseDigitsPerByte)
{
    struct Case {
        std::string text;
        std::string hex;
    } cases[] = {
        {"abc", "616263"},
        {"", ""},
        {std::string("\0\xFF\x7F", 3), "00FF7F"},
        {"\xFE\xFD", "FEFD"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HexFromText(c.text), c.hex);
}

TEST(HexText, RoundTripOfEveryByteValue)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    const cmcBuff bytes = BytesFromHex(HexFromText(all));
    ASSERT_EQ(bytes.Length(), 256);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(*bytes.At(i), i);
}

} // namespace
