#include "codecs/UserCharacterCodec.h"

#include "channels/RadioText.h"
#include "codecs/CodecBasics.h"

#include <algorithm>

namespace {

constexpr std::size_t kSmallPart = 0;
constexpr std::size_t kLargePart = 6;
constexpr int kBytesPerLargeColumn = 3;
constexpr std::size_t kGlyphBytes = kLargePart + kGlyphColumns * kBytesPerLargeColumn;
// Rows the large glyph's 24-bit columns can hold.
constexpr int kLargeColumnBits = 8 * kBytesPerLargeColumn;

// Where the dot of `row` and `column` lives: its byte and bit.
struct DotPlace {
    std::size_t byte;
    int bit;
};

DotPlace placeOf(int row, int column, bool smallFont)
{
    if (smallFont)
        return {kSmallPart + static_cast<std::size_t>(column), row};
    return {kLargePart + static_cast<std::size_t>(kBytesPerLargeColumn * column + row / 8),
            row % 8};
}

struct NoParams {};

// The font size the character is drawn in: paper asks for the font of the
// radio its sheet is for, the screen shows the working image's.
DisplayFont::Size drawnSize(const CodecRequest &request)
{
    switch (request.printMode) {
    case PrintMode::kSmallGlyphs:
        return DisplayFont::Size::Small;
    case PrintMode::kLargeGlyphs:
        return DisplayFont::Size::Large;
    case PrintMode::kScreen:
        break;
    }
    return request.context != 0 ? DisplayFont::Size::Small : DisplayFont::Size::Large;
}

CodecAnswer userCharacter(const NoParams &, CellCodec::Bytes bytes, const CodecRequest &request)
{
    const bool smallFont = request.context != 0;
    const auto code =
        static_cast<char>(kFirstUserCharacter + std::clamp(request.index, 0, kUserCharacters - 1));
    CodecAnswer answer{.text = radio_text::escape(std::string(1, code))};
    if (request.kind == CodecRequest::Kind::Chosen) {
        CellBytes next(bytes.begin(), bytes.end());
        setGlyphDots(next, request.typed, smallFont);
        answerBytes(answer, bytes, std::move(next));
    } else if (keyOf(request) == CodecRequest::kEnter) {
        answer.open.kind = CodecOpen::Kind::Window;
        answer.open.window = CodecOpen::Window::CellEditor;
        answer.open.text = glyphDots(bytes, smallFont);
        answer.open.width = kGlyphColumns;
        answer.open.last = smallFont ? kSmallGlyphRows : kLargeGlyphRows;
    } else if (request.kind == CodecRequest::Kind::Draw) {
        answer.dotMatrix = DotMatrixText{.characters = std::string(1, code),
                                         .charactersPerLine = 1,
                                         .lines = 1,
                                         .framed = true,
                                         .size = drawnSize(request)};
    }
    return answer;
}

} // namespace

std::string glyphDots(std::span<const std::uint8_t> glyph, bool smallFont)
{
    const int rows = smallFont ? kSmallGlyphRows : kLargeGlyphRows;
    std::string dots;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < kGlyphColumns; ++column) {
            const DotPlace place = placeOf(row, column, smallFont);
            const bool set = place.byte < glyph.size() && ((glyph[place.byte] >> place.bit) & 1);
            dots += set ? '1' : '0';
        }
    }
    return dots;
}

void setGlyphDots(std::span<std::uint8_t> glyph, std::string_view dots, bool smallFont)
{
    const std::size_t first = smallFont ? kSmallPart : kLargePart;
    const std::size_t end = std::min(glyph.size(), smallFont ? kLargePart : kGlyphBytes);
    for (std::size_t i = first; i < end; ++i)
        glyph[i] = 0;
    const int rows = smallFont ? kSmallGlyphRows : kLargeColumnBits;
    for (std::size_t k = 0; k < dots.size(); ++k) {
        const int row = static_cast<int>(k / kGlyphColumns);
        if (row >= rows)
            break;
        const DotPlace place = placeOf(row, static_cast<int>(k % kGlyphColumns), smallFont);
        if (dots[k] == '1' && place.byte < glyph.size())
            glyph[place.byte] = static_cast<std::uint8_t>(glyph[place.byte] | (1 << place.bit));
    }
}

CellCodec editUserChar() { return CellCodec(userCharacter, NoParams{}); }
