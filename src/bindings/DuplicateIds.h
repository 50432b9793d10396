#pragma once

#include <cstdint>
#include <vector>

class cmcEeprom;

// Which entries of an ID list (individual IDs or talk groups) share their
// ID with another entry in use. A radio that holds one ID twice answers
// only the first entry's name, so each of the two is marked.
//
// Painting a long list asks for every row, so the IDs are read once per
// change of the list: the list's bytes are kept and compared on each
// question, and the records are decoded again only when they differ.
class DuplicateIds
{
public:
    explicit DuplicateIds(int listKind);

    // The first other entry in use with the same ID as `entry`; -1 when
    // none does or `entry` is not in use.
    int OtherEntryOf(cmcEeprom &image, int entry);

private:
    void Refresh(cmcEeprom &image);

    int kind_;
    std::int32_t base_;
    std::int32_t stride_;
    std::vector<std::uint8_t> seen_;
    int seenCount_ = -1;
    // Per entry the first other entry holding its ID, or -1.
    std::vector<int> other_;
};
