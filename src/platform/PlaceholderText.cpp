#include "platform/PlaceholderText.h"

#include <algorithm>

namespace platform {

std::string fillPlaceholders(const std::string &text,
                             std::initializer_list<std::pair<const char *, std::string>> values)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find('{', i);
        const std::size_t close = open == std::string::npos ? open : text.find('}', open);
        if (close == std::string::npos) {
            out += text.substr(i);
            break;
        }
        out += text.substr(i, open - i);
        const std::string name = text.substr(open + 1, close - open - 1);
        const auto value = std::find_if(values.begin(), values.end(),
                                        [&name](const auto &pair) { return name == pair.first; });
        out += value != values.end() ? value->second : text.substr(open, close - open + 1);
        i = close + 1;
    }
    return out;
}

} // namespace platform
