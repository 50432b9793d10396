#pragma once

#include <vector>

// Which columns and rows of a sheet go on which printed page. Pages carry
// whole columns and rows only; the fixed columns and rows are repeated on
// every page and count against its room. Plain numbers in, plain numbers
// out, so that the split can be checked without a printer or a display.
class PageTiling
{
public:
    // A run of scrolling columns (or rows): the first one and how many.
    struct Group {
        int first = 0;
        int count = 0;
        bool operator==(const Group &) const = default;
    };

    // Column groups for a page `room` pixels wide. `widths` are the columns'
    // steps (width plus grid line); the first `fixed` of them repeat on every
    // page. A column whose `keepWithNext` entry is set never ends a page
    // while another column follows. Each group is the longest run that fits;
    // when none fits (a column wider than the page), the shortest run that
    // may end there, so every column is printed and the split always ends.
    static std::vector<Group> ColumnGroups(const std::vector<int> &widths, int fixed,
                                           const std::vector<bool> &keepWithNext, int room);
    // A sheet of fixed columns only gives one empty group: the fixed part
    // is still printed.
    //
    // Row groups for a page `room` pixels high: as many whole rows as fit
    // below the fixed ones, at least one.
    static std::vector<Group> RowGroups(const std::vector<int> &heights, int fixed, int room);

    // The pages of the split, rows outer and columns inner, as printed.
    struct Tile {
        Group cols;
        Group rows;
        bool operator==(const Tile &) const = default;
    };
    static std::vector<Tile> Tiles(const std::vector<Group> &cols, const std::vector<Group> &rows);

    // Spreads `difference` pixels over `extents` so that their sum grows (or
    // shrinks) by it: in proportion to each extent when `proportional`, else
    // evenly; every step moves at least one pixel, empty extents are left
    // alone, and no extent goes below zero. The preview uses it to make a
    // tile drawn at screen metrics cover the area it takes on paper.
    static std::vector<int> Spread(std::vector<int> extents, int difference, bool proportional);
};
