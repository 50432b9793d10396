#include "sheets/SheetPlainSurface.h"

#include "cells/CellFont.h"

#include <algorithm>
#include <cstdlib>

namespace {

int valueAt(const std::vector<int> &values, int index, int fallback)
{
    return index >= 0 && index < static_cast<int>(values.size())
               ? values[static_cast<std::size_t>(index)]
               : fallback;
}

void setAt(std::vector<int> &values, int index, int value)
{
    if (index >= 0 && index < static_cast<int>(values.size()))
        values[static_cast<std::size_t>(index)] = std::max(value, 0);
}

// UTF-8: every byte but the continuation bytes starts a character.
int characterCount(std::string_view text)
{
    int count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

} // namespace

void SheetPlainSurface::SetCounts(int cols, int rows)
{
    colWidths_.resize(static_cast<std::size_t>(std::max(cols, 1)), defaultColWidth_);
    rowHeights_.resize(static_cast<std::size_t>(std::max(rows, 1)), defaultRowHeight_);
}

void SheetPlainSurface::SetDefaultSizes(int colWidth, int rowHeight)
{
    defaultColWidth_ = colWidth;
    defaultRowHeight_ = rowHeight;
    std::fill(colWidths_.begin(), colWidths_.end(), colWidth);
    std::fill(rowHeights_.begin(), rowHeights_.end(), rowHeight);
}

int SheetPlainSurface::ColWidth(int col) const
{
    return valueAt(colWidths_, col, defaultColWidth_);
}

void SheetPlainSurface::SetColWidth(int col, int width) { setAt(colWidths_, col, width); }

int SheetPlainSurface::RowHeight(int row) const
{
    return valueAt(rowHeights_, row, defaultRowHeight_);
}

void SheetPlainSurface::SetRowHeight(int row, int height) { setAt(rowHeights_, row, height); }

QSize SheetPlainSurface::MeasureText(const CellFont &font, const std::string &text) const
{
    const int pixels = std::max(std::abs(font.height()), 1);
    const std::vector<std::string_view> lines = Lines(text);
    int widest = 0;
    for (const std::string_view line : lines)
        widest = std::max(widest, characterCount(line) * pixels * 3 / 5);
    return {widest, static_cast<int>(lines.size()) * (pixels + pixels / 5)};
}
