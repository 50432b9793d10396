#include "SheetWidgetFixture.h"
#include "support/ImagePixels.h"

#include "cells/CellLabels.h"
#include "channels/DisplayFont.h"
#include "sheets/SheetFonts.h"
#include "sheets/cuiImageList.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>
#include <map>

namespace {

using testing_support::darkPixels;

// The painting sheet of the fixture, 3 x 3 cells in the window colour:
//   row 0: a yellow cell whose long text runs on into the red cell joined
//          to it, then a cell with a bottom line;
//   row 1: the current cell, a cell with a full right line, one with the
//          lower 30 % of a right line;
//   row 2: a cell whose handler shows a silver dash, a lime cell with a
//          bottom line, a plain cell.
class SheetPixels : public SheetWidgetFixture
{
protected:
    static QColor silver() { return QColor(192, 192, 192); }
    static QColor grey() { return QColor(128, 128, 128); }

    SheetPixels()
    {
        // A value that does not apply: a centred silver dash.
        handler.onDraw = [](cmcCellCapsule &capsule) {
            if (capsule.cell->label != Flex1)
                return;
            capsule.outputText = "----";
            capsule.cell->flags1 = static_cast<std::uint8_t>((capsule.cell->flags1 & ~0x0F) | 0x05);
            CellFont font = capsule.cell->FontInUse() ? *capsule.cell->FontInUse() : CellFont();
            font.colour = 0xC0C0C0;
            capsule.cell->font = font;
        };
        open("GI_Sheet_Paint", {}, Flex0, 2);
    }

    QImage shot()
    {
        QApplication::processEvents();
        return grid().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QRect cell(int col, int row) { return grid().cellRect(col, row); }
    static int count(const QImage &image, const QRect &area, const QColor &colour)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                n += QColor(image.pixel(x, y)) == colour ? 1 : 0;
        }
        return n;
    }
    QColor palette(QPalette::ColorRole role) { return grid().palette().color(role); }
};

TEST_F(SheetPixels, TheTitleBarShowsTheStyleText)
{
    ASSERT_NE(sheet->TitleLabel(), nullptr);
    EXPECT_EQ(sheet->TitleLabel()->text(), "Painted");
    EXPECT_EQ(sheet->TitleLabel()->font().pixelSize(), 16) << "the base cell's font";
    EXPECT_EQ(current(), (GridCoord{0, 1}));
}

TEST_F(SheetPixels, TheCurrentCellTakesTheHighlightOrTheFocusLostBlend)
{
    focusGrid();
    const QRect current = cell(0, 1);
    const QPoint corner(current.right() - 1, current.top() + 1);
    EXPECT_EQ(QColor(shot().pixel(corner)), palette(QPalette::Highlight));

    container.setFocus();
    const QColor text = palette(QPalette::Text);
    const QColor window = palette(QPalette::Base);
    const auto quarter = [](int t, int w) { return (t + 3 * w + 2) / 4; };
    const QColor blend(quarter(text.red(), window.red()), quarter(text.green(), window.green()),
                       quarter(text.blue(), window.blue()));
    EXPECT_EQ(QColor(shot().pixel(corner)), blend);
    EXPECT_EQ(QColor(shot().pixel(cell(2, 2).center())), window) << "other cells keep theirs";
}

