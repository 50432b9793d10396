#pragma once

#include <string>

class SheetModelFacts;
class cmcGTex;

// What the tag of a list sheet says: its first character names the list
// whose entries the sheet's rows follow, the fields after it a table or a
// multi-table set. "X" is the digital individual-ID list, "M P,3" the
// multi-table showing set 3, "R S,2" site table 2.
//
// Letters: R site table, X and x individual IDs, Q and q talk groups, D the
// dPMR ID list, M the multi-table; the selection lists C (channels of a
// bank), B (banks holding channels), Y (languages), Z (dPMR IDs), V and W
// (the individual and the group entries of the dPMR ID list).
struct ListSheetTag {
    static constexpr int kMultiTableEntries = 16;

    char letter = 0;
    // The site or table number; for channel lists, the bank.
    int tableNumber = 0;
    // The number of the list's first entry (channel counter 0 of its rows).
    int firstEntry = 0;
    int entryCount = 0;
    // The multi-table set the tag selects; -1 when it selects none.
    int multiTableSet = -1;

    // `tableNumber` is the index of the cell that opened the sheet (0 when
    // none did); an "R" tag names its own.
    static ListSheetTag Read(const std::string &tag, int tableNumber, const SheetModelFacts &facts);

    // Lists that take new entries at the end: one row more than entries on
    // screen, and rows come and go with the entries (kEvAppendRows and
    // kEvRemoveRows).
    bool Grows() const;
    // The rows the list loop repeats: the entries, and on screen the row
    // for a new entry where the list takes them.
    int LoopRows(bool printing) const;
    // The last row on screen takes no part in multi-selection.
    bool LastRowAlone(bool printing) const;

    // The title printed above a list sheet with this key prefix: the site
    // tables name their table, the multi-table its set, the ID lists use
    // the style's title; other lists have none.
    std::string Title(const std::string &prefix, const std::string &styleTitle, int selectedSet,
                      cmcGTex &texts) const;
};
