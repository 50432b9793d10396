#include "sheets/GridPainter.h"

#include <QPainter>

const QColor GridPainter::fixedLineColor(0, 0, 0);
const QColor GridPainter::lineColor(192, 192, 192);

void GridPainter::paint(QPainter &painter, const Job &job, const StateOf &stateOf,
                        const DrawCell &drawCell)
{
    for (const GridAxis::Span &row : job.rows) {
        if (row.extent <= 0)
            continue;
        for (const GridAxis::Span &col : job.cols) {
            if (col.extent <= 0)
                continue;
            const QRect cell(job.origin + QPoint(col.start, row.start),
                             QSize(col.extent, row.extent));
            if (job.clip.isValid() &&
                !job.clip.intersects(cell.adjusted(0, 0, job.colLineWidth, job.rowLineWidth)))
                continue;
            const bool fixed = col.index < job.fixedCols || row.index < job.fixedRows;
            if (drawCell)
                drawCell(painter, col.index, row.index, cell,
                         stateOf ? stateOf(col.index, row.index) : GridDrawState());
            paintLines(painter, job, cell, fixed);
        }
    }
}

// The lines after a cell: one to its right and one below it, each reaching
// over the crossing so that either kind alone is unbroken.
void GridPainter::paintLines(QPainter &painter, const Job &job, const QRect &cell, bool fixed)
{
    const QColor &color = fixed ? fixedLineColor : lineColor;
    const bool vertical = job.options & (fixed ? GridOption::FixedVertLine : GridOption::VertLine);
    const bool horizontal =
        job.options & (fixed ? GridOption::FixedHorzLine : GridOption::HorzLine);
    if (vertical && job.colLineWidth > 0)
        painter.fillRect(
            QRect(cell.right() + 1, cell.top(), job.colLineWidth, cell.height() + job.rowLineWidth),
            color);
    if (horizontal && job.rowLineWidth > 0)
        painter.fillRect(QRect(cell.left(), cell.bottom() + 1, cell.width() + job.colLineWidth,
                               job.rowLineWidth),
                         color);
}
