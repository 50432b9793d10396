#include "sheets/cuiMenuBody.h"

#include "textdb/cmcGTex.h"

std::vector<std::string> cuiMenuBody::ReadLines(cmcGTex &texts, const std::string &key)
{
    std::vector<std::string> lines;
    for (int n = 0;; ++n) {
        std::string line = texts.GetLine(key, n);
        if (!line.empty() && line[0] == '#')
            break;
        lines.push_back(std::move(line));
    }
    return lines;
}

int cuiMenuBody::Level(std::string_view line)
{
    const std::size_t plus = line.find('+');
    return plus == std::string_view::npos ? -1 : static_cast<int>(plus);
}

std::string_view cuiMenuBody::Description(std::string_view line)
{
    const std::size_t plus = line.find('+');
    return plus == std::string_view::npos ? line : line.substr(plus + 1);
}
