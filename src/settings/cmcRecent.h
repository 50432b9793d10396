#pragma once

#include <string>
#include <vector>

// The files last opened or saved, most recent first, as the File menu offers
// them again. Entries never repeat when compared without regard to case.
class cmcRecent
{
public:
    explicit cmcRecent(int capacity);

    void clear();
    // The number of entries, after dropping any beyond the capacity.
    int count();
    // Removes any entry naming the same file and puts the path first.
    void addToFront(const std::string &path);
    // Removes any entry naming the same file and puts the path last; the
    // settings loader uses it to rebuild the list in its stored order.
    void addToEnd(const std::string &path);
    // Entry `index` for showing or saving: the bare file name when it lies in
    // `directory`, otherwise the full path; empty when there is no such entry.
    // An empty directory gives the full path of every entry.
    std::string displayText(int index, const std::string &directory) const;
    // The menu caption for entry `index` ("&1 name"), with the name's
    // ampersands doubled so that the menu shows them; empty when the entry
    // has no text, which the menu shows as a disabled item.
    std::string menuCaption(int index, const std::string &directory) const;

private:
    void removeEqual(const std::string &path);
    void trim();

    int capacity_;
    std::vector<std::string> entries_;
};
