#include "sheets/iuiTree.h"

#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "textdb/cmcGTex.h"

#include <QTreeWidget>

#include <cctype>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view bankClass = "St_ChBank";
constexpr std::string_view bankTag = "Bank";

// The class and tag of a sheet descriptor "[class]prefix,tag".
void splitDescriptor(std::string_view descriptor, std::string_view &sheetClass,
                     std::string_view &tag)
{
    const std::size_t comma = descriptor.find(',');
    const std::string_view head = descriptor.substr(0, comma);
    tag = comma == std::string_view::npos ? std::string_view() : descriptor.substr(comma + 1);
    sheetClass = {};
    const std::size_t open = head.find('[');
    if (open == std::string_view::npos)
        return;
    const std::size_t close = head.find(']', open + 1);
    if (close != std::string_view::npos)
        sheetClass = head.substr(open + 1, close - open - 1);
}

// The number after "Bank" and its one separator; blanks around it allowed.
int bankNumberOf(std::string_view tag)
{
    std::string_view rest = tag.substr(bankTag.size());
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    if (!rest.empty() && !std::isdigit(static_cast<unsigned char>(rest.front())))
        rest.remove_prefix(1);
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    if (rest.empty() || !std::isdigit(static_cast<unsigned char>(rest.front())))
        return -1;
    int number = 0;
    for (char c : rest) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || number > 99999)
            break;
        number = number * 10 + (c - '0');
    }
    return number;
}

// A format line of the overlay filled like printf would, without trusting
// it: each conversion takes the next argument as text, a missing one gives
// nothing, and "%%" is a percent sign.
std::string fillFormat(std::string_view format, const std::vector<std::string> &arguments)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < format.size() && !std::isalpha(static_cast<unsigned char>(format[end])))
            ++end;
        if (next < arguments.size())
            out += arguments[next];
        ++next;
        i = end;
    }
    return out;
}

} // namespace

iuiTree::iuiTree(QWidget *owner, cmcGTex &texts, std::string treeName, const cuiImageList *images)
    : cuiTree(owner, texts, std::move(treeName), images)
{
    eventManager().Register(&iuiTree::onEvent, this);
}

iuiTree::~iuiTree() { eventManager().Unregister(&iuiTree::onEvent, this); }

void iuiTree::SetBankSources(BankInfoSource info, BankNameSource name)
{
    bankInfo_ = std::move(info);
    bankName_ = std::move(name);
}

void iuiTree::onEvent(void *object, const cmcEvent &event)
{
    auto *tree = static_cast<iuiTree *>(object);
    const int bank = static_cast<int>(event.argument);
    switch (event.type) {
    case kEvRefreshBankImages:
        tree->refreshBankImages();
        break;
    case kEvBankCaption:
        tree->setBankCaption(bank, event.text());
        break;
    case kEvRereadBankName:
        tree->rereadBankName(bank);
        break;
    default:
        break;
    }
}

int iuiTree::BankNumber(const cmcCellObj &cell)
{
    if (!cell.suffix)
        return -1;
    std::string_view sheetClass;
    std::string_view tag;
    splitDescriptor(*cell.suffix, sheetClass, tag);
    if (sheetClass != bankClass || tag.substr(0, bankTag.size()) != bankTag)
        return -1;
    return bankNumberOf(tag);
}

QTreeWidgetItem *iuiTree::FindBankNode(int bank) const
{
    if (View() == nullptr || bank < 0)
        return nullptr;
    for (QTreeWidgetItem *node = View()->topLevelItem(0); node != nullptr; node = NextNode(node)) {
        const cmcCellObj *cell = NodeCell(node);
        if (cell != nullptr && BankNumber(*cell) == bank)
            return node;
    }
    return nullptr;
}

int iuiTree::BankImage(const BankInfo &bank)
{
    const int empty = bank.groupId ? 8 : bank.trunking ? 6 : 4;
    return bank.channelCount > 0 ? empty + 1 : empty;
}

void iuiTree::refreshBankImages()
{
    if (!bankInfo_ || View() == nullptr)
        return;
    for (QTreeWidgetItem *node = View()->topLevelItem(0); node != nullptr; node = NextNode(node)) {
        const cmcCellObj *cell = NodeCell(node);
        const int bank = cell != nullptr ? BankNumber(*cell) : -1;
        if (bank < 0)
            continue;
        const int image = BankImage(bankInfo_(bank));
        SetNodeImages(node, image, image);
    }
}

void iuiTree::setBankCaption(int bank, const std::string &text)
{
    QTreeWidgetItem *node = FindBankNode(bank);
    if (node == nullptr)
        return;
    setCaption(node, text);
    SetNodeImages(node, NodeImage(node), NodeImage(node));
}

void iuiTree::rereadBankName(int bank)
{
    QTreeWidgetItem *node = FindBankNode(bank);
    if (node == nullptr || !bankName_)
        return;
    std::string name = bankName_(bank);
    if (name.size() > kBankNameBytes)
        name.resize(kBankNameBytes);
    setCaption(node, name);
}

void iuiTree::RebuildChannelBranch(std::uint32_t removedCategories, const std::string &modelSuffix,
                                   int bankCount)
{
    if (View() == nullptr)
        return;
    const cmcCellObj *selected = SelectedCell();
    const std::string remembered = selected != nullptr ? selected->GetText() : std::string();
    for (int category = 0; category < cmcCellObj::kUserFlagCount; ++category) {
        if ((removedCategories & (1u << category)) != 0)
            RemoveCategory(category);
    }
    if (QTreeWidgetItem *top = FindNodeBySuffix(kChannelTopSuffix)) {
        ClearChildren(top);
        const std::string format = Texts().GetFirstLine("GI_Tree_Branch_Mch_Bank");
        for (int bank = 0; bank < bankCount; ++bank)
            AddNode(top, fillFormat(format, {modelSuffix, std::to_string(bank)}));
    }
    const std::string bankSheetName = Texts().GetFirstLine("GI_Tree_Branch_NoBankMch_SheetName");
    for (int bank = 0; bank < bankCount; ++bank)
        eventManager().PostText(kEvBankCaption, nullptr, bank, bankSheetName);
    QTreeWidgetItem *current = View()->currentItem();
    const cmcCellObj *now = NodeCell(current);
    if (current != nullptr && (now == nullptr || now->GetText() != remembered)) {
        if (QTreeWidgetItem *after = NextNode(current))
            View()->setCurrentItem(after);
    }
    eventManager().Post(kEvRefreshBankSheet);
}
