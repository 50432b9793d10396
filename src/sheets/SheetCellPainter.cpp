#include "sheets/SheetCellPainter.h"

#include "cells/CellColours.h"
#include "cells/CellHost.h"
#include "channels/DisplayFont.h"
#include "sheets/SheetColours.h"
#include "sheets/SheetSurface.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiImageList.h"
#include "sheets/cuiSheet.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint8_t kMarkBits = cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError;
const QColor kPrintedFill(0x60, 0x60, 0x60);
const QColor kScreenLine(0x80, 0x80, 0x80);
const QColor kOlive(0x80, 0x80, 0x00);
const QColor kCharacterFrame(0x80, 0x80, 0x80);
const QColor kLowerBar(0x80, 0x80, 0x80);

int scaled(double value) { return static_cast<int>(std::lround(value)); }

} // namespace

void SheetCellPainter::Draw(QPainter &painter, int col, int row, const QRect &rect)
{
    if (sheet_.Building() || rect.width() < 1 || rect.height() < 1 || !sheet_.HasSlot(col, row))
        return;
    const int owner = ownerOf(col, row);
    const QRect area = groupRect(owner, col, row, rect);
    painter.save();
    // Each cell of a joined group paints its own part of the group.
    if (area != rect)
        painter.setClipRect(rect, Qt::IntersectClip);
    const bool selected = isSelected(owner, row);
    look_ = sheet_.CellAt(owner, row);
    const Fill fill = fillOf(owner, row, selected);
    if (fill.filled)
        painter.fillRect(area, fill.colour);
    drawLines(painter, area);
    // What a handler draws on the canvas (a check mark) lies on the fill.
    const std::string text = textOf(painter, area, selected);
    if (capsule_.lowerBar) {
        const int height = scaled(area.height() * 0.3);
        painter.fillRect(QRect(area.left(), area.bottom() + 1 - height, area.width(), height),
                         kLowerBar);
    }
    int textEnd = area.left();
    if (capsule_.dotMatrix) {
        // The dots stay clear of the lines along the bottom and right edges.
        DrawDisplayText(painter, area.adjusted(0, 0, -1, -1), *capsule_.dotMatrix,
                        textColour(fill));
    } else {
        textEnd = drawText(painter, area, text, textColour(fill));
        if (sheet_.noteClipped_)
            noteIfClipped(owner, row, area, text);
    }
    drawMarks(painter, area, textEnd);
    painter.restore();
}

void SheetCellPainter::DrawDisplayText(QPainter &painter, const QRect &area,
                                       const DotMatrixText &text, const QColor &colour)
{
    CellHost *host = cellHost();
    if (host == nullptr) {
        DrawDisplayText(painter, area, text, DisplayFont(), colour);
        return;
    }
    DrawDisplayText(painter, area, text, DisplayFont(host->WorkingImage()), colour);
}

