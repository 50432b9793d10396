#include "sheets/SheetFonts.h"

#include "cells/CellFont.h"

#include <algorithm>

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
    entries_.clear();
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
    const std::string key = keyOf(font);
    auto found = entries_.find(key);
    if (found == entries_.end()) {
        QFont qfont = ToQFont(font);
        QFontMetrics metrics =
            device_ != nullptr ? QFontMetrics(qfont, device_) : QFontMetrics(qfont);
        found = entries_.emplace(key, Entry{qfont, metrics}).first;
    }
    return found->second;
}
