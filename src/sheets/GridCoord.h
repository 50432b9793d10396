#pragma once

#include <algorithm>

// A cell of the grid by column and row; -1 on an axis means "no cell".
struct GridCoord {
    int col = 0;
    int row = 0;

    friend bool operator==(const GridCoord &, const GridCoord &) = default;
};

// An inclusive block of cells, whichever corner came first.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static GridRect spanning(GridCoord a, GridCoord b)
    {
        return {std::min(a.col, b.col), std::min(a.row, b.row), std::max(a.col, b.col),
                std::max(a.row, b.row)};
    }
    bool contains(int col, int row) const
    {
        return col >= left && col <= right && row >= top && row <= bottom;
    }

    friend bool operator==(const GridRect &, const GridRect &) = default;
};
