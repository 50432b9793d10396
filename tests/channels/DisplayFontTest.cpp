#include "channels/DisplayFont.h"

#include "WorkingImage.h"
#include "channels/ChannelOffsets.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using channel_testing::WorkingImage;
using Glyph = DisplayFont::Glyph;
using Size = DisplayFont::Size;

constexpr Glyph kLetterA = {0xFC, 0x22, 0x22, 0x22, 0xFC, 0x00, 0xF0, 0x3F, 0x00, 0x08, 0x02, 0x00,
                            0x08, 0x02, 0x00, 0x08, 0x02, 0x00, 0xF0, 0x3F, 0x00, 0x00, 0x00, 0x00};
constexpr Glyph kBlank{};

TEST(DisplayFont, TheLetterAAndTheSpaceAreAsTheRadioDrawsThem)
{
    EXPECT_EQ(DisplayFont::BuiltIn('A'), kLetterA);
    EXPECT_EQ(DisplayFont::BuiltIn(' '), kBlank);
    struct Case {
        std::uint8_t code;
        const char *why;
    } belowSixteen[] = {{0, "the terminator"}, {9, "a control code"}, {15, "the last below 16"}};
    for (const Case &c : belowSixteen) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(DisplayFont().GlyphOf(c.code), kBlank);
    }
}

// The table is generated; a slip in the generator would show up as dots in
// the gap column or below the last row of a size.
TEST(DisplayFont, EveryBuiltInGlyphStaysInsideItsCell)
{
    for (int code = DisplayFont::kFirstBuiltInCode; code < 256; ++code) {
        SCOPED_TRACE(code);
        const Glyph &glyph = DisplayFont::BuiltIn(static_cast<std::uint8_t>(code));
        EXPECT_EQ(glyph[5], 0) << "small gap column";
        for (int byte = 6 + 15; byte < 24; ++byte)
            EXPECT_EQ(glyph[byte], 0) << "large gap column";
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(glyph[6 + 3 * column + 2] & ~0x01, 0) << "rows beyond 16";
        if (code > ' ' && code != 0xA0) {
            EXPECT_NE(glyph, kBlank) << "a visible character draws something";
        }
    }
}

TEST(DisplayFont, DotsReadTheColumnsOfTheChosenSize)
{
    struct Case {
        Size size;
        int column;
        int row;
        bool set;
    } cases[] = {
        {Size::Small, 0, 1, false},  {Size::Small, 0, 2, true},  {Size::Small, 2, 1, true},
        {Size::Small, 2, 5, true},   {Size::Small, 5, 3, false}, {Size::Small, 0, 8, false},
        {Size::Large, 0, 3, false},  {Size::Large, 0, 4, true},  {Size::Large, 0, 13, true},
        {Size::Large, 0, 14, false}, {Size::Large, 2, 3, true},  {Size::Large, 2, 9, true},
        {Size::Large, 2, 10, false}, {Size::Large, 4, 8, true},  {Size::Large, 0, 17, false},
        {Size::Large, -1, 4, false}, {Size::Large, 6, 4, false}, {Size::Small, 0, -1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << (c.size == Size::Small ? "small" : "large") << " column "
                                        << c.column << " row " << c.row);
        EXPECT_EQ(DisplayFont::Dot(kLetterA, c.size, c.column, c.row), c.set);
    }
}

TEST(DisplayFont, TheWideFormKeepsTheGlyphAndAddsAnEmptyColumn)
{
    const DisplayFont::WideGlyph wide = DisplayFont::BuiltInWide('A');
    EXPECT_TRUE(std::equal(kLetterA.begin(), kLetterA.begin() + 6, wide.begin()));
    EXPECT_EQ(wide[6], 0);
    EXPECT_TRUE(std::equal(kLetterA.begin() + 6, kLetterA.end(), wide.begin() + 7));
    EXPECT_TRUE(std::all_of(wide.begin() + 25, wide.end(), [](std::uint8_t b) { return b == 0; }));
}

class DisplayFontOfImage : public testing::Test
{
protected:
    void setUserGlyph(int character, std::uint8_t fill)
    {
        for (int n = 0; n < 24; ++n)
            working.image.SetByte(channel_offsets::kGlyph24 + 24 * character + n,
                                  static_cast<std::uint8_t>(fill + n));
    }
    WorkingImage working;
};

TEST_F(DisplayFontOfImage, CodesSixteenToThirtyOneAreTheImagesUserCharacters)
{
    setUserGlyph(0, 0x10);
    setUserGlyph(15, 0x80);
    const DisplayFont font(working.image);
    Glyph first;
    Glyph last;
    for (int n = 0; n < 24; ++n) {
        first[n] = static_cast<std::uint8_t>(0x10 + n);
        last[n] = static_cast<std::uint8_t>(0x80 + n);
    }
    EXPECT_EQ(font.GlyphOf(16), first);
    EXPECT_EQ(font.GlyphOf(31), last);
    EXPECT_EQ(font.GlyphOf(17), kBlank);
    EXPECT_EQ(font.GlyphOf('A'), kLetterA) << "the built-in glyphs stay";
    EXPECT_EQ(DisplayFont().GlyphOf(16), kBlank) << "no image, no user characters";
}

TEST_F(DisplayFontOfImage, BitTwoOfTheDisplayByteChoosesTheSmallSize)
{
    struct Case {
        std::uint8_t stored;
        Size size;
        int rows;
    } cases[] = {
        {0x00, Size::Large, 17},
        {0x04, Size::Small, 8},
        {0xFB, Size::Large, 17},
        {0xFF, Size::Small, 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.stored));
        working.image.SetByte(DisplayFont::kSizeAddress, c.stored);
        const DisplayFont font(working.image);
        EXPECT_EQ(font.FontSize(), c.size);
        EXPECT_EQ(font.Rows(), c.rows);
        EXPECT_EQ(font.Dot('A', 0, 2), c.size == Size::Small);
    }
}

// Before a working image is loaded the image is empty: the font reads
// nothing from it.
TEST(DisplayFont, AnImageTooSmallReadsAsNone)
{
    cmcEeprom empty;
    const DisplayFont font(empty);
    EXPECT_EQ(font.FontSize(), Size::Large);
    EXPECT_EQ(font.GlyphOf(20), kBlank);
}

} // namespace
