#include "sheets/SheetNavigation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// 'S' marks a selectable cell.
class Pattern
{
public:
    explicit Pattern(std::vector<std::string> rows) : rows_(std::move(rows)) {}
    SheetNavigation navigation() const
    {
        return SheetNavigation(
            static_cast<int>(rows_[0].size()), static_cast<int>(rows_.size()),
            [this](int col, int row) {
                return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == 'S';
            });
    }

private:
    std::vector<std::string> rows_;
};

TEST(SheetNavigation, StepsWalkToTheNextSelectableCellOrSearchAside)
{
    const Pattern pattern({
        "S.S.S",
        "..S..",
        "S...S",
        "S.S..",
        "S....",
    });
    struct Case {
        const char *what;
        GridCoord from;
        int dx, dy;
        GridCoord remembered;
        GridCoord to;
    };
    const Case cases[] = {
        {"right skips gaps", {0, 0}, 1, 0, {0, 0}, {2, 0}},
        {"right at the last cell stays", {4, 0}, 1, 0, {4, 0}, {4, 0}},
        {"left", {4, 2}, -1, 0, {4, 2}, {0, 2}},
        {"down walks its column", {2, 0}, 0, 1, {2, 0}, {2, 1}},
        {"down with no cell below: nearest to the remembered column", {4, 2}, 0, 1, {4, 2}, {2, 3}},
        {"the remembered column, not the current one", {4, 2}, 0, 1, {0, 0}, {0, 3}},
        {"up from the top stays", {0, 0}, 0, -1, {0, 0}, {0, 0}},
        {"two steps down", {0, 0}, 0, 2, {0, 0}, {0, 3}},
        {"a horizontal move ignores dy", {0, 0}, 1, 3, {0, 0}, {2, 0}},
        {"left with nothing on the left of row 1 looks in earlier columns",
         {2, 1},
         -1,
         0,
         {2, 1},
         {0, 0}},
    };
    const SheetNavigation navigation = pattern.navigation();
    for (const Case &c : cases) {
        GridCoord remembered = c.remembered;
        EXPECT_EQ(navigation.Move(c.from, c.dx, c.dy, false, remembered), c.to) << c.what;
        if (c.to != c.from) {
            EXPECT_EQ(remembered, c.to) << c.what;
        }
    }
}

TEST(SheetNavigation, SelectionListsWrapSingleStepsOnly)
{
    const Pattern pattern({
        "S.",
        "S.",
        "SS",
    });
    const SheetNavigation navigation = pattern.navigation();
    struct Case {
        const char *what;
        GridCoord from;
        int dx, dy;
        GridCoord to;
    };
    const Case cases[] = {
        {"down from the last row wraps to the first", {0, 2}, 0, 1, {0, 0}},
        {"up from the first row wraps to the last", {0, 0}, 0, -1, {0, 2}},
        {"right wraps within the row", {1, 2}, 1, 0, {0, 2}},
        {"a column with one cell stays", {1, 2}, 0, 1, {1, 2}},
        {"no search aside in a list", {0, 0}, 1, 0, {0, 0}},
        {"page moves stop at the edge", {0, 1}, 0, 10, {0, 2}},
    };
    for (const Case &c : cases) {
        GridCoord remembered = c.from;
        EXPECT_EQ(navigation.Move(c.from, c.dx, c.dy, true, remembered), c.to) << c.what;
    }
}

} // namespace
