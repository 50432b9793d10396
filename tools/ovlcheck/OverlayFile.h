#pragma once

#include <string>
#include <vector>

// The key lines of one overlay file as the text database would index them:
// in file order, up to the end marker.
struct OverlayFile {
    std::string path;
    bool readable = false;
    bool endMarker = false;
    std::vector<std::string> keys;

    static OverlayFile Scan(const std::string &path);
    bool Has(const std::string &key) const;
};
