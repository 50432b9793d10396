#include "sheets/SheetFonts.h"

#include <algorithm>
#include <iterator>

namespace {

// Texts measured per font before the remembered widths start over: a long
// session typing ever new values must not grow without end.
constexpr qsizetype kRememberedWidths = 4096;

} // namespace

QFont SheetFonts::ToQFont(const CellFont &font)
{
    QFont result;
    if (!font.face.empty())
        result.setFamily(QString::fromStdString(font.face));
    if (font.height() < 0)
        result.setPixelSize(-font.height());
    else if (font.height() > 0)
        result.setPixelSize(std::max(font.height() * 4 / 5, 1));
    else
        result.setPointSize(std::max(font.size(), 1));
    result.setBold((font.style & CellFont::kBold) != 0);
    result.setItalic((font.style & CellFont::kItalic) != 0);
    result.setUnderline((font.style & CellFont::kUnderline) != 0);
    result.setStrikeOut((font.style & CellFont::kStrikeOut) != 0);
    if (font.pitch == CellFont::Pitch::Fixed) {
        result.setStyleHint(QFont::Monospace);
        result.setFixedPitch(true);
    }
    return result;
}

void SheetFonts::SetDevice(QPaintDevice *device)
{
    device_ = device;
    lastEntry_ = nullptr;
    entries_.clear();
}

int SheetFonts::Entry::Width(const QString &text) const
{
    if (const auto found = widths.find(text); found != widths.end())
        return found->second;
    if (std::ssize(widths) >= kRememberedWidths)
        widths.clear();
    const int width = metrics.horizontalAdvance(text);
    widths.emplace(text, width);
    return width;
}

std::string SheetFonts::keyOf(const CellFont &font)
{
    std::string key = font.face;
    key += '\x1f';
    key += std::to_string(font.height());
    key += '/';
    key += std::to_string(font.size());
    key += '/';
    key += std::to_string(font.style);
    key += '/';
    key += std::to_string(static_cast<int>(font.pitch));
    return key;
}

const SheetFonts::Entry &SheetFonts::Get(const CellFont &font)
{
    if (lastEntry_ != nullptr && font == lastFont_)
        return *lastEntry_;
    const std::string key = keyOf(font);
    auto found = entries_.find(key);
    if (found == entries_.end()) {
        QFont qfont = ToQFont(font);
        QFontMetrics metrics =
            device_ != nullptr ? QFontMetrics(qfont, device_) : QFontMetrics(qfont);
        found = entries_.emplace(key, Entry{qfont, metrics}).first;
    }
    lastFont_ = font;
    lastEntry_ = &found->second;
    return found->second;
}
