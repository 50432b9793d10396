#include "textdb/TextFields.h"

std::string textField(std::string_view line, int n)
{
    size_t start = 0;
    for (int field = 0; field < n; ++field) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos)
            return {};
        start = tab + 1;
    }
    const size_t end = line.find('\t', start);
    return std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
}
