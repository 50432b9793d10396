#include "cells/EntryRequests.h"

#include "cells/EventCodes.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "image/WorkingLayout.h"

namespace {

// The channel table always counts all slots (a bank keeps its size and an
// insert pushes its last slot out); the growing lists count their entries.
constexpr EntryRequestTable kTables[] = {
    {datCh::kKindNone, kEvInsertChannels, kEvDeleteChannels, working_layout::kChannelSlots},
    {datCh::kKindDigInd, kEvInsertIndividualIds, kEvDeleteIndividualIds,
     channel_offsets::kListCapacity},
    {datCh::kKindDigTg, kEvInsertTalkGroups, kEvDeleteTalkGroups, channel_offsets::kListCapacity},
    {datCh::kKindDpmrId, kEvInsertCallList, kEvDeleteCallList, channel_offsets::kListCapacity},
};

} // namespace

bool EntryRequestTable::channels() const { return kind == datCh::kKindNone; }

const EntryRequestTable *entryRequestTableOfKind(int kind)
{
    if (kind == datCh::kKindChannelLmr || kind == datCh::kKindChannelPmr)
        kind = datCh::kKindNone;
    for (const EntryRequestTable &table : kTables)
        if (table.kind == kind)
            return &table;
    return nullptr;
}

const EntryRequestTable *entryRequestTableOfEvent(std::int32_t event, bool &insert)
{
    for (const EntryRequestTable &table : kTables) {
        if (event == table.insertEvent || event == table.deleteEvent) {
            insert = event == table.insertEvent;
            return &table;
        }
    }
    return nullptr;
}
