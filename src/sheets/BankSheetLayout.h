#pragma once

#include "cells/DescriptionText.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "sheets/BankFacts.h"
#include "sheets/PreparedRowsLayout.h"
#include "sheets/SheetSlotTools.h"
#include "sheets/cmcScrBlock.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// The channel list of one bank, added to a sheet engine (SheetLayout for the
// command-line tool, cuiSheet on screen). The tag "Bank n" names the bank.
//
// A loop directive without a count ("LoopFrom") repeats its one-line body
// once per channel of the bank; on screen one row more follows for a new
// channel, and that row takes no part in multi-selection. Cells are prepared
// for 42 rows so that rows come and go with the channels (kEvAppendRows and
// kEvRemoveRows) without a rebuild. Columns of labels that do not apply to
// the bank's kind get no width, and the cursor never stops in them.
// kEvCurrentBank tells the cell handler which bank the sheet shows.
template <class Sheet>
class BankSheetLayout : public PreparedRowsLayout<Sheet>
{
public:
    static constexpr int kPreparedRows = 42;

    template <class... Args>
    explicit BankSheetLayout(Args &&...args)
        : PreparedRowsLayout<Sheet>(std::forward<Args>(args)...)
    {
        readTag(this->Tag());
        eventManager().Register(&BankSheetLayout::onEvent, this);
    }
    ~BankSheetLayout() override { eventManager().Unregister(&BankSheetLayout::onEvent, this); }

    // 1
    void SetTag(const std::string &tag) override
    {
        Sheet::SetTag(tag);
        readTag(tag);
    }
    // 2: the title follows the bank once the sheet is there.
    void Show() override
    {
        Sheet::Show();
        eventManager().Send(kEvRefreshBankSheet);
    }
    // 4
    void ApplyDirective(std::string_view directive) override;
    // 5
    void BuildGrid() override;
    // 7: every row takes part in multi-selection, except the new channel's.
    void FirstPass() override;
    // 8
    void SecondPass() override;
    // 9: the channel rows count from the bank's first channel.
    void RowHook(int row) override
    {
        Sheet::RowHook(row);
        if (row == firstChannelRow_)
            this->counters_[0] = bank_.firstChannel;
    }
    // 10
    void CellHook(int, int) override {}
    // 11
    std::string TitleText() override
    {
        return this->Texts().GetFirstLine("GI_AppInd_MchSheet_Printer_Head");
    }
    // 12: an empty bank has nothing to print.
    bool CanPrint() override { return Sheet::CanPrint() && bank_.channelCount >= 1; }

    int Bank() const { return bankNumber_; }
    const BankFacts &Facts() const { return bank_; }
    // The grid row of the bank's first channel; -1 before the build.
    int FirstChannelRow() const { return firstChannelRow_; }

    // kEvAppendRows and kEvRemoveRows: rows for channels added or removed at
    // the end.
    int AppendRows(int count) override
    {
        bank_ = BankFacts::Read(bankNumber_);
        return PreparedRowsLayout<Sheet>::AppendRows(count);
    }
    int RemoveRows(int count) override
    {
        bank_ = BankFacts::Read(bankNumber_);
        return PreparedRowsLayout<Sheet>::RemoveRows(count);
    }

protected:
    int ListStartRow() const override { return firstChannelRow_; }
    // On kEvRefreshBankSheet: the title shows the bank's kind (on screen
    // only).
    virtual void RefreshTitle() {}

private:
    static void onEvent(void *object, const cmcEvent &event);
    void readTag(const std::string &tag);
    void hideColumns();

    int bankNumber_ = 0;
    BankFacts bank_;
    int firstChannelRow_ = -1;
};

template <class Sheet>
void BankSheetLayout<Sheet>::readTag(const std::string &tag)
{
    const cmcScrBlock block(tag);
    if (block.Name() == "Bank" && !block.Item(0).empty())
        bankNumber_ = readDecimal(block.Item(0));
    bank_ = BankFacts::Read(bankNumber_);
}

template <class Sheet>
void BankSheetLayout<Sheet>::ApplyDirective(std::string_view directive)
{
    const cmcScrBlock block(directive);
    if (block.Name() != "LoopFrom" || block.ItemCount() > 0) {
        Sheet::ApplyDirective(directive);
        return;
    }
    this->loopStart_ = this->currentLine_;
    const int rows = this->Printing() ? bank_.channelCount : bank_.channelCount + 1;
    this->loopCount_ = std::max(rows, 1);
    if (firstChannelRow_ < 0)
        firstChannelRow_ = static_cast<int>(this->rows_.size());
}

template <class Sheet>
void BankSheetLayout<Sheet>::BuildGrid()
{
    bank_ = BankFacts::Read(bankNumber_);
    this->BuildPrepared(kPreparedRows);
}

template <class Sheet>
void BankSheetLayout<Sheet>::FirstPass()
{
    firstChannelRow_ = -1;
    PreparedRowsLayout<Sheet>::FirstPass();
    for (clsSheeRowAtr &row : this->rows_)
        row.select = true;
    const std::size_t newChannelRow =
        static_cast<std::size_t>(firstChannelRow_) + static_cast<std::size_t>(bank_.channelCount);
    if (!this->Printing() && firstChannelRow_ >= 0 && newChannelRow < this->rows_.size())
        this->rows_[newChannelRow].select = false;
}

template <class Sheet>
void BankSheetLayout<Sheet>::SecondPass()
{
    Sheet::SecondPass();
    hideColumns();
}

template <class Sheet>
void BankSheetLayout<Sheet>::hideColumns()
{
    for (int col = 0; col < this->ColCount(); ++col) {
        for (int row = 0; row < this->RowCount(); ++row) {
            if (BankFacts::HidesLabel(bank_.groupId, this->CellAt(col, row).label)) {
                this->Surface().SetColWidth(col, 0);
                break;
            }
        }
    }
    SheetSlotTools::LockZeroWidthColumns(*this);
    this->firstSelectable_ = SheetSlotTools::FirstSelectable(*this);
}

template <class Sheet>
void BankSheetLayout<Sheet>::onEvent(void *object, const cmcEvent &event)
{
    auto *sheet = static_cast<BankSheetLayout *>(object);
    switch (event.type) {
    case kEvCurrentBank:
        if (event.delivery == cmcEvent::kQuery)
            eventManager().Answer(sheet->bankNumber_, sheet->bank_.firstChannel);
        break;
    case kEvRefreshBankSheet:
        sheet->bank_ = BankFacts::Read(sheet->bankNumber_);
        sheet->RefreshTitle();
        break;
    case kEvAppendRows:
        sheet->AppendRows(BankSheetLayout::RowsOf(event, kPreparedRows));
        break;
    case kEvRemoveRows:
        sheet->RemoveRows(BankSheetLayout::RowsOf(event, kPreparedRows));
        break;
    default:
        break;
    }
}
