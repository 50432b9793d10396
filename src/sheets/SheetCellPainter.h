#pragma once

#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"

#include <QColor>
#include <QRect>

#include <string>
#include <vector>

class cuiSheet;
class DisplayFont;
class QFontMetrics;
class QPainter;

// Draws one cell of a sheet, the same way on screen, in the preview and on
// paper: cells joined to their left neighbour show that neighbour's text
// across them, selected cells take the highlight (or, without the focus, a
// quieter blend), lines along the bottom and right edges, the text placed
// as the cell's alignment says, and the handler's error and warning marks.
// Labelled cells get their text and look from the cell handler, which works
// on a copy of the cell for each drawing; a handler that answers with a text
// in the radio's display font gets its dots instead of the text.
class SheetCellPainter
{
public:
    explicit SheetCellPainter(cuiSheet &sheet) : sheet_(sheet) {}

    void Draw(QPainter &painter, int col, int row, const QRect &rect);

    // Draws `text` as the radio's display shows it: `area` is divided into
    // equal character cells (characters per line x lines), and each dot of
    // a character's glyph fills its share of the character cell in
    // `colour`, or in olive from the text's kept length on; framed texts get
    // a grey outline around every character cell. A 0 ends the text. A size
    // the text names wins over the font's.
    static void DrawDisplayText(QPainter &painter, const QRect &area, const DotMatrixText &text,
                                const DisplayFont &font, const QColor &colour);
    // The same in the font of the program's working image (the large size
    // without user characters while there is none).
    static void DrawDisplayText(QPainter &painter, const QRect &area, const DotMatrixText &text,
                                const QColor &colour);

private:
    struct Fill {
        bool filled = true;
        QColor colour;
        // The text colour the fill forces (highlight, paper); invalid: the font's.
        QColor text;
        bool focusLost = false;
    };

    int ownerOf(int col, int row) const;
    QRect groupRect(int owner, int col, int row, const QRect &rect) const;
    bool isSelected(int col, int row) const;
    bool trailerSelected(int col, int row) const;
    // Asks the handler about `look_`, the cell's copy for this drawing.
    std::string textOf(QPainter &painter, const QRect &area, bool selected);
    Fill fillOf(int col, int row, bool selected) const;
    QColor textColour(const Fill &fill) const;
    void drawLines(QPainter &painter, const QRect &area) const;
    // Returns where the text ends on the right.
    int drawText(QPainter &painter, const QRect &area, const std::string &text,
                 const QColor &colour);
    void drawMarks(QPainter &painter, const QRect &area, int textEnd);
    void noteIfClipped(int col, int row, const QRect &area, const std::string &text);
    void drawPrintedMark(QPainter &painter, const QRect &box, bool error) const;

    cuiSheet &sheet_;
    cmcCellCapsule capsule_;
    cmcCellObj look_;
};
