#pragma once

#include <cstdint>

// The tables whose entries the model inserts and deletes on request, the
// events that carry the requests (argument = the row) and the table sizes.
// The block commands ask through these events and the model answers them,
// so both sides read this one table.
struct EntryRequestTable {
    int kind; // datCh::kKindNone: the memory channels of the current model type
    std::int32_t insertEvent;
    std::int32_t deleteEvent;
    int size;

    bool channels() const;
};

// The table of a record kind; either channel kind gives the channel table.
const EntryRequestTable *entryRequestTableOfKind(int kind);
// The table an event asks to change, and whether it asks for an insert.
const EntryRequestTable *entryRequestTableOfEvent(std::int32_t event, bool &insert);
