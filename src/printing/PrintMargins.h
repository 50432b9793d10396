#pragma once

#include <QRect>
#include <QSize>

#include <string_view>

// The printable area of a page: four margins in millimetres (left, top,
// right, bottom) turned into printer pixels. The vertical resolution serves
// both directions, as the page frame and the sheets are scaled by it.
class PrintMargins
{
public:
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    // "l, t, r, b": blanks and tabs around each number are ignored; a
    // missing, negative or unreadable number counts as 0.
    static PrintMargins Parse(std::string_view text);

    // Each edge truncated toward zero; right and bottom measured from the
    // page's far edges.
    QRect ToPixels(QSize page, double dotsPerInch) const;
};
