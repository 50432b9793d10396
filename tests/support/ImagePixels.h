#pragma once

#include <QImage>
#include <QRect>

namespace testing_support {

// How many pixels of the area are dark enough to count as drawn ink.
inline int darkPixels(const QImage &image, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    }
    return n;
}

} // namespace testing_support
