#pragma once

#include <QSize>

#include <string>
#include <string_view>
#include <vector>

class CellFont;

// What a sheet is built onto: the column and row counts and sizes of its
// grid, and the metrics of the fonts it will be drawn with. The desktop
// program builds straight onto its grid widget; the command-line tool and
// the core tests onto plain numbers.
class SheetSurface
{
public:
    virtual ~SheetSurface() = default;

    virtual void SetCounts(int cols, int rows) = 0;
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    // Every column and row takes these sizes.
    virtual void SetDefaultSizes(int colWidth, int rowHeight) = 0;
    virtual int ColWidth(int col) const = 0;
    virtual void SetColWidth(int col, int width) = 0;
    virtual int RowHeight(int row) const = 0;
    virtual void SetRowHeight(int row, int height) = 0;
    // The client width of the grid the columns must fit; 0 when unknown.
    virtual int ClientWidth() const = 0;

    // The widest line and the summed line heights of a text ("\n" separates
    // lines; an empty text is one empty line).
    virtual QSize MeasureText(const CellFont &font, const std::string &text) const = 0;

    // The lines of a text as sheets draw and measure them.
    static std::vector<std::string_view> Lines(std::string_view text)
    {
        std::vector<std::string_view> lines;
        for (;;) {
            const std::size_t end = text.find('\n');
            lines.push_back(text.substr(0, end));
            if (end == std::string_view::npos)
                return lines;
            text.remove_prefix(end + 1);
        }
    }
};
