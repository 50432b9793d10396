#include "mainframe/StatusPanel.h"

#include <QPainter>

namespace {
// A little air between the text and the panel's edges.
constexpr int kTextInset = 2;
} // namespace

StatusPanel::StatusPanel(Qt::Alignment alignment, QWidget *parent)
    : QWidget(parent), alignment_(alignment), textColour_(palette().color(QPalette::WindowText)),
      background_(palette().color(QPalette::Button))
{}

void StatusPanel::SetStatus(const QString &text, const QColor &textColour, const QColor &background)
{
    text_ = text;
    textColour_ = textColour;
    background_ = background;
    updateGeometry();
    update();
}

QSize StatusPanel::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text_) + 2 * kTextInset, metrics.height() + 2 * kTextInset};
}

void StatusPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setPen(textColour_);
    const QRect area = alignment_ & Qt::AlignLeft ? rect().adjusted(kTextInset, 0, 0, 0) : rect();
    painter.drawText(area, static_cast<int>(alignment_ | Qt::AlignVCenter), text_);
}
