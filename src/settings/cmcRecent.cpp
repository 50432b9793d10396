#include "settings/cmcRecent.h"

#include <QString>

#include <algorithm>

namespace {

bool sameIgnoringCase(const std::string &a, const std::string &b)
{
    return QString::compare(QString::fromStdString(a), QString::fromStdString(b),
                            Qt::CaseInsensitive) == 0;
}

// Old entries may still carry Windows separators, so both count.
std::string::size_type lastSeparator(const std::string &path) { return path.find_last_of("/\\"); }

// "/data/" and "/data" name the same folder; a lone separator is the root
// and keeps it, so that a file in the root never loses its directory.
std::string withoutTrailingSeparator(std::string directory)
{
    if (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\'))
        directory.pop_back();
    return directory;
}

std::string doubledAmpersands(const std::string &text)
{
    std::string result;
    for (const char c : text) {
        if (c == '&')
            result += '&';
        result += c;
    }
    return result;
}

} // namespace

cmcRecent::cmcRecent(int capacity) : capacity_(std::max(capacity, 0)) {}

void cmcRecent::clear() { entries_.clear(); }

int cmcRecent::count()
{
    trim();
    return static_cast<int>(entries_.size());
}

void cmcRecent::addToFront(const std::string &path)
{
    removeEqual(path);
    entries_.insert(entries_.begin(), path);
    trim();
}

void cmcRecent::addToEnd(const std::string &path)
{
    removeEqual(path);
    entries_.push_back(path);
    trim();
}

std::string cmcRecent::displayText(int index, const std::string &directory) const
{
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return {};
    const std::string &path = entries_[static_cast<size_t>(index)];
    const auto separator = lastSeparator(path);
    const std::string folder =
        separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    if (!sameIgnoringCase(withoutTrailingSeparator(folder), withoutTrailingSeparator(directory)))
        return path;
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string cmcRecent::menuCaption(int index, const std::string &directory) const
{
    const std::string text = displayText(index, directory);
    if (text.empty())
        return {};
    return "&" + std::to_string(index + 1) + " " + doubledAmpersands(text);
}

void cmcRecent::removeEqual(const std::string &path)
{
    for (auto i = entries_.size(); i-- > 0;) {
        if (sameIgnoringCase(entries_[i], path))
            entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void cmcRecent::trim()
{
    if (entries_.size() > static_cast<size_t>(capacity_))
        entries_.resize(static_cast<size_t>(capacity_));
}
