#include "SourceKeys.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

bool isSource(const std::filesystem::path &path)
{
    const std::string extension = path.extension().string();
    return extension == ".cpp" || extension == ".h";
}

// A line without its // comment; block comments in this code base are
// written with // as well.
std::string withoutComment(const std::string &line)
{
    bool inString = false;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] == '\\' && inString) {
            ++i;
            continue;
        }
        if (line[i] == '"')
            inString = !inString;
        else if (!inString && line[i] == '/' && line[i + 1] == '/')
            return line.substr(0, i);
    }
    return line;
}

} // namespace

void collectKeys(const std::string &text, std::set<std::string> &keys)
{
    static const std::regex literal("\"(GI_[A-Za-z0-9_]+)\"");
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string code = withoutComment(line);
        for (std::sregex_iterator it(code.begin(), code.end(), literal), end; it != end; ++it)
            keys.insert((*it)[1].str());
    }
}

std::set<std::string> sourceKeys(const std::vector<std::string> &folders)
{
    std::set<std::string> keys;
    for (const std::string &folder : folders) {
        if (!std::filesystem::is_directory(folder))
            continue;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file() || !isSource(entry.path()))
                continue;
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            collectKeys(text.str(), keys);
        }
    }
    return keys;
}