// Whole pixels: a character cell and each dot start where the division of
// the area puts them, so neighbours meet without gaps or overlaps.
void SheetCellPainter::DrawDisplayText(QPainter &painter, const QRect &area,
                                       const DotMatrixText &text, const DisplayFont &font,
                                       const QColor &colour)
{
    const int perLine = std::max(text.charactersPerLine, 1);
    const int lines = std::max(text.lines, 1);
    if (area.width() < 1 || area.height() < 1)
        return;
    const auto split = [](int start, int length, int parts, int part) {
        return start + static_cast<int>(static_cast<std::int64_t>(length) * part / parts);
    };
    const DisplayFont::Size size = text.size.value_or(font.FontSize());
    const int rows = DisplayFont::RowsOf(size);
    const int count = std::min(static_cast<int>(text.characters.size()), perLine * lines);
    painter.save();
    for (int i = 0; i < count; ++i) {
        const auto code = static_cast<std::uint8_t>(text.characters[static_cast<std::size_t>(i)]);
        if (code == 0)
            break;
        const int column = i % perLine;
        const int line = i / perLine;
        const QRect cell(QPoint(split(area.left(), area.width(), perLine, column),
                                split(area.top(), area.height(), lines, line)),
                         QPoint(split(area.left(), area.width(), perLine, column + 1) - 1,
                                split(area.top(), area.height(), lines, line + 1) - 1));
        const bool kept = text.keptLength < 0 || i < text.keptLength;
        const QColor ink = kept ? colour : kOlive;
        const DisplayFont::Glyph &glyph = font.GlyphOf(code);
        for (int c = 0; c < DisplayFont::kColumns; ++c) {
            const int left = split(cell.left(), cell.width(), DisplayFont::kColumns, c);
            const int right = split(cell.left(), cell.width(), DisplayFont::kColumns, c + 1);
            for (int r = 0; r < rows; ++r) {
                if (!DisplayFont::Dot(glyph, size, c, r))
                    continue;
                const int top = split(cell.top(), cell.height(), rows, r);
                const int bottom = split(cell.top(), cell.height(), rows, r + 1);
                if (right > left && bottom > top)
                    painter.fillRect(QRect(left, top, right - left, bottom - top), ink);
            }
        }
        if (text.framed) {
            painter.setPen(kCharacterFrame);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
    painter.restore();
}

// What drawText does with the text, measured: the first line from its left
// indent, every line in the cell's height.
void SheetCellPainter::noteIfClipped(int col, int row, const QRect &area, const std::string &text)
{
    const double scale = sheet_.PrintScale();
    const SheetFonts::Entry &font = sheet_.fonts_.Get(sheet_.FontOf(look_));
    std::vector<std::string_view> lines = SheetSurface::Lines(text);
    // A closing line end (bit sets end their text with one) adds no line
    // that shows.
    while (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    int width = 0;
    for (const std::string_view part : lines)
        width = std::max(
            width, font.Width(QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()))));
    if (width == 0)
        return;
    const int indent = look_.HorizontalAlign() == 1 ? 0 : scaled(4 * scale);
    const QSize needed(indent + width + 1, font.metrics.height() * static_cast<int>(lines.size()));
    if (needed.width() < area.width() && needed.height() <= area.height())
        return;
    sheet_.clipped_.push_back({col, row, text, needed, area.size()});
}

int SheetCellPainter::ownerOf(int col, int row) const
{
    while (col > 0 && sheet_.CellAt(col, row).Joined())
        --col;
    return col;
}

// The owner's rectangle widened over every joined cell after it.
QRect SheetCellPainter::groupRect(int owner, int col, int row, const QRect &rect) const
{
    const cuiGrid &grid = *sheet_.Grid();
    const int line = grid.geometry().cols().lineWidth();
    int left = rect.left();
    for (int c = owner; c < col; ++c)
        left -= grid.colWidth(c) + line;
    int right = rect.right();
    for (int c = col + 1; c < sheet_.ColCount() && sheet_.CellAt(c, row).Joined(); ++c)
        right += grid.colWidth(c) + line;
    return QRect(QPoint(left, rect.top()), QPoint(right, rect.bottom()));
}

bool SheetCellPainter::isSelected(int col, int row) const
{
    if (sheet_.Printing())
        return false;
    if (sheet_.Slot(col, row).Highlighted() || sheet_.CurrentCell() == GridCoord{col, row})
        return true;
    return trailerSelected(col, row);
}

// A trailer in the current row goes with the nearest cell on its left that
// is selectable or no trailer, when that one is selectable.
bool SheetCellPainter::trailerSelected(int col, int row) const
{
    if (!sheet_.CellAt(col, row).Trailer() || sheet_.CurrentCell().row != row)
        return false;
    for (int c = col - 1; c >= 0; --c) {
        const cmcCellObj &left = sheet_.CellAt(c, row);
        if (left.Selectable() || !left.Trailer())
            return left.Selectable();
    }
    return false;
}

std::string SheetCellPainter::textOf(QPainter &painter, const QRect &area, bool selected)
{
    capsule_.Reset();
    if (!look_.HasLabel() || sheet_.Handler() == nullptr)
        return look_.GetText();
    capsule_.origin = sheet_.OriginCapsule();
    capsule_.ownerControl = sheet_.Grid();
    capsule_.grid = sheet_.Grid();
    capsule_.cell = &look_;
    capsule_.canvas = &painter;
    capsule_.cellRect = &area;
    capsule_.imageList = sheet_.Images();
    capsule_.sheet = &sheet_;
    capsule_.stateBits = (selected ? cmcCellCapsule::kStateCurrent : 0) |
                         (sheet_.Printing() ? cmcCellCapsule::kStatePrinting : 0);
    capsule_.outputText = look_.GetText().empty() ? " " : look_.GetText();
    sheet_.CallHandler(capsule_, kHandlerDraw);
    return capsule_.outputText;
}

SheetCellPainter::Fill SheetCellPainter::fillOf(int col, int row, bool selected) const
{
    Fill fill;
    if (sheet_.Printing()) {
        fill.filled = !SheetColours::IsWindowOrWhite(look_.background);
        fill.colour = kPrintedFill;
        fill.text = fill.filled ? QColor(Qt::white) : QColor(Qt::black);
        return fill;
    }
    const QPalette palette = sheet_.Grid()->palette();
    if (selected && !sheet_.EditorActive()) {
        if (sheet_.GridFocused() || sheet_.PopupMode()) {
            fill.colour = SheetColours::Resolve(kColourHighlight, palette);
            fill.text = SheetColours::Resolve(kColourHighlightText, palette);
        } else {
            fill.colour = SheetColours::FocusLostBlend(palette);
            fill.focusLost = true;
        }
        return fill;
    }
    const bool tinted = sheet_.Style().colorSelectLine && !sheet_.PopupMode() &&
                        row == sheet_.CurrentCell().row && col >= sheet_.FixedCols() &&
                        row >= sheet_.FixedRows();
    fill.colour =
        tinted ? SheetColours::RowBlend(palette) : SheetColours::Resolve(look_.background, palette);
    return fill;
}

QColor SheetCellPainter::textColour(const Fill &fill) const
{
    if (fill.text.isValid())
        return fill.text;
    const QPalette palette = sheet_.Grid()->palette();
    const std::uint32_t colour = sheet_.FontOf(look_).colour;
    const QColor resolved = SheetColours::Resolve(colour, palette);
    // Quiet text colours would vanish in the focus-lost blend.
    if (fill.focusLost && (colour == kColourBtnFace || colour == kColourGrayText ||
                           colour == kColourSilver || resolved == fill.colour))
        return SheetColours::Resolve(kColourWindow, palette);
    return resolved;
}

void SheetCellPainter::drawLines(QPainter &painter, const QRect &area) const
{
    const QColor colour = !SheetColours::IsWindowOrWhite(look_.background) ? QColor(Qt::white)
                          : sheet_.Printing()                              ? QColor(Qt::black)
                                                                           : kScreenLine;
    if (look_.BottomLine())
        painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), colour);
    const int bottom = area.top() + area.height();
    if (look_.RightLine() == 1)
        painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), colour);
    else if (look_.RightLine() == 2) {
        const int from = area.top() + area.height() * 7 / 10;
        painter.fillRect(QRect(area.right(), from, 1, bottom - from), colour);
    }
}

