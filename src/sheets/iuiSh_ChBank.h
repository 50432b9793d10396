#pragma once

#include "sheets/BankSheetLayout.h"
#include "sheets/cuiSheet.h"

// The channel list of one bank on screen (BankSheetLayout on a cuiSheet):
// the title shows the bank's kind by its colour, and the cursor stays in
// the list as channels come and go.
class iuiSh_ChBank : public BankSheetLayout<cuiSheet>
{
public:
    // Title text colours (0x00BBGGRR) of trunking and other banks.
    static constexpr std::uint32_t kTrunkingTitleColour = 0xFFFF00;
    static constexpr std::uint32_t kPlainTitleColour = 0x00FFFF;

    iuiSh_ChBank(QWidget *container, const cmcCellCapsule *origin, std::int32_t initialLabel,
                 std::int32_t initialIndex, cmcGTex &texts, const std::string &descriptor,
                 const cuiImageList *images = nullptr);

    int AppendRows(int count) override;
    // The cursor moves up with the rows that go, within the list.
    int RemoveRows(int count) override;

protected:
    void RefreshTitle() override;
};
