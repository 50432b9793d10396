#pragma once

#include "sheets/SheetSurface.h"

class cuiGrid;
class SheetFonts;

// The grid widget as the surface a sheet is built onto, measuring texts
// with the fonts the sheet draws with.
class SheetGridSurface : public SheetSurface
{
public:
    SheetGridSurface(cuiGrid &grid, SheetFonts &fonts) : grid_(grid), fonts_(fonts) {}

    void SetCounts(int cols, int rows) override;
    int ColCount() const override;
    int RowCount() const override;
    void SetDefaultSizes(int colWidth, int rowHeight) override;
    int ColWidth(int col) const override;
    void SetColWidth(int col, int width) override;
    int RowHeight(int row) const override;
    void SetRowHeight(int row, int height) override;
    int ClientWidth() const override;
    QSize MeasureText(const CellFont &font, const std::string &text) const override;

private:
    cuiGrid &grid_;
    SheetFonts &fonts_;
};
