#include "mainframe/CloneProgressWindow.h"

#include "ui/WindowGeometry.h"

#include <QCloseEvent>
#include <QFrame>
#include <QPainter>

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
      mainWindow_(mainWindow), panel_(new QFrame(this))
{
    setWindowTitle(QStringLiteral("Cloning"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel_->setLineWidth(1);
    const int bevel = panel_->frameWidth();
    area_ = new BarArea(*this, panel_);
    area_->move(bevel, bevel);
    panel_->setGeometry(kPanelLeft, kPanelTop, kAreaWidth + 2 * bevel, kAreaHeight + 2 * bevel);
    setFixedSize(panel_->geometry().right() + 1 + kRightMargin,
                 panel_->geometry().bottom() + 1 + kBottomMargin);
}

QWidget *CloneProgressWindow::Area() const { return area_; }

void CloneProgressWindow::OpenProgress()
{
    filled_ = 0;
    // The frame is known once the window is shown.
    show();
    move(window_geometry::centredOnWorkArea(frameGeometry().size(), mainWindow_));
    raise();
}

void CloneProgressWindow::UpdateProgress(std::int32_t filledSegments)
{
    if (filledSegments == filled_)
        return;
    filled_ = filledSegments;
    area_->update();
}

void CloneProgressWindow::CloseProgress() { hide(); }

// Only the clone manager ends the operation; the user cannot close it away.
void CloneProgressWindow::closeEvent(QCloseEvent *event) { event->ignore(); }
