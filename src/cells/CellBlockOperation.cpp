#include "cells/CellBlockOperation.h"

#include "cells/CellHost.h"
#include "cells/CellIdentifiers.h"
#include "cells/EntryRequests.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelEntryTable.h"
#include "channels/ChannelGlobals.h"
#include "channels/datCh.h"
#include "channels/datClipCh.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"
#include "platform/MessageService.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cstdint>

namespace {

// Kinds whose rows can be cleared, deleted and inserted carry flag bit 0.
constexpr int kInsertableFlag = 1;
// The dPMR status list: entries whose second record's byte 13 holds 2..5
// are fixed by the radio and cannot be copied.
constexpr int kKindDpmrStatus = 24;
constexpr int32_t kFirstFixedStatus = 2;
constexpr int32_t kLastFixedStatus = 5;

// Rows first .. last inclusive; empty when first > last.
struct Rows {
    int first = 0;
    int last = -1;

    int count() const { return last - first + 1; }
    bool empty() const { return first > last; }
    bool contains(int row) const { return row >= first && row <= last; }
    bool covers(const Rows &other) const { return first <= other.first && last >= other.last; }
    Rows within(const Rows &outer) const
    {
        return {std::max(first, outer.first), std::min(last, outer.last)};
    }
    Rows shifted(int step) const { return {first + step, last + step}; }
};

// One block command on the rows of one kind. The block is the selection the
// sheet shows, else the current row.
class BlockOperation
{
public:
    BlockOperation(indCellHandler &frame, const CellBlockRange &range)
        : host_(frame.host), image_(frame.host.WorkingImage()), capsule_(frame.capsule),
          kind_(range.kind), usable_{range.first, range.last}, current_(frame.index),
          block_(blockOf(frame.capsule, frame.index))
    {}

    bool copy();
    bool paste();
    bool carryUp() { return carry(-1); }
    bool carryDown() { return carry(+1); }
    bool clear();
    bool erase();
    bool insert();

private:
    static Rows blockOf(const cmcCellCapsule &capsule, int current)
    {
        if ((capsule.rangeBits & cmcCellCapsule::kRangeActive) == 0)
            return {current, current};
        return {std::min(capsule.rangeLow, capsule.rangeHigh),
                std::max(capsule.rangeLow, capsule.rangeHigh)};
    }

    bool carry(int step);
    bool insertChannelsAllowed(const Rows &pushedOut, bool &confirmed);
    bool listHasRoom(const EntryRequestTable &list) const;

    bool insertable() const { return (datCh::kindFlags(kind_) & kInsertableFlag) != 0; }
    datCh row(int index)
    {
        datCh record(&image_);
        record.decode(kind_, index);
        return record;
    }
    bool anyUsed(const Rows &rows);
    bool anyFixedStatus(const Rows &rows);

    void select(const Rows &rows)
    {
        capsule_.rangeBits |= cmcCellCapsule::kRangeSelect;
        capsule_.rangeLow = rows.first;
        capsule_.rangeHigh = rows.last;
    }
    void jumpTo(int index)
    {
        capsule_.jumpRequest = 1;
        capsule_.jumpIndex = index;
    }
    static bool ask(const char *key)
    {
        return platform::showMessage(
                   appTitle(), mainTextDatabase().GetText(key), platform::MessageIcon::Warning,
                   platform::MessageButtons::OkCancel) == platform::MessageResult::Ok;
    }
    static void tell(const char *key)
    {
        platform::showMessage(appTitle(), mainTextDatabase().GetText(key),
                              platform::MessageIcon::Error);
    }
    // Posted, so that it arrives after the sheet has moved its cursor (which
    // clears the status).
    static void status(const char *key) { postStatusText(mainTextDatabase().GetText(key)); }

