#include "sheets/ListSheetTag.h"

#include "cells/DescriptionText.h"
#include "channels/ChannelOffsets.h"
#include "sheets/BankFacts.h"
#include "sheets/SheetModelFacts.h"
#include "sheets/cmcScrBlock.h"
#include "textdb/GlobalTexts.h"
#include "textdb/LanguageList.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::string_view kGrowingLists = "DQRXqx";
constexpr std::string_view kSelectionLists = "CBVWYZ";
constexpr int kMaxLanguages = 255;

enum class TitleKind { None, Site, Style, MultiTable };

struct ListTitle {
    std::string_view name;
    TitleKind kind;
};

constexpr ListTitle kTitles[] = {
    {"RptSetWin", TitleKind::Site},       {"RptSetWin_IDAS", TitleKind::Site},
    {"Digital_Ind_Id", TitleKind::Style}, {"Digital_Grp_Id", TitleKind::Style},
    {"Dpmr_Ind_Id", TitleKind::Style},    {"IDAS_Ind_Id", TitleKind::Style},
    {"IDAS_Grp_Id", TitleKind::Style},    {"MultipleTable", TitleKind::MultiTable},
};

// A sheet's key prefix is "GI", "Sheet" and the sheet's own name, joined by
// underscores; the titles go by the name.
TitleKind titleKind(std::string_view prefix)
{
    const std::size_t first = prefix.find('_');
    const std::size_t second =
        first == std::string_view::npos ? first : prefix.find('_', first + 1);
    if (second == std::string_view::npos)
        return TitleKind::None;
    const std::string_view name = prefix.substr(second + 1);
    for (const ListTitle &title : kTitles) {
        if (title.name == name)
            return title.kind;
    }
    return TitleKind::None;
}

bool isOneOf(char letter, std::string_view letters)
{
    return letter != 0 && letters.find(letter) != std::string_view::npos;
}

int banksHoldingChannels()
{
    int banks = 0;
    for (int bank = 0; bank < channel_offsets::kChannels; ++bank) {
        const BankFacts facts = BankFacts::Read(bank);
        if (facts.channelCount == 0)
            break;
        ++banks;
    }
    return banks;
}

} // namespace

ListSheetTag ListSheetTag::Read(const std::string &text, int tableNumber,
                                const SheetModelFacts &facts)
{
    ListSheetTag tag;
    const cmcScrBlock block(text);
    tag.letter = text.empty() ? 0 : text.front();
    tag.tableNumber = tableNumber;
    switch (tag.letter) {
    case 'R':
        // This model has no site tables: they stay empty.
        tag.tableNumber = readDecimal(block.Item(1));
        break;
    case 'X':
    case 'x':
        tag.entryCount = facts.ListCount(SheetModelFacts::kIndividualIdList);
        break;
    case 'Q':
    case 'q':
        tag.entryCount = facts.ListCount(SheetModelFacts::kTalkGroupList);
        break;
    case 'D':
    case 'Z':
        tag.entryCount = facts.ListCount(SheetModelFacts::kCallList);
        break;
    case 'V':
        tag.entryCount = facts.CallListEntries(DpmrIdFilter::Individual);
        break;
    case 'W':
        tag.entryCount = facts.CallListEntries(DpmrIdFilter::Group);
        break;
    case 'M': {
        tag.entryCount = kMultiTableEntries;
        // A set beyond the sixteen would address memory past the tables.
        const int set = readDecimal(block.Item(1));
        if (block.Item(0).starts_with('P') && set >= 0 && set < kMultiTableEntries)
            tag.multiTableSet = set;
        break;
    }
    case 'C': {
        const BankFacts bank = BankFacts::Read(tag.tableNumber);
        tag.firstEntry = bank.firstChannel;
        tag.entryCount = bank.channelCount;
        break;
    }
    case 'B':
        tag.entryCount = banksHoldingChannels();
        break;
    case 'Y':
        tag.entryCount = std::min(LanguageList(languageTextDatabase()).count(), kMaxLanguages);
        break;
    default:
        break;
    }
    tag.entryCount = std::max(tag.entryCount, 0);
    return tag;
}

bool ListSheetTag::Grows() const { return isOneOf(letter, kGrowingLists); }

int ListSheetTag::LoopRows(bool printing) const
{
    return !printing && Grows() ? entryCount + 1 : entryCount;
}

bool ListSheetTag::LastRowAlone(bool printing) const
{
    return !printing && (Grows() || isOneOf(letter, kSelectionLists));
}

std::string ListSheetTag::Title(const std::string &prefix, const std::string &styleTitle,
                                int selectedSet, cmcGTex &texts) const
{
    switch (titleKind(prefix)) {
    case TitleKind::Site: {
        char number[16];
        std::snprintf(number, sizeof number, "%3lld", static_cast<long long>(tableNumber) + 1);
        return texts.GetFirstLine("GI_AppInd_RptSheet_Printer_Head") + " (" +
               texts.GetFirstLine("GI_AppInd_Sheet_Title_Site") + ":" + number + ")";
    }
    case TitleKind::Style:
        return styleTitle;
    case TitleKind::MultiTable:
        return styleTitle + " - " + std::to_string(selectedSet + 1);
    case TitleKind::None:
        break;
    }
    return {};
}
