#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class cmcGTex;

// The indented item lists that menus and the navigation tree are written in:
// one entry per line, a '+' before the entry's cell description, and the
// number of characters before that '+' giving the nesting level. A line
// deeper than the list's first line opens a list under the entry made last;
// a shallower one ends the list.
class cuiMenuBody
{
public:
    // The lines of `key` up to the first one beginning with '#'.
    static std::vector<std::string> ReadLines(cmcGTex &texts, const std::string &key);

    // Characters before the first '+'; -1 when the line has none (such
    // lines, blank ones included, are passed over).
    static int Level(std::string_view line);
    // The cell description: the text after the first '+'.
    static std::string_view Description(std::string_view line);

    // Builds the list that starts at `first` under `parent`; `create(parent,
    // description)` makes one entry and returns it as the parent of a nested
    // list. Returns the number of lines taken.
    template <class Node, class Create>
    static std::size_t Build(const std::vector<std::string> &lines, std::size_t first, Node parent,
                             Create &create)
    {
        std::size_t n = first;
        int listLevel = -1;
        Node last{};
        while (n < lines.size()) {
            const int level = Level(lines[n]);
            if (level < 0) {
                ++n;
                continue;
            }
            if (listLevel < 0)
                listLevel = level;
            if (level > listLevel) {
                n += Build(lines, n, last, create);
                continue;
            }
            if (level < listLevel)
                break;
            last = create(parent, Description(lines[n]));
            ++n;
        }
        return n - first;
    }
};
