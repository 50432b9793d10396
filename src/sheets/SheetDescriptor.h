#pragma once

#include <string>

// How the main frame names a sheet: "[class]prefix,tag". The class picks the
// sheet kind, the prefix is the text-database key prefix of its layout, and
// the tag is handed to the sheet for its own use (a bank number, a list).
struct SheetDescriptor {
    enum class Kind { Plain, Bank, Common, List };

    std::string className;
    std::string prefix;
    std::string tag;
    // The whole descriptor: how the sheet is remembered and reopened.
    std::string saveName;

    // Only the part before the first comma may hold "[class]"; without a
    // closing bracket the whole part is the prefix.
    static SheetDescriptor Parse(const std::string &text);

    // The class decides first; otherwise a tag that starts with one of the
    // list letters makes a list sheet.
    Kind kind() const;
};
