#pragma once

#include "link/CloneProgressView.h"

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

// The "Cloning" window of a clone operation: a bar of 32 segments that fills
// as the data arrives, a line saying what is being done, how far it got and
// how long it will still take, and a Cancel button (Escape does the same).
// While a write sends data the button is disabled and says why. It sits
// centred over the main window, inside the work area, and refuses to be
// closed by the user; the clone manager opens and closes it.
class CloneProgressWindow : public QWidget, public CloneProgressView
{
public:
    static constexpr int kAreaWidth = 256;
    static constexpr int kAreaHeight = 16;
    static constexpr int kPanelLeft = 16;
    static constexpr int kPanelTop = 8;
    static constexpr int kRightMargin = 16;
    static constexpr int kBottomMargin = 16;
    static constexpr int kSpacing = 8;

    // The window is centred over `mainWindow`; it is not its child, so that
    // disabling the main window during the operation leaves it alone.
    explicit CloneProgressWindow(QWidget *mainWindow);

    void OpenProgress(const CloneProgress &progress) override;
    void UpdateProgress(const CloneProgress &progress) override;
    // The window goes once the program is back in its event loop: an
    // operation that starts the next one at once (the read after the
    // radio's identity) keeps it on the screen.
    void CloseProgress() override;

    std::int32_t FilledSegments() const { return shown_.filledSegments; }
    // The drawing area (tests look at its pixels), the text and the button.
    QWidget *Area() const;
    QLabel *Text() const { return text_; }
    QPushButton *CancelButton() const { return cancel_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    class BarArea;

    void Show(const CloneProgress &progress);
    void AskToCancel();

    QPointer<QWidget> mainWindow_;
    QFrame *panel_;
    BarArea *area_;
    QLabel *text_;
    QPushButton *cancel_;
    CloneProgress shown_;
    bool open_ = false;
};
