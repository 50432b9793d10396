#pragma once

#include "cells/cmcEvent.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetSlotTools.h"

#include <algorithm>
#include <cstdint>
#include <utility>

// What the sheets whose rows follow a list of the working image share, added
// to a sheet engine: the build prepares cells for more rows than it shows
// (copies of the last row, counting on), so that rows for entries added or
// removed at the end come and go without a rebuild (kEvAppendRows and
// kEvRemoveRows).
template <class Sheet>
class PreparedRowsLayout : public Sheet
{
public:
    template <class... Args>
    explicit PreparedRowsLayout(Args &&...args) : Sheet(std::forward<Args>(args)...)
    {}

    // kEvAppendRows and kEvRemoveRows: rows for entries added or removed at
    // the end. The rows above the list and the row for a new entry stay.
    // Return how many rows came or went.
    virtual int AppendRows(int count)
    {
        int appended = 0;
        while (appended < count && SheetSlotTools::AppendRow(*this))
            ++appended;
        return appended;
    }
    virtual int RemoveRows(int count)
    {
        const int listStart = ListStartRow();
        int removed = 0;
        while (listStart >= 0 && removed < count && SheetSlotTools::RemoveRow(*this, listStart + 1))
            ++removed;
        return removed;
    }

protected:
    // The grid row where the list starts; -1 before the build.
    virtual int ListStartRow() const = 0;

    // The base build with cell slots for at least `preparedRows` rows; the
    // rows beyond those shown are copies of the last one, counting on.
    void BuildPrepared(int preparedRows)
    {
        this->ParseBaseCell();
        this->FirstPass();
        this->AllocateCellSlots(std::max(this->RowCount(), preparedRows));
        this->SetDefaultSizes();
        this->firstSelectable_ = {this->colCount_, this->RowCount()};
        this->SecondPass();
        this->FillRowsFromAbove(this->RowCount());
    }

    // kEvAppendRows and kEvRemoveRows carry the number of rows as their
    // object; 0 is one.
    static int RowsOf(const cmcEvent &event, int limit)
    {
        const auto rows = reinterpret_cast<std::intptr_t>(event.object);
        return rows < 1 ? 1 : static_cast<int>(std::min<std::intptr_t>(rows, limit));
    }
};
