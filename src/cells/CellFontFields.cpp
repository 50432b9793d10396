#include "cells/CellFontFields.h"

#include "cells/CellColours.h"
#include "cells/DescriptionText.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

struct Charset {
    const char *name;
    std::int32_t value;
};

constexpr Charset kCharsets[] = {
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

struct StyleName {
    const char *name;
    std::uint8_t bit;
};

constexpr StyleName kStyles[] = {
    {"fsBold", CellFont::kBold},
    {"fsItalic", CellFont::kItalic},
    {"fsUnderline", CellFont::kUnderline},
    {"fsStrikeOut", CellFont::kStrikeOut},
};

struct PitchName {
    const char *name;
    CellFont::Pitch pitch;
};

constexpr PitchName kPitches[] = {
    {"fpDefault", CellFont::Pitch::Default},
    {"fpFixed", CellFont::Pitch::Fixed},
    {"fpVariable", CellFont::Pitch::Variable},
};

// A height or size field: a number, or "%p" for p per cent of the current
// value (truncated, never 0). 0 and an empty field leave the value alone.
bool scaledMeasure(std::string_view field, std::int32_t current, std::int32_t &result)
{
    if (!field.empty() && field.front() == '%') {
        const std::int64_t scaled = std::int64_t{current} * readDecimal(field.substr(1)) / 100;
        const std::int64_t clamped =
            std::clamp<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
        result = clamped == 0 ? 1 : static_cast<std::int32_t>(clamped);
        return true;
    }
    result = readDecimal(field);
    return result != 0;
}

void applyCharset(CellFont &font, std::string_view field)
{
    std::int32_t charset = 0;
    if (findCharsetName(field, charset))
        font.charset = charset;
}

void applyFace(CellFont &font, std::string_view field)
{
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    if (!field.empty())
        font.face = std::string(field);
}

void applyColour(CellFont &font, std::string_view field)
{
    std::uint32_t colour = 0;
    if (findCellColour(field, colour))
        font.colour = colour;
}

void applyHeight(CellFont &font, std::string_view field)
{
    std::int32_t height = 0;
    if (scaledMeasure(field, font.height(), height))
        font.setHeight(height);
}

void applySize(CellFont &font, std::string_view field)
{
    std::int32_t size = 0;
    if (scaledMeasure(field, font.size(), size))
        font.setSize(size);
}

// The first known name replaces the whole style; unknown names are skipped,
// so a field of unknown names keeps the style.
void applyStyle(CellFont &font, std::string_view field)
{
    bool cleared = false;
    while (true) {
        const std::size_t plus = field.find('+');
        const std::string_view name = trimBlanks(field.substr(0, plus));
        const auto *style = std::find_if(std::begin(kStyles), std::end(kStyles),
                                         [&](const StyleName &s) { return name == s.name; });
        if (style != std::end(kStyles)) {
            if (!cleared)
                font.style = 0;
            cleared = true;
            font.style |= style->bit;
        }
        if (plus == std::string_view::npos)
            break;
        field.remove_prefix(plus + 1);
    }
}

void applyPitch(CellFont &font, std::string_view field)
{
    const std::string_view name = trimBlanks(field);
    for (const auto &pitch : kPitches) {
        if (name == pitch.name)
            font.pitch = pitch.pitch;
    }
}

using FieldApplier = void (*)(CellFont &, std::string_view);

constexpr FieldApplier kFieldAppliers[] = {applyCharset, applyFace,  applyColour, applyHeight,
                                           applySize,    applyStyle, applyPitch};

} // namespace

bool findCharsetName(std::string_view field, std::int32_t &charset)
{
    const std::string_view name = trimBlanks(field);
    for (const auto &entry : kCharsets) {
        if (name == entry.name) {
            charset = entry.value;
            return true;
        }
    }
    return false;
}

void applyFontFields(CellFont &font, std::string_view fields)
{
    for (FieldApplier apply : kFieldAppliers) {
        const std::size_t comma = fields.find(',');
        apply(font, fields.substr(0, comma));
        if (comma == std::string_view::npos)
            return;
        fields.remove_prefix(comma + 1);
    }
}
