#include "DefaultsDescription.h"

#include "image/WorkingLayout.h"

#include <sstream>

namespace {

bool parseNumber(const std::string &token, long &value)
{
    if (token.empty())
        return false;
    size_t used = 0;
    try {
        value = std::stol(token, &used, 0);
    } catch (...) {
        return false;
    }
    return used == token.size();
}

bool parseByte(const std::string &token, char &byte)
{
    size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(token, &used, 16);
    } catch (...) {
        return false;
    }
    byte = static_cast<char>(value);
    return used == token.size() && value <= 0xFF;
}

std::string withoutComment(const std::string &line)
{
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == '#' && !quoted)
            return line.substr(0, i);
    }
    return line;
}

} // namespace

bool DefaultsDescription::Parse(const std::string &text, std::string &error)
{
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!parseLine(withoutComment(line), error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    return true;
}

bool DefaultsDescription::parseLine(const std::string &line, std::string &error)
{
    std::istringstream words(line);
    std::string verb;
    if (!(words >> verb))
        return true;
    if (verb == "[all]" || verb == "[type0]" || verb == "[type1]") {
        section_ = verb == "[all]" ? -1 : verb[5] - '0';
        return true;
    }
    long number = 0;
    long offset = 0;
    if (verb == "file") {
        std::string name;
        if (!(words >> number >> name) || number < 0 || number > 1) {
            error = "file needs a model type (0 or 1) and a name";
            return false;
        }
        fileNames_[number] = name;
        return true;
    }
    std::string token;
    if (!(words >> token) || !parseNumber(token, offset) || offset < 0 ||
        offset >= working_layout::kImageSize) {
        error = "bad offset";
        return false;
    }
    Write write{section_, static_cast<int32_t>(offset), {}};
    if (verb == "set") {
        char byte = 0;
        while (words >> token) {
            if (!parseByte(token, byte)) {
                error = "bad byte '" + token + "'";
                return false;
            }
            write.bytes += byte;
        }
    } else if (verb == "fill") {
        std::string countText;
        char byte = 0;
        if (!(words >> countText >> token) || !parseNumber(countText, number) || number <= 0 ||
            !parseByte(token, byte)) {
            error = "fill needs a count and a byte";
            return false;
        }
        write.bytes.assign(static_cast<size_t>(number), byte);
    } else if (verb == "text") {
        std::string rest;
        if (!(words >> token) || !parseNumber(token, number) || number <= 0 ||
            !std::getline(words, rest)) {
            error = "text needs a length and a quoted text";
            return false;
        }
        const size_t open = rest.find('"');
        const size_t close = rest.rfind('"');
        if (open == std::string::npos || close == open ||
            close - open - 1 > static_cast<size_t>(number)) {
            error = "text must be quoted and fit its length";
            return false;
        }
        write.bytes = rest.substr(open + 1, close - open - 1);
        write.bytes.resize(static_cast<size_t>(number), ' ');
    } else {
        error = "unknown word '" + verb + "'";
        return false;
    }
    if (offset + static_cast<long>(write.bytes.size()) > working_layout::kImageSize) {
        error = "bytes reach beyond the working image";
        return false;
    }
    writes_.push_back(write);
    return true;
}

void DefaultsDescription::Apply(int modelType, cmcEeprom &image) const
{
    for (const Write &write : writes_) {
        if (write.modelType >= 0 && write.modelType != modelType)
            continue;
        image.WriteBlock(write.offset, reinterpret_cast<const uint8_t *>(write.bytes.data()),
                         static_cast<int32_t>(write.bytes.size()));
    }
}
