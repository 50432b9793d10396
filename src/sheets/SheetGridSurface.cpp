#include "sheets/SheetGridSurface.h"

#include "sheets/SheetFonts.h"
#include "sheets/cuiGrid.h"

#include <algorithm>

void SheetGridSurface::SetCounts(int cols, int rows)
{
    grid_.setColCount(cols);
    grid_.setRowCount(rows);
}

int SheetGridSurface::ColCount() const { return grid_.colCount(); }

int SheetGridSurface::RowCount() const { return grid_.rowCount(); }

void SheetGridSurface::SetDefaultSizes(int colWidth, int rowHeight)
{
    grid_.setDefaultColWidth(colWidth);
    grid_.setDefaultRowHeight(rowHeight);
}

int SheetGridSurface::ColWidth(int col) const { return grid_.colWidth(col); }

void SheetGridSurface::SetColWidth(int col, int width) { grid_.setColWidth(col, width); }

int SheetGridSurface::RowHeight(int row) const { return grid_.rowHeight(row); }

void SheetGridSurface::SetRowHeight(int row, int height) { grid_.setRowHeight(row, height); }

int SheetGridSurface::ClientWidth() const { return grid_.viewport()->width(); }

QSize SheetGridSurface::MeasureText(const CellFont &font, const std::string &text) const
{
    const SheetFonts::Entry &entry = fonts_.Get(font);
    const std::vector<std::string_view> lines = Lines(text);
    int widest = 0;
    for (const std::string_view line : lines) {
        widest = std::max(widest, entry.Width(QString::fromUtf8(
                                      line.data(), static_cast<qsizetype>(line.size()))));
    }
    return {widest, static_cast<int>(lines.size()) * entry.metrics.height()};
}
