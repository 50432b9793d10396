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
};
