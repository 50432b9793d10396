#pragma once

#include <QFont>
#include <QFontMetrics>

#include <string>
#include <unordered_map>

class CellFont;
class QPaintDevice;

// The toolkit fonts of a sheet's cell fonts, made once per distinct font and
// kept with their metrics for the device the sheet is laid out for (the
// screen, or a printer whose pixels are smaller).
class SheetFonts
{
public:
    // A negative height is the character height in pixels; a positive one
    // the cell height, of which the character takes about four fifths.
    static QFont ToQFont(const CellFont &font);

    struct Entry {
        QFont font;
        QFontMetrics metrics;
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
};
