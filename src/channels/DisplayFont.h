#pragma once

#include <array>
#include <cstdint>

class cmcEeprom;

// The radio's dot-matrix display font, in which names are drawn as the radio
// shows them. A character is 6 columns wide (the sixth is the gap) and 8
// rows high in the small size, 17 in the large one; the working image
// chooses the size. Codes 32..255 come from the built-in glyphs, codes
// 16..31 are the user characters of the working image, and codes below 16
// draw as the space.
//
// A glyph is 24 bytes: bytes 0-5 the small glyph's columns (bit r = row r
// from the top), bytes 6-23 the large glyph's columns, three bytes each, low
// byte first. The 49-byte form of 7-column displays is carried with every
// user character; this radio never draws it.
class DisplayFont
{
public:
    using Glyph = std::array<std::uint8_t, 24>;
    using WideGlyph = std::array<std::uint8_t, 49>;
    enum class Size : std::uint8_t { Small, Large };

    static constexpr int kColumns = 6;
    static constexpr int kSmallRows = 8;
    static constexpr int kLargeRows = 17;
    static constexpr int kFirstUserCode = 16;
    static constexpr int kUserCharacters = 16;
    static constexpr int kFirstBuiltInCode = 32;
    // Bit 2 of this working-image byte set: the small size.
    static constexpr std::int32_t kSizeAddress = 0x10E98;
    static constexpr std::uint8_t kSmallSizeBit = 0x04;

    // The built-in glyph of a code; codes below 32 have the space's.
    static const Glyph &BuiltIn(std::uint8_t code);
    // The built-in glyph in the 49-byte form: the small glyph's 7 columns,
    // then the large glyph's 7 columns of three bytes, then 21 bytes of a
    // size this radio lacks, all clear. The seventh column is a gap.
    static WideGlyph BuiltInWide(std::uint8_t code);
    static int RowsOf(Size size) { return size == Size::Small ? kSmallRows : kLargeRows; }
    // Whether the dot at `column` (0..5) and `row` of `glyph` is set in
    // that size; false outside the glyph.
    static bool Dot(const Glyph &glyph, Size size, int column, int row);

    // The large size with blank user characters: what is drawn without a
    // working image.
    DisplayFont() = default;
    // The size and the user characters as the working image holds them.
    explicit DisplayFont(cmcEeprom &workingImage);

    Size FontSize() const { return size_; }
    int Rows() const { return RowsOf(size_); }
    const Glyph &GlyphOf(std::uint8_t code) const;
    bool Dot(std::uint8_t code, int column, int row) const
    {
        return Dot(GlyphOf(code), size_, column, row);
    }

private:
    Size size_ = Size::Large;
    std::array<Glyph, kUserCharacters> user_{};
};
