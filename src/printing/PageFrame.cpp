#include "printing/PageFrame.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

PageFrame::PageFrame(const QFont &font, int pointSize, double dotsPerInch) : font_(font)
{
    a_ = std::max(static_cast<int>(pointSize * dotsPerInch / 72.0), 1);
    b_ = static_cast<int>(a_ * 0.1 + 1);
    font_.setPixelSize(a_);
    font_.setBold(false);
    font_.setItalic(false);
    font_.setUnderline(false);
    font_.setStrikeOut(false);
}

QRect PageFrame::Inner(const QRect &margins) const
{
    const int headerBarTop = margins.top() + a_ + b_;
    const int footerBarBottom = margins.bottom() - a_ - b_;
    return QRect(QPoint(margins.left(), headerBarTop + 5 * b_),
                 QPoint(margins.right(), footerBarBottom - 5 * b_));
}

QRect PageFrame::Draw(QPainter &painter, const QRect &margins, const Texts &texts) const
{
    painter.save();
    painter.setFont(font_);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int width = margins.width();
    const QRect header(margins.left(), margins.top(), width - 1, a_ + b_);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(texts.title));
    painter.drawText(header, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(texts.program));
    painter.fillRect(QRect(margins.left(), margins.top() + a_ + b_, width, b_), Qt::black);
    const int footerBarBottom = margins.bottom() - a_ - b_;
    painter.fillRect(QRect(margins.left(), footerBarBottom - b_ + 1, width, b_), Qt::black);
    const QRect footer(margins.left(), margins.bottom() - a_ - 1, width - 1, a_ + 1);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(texts.maker));
    painter.restore();
    return Inner(margins);
}
