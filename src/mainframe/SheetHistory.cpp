#include "mainframe/SheetHistory.h"

void SheetHistory::Remember(const Entry &entry)
{
    entries_.remove_if([&entry](const Entry &old) { return old.callText == entry.callText; });
    entries_.push_front(entry);
}

const SheetHistory::Entry *SheetHistory::Find(const std::string &callText) const
{
    for (const Entry &entry : entries_) {
        if (entry.callText == callText)
            return &entry;
    }
    return nullptr;
}

const SheetHistory::Entry *SheetHistory::Newest() const
{
    return entries_.empty() ? nullptr : &entries_.front();
}