TEST_F(SheetPixels, AValueThatDoesNotApplyIsACentredSilverDash)
{
    const QImage image = shot();
    const QRect dash = cell(0, 2);
    EXPECT_GT(count(image, dash, silver()), 10);
    EXPECT_EQ(darkPixels(image, dash), 0);
    int left = dash.right();
    int right = dash.left();
    for (int y = dash.top(); y <= dash.bottom(); ++y) {
        for (int x = dash.left(); x <= dash.right(); ++x) {
            if (QColor(image.pixel(x, y)) == silver()) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_NEAR(left - dash.left(), dash.right() - right, 3) << "centred";
}

TEST_F(SheetPixels, LinesRunAlongTheBottomAndRightEdges)
{
    const QImage image = shot();
    const QRect bottom = cell(2, 0);
    EXPECT_EQ(count(image, QRect(bottom.left(), bottom.bottom(), bottom.width(), 1), grey()),
              bottom.width());
    EXPECT_EQ(count(image, QRect(bottom.left(), bottom.bottom() - 1, bottom.width(), 1), grey()),
              0);

    const QRect right = cell(1, 1);
    EXPECT_EQ(count(image, QRect(right.right(), right.top(), 1, right.height()), grey()),
              right.height());

    const QRect quarter = cell(2, 1);
    const int from = quarter.top() + quarter.height() * 7 / 10;
    EXPECT_EQ(count(image, QRect(quarter.right(), from, 1, quarter.bottom() - from + 1), grey()),
              quarter.bottom() - from + 1);
    EXPECT_EQ(count(image, QRect(quarter.right(), quarter.top(), 1, from - quarter.top()), grey()),
              0);

    const QRect lime = cell(1, 2);
    EXPECT_EQ(count(image, QRect(lime.left(), lime.bottom(), lime.width(), 1), Qt::white),
              lime.width())
        << "lines on coloured cells are white";
}

TEST_F(SheetPixels, AJoinedCellShowsItsLeftNeighbour)
{
    const QImage image = shot();
    const QRect joined = cell(1, 0);
    EXPECT_EQ(count(image, joined, Qt::red), 0);
    EXPECT_EQ(QColor(image.pixel(joined.right() - 1, joined.top() + 1)), QColor(Qt::yellow));
    EXPECT_GT(darkPixels(image, joined), 0) << "the neighbour's text runs on";
}

TEST_F(SheetPixels, MarksSitAtTheBottomWhereTheHandlerSays)
{
    // The tree's pictures, with a blue warning and a magenta error mark.
    QTemporaryDir icons;
    for (std::size_t i = 0; i < cuiImageList::kTreeNames.size(); ++i) {
        const char *fill = i == cuiSheet::kWarningImage ? "#0000ff"
                           : i == cuiSheet::kErrorImage ? "#ff00ff"
                                                        : "#00ff00";
        testing_support::writeFile(
            icons.path().toStdString() + "/" + cuiImageList::kTreeNames[i] + ".svg",
            std::string("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                        "<rect width='16' height='16' fill='") +
                fill + "'/></svg>");
    }
    const cuiImageList images = cuiImageList::TreeImages(icons.path().toStdString() + "/");
    handler.onDraw = [](cmcCellCapsule &capsule) {
        const std::int32_t index = capsule.cell->index;
        if (index == 1) { // "bottom": a warning at the right edge
            capsule.stateBits |= cmcCellCapsule::kStateWarning;
            capsule.markPosition = 2;
        } else if (index == 3) { // "right": an error on the left
            capsule.stateBits |= cmcCellCapsule::kStateError | cmcCellCapsule::kStateWarning;
            capsule.markPosition = 1;
        } else if (index == 6) { // "plain": a warning after the text
            capsule.stateBits |= cmcCellCapsule::kStateWarning;
        }
    };
    sheet = std::make_unique<cuiSheet>(&container, nullptr, 0, 0, mainTextDatabase(),
                                       "GI_Sheet_Paint", &images);
    sheet->SetHandler(&FakeCellHandler::Handle, nullptr);
    sheet->Show();
    const QImage image = shot();

    // 16-pixel marks, 1 pixel above the bottom.
    const QRect bottom = cell(2, 0);
    EXPECT_EQ(count(image, QRect(bottom.right() - 16, bottom.bottom() - 16, 16, 16), Qt::blue),
              256);
    const QRect right = cell(1, 1);
    EXPECT_EQ(count(image, QRect(right.left() + 2, right.bottom() - 16, 16, 16), Qt::magenta), 256);
    EXPECT_EQ(count(image, right, Qt::blue), 0) << "the error mark wins";

    const QRect plain = cell(2, 2);
    const QFontMetrics metrics(SheetFonts::ToQFont(sheet->FontOf(sheet->CellAt(2, 2))));
    const int textEnd = plain.left() + 4 + metrics.horizontalAdvance("plain");
    EXPECT_EQ(count(image, QRect(textEnd, plain.bottom() - 16, 16, 16), Qt::blue), 256);
    EXPECT_EQ(count(image, QRect(textEnd - 1, plain.bottom() - 16, 1, 16), Qt::blue), 0);
}

// A handler may draw on the canvas of a draw request (the flag bits
// window's check marks); that lies on the cell's fill, not under it.
TEST_F(SheetPixels, WhatTheHandlerDrawsOnTheCanvasStaysOnTop)
{
    handler.onDraw = [](cmcCellCapsule &capsule) {
        if (capsule.cell->index == 6 && capsule.canvas != nullptr && capsule.cellRect != nullptr)
            capsule.canvas->fillRect(QRect(capsule.cellRect->topLeft() + QPoint(2, 2), QSize(4, 4)),
                                     Qt::magenta);
    };
    open("GI_Sheet_Paint", {}, Flex0, 2);
    const QRect plain = cell(2, 2);
    EXPECT_EQ(count(shot(), QRect(plain.topLeft() + QPoint(2, 2), QSize(4, 4)), Qt::magenta), 16);
}

TEST_F(SheetPixels, ALowerBarFillsTheLowestThirtyPercentInDarkGrey)
{
    handler.onDraw = [](cmcCellCapsule &capsule) { capsule.lowerBar = capsule.cell->index == 6; };
    open("GI_Sheet_Paint", {}, Flex0, 2);
    const QImage image = shot();
    const QRect plain = cell(2, 2);
    const int bar = static_cast<int>(std::lround(plain.height() * 0.3));
    const int x = plain.left() + plain.width() / 2;
    EXPECT_EQ(QColor(image.pixel(x, plain.bottom() - 1)), grey());
    EXPECT_EQ(QColor(image.pixel(x, plain.bottom() + 1 - bar)), grey());
    EXPECT_EQ(QColor(image.pixel(x, plain.bottom() - bar)), palette(QPalette::Base))
        << "above the bar the cell keeps its fill";
}

TEST_F(SheetPixels, TheCurrentRowIsTintedWhenTheStyleAsks)
{
    open("GI_Sheet_Tint");
    focusGrid();
    ASSERT_EQ(current(), (GridCoord{1, 0}));
    const QImage image = shot();
    const QColor text = palette(QPalette::Text);
    const QColor window = palette(QPalette::Base);
    const auto eighth = [](int t, int w) { return (t + 7 * w + 4) / 8; };
    const QColor tint(eighth(text.red(), window.red()), eighth(text.green(), window.green()),
                      eighth(text.blue(), window.blue()));
    const QRect other = cell(2, 0);
    EXPECT_EQ(QColor(image.pixel(other.right() - 1, other.top() + 1)), tint);
    const QRect heading = cell(0, 0);
    EXPECT_EQ(QColor(image.pixel(heading.right() - 1, heading.top() + 1)),
              palette(QPalette::Button))
        << "fixed cells keep their colour";
    const QRect below = cell(2, 1);
    EXPECT_EQ(QColor(image.pixel(below.right() - 1, below.top() + 1)), window);
}

TEST_F(SheetPixels, PaperGetsGreyFillsWhiteTextAndNoHighlight)
{
    QImage page(600, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPrinter printer;
    QWidget form;
    form.resize(500, 400);
    cuiSheet printed(&form, nullptr, 0, 0, mainTextDatabase(), "GI_Sheet_Paint");
    printed.SetHandler(&FakeCellHandler::Handle, nullptr);
    printed.SetPrinterAndPreview(&printer, &page);
    printed.Show();
    const cuiGrid &g = *printed.Grid();
    {
        QPainter painter(&page);
        g.paintTile(painter, QPoint(0, 0), 0, 3, 0, 3);
    }
    const int w0 = g.colWidth(0);
    const int w1 = g.colWidth(1);
    const int h0 = g.rowHeight(0);
    const int h1 = g.rowHeight(1);
    const QRect owner(0, 0, w0, h0);
    EXPECT_EQ(QColor(page.pixel(owner.left() + 1, owner.bottom() - 1)), QColor(0x60, 0x60, 0x60));
    EXPECT_GT(count(page, owner, Qt::white), 0) << "white text on the grey fill";
    const QRect bottom(w0 + w1, 0, g.colWidth(2), h0);
    EXPECT_EQ(count(page, QRect(bottom.left(), bottom.bottom(), bottom.width(), 1), Qt::black),
              bottom.width())
        << "black lines on paper";
    const QRect current(0, h0, w0, h1);
    EXPECT_EQ(QColor(page.pixel(current.right() - 1, current.top() + 1)), QColor(Qt::white));
}

} // namespace

namespace {

// Names drawn in the radio's display font: a sheet of four large cells
// whose handler answers with dot-matrix texts instead of their "WWW".
// Without a working image the font is the large one (17 rows).
class DisplayTextPixels : public SheetWidgetFixture
{
protected:
    static constexpr int kRows = 17;

    DisplayTextPixels()
    {
        handler.onDraw = [this](cmcCellCapsule &capsule) {
            const auto found = texts.find(capsule.cell->index);
            if (found != texts.end())
                capsule.dotMatrix = found->second;
        };
    }

    QImage shot()
    {
        QApplication::processEvents();
        return grid().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The middle of dot (column, row) of character `n` in a cell of
    // `perLine` characters on one line; the dots leave the cell's last
    // pixel column and row to the grid lines.
    static QPoint dotCentre(const QRect &cell, int perLine, int n, int column, int row,
                            int rows = kRows)
    {
        const double width = (cell.width() - 1.0) / perLine;
        const double height = cell.height() - 1.0;
        return QPoint(static_cast<int>(cell.left() + width * n + width * (column + 0.5) / 6),
                      static_cast<int>(cell.top() + height * (row + 0.5) / rows));
    }
    // The dots of the large 'A' as the font holds them, compared with what
    // was drawn.
    static void expectLetterA(const QImage &image, const QRect &cell, int perLine, int n,
                              const QColor &ink, const QColor &paper,
                              DisplayFont::Size size = DisplayFont::Size::Large)
    {
        const DisplayFont::Glyph &glyph = DisplayFont::BuiltIn('A');
        const int rows = DisplayFont::RowsOf(size);
        for (int column = 0; column < 6; ++column) {
            for (int row = 0; row < rows; ++row) {
                SCOPED_TRACE(testing::Message() << "column " << column << " row " << row);
                const QPoint at = dotCentre(cell, perLine, n, column, row, rows);
                EXPECT_EQ(QColor(image.pixel(at)),
                          DisplayFont::Dot(glyph, size, column, row) ? ink : paper);
            }
        }
    }

    std::map<std::int32_t, DotMatrixText> texts;
};

TEST_F(DisplayTextPixels, EachDotOfTheGlyphFillsItsShareOfTheCellInTheFontColour)
{
    texts[1] = DotMatrixText{.characters = "A", .charactersPerLine = 1};
    texts[2] = DotMatrixText{.characters = " ", .charactersPerLine = 1};
    open("GI_Sheet_Dots");
    const QImage image = shot();
    const QColor window = grid().palette().color(QPalette::Base);
    expectLetterA(image, grid().cellRect(1, 0), 1, 0, grid().palette().color(QPalette::Text),
                  window);
    EXPECT_EQ(testing_support::darkPixels(image, grid().cellRect(0, 1)), 0)
        << "the cell's own text is not drawn";
    EXPECT_GT(testing_support::darkPixels(image, grid().cellRect(1, 1)), 0)
        << "cells without a display text keep theirs";
}

// The user character sheets print in the size of the radio the page is
// for: a text that names its size is drawn in it, not in the font's.
TEST_F(DisplayTextPixels, ATextThatNamesItsSizeIsDrawnInIt)
{
    for (const DisplayFont::Size size : {DisplayFont::Size::Small, DisplayFont::Size::Large}) {
        SCOPED_TRACE(DisplayFont::RowsOf(size));
        texts[1] = DotMatrixText{.characters = "A", .charactersPerLine = 1, .size = size};
        open("GI_Sheet_Dots");
        expectLetterA(shot(), grid().cellRect(1, 0), 1, 0, grid().palette().color(QPalette::Text),
                      grid().palette().color(QPalette::Base), size);
    }
}

TEST_F(DisplayTextPixels, CharactersBeyondTheKeptLengthAreOliveAndFramesGrey)
{
    texts[1] = DotMatrixText{.characters = std::string("AA\0A", 4),
                             .charactersPerLine = 3,
                             .framed = true,
                             .keptLength = 1};
    open("GI_Sheet_Dots");
    const QImage image = shot();
    const QRect cell = grid().cellRect(1, 0);
    const QColor window = grid().palette().color(QPalette::Base);
    expectLetterA(image, cell, 3, 0, grid().palette().color(QPalette::Text), window);
    expectLetterA(image, cell, 3, 1, QColor(128, 128, 0), window);
    const QColor grey(128, 128, 128);
    const int third = (cell.width() - 1) / 3;
    EXPECT_EQ(QColor(image.pixel(cell.left(), cell.top() + 2)), grey) << "left edge";
    EXPECT_EQ(QColor(image.pixel(cell.left() + third / 2, cell.top())), grey) << "top edge";
    EXPECT_EQ(QColor(image.pixel(cell.left() + third, cell.top() + 2)), grey)
        << "the second character's frame";
    EXPECT_EQ(testing_support::darkPixels(
                  image, QRect(cell.left() + 2 * third + 2, cell.top() + 2, third - 4, 20)),
              0)
        << "the text ends at its 0";
}

TEST_F(DisplayTextPixels, PaperGetsTheSameDotsInBlack)
{
    texts[1] = DotMatrixText{.characters = "A", .charactersPerLine = 1};
    QImage page(800, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPrinter printer;
    QWidget form;
    form.resize(500, 400);
    cuiSheet printed(&form, nullptr, 0, 0, mainTextDatabase(), "GI_Sheet_Dots");
    printed.SetHandler(&FakeCellHandler::Handle, nullptr);
    printed.SetPrinterAndPreview(&printer, &page);
    printed.Show();
    const cuiGrid &g = *printed.Grid();
    {
        QPainter painter(&page);
        g.paintTile(painter, QPoint(0, 0), 0, 2, 0, 2);
    }
    const QRect cell(g.colWidth(0), 0, g.colWidth(1), g.rowHeight(0));
    expectLetterA(page, cell, 1, 0, Qt::black, Qt::white);
}

} // namespace
