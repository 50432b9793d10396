#include "TextCodecCases.h"

#include "codecs/TextCodecs.h"

namespace {

using namespace text_codec_cases;

constexpr std::int32_t kSmallFont = 1;
constexpr std::int32_t kLargeFont = 0;

CellBytes zeroFilled(const std::string &text, std::size_t size) { return textBytes(text, size, 0); }

TEST(FixedTextTest, TypedTextFillsTheField)
{
    const CellCodec spaces = editFixedText(8, TextFill::Spaces);
    const CellBytes old = textBytes("OLD", 8);
    runCases(std::vector<BytesCase>{
        {"Padded", spaces, old, typed("Hello"), "Hello", textBytes("Hello", 8)},
        {"CutToTheWidth", spaces, old, typed("abcdefghij"), "abcdefgh", textBytes("abcdefgh", 8)},
        {"UnprintableBecomesTheFill", spaces, old, typed("a\tb\xC3\xA9"), "a b",
         textBytes("a b", 8)},
        {"WindowAnswer", spaces, old, chosen(1, 0, "Hi"), "Hi", textBytes("Hi", 8)},
        {"BytesPastTheWidthKept", spaces, textBytes("OLD", 10, '#'), typed("New"), "New",
         [] {
             CellBytes bytes = textBytes("New", 8);
             bytes.insert(bytes.end(), {'#', '#'});
             return bytes;
         }()},
        {"SameText", spaces, old, typed("OLD"), "OLD"},
        {"ZerosStoreSpacesAsZero", editFixedText(8, TextFill::Zeros), old, typed("A B"), "A",
         CellBytes{'A', 0, 'B', 0, 0, 0, 0, 0}},
        {"ZerosInLowerCase", editFixedText(8, TextFill::ZerosLowerCase), old, typed("Ab C"), "ab",
         CellBytes{'a', 'b', 0, 'c', 0, 0, 0, 0}},
        {"ZerosKeepingSpaces", editFixedText(8, TextFill::ZerosKeepSpaces), old, typed("A B"),
         "A B", zeroFilled("A B", 8)},
    });
}

TEST(FixedTextTest, ShowsTheFieldAndStartsTheEditor)
{
    const CellCodec spaces = editFixedText(8, TextFill::Spaces);
    runCases(std::vector<BytesCase>{
        {"TrailingSpacesTrimmed", spaces, textBytes("AB", 8), draw(), "AB"},
        {"UpToTheFirstZero", editFixedText(8, TextFill::Zeros), CellBytes{'A', 'B', 0, 'C'}, draw(),
         "AB"},
        {"Enter", spaces, textBytes("AB", 8), key(kEnter), "AB", std::nullopt, editor(0, 2)},
        {"SpaceActsAsEnter", spaces, textBytes("AB", 8), key(kSpace), "AB", std::nullopt,
         editor(0, 2)},
        {"PrintableKey", spaces, textBytes("AB", 8), key('x'), "x", std::nullopt, editor(1, 0)},
    });
}

TEST(CwTextTest, KeepsWhatMorseCanSend)
{
    const CellCodec codec = editCwText(10);
    const CellBytes old = textBytes("", 10);
    runCases(std::vector<BytesCase>{
        {"UpperCased", codec, old, typed("cq de ab1"), "CQ DE AB1", textBytes("CQ DE AB1", 10)},
        {"OthersTakenOutTheRestMovesLeft", codec, old, typed("a_b!(c)"), "AB(C)",
         textBytes("AB(C)", 10)},
        {"Marks", codec, old, typed("\"'()*+,-./"), "\"'()*+,-./", textBytes("\"'()*+,-./", 10)},
        {"MoreMarks", codec, old, typed(":=?;"), ":=?", textBytes(":=?", 10)},
    });
}

// --- Names ---

TEST(NameTest, TypedNamesAreUnescapedAndCutToTheDisplay)
{
    const CellCodec channel = editName(12, NameFill::Spaces);
    const CellCodec scanList = editName(24, NameFill::Spaces);
    const std::string long24 = "ABCDEFGHIJKLMNOPQRSTUVWX";
    runCases(std::vector<BytesCase>{
        {"EscapedByte", channel, textBytes("", 12), typed("%1AB"), "%1AB",
         textBytes("\x1A"
                   "B",
                   12)},
        {"PercentSign", channel, textBytes("", 12), typed("5%%"), "5%%", textBytes("5%", 12)},
        {"CutToTwelve", channel, textBytes("", 12), typed("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKL",
         textBytes("ABCDEFGHIJKL", 12)},
        {"SmallFontKeepsAWholeScanListName", scanList, textBytes("", 24),
         typed(long24.c_str(), kSmallFont), long24, textBytes(long24, 24)},
        {"LargeFontTakesTwelve", scanList, textBytes("", 24), typed(long24.c_str(), kLargeFont),
         "ABCDEFGHIJKL", textBytes("ABCDEFGHIJKL", 24)},
        {"ZeroFilled", editName(12, NameFill::Zeros), textBytes("OLD NAME", 12), typed("AB"), "AB",
         zeroFilled("AB", 12)},
        {"WindowAnswer", channel, textBytes("OLD", 12), chosen(1, 0, "NEW"), "NEW",
         textBytes("NEW", 12)},
        {"SameName", channel, textBytes("OLD", 12), typed("OLD"), "OLD"},
    });
}

struct DrawCase {
    const char *name;
    CellCodec codec;
    CellBytes stored;
    std::int32_t font;
    std::string text;
    DotMatrixText shown;
};

TEST(NameTest, DrawsInTheDisplayFont)
{
    const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
    const DrawCase cases[] = {
        {"Channel",
         editName(12, NameFill::Spaces),
         textBytes("CH1", 12),
         kLargeFont,
         "CH1",
         {.characters = "CH1", .charactersPerLine = 12, .lines = 1}},
        {"UserCharacterEscaped",
         editName(12, NameFill::Zeros),
         zeroFilled("A\x1A", 12),
         kLargeFont,
         "A%1A",
         {.characters = "A\x1A", .charactersPerLine = 12, .lines = 1}},
        {"SmallFontTwoLines",
         editName(24, NameFill::Spaces),
         textBytes(twenty, 24),
         kSmallFont,
         twenty,
         {.characters = twenty, .charactersPerLine = 12, .lines = 2}},
        {"LargeFontShowsTwelve",
         editName(24, NameFill::Spaces),
         textBytes(twenty, 24),
         kLargeFont,
         twenty,
         {.characters = twenty, .charactersPerLine = 12, .lines = 2, .keptLength = 12}},
        {"MessageLines",
         editName(100, NameFill::Spaces),
         textBytes("HELLO", 100),
         kLargeFont,
         "HELLO",
         {.characters = "HELLO", .charactersPerLine = 25, .lines = 4}},
        {"BlockOfAMessage",
         editName(4, NameFill::Spaces),
         textBytes("OK", 4),
         kLargeFont,
         "OK",
         {.characters = "OK", .charactersPerLine = 4, .lines = 1}},
    };
    for (const DrawCase &c : cases) {
        SCOPED_TRACE(c.name);
        const CodecAnswer answer = c.codec(CellCodec::Bytes(c.stored), draw(c.font));
        EXPECT_EQ(answer.text, c.text);
        EXPECT_EQ(answer.dotMatrix, c.shown);
    }
}

struct WindowCase {
    const char *name;
    std::int32_t key;
    std::int32_t font;
    std::string text;
    std::int32_t width;
    std::int32_t selectionStart;
    std::int32_t selectionLength;
};

// The formatted text window opens with the name selected, or with the
// typed character alone and the caret after it, and the width that can
// be entered.
TEST(NameTest, KeysOpenTheTextWindow)
{
    const CellCodec codec = editName(24, NameFill::Spaces);
    const CellBytes stored = textBytes("SCAN\x1A", 24);
    const WindowCase cases[] = {
        {"Enter", kEnter, kSmallFont, "SCAN%1A", 24, 0, 7},
        {"BackspaceActsAsEnter", kBackspace, kLargeFont, "SCAN%1A", 12, 0, 7},
        {"Letter", 'x', kSmallFont, "x", 24, 1, 0},
        {"Space", kSpace, kSmallFont, " ", 24, 1, 0},
        {"PercentIsEscaped", '%', kSmallFont, "%%", 24, 2, 0},
        {"ByteAbove127", 0xE9, kSmallFont, "%E9", 24, 3, 0},
    };
    for (const WindowCase &c : cases) {
        SCOPED_TRACE(c.name);
        const CodecAnswer answer = codec(CellCodec::Bytes(stored), withContext(key(c.key), c.font));
        EXPECT_EQ(answer.open.kind, CodecOpen::Kind::Window);
        EXPECT_EQ(answer.open.window, CodecOpen::Window::FormattedText);
        EXPECT_EQ(answer.open.text, c.text);
        EXPECT_EQ(answer.open.width, c.width);
        EXPECT_EQ(answer.open.selectionStart, c.selectionStart);
        EXPECT_EQ(answer.open.selectionLength, c.selectionLength);
        EXPECT_FALSE(answer.bytes.has_value());
    }
    EXPECT_EQ(codec(CellCodec::Bytes(stored), key(1)).open.kind, CodecOpen::Kind::Nothing);
}

} // namespace
