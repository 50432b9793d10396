#pragma once

#include "cells/CellFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <string>
#include <unordered_map>

class QPaintDevice;

// The toolkit fonts of a sheet's cell fonts, made once per distinct font and
// kept with their metrics for the device the sheet is laid out for (the
// screen, or a printer whose pixels are smaller).
class SheetFonts
{
public:
    SheetFonts() = default;
    // The remembered entry points into this object's own table.
    SheetFonts(const SheetFonts &) = delete;
    SheetFonts &operator=(const SheetFonts &) = delete;

    // A negative height is the character height in pixels; a positive one
    // the cell height, of which the character takes about four fifths.
    static QFont ToQFont(const CellFont &font);

    struct Entry {
        QFont font;
        QFontMetrics metrics;
        // metrics.horizontalAdvance(text), remembered: a sheet measures the
        // same few texts in every cell of a column and on every repaint.
        int Width(const QString &text) const;
        mutable std::unordered_map<QString, int> widths{};
    };

    // nullptr: the screen. Forgets every font made so far.
    void SetDevice(QPaintDevice *device);
    const Entry &Get(const CellFont &font);
    const QFont &Font(const CellFont &font) { return Get(font).font; }
    const QFontMetrics &Metrics(const CellFont &font) { return Get(font).metrics; }

private:
    static std::string keyOf(const CellFont &font);

    QPaintDevice *device_ = nullptr;
    std::unordered_map<std::string, Entry> entries_;
    // The font asked for last and its entry: neighbouring cells mostly share
    // their font. Entries stay where they are until SetDevice forgets them.
    CellFont lastFont_;
    const Entry *lastEntry_ = nullptr;
};
