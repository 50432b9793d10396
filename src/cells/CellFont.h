#pragma once

#include <cstdint>
#include <string>

// The font of a cell as the core knows it; the window code turns it into a
// toolkit font. Height and size are two views of one measure, as in the
// overlays' font convention: a negative height is the character height in
// pixels, the size is in points, and setting either one sets the other (at
// the 96 pixels per inch the overlays are written for).
class CellFont
{
public:
    enum Style : std::uint8_t {
        kBold = 1,
        kItalic = 2,
        kUnderline = 4,
        kStrikeOut = 8,
    };
    enum class Pitch : std::uint8_t { Default, Fixed, Variable };

    static constexpr std::int32_t kPixelsPerInch = 96;
    static constexpr std::int32_t kDefaultCharset = 1;
    static constexpr std::int32_t kDefaultHeight = -11;

    // Empty means the platform's default face.
    std::string face;
    std::int32_t charset = kDefaultCharset;
    std::uint32_t colour = 0x80000008; // window text
    std::uint8_t style = 0;            // Style bits
    Pitch pitch = Pitch::Default;

    std::int32_t height() const { return height_; }
    void setHeight(std::int32_t height) { height_ = height; }
    std::int32_t size() const;
    void setSize(std::int32_t points);

    bool operator==(const CellFont &) const = default;

private:
    std::int32_t height_ = kDefaultHeight;
};
