#include "windows/PopupPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupPlacement, BelowAboveOrPinnedAndBackOntoTheRightEdge)
{
    const WorkArea screen{0, 0, 1024, 768};
    // A work area that does not start at the screen's corner (a panel on the
    // left and at the top).
    const WorkArea inset{100, 50, 1124, 818};
    struct Case {
        const char *name;
        WorkArea area;
        QRect cell;
        QSize window;
        QPoint expected;
    } cases[] = {
        {"below the cell, indented", screen, {100, 100, 80, 20}, {120, 90}, {108, 120}},
        {"ending on the bottom edge stays below",
         screen,
         {100, 600, 80, 20},
         {120, 148},
         {108, 620}},
        {"no room below: above the cell", screen, {100, 700, 80, 20}, {120, 100}, {108, 600}},
        {"exactly the room above is not enough: pinned",
         screen,
         {100, 700, 80, 20},
         {120, 700},
         {108, 68}},
        {"taller than above and below: pinned to the bottom, covering",
         screen,
         {100, 300, 80, 20},
         {120, 700},
         {108, 68}},
        {"overflowing the right edge: back onto it",
         screen,
         {900, 100, 80, 20},
         {200, 90},
         {824, 120}},
        {"above and overflowing: onto the right edge, not beside the cell",
         screen,
         {900, 700, 80, 20},
         {200, 100},
         {824, 600}},
        {"covering and overflowing: left of the cell",
         screen,
         {900, 300, 80, 20},
         {200, 700},
         {700, 68}},
        {"covering, overflowing, no room on the left: onto the right edge",
         screen,
         {150, 300, 80, 20},
         {1000, 700},
         {24, 68}},
        {"the work area's own edges count", inset, {120, 120, 80, 20}, {200, 700}, {128, 118}},
        {"room above measured from the work area's top",
         inset,
         {1000, 760, 80, 20},
         {200, 730},
         {800, 88}},
        // Nothing pushes a window back over the left or top edge.
        {"wider than the work area", screen, {10, 100, 80, 20}, {1100, 90}, {-76, 120}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(popup_placement::position(c.cell, c.window, c.area), c.expected);
    }
}

} // namespace
