#include "mainframe/CloneProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QMainWindow>

#include <gtest/gtest.h>

namespace {

TEST(CloneProgressWindow, IsTheCloningToolWindowAroundA256By16Bar)
{
    QMainWindow main;
    main.setGeometry(100, 100, 800, 600);
    main.show();
    CloneProgressWindow progress(&main);
    progress.OpenProgress();
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), "Cloning");
    EXPECT_TRUE(progress.windowFlags() & Qt::Tool);
    for (const Qt::WindowType button :
         {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        EXPECT_FALSE(progress.windowFlags() & button);
    EXPECT_EQ(progress.Area()->size(), QSize(256, 16));
    // 16 pixels to the right of the panel, 24 below it.
    const QRect panel = progress.Area()->parentWidget()->geometry();
    EXPECT_EQ(panel.topLeft(), QPoint(16, 8));
    EXPECT_EQ(progress.width() - panel.right() - 1, 16);
    EXPECT_EQ(progress.height() - panel.bottom() - 1, 24);
    // Centred over the main window.
    EXPECT_NEAR(progress.frameGeometry().center().x(), main.frameGeometry().center().x(), 1);

    QCloseEvent closing;
    QApplication::sendEvent(&progress, &closing);
    EXPECT_FALSE(closing.isAccepted());
    progress.CloseProgress();
    EXPECT_FALSE(progress.isVisible());
}

TEST(CloneProgressWindow, DrawsFilledSegmentsWithAGapColumnEach)
{
    CloneProgressWindow progress(nullptr);
    progress.OpenProgress();
    const QColor filled = progress.Area()->palette().color(QPalette::Highlight);
    const QColor empty = progress.Area()->palette().color(QPalette::Base);
    ASSERT_NE(filled, empty);
    for (const int segments : {0, 1, 17, 32}) {
        SCOPED_TRACE(segments);
        progress.UpdateProgress(segments);
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

} // namespace
