#include "sheets/SheetColours.h"

#include "cells/CellColours.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct SystemColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// By system colour index: scroll bar, desktop, captions, menu, window,
// frame, texts, borders, work space, highlight, buttons, grey text, 3-D
// shades and tool tips.
const SystemColour kSystemColours[] = {
    {QPalette::Active, QPalette::Button},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Inactive, QPalette::Highlight},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Base},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::WindowText},
    {QPalette::Active, QPalette::Text},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Button},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Disabled, QPalette::Text},
    {QPalette::Active, QPalette::ButtonText},
    {QPalette::Inactive, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Light},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::Midlight},
    {QPalette::Active, QPalette::ToolTipText},
    {QPalette::Active, QPalette::ToolTipBase},
};

QColor blend(const QPalette &palette, int textShare, int windowShare)
{
    const QColor text = SheetColours::Resolve(kColourWindowText, palette);
    const QColor window = SheetColours::Resolve(kColourWindow, palette);
    const int total = textShare + windowShare;
    const auto channel = [&](int t, int w) {
        return (t * textShare + w * windowShare + total / 2) / total;
    };
    return QColor(channel(text.red(), window.red()), channel(text.green(), window.green()),
                  channel(text.blue(), window.blue()));
}

} // namespace

QColor SheetColours::Resolve(std::uint32_t colour, const QPalette &palette)
{
    if (!IsSystem(colour))
        return Plain(colour);
    const std::uint32_t index = colour & 0xFFFFFFu;
    if (index >= std::size(kSystemColours))
        return palette.color(QPalette::Active, QPalette::Base);
    const SystemColour &system = kSystemColours[index];
    return palette.color(system.group, system.role);
}

bool SheetColours::IsWindowOrWhite(std::uint32_t colour)
{
    return colour == kColourWindow || (colour & 0xFFFFFFu) == kColourWhite;
}

QColor SheetColours::FocusLostBlend(const QPalette &palette) { return blend(palette, 1, 3); }

QColor SheetColours::RowBlend(const QPalette &palette) { return blend(palette, 1, 7); }

namespace {

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

} // namespace

double SheetColours::ContrastRatio(const QColor &one, const QColor &other)
{
    const double a = luminance(one);
    const double b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor SheetColours::ReadableOn(const QColor &text, const QColor &background)
{
    if (ContrastRatio(text, background) >= kReadableContrast)
        return text;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

QColor SheetColours::BackgroundFor(const QColor &text, const QColor &background)
{
    // Mid grey: lighter texts go on darker backgrounds.
    const QColor target = luminance(text) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    QColor shade = background;
    for (int step = 0; step < 10 && ContrastRatio(text, shade) < kReadableContrast; ++step) {
        const auto towards = [](int from, int to) { return from + (to - from) / 4; };
        shade = QColor(towards(shade.red(), target.red()), towards(shade.green(), target.green()),
                       towards(shade.blue(), target.blue()));
    }
    return ContrastRatio(text, shade) >= kReadableContrast ? shade : target;
}
