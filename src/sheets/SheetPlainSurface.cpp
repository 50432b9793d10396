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
int characterCount(const std::string &text, std::size_t from, std::size_t to)
{
    int count = 0;
    for (std::size_t i = from; i < to; ++i)
        count += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 ? 1 : 0;
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
    int widest = 0;
    int lines = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        widest = std::max(widest, characterCount(text, start, stop) * pixels * 3 / 5);
        ++lines;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return {widest, lines * (pixels + pixels / 5)};
}
