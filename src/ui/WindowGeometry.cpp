#include "ui/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace window_geometry {

namespace {

const QScreen *screenOf(const QWidget *widget)
{
    if (widget != nullptr && widget->screen() != nullptr)
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

int insideSpan(int start, int length, int low, int high)
{
    if (start + length > high)
        start = high - length;
    if (start < low)
        start = low;
    return start;
}

} // namespace

WorkArea workAreaOf(const QWidget *widget)
{
    const QScreen *screen = screenOf(widget);
    if (screen == nullptr)
        return {0, 0, 1024, 768};
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

QPoint centredOnWorkArea(QSize size, const QWidget *over)
{
    QPoint corner(0, 0);
    if (over != nullptr) {
        const QRect frame = over->frameGeometry();
        corner = QPoint(frame.left() + (frame.width() - size.width()) / 2,
                        frame.top() + (frame.height() - size.height()) / 2);
    }
    const WorkArea area = workAreaOf(over);
    return {insideSpan(corner.x(), size.width(), area.left, area.right),
            insideSpan(corner.y(), size.height(), area.top, area.bottom)};
}

} // namespace window_geometry
