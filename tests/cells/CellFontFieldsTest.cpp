#include "cells/CellFontFields.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

CellFont fontOfHeight(std::int32_t height)
{
    CellFont font;
    font.face = "Sans";
    font.setHeight(height);
    font.style = CellFont::kItalic;
    return font;
}

TEST(CellFont, HeightAndSizeAreOneMeasure)
{
    struct Case {
        std::int32_t height;
        std::int32_t size;
    } cases[] = {{-17, 13}, {-16, 12}, {-11, 8}, {-1, 1}, {0, 0}, {20, -15}};
    for (const auto &c : cases)
        EXPECT_EQ(fontOfHeight(c.height).size(), c.size) << c.height;
    CellFont font;
    font.setSize(12);
    EXPECT_EQ(font.height(), -16);
    font.setSize(9);
    EXPECT_EQ(font.height(), -12);

    // Extremes saturate instead of overflowing.
    font.setHeight(std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(font.size(), 1610612736);
    font.setSize(std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(font.height(), std::numeric_limits<std::int32_t>::max());
    font.setSize(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(font.height(), std::numeric_limits<std::int32_t>::min());
}

TEST(CellFontFields, EachFieldChangesOnlyItsAttribute)
{
    struct Case {
        const char *fields;
        std::int32_t charset;
        const char *face;
        std::uint32_t colour;
        std::int32_t height;
        std::uint8_t style;
        CellFont::Pitch pitch;
    } cases[] = {
        {"", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,,,,", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {"ANSI_CHARSET", 0, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {"  OEM_CHARSET  ", 255, "Sans", 0x80000008, -17, CellFont::kItalic,
         CellFont::Pitch::Default},
        {"ansi_charset", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {"ANSI_CHARSETX", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {",  Mono Bold ", 1, "Mono Bold ", 0x80000008, -17, CellFont::kItalic,
         CellFont::Pitch::Default},
        {",,clRed", 1, "Sans", 0x0000FF, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {",,clred", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {",,, clRed", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,-20", 1, "Sans", 0x80000008, -20, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,0", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,%150", 1, "Sans", 0x80000008, -25, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,%1", 1, "Sans", 0x80000008, 1, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,,12", 1, "Sans", 0x80000008, -16, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,,%200", 1, "Sans", 0x80000008, -35, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,,,fsBold", 1, "Sans", 0x80000008, -17, CellFont::kBold, CellFont::Pitch::Default},
        {",,,,, fsBold + fsUnderline +fsStrikeOut", 1, "Sans", 0x80000008, -17,
         CellFont::kBold | CellFont::kUnderline | CellFont::kStrikeOut, CellFont::Pitch::Default},
        {",,,,,fsHeavy", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {",,,,,fsHeavy+fsBold", 1, "Sans", 0x80000008, -17, CellFont::kBold,
         CellFont::Pitch::Default},
        {",,,,,,fpFixed", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Fixed},
        {",,,,,,fpVariable,extra", 1, "Sans", 0x80000008, -17, CellFont::kItalic,
         CellFont::Pitch::Variable},
        {",,,,,,fpWide", 1, "Sans", 0x80000008, -17, CellFont::kItalic, CellFont::Pitch::Default},
        {"GREEK_CHARSET,Serif,clWhite,-30,,fsItalic+fsBold,fpDefault", 161, "Serif", 0xFFFFFF, -30,
         CellFont::kBold | CellFont::kItalic, CellFont::Pitch::Default},
    };
    for (const auto &c : cases) {
        CellFont font = fontOfHeight(-17);
        applyFontFields(font, c.fields);
        EXPECT_EQ(font.charset, c.charset) << c.fields;
        EXPECT_EQ(font.face, c.face) << c.fields;
        EXPECT_EQ(font.colour, c.colour) << c.fields;
        EXPECT_EQ(font.height(), c.height) << c.fields;
        EXPECT_EQ(font.style, c.style) << c.fields;
        EXPECT_EQ(font.pitch, c.pitch) << c.fields;
    }
}

TEST(CellFontFields, PercentagesOfHugeValuesSaturate)
{
    CellFont font = fontOfHeight(91999);
    applyFontFields(font, ",,,%99999999999999");
    EXPECT_EQ(font.height(), std::numeric_limits<std::int32_t>::max());
    applyFontFields(font, ",,,,%50"); // half of -1610612735 points
    EXPECT_EQ(font.height(), 1073741823);
    applyFontFields(font, ",,,,-2147483648");
    EXPECT_EQ(font.height(), std::numeric_limits<std::int32_t>::max());
}

TEST(CellFontFields, AllCharacterSetNames)
{
    struct Case {
        const char *name;
        std::int32_t value;
    } cases[] = {
        {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
        {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
        {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
        {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
        {"OEM_CHARSET", 255},
    };
    for (const auto &c : cases) {
        std::int32_t value = -1;
        EXPECT_TRUE(findCharsetName(c.name, value)) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
    std::int32_t value = -1;
    EXPECT_FALSE(findCharsetName("UTF8_CHARSET", value));
    EXPECT_FALSE(findCharsetName("", value));
}

} // namespace
