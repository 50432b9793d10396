#include "cells/CellFont.h"

#include <cstdint>
#include <limits>

namespace {

// a × b / c rounded half away from zero, kept inside 32 bits.
std::int32_t scaleRounded(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const std::int64_t product = a * b;
    const std::int64_t half = c / 2;
    std::int64_t result = product >= 0 ? (product + half) / c : (product - half) / c;
    result = std::max<std::int64_t>(result, std::numeric_limits<std::int32_t>::min());
    result = std::min<std::int64_t>(result, std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(result);
}

} // namespace

std::int32_t CellFont::size() const { return -scaleRounded(height_, 72, kPixelsPerInch); }

void CellFont::setSize(std::int32_t points) { height_ = -scaleRounded(points, kPixelsPerInch, 72); }
