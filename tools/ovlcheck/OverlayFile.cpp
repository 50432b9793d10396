#include "OverlayFile.h"

#include <algorithm>
#include <fstream>

OverlayFile OverlayFile::Scan(const std::string &path)
{
    OverlayFile file;
    file.path = path;
    std::ifstream in(path);
    file.readable = static_cast<bool>(in);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() < 2 || line[0] != '#')
            continue;
        const std::string key = line.substr(1);
        file.keys.push_back(key);
        if (key == "End_Of_Ovl") {
            file.endMarker = true;
            break;
        }
    }
    return file;
}

bool OverlayFile::Has(const std::string &key) const
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}
