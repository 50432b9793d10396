#include "ui/HelpWindowPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpWindowPlacement, UnderTheCursorAboveItOrPinnedAndBackOntoTheRightEdge)
{
    const WorkArea screen{0, 0, 1024, 768};
    // A task bar at the bottom, and one at the top with a panel on the left.
    const WorkArea taskBar{0, 0, 1024, 740};
    const WorkArea inset{100, 50, 1124, 818};
    struct Case {
        const char *name;
        WorkArea area;
        QPoint cursor;
        QSize window;
        QPoint expected;
    } cases[] = {
        {"centred under the cursor, top at the cursor", screen, {500, 300}, {480, 320}, {260, 300}},
        {"an odd width halves towards zero", screen, {500, 300}, {481, 320}, {260, 300}},
        {"half the width reaching the cursor: at the left edge",
         screen,
         {240, 300},
         {480, 320},
         {0, 300}},
        {"one pixel more room: centred", screen, {241, 300}, {480, 320}, {1, 300}},
        {"ending on the bottom edge stays below", screen, {500, 448}, {480, 320}, {260, 448}},
        {"no room below: above the cursor", screen, {500, 600}, {480, 320}, {260, 280}},
        {"exactly the room above is not enough: pinned",
         screen,
         {500, 500},
         {480, 500},
         {260, 268}},
        {"taller than above and below: pinned to the bottom",
         screen,
         {500, 300},
         {480, 700},
         {260, 68}},
        {"cursor on the task bar: pinned above it", taskBar, {500, 760}, {480, 320}, {260, 420}},
        {"the room above counts from the work area's top",
         inset,
         {500, 600},
         {480, 360},
         {260, 240}},
        {"too little room below the inset top: pinned", inset, {500, 440}, {480, 400}, {260, 418}},
        {"overflowing the right edge: back onto it", screen, {1000, 100}, {480, 320}, {544, 100}},
        {"wider than the work area: its right edge on the right edge",
         screen,
         {600, 100},
         {1100, 320},
         {-76, 100}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(help_placement::position(c.cursor, c.window, c.area), c.expected);
    }
}

} // namespace
