#include "mainframe/CloneProgressWindow.h"

#include "link/dst_CDrv_Result.h"
#include "ui/WindowGeometry.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The widest line the window shows, so that it keeps its size while the
// numbers change.
CloneProgress widestProgress()
{
    CloneProgress progress;
    progress.kind = clonekind::kRead;
    progress.total = 999999;
    progress.bytesDone = 999999;
    progress.percent = 100;
    progress.secondsLeft = 99 * 60 + 59;
    return progress;
}

} // namespace

class CloneProgressWindow::BarArea : public QWidget
{
public:
    BarArea(CloneProgressWindow &owner, QWidget *parent) : QWidget(parent), owner_(owner)
    {
        setFixedSize(kAreaWidth, kAreaHeight);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor windowColour = palette().color(QPalette::Base);
        const QColor filledColour = palette().color(QPalette::Highlight);
        painter.fillRect(rect(), windowColour);
        for (std::int32_t i = 0; i < CloneProgressView::kSegments; ++i) {
            const ProgressSegment segment = progressSegment(i, width());
            const QColor colour = i < owner_.FilledSegments() ? filledColour : windowColour;
            // The last column of each segment stays in the window colour
            // and separates it from the next.
            painter.fillRect(
                QRect(QPoint(segment.left, 0), QPoint(segment.right - 1, height() - 1)), colour);
        }
    }

private:
    CloneProgressWindow &owner_;
};

CloneProgressWindow::CloneProgressWindow(QWidget *mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      mainWindow_(mainWindow), panel_(new QFrame(this)), text_(new QLabel(this)),
      cancel_(new QPushButton(this))
{
    setWindowTitle(QStringLiteral("Cloning"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel_->setLineWidth(1);
    const int bevel = panel_->frameWidth();
    area_ = new BarArea(*this, panel_);
    area_->move(bevel, bevel);
    panel_->setFixedSize(kAreaWidth + 2 * bevel, kAreaHeight + 2 * bevel);
    text_->setTextFormat(Qt::PlainText);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, [this] { AskToCancel(); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(kPanelLeft, kPanelTop, kRightMargin, kBottomMargin);
    column->setSpacing(kSpacing);
    column->addWidget(panel_, 0, Qt::AlignLeft);
    column->addWidget(text_);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *CloneProgressWindow::Area() const { return area_; }

void CloneProgressWindow::OpenProgress(const CloneProgress &progress)
{
    // The texts follow the language, so they are read for every operation.
    cancel_->setText(QString::fromStdString(cloneCancelCaption()));
    text_->setMinimumWidth(text_->fontMetrics().horizontalAdvance(
        QString::fromStdString(cloneProgressText(widestProgress()))));
    const bool wasOpen = open_;
    open_ = true;
    shown_ = {};
    Show(progress);
    if (wasOpen && isVisible())
        return;
    // The frame is known once the window is shown.
    show();
    move(window_geometry::centredOnWorkArea(frameGeometry().size(), mainWindow_));
    raise();
    // Escape reaches the window that has the keyboard.
    activateWindow();
}

void CloneProgressWindow::UpdateProgress(const CloneProgress &progress) { Show(progress); }

void CloneProgressWindow::CloseProgress()
{
    open_ = false;
    QTimer::singleShot(0, this, [this] {
        if (!open_)
            hide();
    });
}

void CloneProgressWindow::Show(const CloneProgress &progress)
{
    const bool barChanged = progress.filledSegments != shown_.filledSegments;
    shown_ = progress;
    text_->setText(QString::fromStdString(cloneProgressText(progress)));
    cancel_->setEnabled(progress.cancellable);
    // Why the button is out of reach: only a write that sends data refuses.
    cancel_->setToolTip(!progress.cancellable && progress.kind == clonekind::kWrite
                            ? QString::fromStdString(cloneCancelRefusedText())
                            : QString());
    if (barChanged)
        area_->update();
}

void CloneProgressWindow::AskToCancel()
{
    if (!cancel_->isEnabled())
        return;
    if (RequestCancel()) {
        // One request is enough; the window goes when the operation ends.
        shown_.cancellable = false;
        cancel_->setEnabled(false);
    }
}

// Only the clone manager ends the operation; the user cannot close it away.
void CloneProgressWindow::closeEvent(QCloseEvent *event) { event->ignore(); }

void CloneProgressWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        AskToCancel();
        return;
    }
    QWidget::keyPressEvent(event);
}
