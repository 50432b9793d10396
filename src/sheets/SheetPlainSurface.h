#pragma once

#include "sheets/SheetSurface.h"

#include <vector>

// Counts and sizes held as plain numbers, with text metrics estimated from
// the font height alone: enough to build a sheet without a display.
class SheetPlainSurface : public SheetSurface
{
public:
    void SetCounts(int cols, int rows) override;
    int ColCount() const override { return static_cast<int>(colWidths_.size()); }
    int RowCount() const override { return static_cast<int>(rowHeights_.size()); }
    void SetDefaultSizes(int colWidth, int rowHeight) override;
    int ColWidth(int col) const override;
    void SetColWidth(int col, int width) override;
    int RowHeight(int row) const override;
    void SetRowHeight(int row, int height) override;
    int ClientWidth() const override { return 0; }

    // A character is 3/5 of the font's pixel height wide; a line is as high
    // as the pixel height plus a fifth for the leading.
    QSize MeasureText(const CellFont &font, const std::string &text) const override;

private:
    int defaultColWidth_ = 1;
    int defaultRowHeight_ = 1;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
};
