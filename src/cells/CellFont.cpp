#include "cells/CellFont.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// -(a × b / c) rounded half away from zero, kept inside 32 bits.
std::int32_t negatedScale(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const std::int64_t product = a * b;
    const std::int64_t half = c / 2;
    const std::int64_t scaled = product >= 0 ? (product + half) / c : (product - half) / c;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(-scaled, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int32_t CellFont::size() const { return negatedScale(height_, 72, kPixelsPerInch); }

void CellFont::setSize(std::int32_t points) { height_ = negatedScale(points, kPixelsPerInch, 72); }
