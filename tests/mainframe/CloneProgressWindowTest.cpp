#include "mainframe/CloneProgressWindow.h"

#include "link/dst_CDrv_Result.h"
#include "support/ScopedTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using testing_support::ScopedTexts;

ScopedTexts progressTexts()
{
    return ScopedTexts(
        {{"GI_Clone_Progress",
          {"Reading", "Writing", "Asking", "{operation}: {done} of {total} ({percent} %)",
           "{operation}: {done} of {total} ({percent} %), {left} left", "{operation}...", "Stop",
           "Data is under way."}}});
}

void pressEscape(QWidget &window)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
}

CloneProgress progressOf(std::int32_t kind, std::int32_t done, std::int32_t total,
                         std::uint32_t elapsedMs, bool cancellable)
{
    return cloneProgress(kind, done, total, elapsedMs, cancellable);
}

TEST(CloneProgressWindow, IsTheCloningToolWindowAroundA256By16Bar)
{
    const ScopedTexts texts = progressTexts();
    QMainWindow main;
    main.setGeometry(100, 100, 800, 600);
    main.show();
    CloneProgressWindow progress(&main);
    progress.OpenProgress(progressOf(clonekind::kRead, 0, 100, 0, true));
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), "Cloning");
    EXPECT_TRUE(progress.windowFlags() & Qt::Tool);
    for (const Qt::WindowType button :
         {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        EXPECT_FALSE(progress.windowFlags() & button);
    EXPECT_EQ(progress.Area()->size(), QSize(256, 16));
    const QRect panel = progress.Area()->parentWidget()->geometry();
    EXPECT_EQ(panel.topLeft(), QPoint(16, 8));
    EXPECT_GE(progress.width() - panel.right() - 1, 16);
    // The text and the button sit below the bar.
    EXPECT_GT(progress.Text()->geometry().top(), panel.bottom());
    EXPECT_GT(progress.CancelButton()->geometry().top(), progress.Text()->geometry().bottom());
    // Centred over the main window.
    EXPECT_NEAR(progress.frameGeometry().center().x(), main.frameGeometry().center().x(), 1);

    QCloseEvent closing;
    QApplication::sendEvent(&progress, &closing);
    EXPECT_FALSE(closing.isAccepted());
}

// The read that follows the radio's identity opens the window again before
// the program is back in its loop: the window stays instead of blinking.
TEST(CloneProgressWindow, GoesOnlyWhenNoOperationFollowsAtOnce)
{
    const ScopedTexts texts = progressTexts();
    CloneProgressWindow progress(nullptr);
    progress.OpenProgress(progressOf(clonekind::kIdRead, 0, 0, 0, true));
    progress.CloseProgress();
    progress.OpenProgress(progressOf(clonekind::kRead, 0, 100, 0, true));
    QApplication::processEvents();
    EXPECT_TRUE(progress.isVisible());
    progress.CloseProgress();
    EXPECT_TRUE(progress.isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(progress.isVisible());
}

TEST(CloneProgressWindow, DrawsFilledSegmentsWithAGapColumnEach)
{
    const ScopedTexts texts = progressTexts();
    CloneProgressWindow progress(nullptr);
    progress.OpenProgress(progressOf(clonekind::kRead, 0, 3200, 0, true));
    const QColor filled = progress.Area()->palette().color(QPalette::Highlight);
    const QColor empty = progress.Area()->palette().color(QPalette::Base);
    ASSERT_NE(filled, empty);
    for (const int segments : {0, 1, 17, 32}) {
        SCOPED_TRACE(segments);
        CloneProgress step = progressOf(clonekind::kRead, 0, 3200, 0, true);
        step.filledSegments = segments;
        progress.UpdateProgress(step);
        const QImage bar = progress.Area()->grab().toImage();
        // Each segment is 8 pixels wide: 7 in its colour, then the gap.
        for (int i = 0; i < CloneProgressView::kSegments; ++i) {
            const QColor expected = i < segments ? filled : empty;
            EXPECT_EQ(bar.pixelColor(8 * i, 8), expected) << "segment " << i;
            EXPECT_EQ(bar.pixelColor(8 * i + 6, 15), expected) << "segment " << i;
            EXPECT_EQ(bar.pixelColor(8 * i + 7, 8), empty) << "gap after segment " << i;
        }
    }
}

struct TextCase {
    const char *name;
    CloneProgress progress;
    const char *text;
    bool buttonEnabled;
    const char *tooltip;
};

class CloneProgressTextTest : public ::testing::TestWithParam<TextCase>
{};

TEST_P(CloneProgressTextTest, SaysWhatIsDoneAndWhetherItCanStop)
{
    const ScopedTexts texts = progressTexts();
    const TextCase &c = GetParam();
    CloneProgressWindow progress(nullptr);
    progress.OpenProgress(c.progress);
    EXPECT_EQ(progress.Text()->text().toStdString(), c.text);
    EXPECT_EQ(progress.CancelButton()->text(), "Stop");
    EXPECT_EQ(progress.CancelButton()->isEnabled(), c.buttonEnabled);
    EXPECT_EQ(progress.CancelButton()->toolTip().toStdString(), c.tooltip);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, CloneProgressTextTest,
    ::testing::Values(
        TextCase{"IdRead", progressOf(clonekind::kIdRead, 0, 0, 5000, true), "Asking...", true, ""},
        TextCase{"ReadStarting", progressOf(clonekind::kRead, 0, 4000, 300, true),
                 "Reading: 0 of 4000 (0 %)", true, ""},
        // A quarter in 2 s: three quarters take 6 s more.
        TextCase{"ReadUnderWay", progressOf(clonekind::kRead, 1000, 4000, 2000, true),
                 "Reading: 1000 of 4000 (25 %), 0:06 left", true, ""},
        TextCase{"LongRead", progressOf(clonekind::kRead, 100, 65408, 1000, true),
                 "Reading: 100 of 65408 (0 %), 10:54 left", true, ""},
        TextCase{"WriteBeforeData", progressOf(clonekind::kWrite, 0, 65152, 0, true),
                 "Writing: 0 of 65152 (0 %)", true, ""},
        TextCase{"WriteSendingData", progressOf(clonekind::kWrite, 65152, 65152, 9000, false),
                 "Writing: 65152 of 65152 (100 %), 0:00 left", false, "Data is under way."}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(CloneProgressWindow, CancelAndEscapeAskOnceToStop)
{
    const ScopedTexts texts = progressTexts();
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "Escape" : "button");
        CloneProgressWindow progress(nullptr);
        int requests = 0;
        progress.SetCancelRequest([&requests] {
            ++requests;
            return true;
        });
        progress.OpenProgress(progressOf(clonekind::kRead, 10, 100, 0, true));
        for (int i = 0; i < 2; ++i) {
            if (byKey)
                pressEscape(progress);
            else
                progress.CancelButton()->click();
        }
        EXPECT_EQ(requests, 1);
        EXPECT_FALSE(progress.CancelButton()->isEnabled());
    }
}

TEST(CloneProgressWindow, EscapeLeavesAWriteThatSendsDataAlone)
{
    const ScopedTexts texts = progressTexts();
    CloneProgressWindow progress(nullptr);
    int requests = 0;
    progress.SetCancelRequest([&requests] {
        ++requests;
        return false;
    });
    progress.OpenProgress(progressOf(clonekind::kWrite, 10, 100, 0, false));
    pressEscape(progress);
    EXPECT_EQ(requests, 0);
}

} // namespace
