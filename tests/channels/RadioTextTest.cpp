#include "channels/RadioText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

struct EscapeCase {
    const char *name;
    std::string bytes;
    std::string text;
};

class EscapeTest : public ::testing::TestWithParam<EscapeCase>
{};

TEST_P(EscapeTest, StoredBytesAndEditTextTurnIntoEachOther)
{
    const EscapeCase &c = GetParam();
    EXPECT_EQ(radio_text::escape(c.bytes), c.text);
    EXPECT_EQ(radio_text::unescape(c.text), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Texts, EscapeTest,
                         ::testing::Values(EscapeCase{"Printable", "CH 1 ~", "CH 1 ~"},
                                           EscapeCase{"Percent", "50%", "50%%"},
                                           EscapeCase{"UserCharacter",
                                                      "A\x1A"
                                                      "B",
                                                      "A%1AB"},
                                           EscapeCase{"FirstStoredByte", "\x10", "%10"},
                                           EscapeCase{"Delete", "\x7F", "%7F"},
                                           EscapeCase{"HighBytes", "\xA9\xFF", "%A9%FF"},
                                           EscapeCase{"Empty", "", ""}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(RadioText, ABelowSixteenEndsTheStoredText)
{
    EXPECT_EQ(radio_text::escape("AB\x0F"
                                 "CD"),
              "AB");
    EXPECT_EQ(radio_text::escape("\0AB"s), "");
}

struct UnescapeCase {
    const char *name;
    std::string text;
    std::string bytes;
};

class UnescapeTest : public ::testing::TestWithParam<UnescapeCase>
{};

TEST_P(UnescapeTest, TypedTextBecomesStoredBytes)
{
    EXPECT_EQ(radio_text::unescape(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Typed, UnescapeTest,
                         ::testing::Values(UnescapeCase{"LowerCaseDigits", "%1a", "\x1A"},
                                           // A byte that would end the text is not taken: the '%'
                                           // and the digits stay as they were typed.
                                           UnescapeCase{"EscapeBelowSixteen", "%0F", "%0F"},
                                           UnescapeCase{"NotHexadecimal", "%G1", "%G1"},
                                           UnescapeCase{"PercentAtTheEnd", "100%", "100%"},
                                           UnescapeCase{"OneDigitLeft", "%4", "%4"},
                                           UnescapeCase{"ControlCharacters", "A\tB\nC", "A B C"},
                                           UnescapeCase{"HighBytesAsTyped", "\xE9", "\xE9"}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(RadioText, LongTextsAreCutAtTheLimit)
{
    const std::string many(radio_text::kMaxLength + 10, 'x');
    EXPECT_EQ(radio_text::escape(many).size(), radio_text::kMaxLength);
    EXPECT_EQ(radio_text::unescape(many).size(), radio_text::kMaxLength);
    // Each escaped byte takes three characters, so the text may grow past
    // the limit; it is the stored bytes that are bounded.
    const std::string high(radio_text::kMaxLength, '\x80');
    EXPECT_EQ(radio_text::escape(high).size(), 3 * radio_text::kMaxLength);
}

} // namespace
