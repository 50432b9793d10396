#include "platform/PlaceholderText.h"

#include <gtest/gtest.h>

using platform::fillPlaceholders;

namespace {

TEST(PlaceholderText, FillsNamesAndLeavesEverythingElseAsWritten)
{
    struct Case {
        const char *text;
        const char *filled;
    } cases[] = {
        {"{a} of {b}, {a} again", "1 of 2, 1 again"},
        {"{unknown} {a}", "{unknown} 1"},
        // printf conversions mean nothing here.
        {"%s %d %n {a}", "%s %d %n 1"},
        {"{a", "{a"},
        {"a}", "a}"},
        {"{}", "{}"},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fillPlaceholders(c.text, {{"a", "1"}, {"b", "2"}}), c.filled) << c.text;
}

} // namespace
