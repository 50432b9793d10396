#include "printing/PrintMargins.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

double millimetres(std::string_view field)
{
    field = trimmed(field);
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || !std::isfinite(value) || value < 0)
        return 0;
    (void)end;
    return value;
}

} // namespace

PrintMargins PrintMargins::Parse(std::string_view text)
{
    std::vector<double> values;
    while (values.size() < 4) {
        const std::size_t comma = text.find(',');
        values.push_back(millimetres(text.substr(0, comma)));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    values.resize(4, 0);
    return {values[0], values[1], values[2], values[3]};
}

QRect PrintMargins::ToPixels(QSize page, double dotsPerInch) const
{
    const auto pixels = [dotsPerInch](double mm) { return mm * dotsPerInch / 25.4; };
    const int l = static_cast<int>(pixels(left));
    const int t = static_cast<int>(pixels(top));
    const int r = static_cast<int>(page.width() - pixels(right));
    const int b = static_cast<int>(page.height() - pixels(bottom));
    return QRect(QPoint(l, t), QPoint(r, b));
}
