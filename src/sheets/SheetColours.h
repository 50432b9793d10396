#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

// Turns the 32-bit colours of cell descriptions into screen colours: plain
// 0x00BBGGRR values directly, system colours from the palette, so that
// sheets follow the desktop's colour scheme.
class SheetColours
{
public:
    static QColor Resolve(std::uint32_t colour, const QPalette &palette);
    static bool IsSystem(std::uint32_t colour) { return (colour & 0xFF000000u) == 0x80000000u; }
    static QColor Plain(std::uint32_t colour)
    {
        return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                      static_cast<int>((colour >> 16) & 0xFF));
    }
    // Cells in the window colour or white count as unfilled on paper and
    // take grey lines.
    static bool IsWindowOrWhite(std::uint32_t colour);

    // Selected cells while the grid does not have the focus: a quarter of
    // the window text colour over the window colour.
    static QColor FocusLostBlend(const QPalette &palette);
    // The tint of the current row: an eighth of the text colour.
    static QColor RowBlend(const QPalette &palette);

    // The contrast ratio of two colours by their relative luminance, from 1
    // (the same) to 21 (black on white).
    static double ContrastRatio(const QColor &one, const QColor &other);
    // The lowest contrast a text keeps against its background.
    static constexpr double kReadableContrast = 4.5;
    // The text colour when it is readable on the background, else black or
    // white, whichever stands out more.
    static QColor ReadableOn(const QColor &text, const QColor &background);
    // For a text whose colour carries a meaning: the background as it is
    // when the text is readable on it, else moved towards black (or white,
    // for a dark text) until it is.
    static QColor BackgroundFor(const QColor &text, const QColor &background);
};
