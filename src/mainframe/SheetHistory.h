#pragma once

#include <list>
#include <string>

// Where the user left each sheet: closing a sheet remembers its cursor and
// scroll position under its call text, and opening the same call text again
// puts them back. Newest first, one entry per call text.
class SheetHistory
{
public:
    struct Entry {
        std::string callText;
        int col = -1;
        int row = -1;
        int leftCol = -1;
        int topRow = -1;
    };

    void Remember(const Entry &entry);
    // Null when the call text was never closed.
    const Entry *Find(const std::string &callText) const;
    // The sheet closed last; null when none was.
    const Entry *Newest() const;
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear() { entries_.clear(); }

private:
    std::list<Entry> entries_;
};
