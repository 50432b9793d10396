#include "platform/FatalError.h"

#include <gtest/gtest.h>

namespace {

TEST(FatalErrorDeathTest, WritesTextToStderrAndAborts)
{
    EXPECT_DEATH(platform::fatalError("quillon", "Out of cmcBuff element !"),
                 "quillon: Out of cmcBuff element !");
}

TEST(FatalErrorDeathTest, CaptionIsTheProgramFileName)
{
    EXPECT_DEATH(platform::fatalError("boom"), "platform_tests: boom");
}

void recordingDisplay(const std::string &caption, const std::string &text)
{
    std::fprintf(stderr, "display<%s|%s>\n", caption.c_str(), text.c_str());
}

TEST(FatalErrorDeathTest, InstalledDisplayIsShownBeforeAborting)
{
    platform::setFatalDisplay(recordingDisplay);
    EXPECT_DEATH(platform::fatalError("cap", "text"), "display<cap\\|text>");
    platform::setFatalDisplay(nullptr);
}

TEST(FormatText, SubstitutesEveryPercentS)
{
    struct Case {
        const char *format;
        const char *argument;
        const char *expected;
    } cases[] = {
        {"Cannot open '%s'.", "/x/a.vrc", "Cannot open '/x/a.vrc'."},
        {"GTEX Error !\nThe index '%s' was not found.", "GI_X",
         "GTEX Error !\nThe index 'GI_X' was not found."},
        {"no placeholder", "x", "no placeholder"},
        {"%s and %s", "a", "a and a"},
        {"100%", "x", "100%"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::formatText(c.format, c.argument), c.expected) << c.format;
}

} // namespace
