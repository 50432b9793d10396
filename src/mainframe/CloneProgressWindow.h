#pragma once

#include "link/CloneProgressView.h"

#include <QPointer>
#include <QWidget>

class QFrame;

// The "Cloning" window of a clone read or write: a bar of 32 segments that
// fills as the data arrives. It sits centred over the main window, inside
// the work area, and refuses to be closed by the user; the clone manager
// opens and closes it.
class CloneProgressWindow : public QWidget, public CloneProgressView
{
public:
    static constexpr int kAreaWidth = 256;
    static constexpr int kAreaHeight = 16;
    static constexpr int kPanelLeft = 16;
    static constexpr int kPanelTop = 8;
    static constexpr int kRightMargin = 16;
    static constexpr int kBottomMargin = 24;

    // The window is centred over `mainWindow`; it is not its child, so that
    // disabling the main window during the operation leaves it alone.
    explicit CloneProgressWindow(QWidget *mainWindow);

    void OpenProgress() override;
    void UpdateProgress(std::int32_t filledSegments) override;
    void CloseProgress() override;

    std::int32_t FilledSegments() const { return filled_; }
    // The drawing area (tests look at its pixels).
    QWidget *Area() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    class BarArea;

    QPointer<QWidget> mainWindow_;
    QFrame *panel_;
    BarArea *area_;
    std::int32_t filled_ = 0;
};