    CellHost &host_;
    cmcEeprom &image_;
    cmcCellCapsule &capsule_;
    const int kind_;
    const Rows usable_;
    const int current_;
    const Rows block_;
};

bool BlockOperation::anyUsed(const Rows &rows)
{
    for (int index = rows.first; index <= rows.last; ++index)
        if (row(index).isUsed())
            return true;
    return false;
}

bool BlockOperation::anyFixedStatus(const Rows &rows)
{
    for (int index = rows.first; index <= rows.last; ++index) {
        const int32_t function = row(index).Function;
        if (function >= kFirstFixedStatus && function <= kLastFixedStatus)
            return true;
    }
    return false;
}

bool BlockOperation::copy()
{
    const Rows rows = block_.within(usable_);
    if (rows.empty() || !usable_.contains(current_))
        return false;
    if (kind_ == kKindDpmrStatus && anyFixedStatus(rows))
        return false;
    host_.ChannelClipboard().Copy(image_, kind_, rows.first, rows.count());
    select(rows);
    status("GI_AppMess_S_Copy");
    return false;
}

// The target rows keep their designations and bank flags: pasting a copy of
// the priority channel elsewhere must not move the designation.
bool BlockOperation::paste()
{
    datClipCh &clipboard = host_.ChannelClipboard();
    if (!usable_.contains(current_) || !clipboard.CanPaste(kind_))
        return false;
    const Rows rows{current_,
                    current_ + std::min(clipboard.Count(), usable_.last - current_ + 1) - 1};
    if (anyUsed(rows) && !ask("GI_AppMess_Conv_Overwrite"))
        return false;
    clipboard.PasteKeepingTargetAttributes(image_, kind_, rows.first, rows.count());
    if (rows.count() == 1)
        eventManager().Post(kEvRedrawIndex, nullptr, rows.first);
    else
        eventManager().Post(kEvRedrawLabelled);
    select(rows);
    status("GI_AppMess_S_Paste");
    return true;
}

// The block and its neighbour change places; designations travel with the
// records, bank flags stay with the rows.
bool BlockOperation::carry(int step)
{
    if (block_.empty() || !usable_.covers(block_))
        return false;
    const int neighbour = step > 0 ? block_.last + 1 : block_.first - 1;
    if (!usable_.contains(neighbour))
        return false;
    ChannelEntryTable references(image_, host_.InitialImage());
    if (!references.carryReferences(kind_, block_.first, block_.last, step))
        return false;
    datClipCh moving;
    datClipCh passed;
    moving.Copy(image_, kind_, block_.first, block_.count());
    passed.Copy(image_, kind_, neighbour, 1);
    moving.Paste(image_, kind_, block_.first + step, block_.count());
    passed.Paste(image_, kind_, step > 0 ? block_.first : block_.last, 1);
    const Rows moved = block_.shifted(step);
    select(moved);
    jumpTo(step > 0 ? moved.last : moved.first);
    return true;
}

// Decoding refreshes derived bits of the image it reads, so the defaults are
// read from a copy and stay untouched.
bool BlockOperation::clear()
{
    const Rows rows = block_.within(usable_);
    if (!insertable() || rows.empty())
        return false;
    if (!ask("GI_AppMess_Conv_Clear"))
        return false;
    cmcEeprom defaults;
    defaults.CopyFrom(host_.InitialImage());
    datClipCh blank;
    blank.Copy(defaults, kind_, rows.first, rows.count());
    blank.PasteKeepingTargetAttributes(image_, kind_, rows.first, rows.count());
    for (int index = rows.first; index <= rows.last; ++index)
        eventManager().Post(kEvRedrawIndex, nullptr, index);
    status("GI_AppMess_S_Clear");
    return true;
}

bool BlockOperation::erase()
{
    const EntryRequestTable *table = entryRequestTableOfKind(kind_);
    const Rows rows = block_.within(usable_);
    if (!insertable() || table == nullptr || rows.empty())
        return false;
    if (anyUsed(rows) && !ask("GI_AppMess_Conv_Delete"))
        return false;
    if (!table->channels() && rows.covers(usable_)) {
        tell("GI_AppMess_ListErr_NoList");
        return false;
    }
    if (table->channels()) {
        for (int index = rows.first; index <= rows.last; ++index) {
            const datCh channel = row(index);
            if (channel.AtrA != 0 || channel.AtrB != 0) {
                tell("GI_AppMess_ChErr_DelPrio");
                return false;
            }
        }
        for (int index = rows.first; index <= rows.last; ++index) {
            datCh channel = row(index);
            if (channel.AtrE != 0) {
                channel.AtrE = 0;
                channel.AtrEOff = 1;
                channel.encode(kind_, index);
            }
        }
    }
    for (int n = 0; n < rows.count(); ++n)
        eventManager().Send(table->deleteEvent, nullptr, rows.first);
    jumpTo(rows.first);
    eventManager().Post(kEvRedrawLabelled);
    status("GI_AppMess_S_Delete");
    return true;
}

bool BlockOperation::listHasRoom(const EntryRequestTable &list) const
{
    const int count = ChannelGlobals::listCount(image_, kind_);
    return count < list.size && host_.HasRoomForAnother(ChannelGlobals::listCountAddress(kind_));
}

// The bank keeps its size, so each insert pushes the bank's last channel
// out of it; losing channels in use needs the user's consent, asked once.
bool BlockOperation::insertChannelsAllowed(const Rows &pushedOut, bool &confirmed)
{
    if (!host_.HasRoomForAnother(working_layout::kChannelCount))
        return false;
    if (confirmed || !anyUsed(pushedOut))
        return true;
    confirmed = ask("GI_AppMess_Conv_Overflow");
    return confirmed;
}

bool BlockOperation::insert()
{
    const EntryRequestTable *table = entryRequestTableOfKind(kind_);
    if (!insertable() || table == nullptr || block_.empty())
        return false;
    // A list also takes a new entry on the row after its last one.
    const Rows places{usable_.first, usable_.last + (table->channels() ? 0 : 1)};
    if (!places.contains(block_.first))
        return false;
    const Rows pushedOut = Rows{usable_.last - block_.count() + 1, usable_.last}.within(usable_);
    bool confirmed = false;
    int inserted = 0;
    for (; inserted < block_.count(); ++inserted) {
        const bool allowed =
            table->channels() ? insertChannelsAllowed(pushedOut, confirmed) : listHasRoom(*table);
        if (!allowed) {
            tell("GI_AppMess_ChErr_Overflow");
            break;
        }
        eventManager().Send(table->insertEvent, nullptr, block_.first);
    }
    if (inserted == 0)
        return false;
    select({block_.first, block_.first + inserted - 1});
    status("GI_AppMess_S_Insert");
    return true;
}

using Operation = bool (BlockOperation::*)();

struct Command {
    int32_t label;
    Operation run;
};

constexpr Command kCommands[] = {
    {CL_PMenu_Copy, &BlockOperation::copy},       {CL_PMenu_Paste, &BlockOperation::paste},
    {CL_PMenu_CarryUp, &BlockOperation::carryUp}, {CL_PMenu_CarryDown, &BlockOperation::carryDown},
    {CL_PMenu_Clear, &BlockOperation::clear},     {CL_PMenu_Delete, &BlockOperation::erase},
    {CL_PMenu_Insert, &BlockOperation::insert},
};

} // namespace

bool runCellBlockOperation(indCellHandler &frame, std::int32_t command, const CellBlockRange &range)
{
    if (range.kind == datCh::kKindNone)
        return false;
    for (const Command &entry : kCommands) {
        if (entry.label == command) {
            BlockOperation operation(frame, range);
            return (operation.*entry.run)();
        }
    }
    return false;
}