int SheetCellPainter::drawText(QPainter &painter, const QRect &area, const std::string &text,
                               const QColor &colour)
{
    const double scale = sheet_.PrintScale();
    const SheetFonts::Entry &font = sheet_.fonts_.Get(sheet_.FontOf(look_));
    const QFontMetrics &metrics = font.metrics;
    painter.setFont(font.font);
    painter.setPen(colour);
    const std::vector<std::string_view> lines = SheetSurface::Lines(text);
    const int lineHeight = metrics.height();
    const int textHeight = lineHeight * static_cast<int>(lines.size());
    const int right = area.left() + area.width(); // just past the cell
    const int bottom = area.top() + area.height();
    int y = area.top() + scaled(scale);
    if (look_.VerticalAlign() == 1)
        y = area.top() + (bottom + 1 - area.top() - textHeight) / 2;
    else if (look_.VerticalAlign() == 2)
        y = bottom - textHeight - scaled(scale);
    int textEnd = area.left();
    for (const std::string_view part : lines) {
        const QString line = QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
        const int width = font.Width(line);
        int x = area.left() + scaled(4 * scale);
        if (look_.HorizontalAlign() == 1)
            x = area.left() + (area.width() - width) / 2;
        else if (look_.HorizontalAlign() == 2)
            x = right + 1 - width - scaled(4 * scale);
        x = std::max(x, area.left());
        const bool fits = x + width + 1 < right;
        if (!fits) {
            painter.save();
            painter.setClipRect(area, Qt::IntersectClip);
        }
        painter.drawText(x, y + metrics.ascent(), line);
        if (!fits)
            painter.restore();
        textEnd = std::max(textEnd, x + width);
        y += lineHeight;
    }
    return textEnd;
}

void SheetCellPainter::drawMarks(QPainter &painter, const QRect &area, int textEnd)
{
    const bool error = (capsule_.stateBits & cmcCellCapsule::kStateError) != 0;
    const bool warning = (capsule_.stateBits & cmcCellCapsule::kStateWarning) != 0;
    capsule_.stateBits &= static_cast<std::uint8_t>(~kMarkBits);
    if (!error && !warning)
        return;
    const cuiImageList *images = sheet_.Images();
    const bool printing = sheet_.Printing();
    const int image = error ? cuiSheet::kErrorImage : cuiSheet::kWarningImage;
    if (!printing && (images == nullptr || images->count() <= image))
        return;
    const QSize size = printing ? QSize(area.height() / 2, area.height() / 2) : images->imageSize();
    const int right = area.left() + area.width();
    int position = capsule_.markPosition;
    if (position == 0)
        position = look_.HorizontalAlign() == 2 ? 1 : 3;
    int x = position == 1 ? area.left() + size.width() / 8 : right - size.width() - 1;
    if (position == 3 && textEnd < x && textEnd >= area.left())
        x = textEnd;
    const QRect box(QPoint(x, area.top() + area.height() - size.height() - 1), size);
    if (printing)
        drawPrintedMark(painter, box, error);
    else
        painter.drawPixmap(box, images->pixmap(image));
}

// Paper gets shapes instead of bitmaps: a cross for an error, a white
// triangle with an exclamation mark for a warning.
void SheetCellPainter::drawPrintedMark(QPainter &painter, const QRect &box, bool error) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black);
    pen.setWidthF(std::max(box.width() / 8.0, 1.0));
    painter.setPen(pen);
    if (error) {
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
    } else {
        QPainterPath triangle;
        triangle.moveTo(box.left() + box.width() / 2.0, box.top());
        triangle.lineTo(box.right(), box.bottom());
        triangle.lineTo(box.left(), box.bottom());
        triangle.closeSubpath();
        painter.setBrush(Qt::white);
        painter.drawPath(triangle);
        const double cx = box.left() + box.width() / 2.0;
        painter.drawLine(QPointF(cx, box.top() + box.height() * 0.3),
                         QPointF(cx, box.top() + box.height() * 0.65));
        painter.drawPoint(QPointF(cx, box.top() + box.height() * 0.82));
    }
    painter.restore();
}
