#include "printing/PageTiling.h"

#include <algorithm>
#include <numeric>

namespace {

int fixedExtent(const std::vector<int> &extents, int fixed)
{
    const auto end = extents.begin() + std::clamp(fixed, 0, static_cast<int>(extents.size()));
    return std::accumulate(extents.begin(), end, 0);
}

int clampedFixed(const std::vector<int> &extents, int fixed)
{
    return std::clamp(fixed, 0, static_cast<int>(extents.size()));
}

} // namespace

std::vector<PageTiling::Group> PageTiling::ColumnGroups(const std::vector<int> &widths, int fixed,
                                                        const std::vector<bool> &keepWithNext,
                                                        int room)
{
    const int count = static_cast<int>(widths.size());
    const int first = clampedFixed(widths, fixed);
    const int base = fixedExtent(widths, first);
    auto keeps = [&](int col) {
        return col < static_cast<int>(keepWithNext.size()) && keepWithNext[col];
    };
    std::vector<Group> groups;
    for (int start = first; start < count;) {
        int used = base;
        int fitting = 0;  // the longest run that may end here and fits
        int earliest = 0; // the shortest run that may end here
        int col = start;
        for (; col < count; ++col) {
            used += widths[static_cast<std::size_t>(col)];
            const bool last = col + 1 == count;
            if (!last && keeps(col))
                continue;
            const int run = col - start + 1;
            if (earliest == 0)
                earliest = run;
            if (used > room)
                break;
            fitting = run;
        }
        const int run = fitting > 0 ? fitting : earliest;
        groups.push_back({start, std::max(run, 1)});
        start += std::max(run, 1);
    }
    if (groups.empty())
        groups.push_back({first, 0});
    return groups;
}

std::vector<PageTiling::Group> PageTiling::RowGroups(const std::vector<int> &heights, int fixed,
                                                     int room)
{
    const int count = static_cast<int>(heights.size());
    const int first = clampedFixed(heights, fixed);
    const int base = fixedExtent(heights, first);
    std::vector<Group> groups;
    for (int start = first; start < count;) {
        int used = base + heights[static_cast<std::size_t>(start)];
        int run = 1;
        while (start + run < count && used + heights[static_cast<std::size_t>(start + run)] <= room)
            used += heights[static_cast<std::size_t>(start + run++)];
        groups.push_back({start, run});
        start += run;
    }
    if (groups.empty())
        groups.push_back({first, 0});
    return groups;
}

std::vector<PageTiling::Tile> PageTiling::Tiles(const std::vector<Group> &cols,
                                                const std::vector<Group> &rows)
{
    std::vector<Tile> tiles;
    for (const Group &row : rows) {
        for (const Group &col : cols)
            tiles.push_back({col, row});
    }
    return tiles;
}

std::vector<int> PageTiling::Spread(std::vector<int> extents, int difference, bool proportional)
{
    const int direction = difference < 0 ? -1 : 1;
    int left = difference * direction;
    while (left > 0) {
        const int total = std::accumulate(extents.begin(), extents.end(), 0);
        bool moved = false;
        for (int &extent : extents) {
            if (left == 0)
                break;
            if (extent <= 0 || (direction < 0 && extent <= 1))
                continue;
            int step = proportional && total > 0
                           ? static_cast<int>(static_cast<long long>(difference) * direction *
                                              extent / total)
                           : 1;
            step = std::clamp(step, 1, left);
            if (direction < 0)
                step = std::min(step, extent - 1);
            extent += step * direction;
            left -= step;
            moved = true;
        }
        if (!moved)
            break;
    }
    return extents;
}
