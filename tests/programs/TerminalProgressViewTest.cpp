#include "TerminalProgressView.h"

#include "link/dst_CDrv_Result.h"
#include "support/ScopedTexts.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ScopedTexts;

ScopedTexts progressTexts()
{
    return ScopedTexts(
        {{"GI_Clone_Progress",
          {"Reading", "Writing", "Asking", "{operation} {done}/{total}",
           "{operation} {done}/{total}, {left} left", "{operation}...", "Stop", "Busy."}}});
}

// One line, redrawn in place with a carriage return; blanks wipe what a
// longer line before left; the line ends when the operation does.
TEST(TerminalProgressView, DrawsOneLineInPlaceForAReadOrAWrite)
{
    const ScopedTexts texts = progressTexts();
    std::string terminal;
    TerminalProgressView view(&terminal);
    view.OpenProgress(cloneProgress(clonekind::kRead, 0, 3200, 0, true));
    view.UpdateProgress(cloneProgress(clonekind::kRead, 1600, 3200, 2000, true));
    view.UpdateProgress(cloneProgress(clonekind::kRead, 1600, 3200, 2000, true));
    view.UpdateProgress(cloneProgress(clonekind::kRead, 3200, 3200, 500, true));
    view.CloseProgress();
    const std::string empty(32, '.');
    EXPECT_EQ(terminal, "\rCloning [" + empty + "] Reading 0/3200" + "\rCloning [" +
                            std::string(16, '#') + std::string(16, '.') +
                            "] Reading 1600/3200, 0:02 left" + "\rCloning [" +
                            std::string(32, '#') + "] Reading 3200/3200" +
                            std::string(std::string(", 0:02 left").size(), ' ') + "\n");
}

TEST(TerminalProgressView, TheRadiosIdentityDrawsNothing)
{
    const ScopedTexts texts = progressTexts();
    std::string terminal;
    TerminalProgressView view(&terminal);
    view.OpenProgress(cloneProgress(clonekind::kIdRead, 0, 0, 0, true));
    view.UpdateProgress(cloneProgress(clonekind::kIdRead, 0, 0, 3000, true));
    view.CloseProgress();
    EXPECT_EQ(terminal, "");
}

} // namespace
