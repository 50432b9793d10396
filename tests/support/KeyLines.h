#pragma once

#include "textdb/cmcGTex.h"

#include <string>
#include <vector>

namespace testing_support {

// The lines of an overlay key up to the first line beginning with '#' (the
// end of a list, or the next key).
inline std::vector<std::string> keyLines(cmcGTex &texts, const std::string &key)
{
    std::vector<std::string> lines;
    std::string line;
    for (int n = 0; texts.TryGetLine(key, n, line) && !line.starts_with("#"); ++n)
        lines.push_back(line);
    return lines;
}

} // namespace testing_support
