#include "TextCodecCases.h"

#include "codecs/UserCharacterCodec.h"

namespace {

using namespace text_codec_cases;

constexpr std::int32_t kSmallFont = 1;
constexpr std::int32_t kLargeFont = 0;

// 'A' of the display font: a 5 x 7 letter in the small glyph, a 5 x 12 one
// in the large glyph.
const CellBytes kGlyphA = {0xFC, 0x22, 0x22, 0x22, 0xFC, 0x00, 0xF0, 0x3F, 0x00, 0x08, 0x02, 0x00,
                           0x08, 0x02, 0x00, 0x08, 0x02, 0x00, 0xF0, 0x3F, 0x00, 0x00, 0x00, 0x00};

const std::string kSmallA = "000000"
                            "011100"
                            "100010"
                            "100010"
                            "100010"
                            "111110"
                            "100010"
                            "100010";

std::string largeA()
{
    std::string dots;
    for (int row = 0; row < kLargeGlyphRows; ++row) {
        const bool side = row >= 4 && row <= 13;
        const bool bar = row == 3 || row == 9;
        dots += std::string(side ? "1" : "0") + (bar ? "111" : "000") + (side ? "1" : "0") + "0";
    }
    return dots;
}

TEST(GlyphDotsTest, ReadRowByRowFromTheTop)
{
    EXPECT_EQ(glyphDots(kGlyphA, true), kSmallA);
    EXPECT_EQ(glyphDots(kGlyphA, false), largeA());
}

// Writing the dots back clears and rebuilds only the part of its font size.
TEST(GlyphDotsTest, WritingRebuildsOnlyItsOwnPart)
{
    CellBytes glyph(24, 0xFF);
    setGlyphDots(glyph, kSmallA, true);
    EXPECT_EQ(CellBytes(glyph.begin(), glyph.begin() + 6),
              CellBytes(kGlyphA.begin(), kGlyphA.begin() + 6));
    EXPECT_EQ(CellBytes(glyph.begin() + 6, glyph.end()), CellBytes(18, 0xFF));

    glyph.assign(24, 0xFF);
    setGlyphDots(glyph, largeA(), false);
    EXPECT_EQ(CellBytes(glyph.begin(), glyph.begin() + 6), CellBytes(6, 0xFF));
    EXPECT_EQ(CellBytes(glyph.begin() + 6, glyph.end()),
              CellBytes(kGlyphA.begin() + 6, kGlyphA.end()));
}

TEST(GlyphDotsTest, ShortOrOverlongDotsStayInsideTheGlyph)
{
    CellBytes glyph(24, 0);
    setGlyphDots(glyph, std::string(6 * 30, '1'), true);
    EXPECT_EQ(CellBytes(glyph.begin(), glyph.begin() + 6), CellBytes(6, 0xFF));
    EXPECT_EQ(CellBytes(glyph.begin() + 6, glyph.end()), CellBytes(18, 0));

    CellBytes shortGlyph(4, 0);
    setGlyphDots(shortGlyph, std::string(6 * 24, '1'), false);
    EXPECT_EQ(shortGlyph, CellBytes(4, 0));
    EXPECT_EQ(glyphDots(shortGlyph, true), std::string(6 * 8, '0'));
}

CodecRequest atIndex(CodecRequest request, std::int32_t index)
{
    request.index = index;
    return request;
}

TEST(UserCharacterTest, DrawsItsCharacterFramed)
{
    const CodecAnswer answer = editUserChar()(CellCodec::Bytes(kGlyphA), atIndex(draw(), 3));
    EXPECT_EQ(answer.text, "%13");
    // The request's context 0: the large font.
    const DotMatrixText expected{.characters = "\x13",
                                 .charactersPerLine = 1,
                                 .lines = 1,
                                 .framed = true,
                                 .size = DisplayFont::Size::Large};
    EXPECT_EQ(answer.dotMatrix, expected);
}

TEST(UserCharacterTest, EnterOpensTheCellEditorWithTheDotsOfTheFont)
{
    struct Case {
        const char *name;
        std::int32_t font;
        std::string dots;
        std::int32_t rows;
    } cases[] = {{"Small", kSmallFont, kSmallA, 8}, {"Large", kLargeFont, largeA(), 17}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CodecAnswer answer =
            editUserChar()(CellCodec::Bytes(kGlyphA), withContext(key(kEnter), c.font));
        EXPECT_EQ(answer.open.kind, CodecOpen::Kind::Window);
        EXPECT_EQ(answer.open.window, CodecOpen::Window::CellEditor);
        EXPECT_EQ(answer.open.text, c.dots);
        EXPECT_EQ(answer.open.width, 6);
        EXPECT_EQ(answer.open.last, c.rows);
    }
}

TEST(UserCharacterTest, TheEditorsAnswerRebuildsTheGlyph)
{
    const CellBytes blank(24, 0);
    CellBytes smallOnly(24, 0);
    std::copy(kGlyphA.begin(), kGlyphA.begin() + 6, smallOnly.begin());
    CellBytes largeOnly(24, 0);
    std::copy(kGlyphA.begin() + 6, kGlyphA.end(), largeOnly.begin() + 6);
    const std::string large = largeA();
    runCases(std::vector<BytesCase>{
        {"Small", editUserChar(), blank, chosen(1, 0, kSmallA.c_str(), kSmallFont), "%10",
         smallOnly},
        {"Large", editUserChar(), blank, chosen(1, 0, large.c_str(), kLargeFont), "%10", largeOnly},
        {"SameDots", editUserChar(), kGlyphA, chosen(1, 0, kSmallA.c_str(), kSmallFont), "%10"},
    });
}

} // namespace
