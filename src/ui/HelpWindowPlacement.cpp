#include "ui/HelpWindowPlacement.h"

namespace help_placement {

QPoint position(QPoint cursor, QSize window, const WorkArea &area)
{
    const int halfWidth = window.width() / 2;
    int x = halfWidth >= cursor.x() ? 0 : cursor.x() - halfWidth;
    int y = cursor.y();
    if (y + window.height() > area.bottom) {
        const bool roomAbove = window.height() < cursor.y() - area.top;
        y = roomAbove && cursor.y() < area.bottom ? cursor.y() - window.height()
                                                  : area.bottom - window.height();
    }
    if (x + window.width() > area.right)
        x = area.right - window.width();
    return {x, y};
}

} // namespace help_placement
