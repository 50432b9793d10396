#pragma once

#include "cells/DescriptionText.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "channels/MultiTableSelection.h"
#include "sheets/ListSheetTag.h"
#include "sheets/PreparedRowsLayout.h"
#include "sheets/SheetSlotTools.h"
#include "sheets/cmcScrBlock.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// A sheet whose rows follow a list of the working image, added to a sheet
// engine (SheetLayout for the command-line tool, cuiSheet on screen): the ID
// and talk-group lists, the dPMR ID list, the multi-table, site tables and
// the selection lists. The tag's first character names the list (see
// ListSheetTag).
//
// A loop directive without a count ("LoopFrom") repeats its one-line body
// once per entry; on screen the growing lists show one row more for a new
// entry, which takes no part in multi-selection. Cells are prepared for 532
// rows so that rows come and go with the entries (kEvAppendRows and
// kEvRemoveRows) without a rebuild. "(Only_Print n)" lines appear on paper
// only. kEvCurrentBank answers the list's first entry, kEvCurrentTable its
// table.
template <class Sheet>
class ListSheetLayout : public PreparedRowsLayout<Sheet>
{
public:
    static constexpr int kPreparedRows = 532;

    template <class... Args>
    explicit ListSheetLayout(Args &&...args)
        : PreparedRowsLayout<Sheet>(std::forward<Args>(args)...)
    {
        const cmcCellCapsule *origin = this->OriginCapsule();
        originTable_ = origin != nullptr && origin->cell != nullptr ? origin->cell->index : 0;
        readTag(this->Tag());
        eventManager().Register(&ListSheetLayout::onEvent, this);
    }
    // 0
    ~ListSheetLayout() override { eventManager().Unregister(&ListSheetLayout::onEvent, this); }

    // 1
    void SetTag(const std::string &tag) override
    {
        Sheet::SetTag(tag);
        readTag(tag);
    }
    // 4
    void ApplyDirective(std::string_view directive) override;
    // 5
    void BuildGrid() override;
    // 7
    void FirstPass() override;
    // 8: columns without width are out of the cursor's reach.
    void SecondPass() override
    {
        Sheet::SecondPass();
        SheetSlotTools::LockZeroWidthColumns(*this);
        this->firstSelectable_ = SheetSlotTools::FirstSelectable(*this);
    }
    // 9: the list rows count from the list's first entry.
    void RowHook(int row) override
    {
        Sheet::RowHook(row);
        if (row == loopMark_)
            this->counters_[0] = list_.firstEntry;
    }
    // 10
    void CellHook(int, int) override {}
    // 11
    std::string TitleText() override
    {
        return list_.Title(this->Prefix(), Sheet::TitleText(), multiTableSelection().set(),
                           this->Texts());
    }

    const ListSheetTag &List() const { return list_; }
    // The grid row where the list starts; -1 before the build.
    int LoopMark() const { return loopMark_; }

    // kEvAppendRows and kEvRemoveRows, for the lists that grow: rows for
    // entries added or removed at the end.
    int AppendRows(int count) override
    {
        const int appended = list_.Grows() ? PreparedRowsLayout<Sheet>::AppendRows(count) : 0;
        list_.entryCount += appended;
        return appended;
    }
    int RemoveRows(int count) override
    {
        const int removed = list_.Grows() ? PreparedRowsLayout<Sheet>::RemoveRows(count) : 0;
        list_.entryCount = std::max(list_.entryCount - removed, 0);
        return removed;
    }

protected:
    int ListStartRow() const override { return loopMark_; }

private:
    static void onEvent(void *object, const cmcEvent &event);
    void readTag(const std::string &tag);
    void closeListLoop();

    int originTable_ = 0;
    ListSheetTag list_;
    int loopMark_ = -1;
    bool listLoopOpen_ = false;
    bool lastRowAlone_ = false;
    int aloneRow_ = -1;
};

// The tag chooses the multi-table set for every multi-table row read from
// now on; a multi-table sheet without a set goes back to the default one.
template <class Sheet>
void ListSheetLayout<Sheet>::readTag(const std::string &tag)
{
    list_ = ListSheetTag::Read(tag, originTable_, this->facts());
    if (list_.letter != 'M')
        return;
    if (list_.multiTableSet >= 0)
        multiTableSelection().select(list_.multiTableSet);
    else
        multiTableSelection().switchOff();
}

template <class Sheet>
void ListSheetLayout<Sheet>::ApplyDirective(std::string_view directive)
{
    const cmcScrBlock block(directive);
    if (block.Name() == "Only_Print") {
        if (!this->Printing())
            this->skipCount_ = readDecimal(block.Item(0));
        return;
    }
    if (block.Name() == "LoopFrom" && block.ItemCount() == 0) {
        const int rows = list_.LoopRows(this->Printing());
        this->loopStart_ = this->currentLine_;
        this->loopCount_ = rows;
        // An empty list has no rows: its body line goes.
        if (rows == 0)
            this->skipCount_ = 1;
        lastRowAlone_ = rows > 0 && list_.LastRowAlone(this->Printing());
        listLoopOpen_ = true;
        if (loopMark_ < 0)
            loopMark_ = static_cast<int>(this->rows_.size());
        return;
    }
    if (listLoopOpen_ && (block.Name() == "LoopTo" || block.Name() == "End"))
        closeListLoop();
    Sheet::ApplyDirective(directive);
}

// The loop's rows are made once the directive line is done: the last of
// them is where the body's first row is now plus the repeats to come.
template <class Sheet>
void ListSheetLayout<Sheet>::closeListLoop()
{
    listLoopOpen_ = false;
    if (!lastRowAlone_ || this->loopCount_ < 1)
        return;
    aloneRow_ =
        static_cast<int>(this->rows_.size()) - 1 + (this->loopCount_ - 1) * this->loopBodyRows_;
}

template <class Sheet>
void ListSheetLayout<Sheet>::BuildGrid()
{
    readTag(this->Tag());
    this->BuildPrepared(kPreparedRows);
}

template <class Sheet>
void ListSheetLayout<Sheet>::FirstPass()
{
    loopMark_ = -1;
    listLoopOpen_ = false;
    lastRowAlone_ = false;
    aloneRow_ = -1;
    Sheet::FirstPass();
    if (aloneRow_ >= 0 && aloneRow_ < static_cast<int>(this->rows_.size()))
        this->rows_[static_cast<std::size_t>(aloneRow_)].select = false;
}

template <class Sheet>
void ListSheetLayout<Sheet>::onEvent(void *object, const cmcEvent &event)
{
    auto *sheet = static_cast<ListSheetLayout *>(object);
    switch (event.type) {
    case kEvCurrentBank:
        if (event.delivery == cmcEvent::kQuery)
            eventManager().Answer(0, sheet->list_.firstEntry);
        break;
    case kEvCurrentTable:
        if (event.delivery == cmcEvent::kQuery)
            eventManager().Answer(sheet->list_.tableNumber, 0);
        break;
    case kEvAppendRows:
        sheet->AppendRows(ListSheetLayout::RowsOf(event, kPreparedRows));
        break;
    case kEvRemoveRows:
        sheet->RemoveRows(ListSheetLayout::RowsOf(event, kPreparedRows));
        break;
    default:
        break;
    }
}
