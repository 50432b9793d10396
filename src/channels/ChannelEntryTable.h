#pragma once

class cmcEeprom;

// Opens and closes a place in the tables whose rows can be inserted and
// deleted: the memory channels, the user characters and the individual-ID,
// talk-group and dPMR ID lists. Entries behind the place move by one row, so
// every stored number that names an entry of the table (a scan list's
// channels, the list entries a channel or a setting names) is corrected
// first and keeps naming the same entry; a number whose entry leaves the
// table is cleared. Priority designations travel with the channel record;
// the bank flags stay with the row.
//
// The opened place, and the last row after a delete, take the entry of the
// same row of the defaults, the model's blank image.
class ChannelEntryTable
{
public:
    ChannelEntryTable(cmcEeprom &working, const cmcEeprom &defaults);

    // A table that can open and close places, an index and a table size
    // within the kind's rows, and both images large enough to hold them.
    bool accepts(int tableSize, int kind, int index) const;

    // Entries index .. tableSize - 2 move one row down the table, the last
    // entry is lost and the place at index is blank. False, and nothing
    // changed, for a request accepts() refuses.
    bool insertEntry(int tableSize, int kind, int index);
    // Entry index goes, the entries behind it move one row up and the last
    // row is blank.
    bool deleteEntry(int tableSize, int kind, int index);
    // Entries first .. last are about to change places with the entry next
    // to them, one row down (step +1) or up (-1): the stored numbers that
    // name any of them are corrected now. The entries themselves are moved
    // by the caller. False, and nothing changed, for a block or neighbour
    // outside the kind's rows.
    bool carryReferences(int kind, int first, int last, int step);

private:
    void moveEntry(int kind, int from, int to);
    void resetEntry(int kind, int index);

    cmcEeprom &working_;
    const cmcEeprom &defaults_;
};
