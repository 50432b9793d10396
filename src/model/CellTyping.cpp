#include "model/CellTyping.h"

#include "cells/CellBinding.h"
#include "cells/CellBindingRegistry.h"
#include "cells/CellCategories.h"
#include "cells/CellHandler.h"
#include "cells/CellHost.h"
#include "cells/CellIdentifiers.h"
#include "cells/CellNameIndex.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcFCache.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"
#include "model/TreeNodeFilter.h"
#include "model/indMain.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <memory>

namespace {

constexpr const char *kChannelTop = "GI_Sheet_Memory_CH_Top";
// The desktop program's tree, read from the same keys.
constexpr const char *kTree = "GI_Tree_Main";

// The tree's branch format: "%%" a percent sign, the first other field the
// model type's suffix, the second the bank.
std::string branchLine(std::string_view format, const std::string &suffix, int bank)
{
    std::string out;
    int field = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
        } else if (format[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            out += field++ == 0 ? suffix : std::to_string(bank);
            ++i;
        }
    }
    return out;
}

// Keeps every box shown while a cell takes its text; the service that was
// installed before answers it.
class KeptMessages : public platform::MessageService
{
public:
    explicit KeptMessages(std::vector<CellTyping::Message> &kept)
        : kept_(kept), answering_(MessageService::current())
    {
        MessageService::install(this);
    }
    ~KeptMessages() override { MessageService::install(&answering_); }
    KeptMessages(const KeptMessages &) = delete;
    KeptMessages &operator=(const KeptMessages &) = delete;

    platform::MessageResult show(const std::string &caption, const std::string &text,
                                 platform::MessageIcon icon,
                                 platform::MessageButtons buttons) override
    {
        kept_.push_back({icon, text});
        return answering_.show(caption, text, icon, buttons);
    }

private:
    std::vector<CellTyping::Message> &kept_;
    MessageService &answering_;
};

// Asking a codec about a text must not show its boxes a second time.
class Silence : public platform::MessageService
{
public:
    Silence() : before_(MessageService::current()) { MessageService::install(this); }
    ~Silence() override { MessageService::install(&before_); }
    Silence(const Silence &) = delete;
    Silence &operator=(const Silence &) = delete;

    platform::MessageResult show(const std::string &, const std::string &, platform::MessageIcon,
                                 platform::MessageButtons buttons) override
    {
        return CellTyping::CautiousAnswer(buttons);
    }

private:
    MessageService &before_;
};

} // namespace

// The sheet that shows the cell, kept alive while the cell is typed into:
// the cell and the sheet's origin belong to it.
struct CellTyping::Place {
    std::unique_ptr<SheetLayout> sheet;
    cmcCellObj cell;
    bool selectable = false;
};

CellTyping::CellTyping(CellHost &host, const CellBindingRegistry &bindings)
    : host_(host), bindings_(bindings)
{}

CellTyping::CellTyping(CellHost &host) : CellTyping(host, host.Bindings()) {}

std::vector<std::string> CellTyping::TreeSheets(cmcGTex &texts, int modelType, std::uint32_t hidden)
{

    cmcCellObj base;
    base.Parse(texts.GetFirstLine(std::string(kTree) + "_BasicCell"), nullptr, nullptr, false);
    std::vector<std::string> calls;
    auto add = [&](const std::string &call) {
        if (!call.empty() && SheetLayout::InTexts(texts, call))
            calls.push_back(call);
    };
    // A hidden node takes its branch (the deeper lines after it) with it.
    std::size_t hiddenLevel = std::string::npos;
    std::string line;
    const std::string body = std::string(kTree) + "_Body";
    // The key's lines end where the next key begins.
    for (int n = 0; texts.TryGetLine(body, n, line) && !line.starts_with('#'); ++n) {
        const std::size_t level = line.find('+');
        if (level == std::string::npos)
            continue;
        if (hiddenLevel != std::string::npos && level > hiddenLevel)
            continue;
        hiddenLevel = std::string::npos;
        cmcCellObj node;
        node.Parse(std::string_view(line).substr(level + 1), nullptr, &base, false);
        bool hide = false;
        for (int flag = 0; flag < cmcCellObj::kUserFlagCount; ++flag)
            hide = hide || (((hidden >> flag) & 1u) != 0 && node.UserFlag(flag));
        if (hide) {
            hiddenLevel = level;
            continue;
        }
        const std::string call = node.suffix.value_or("");
        add(call);
        if (call != kChannelTop)
            continue;
        const std::string format = texts.GetFirstLine("GI_Tree_Branch_Mch_Bank");
        for (int bank = 0; bank < TreeNodeFilter::kBankCount; ++bank) {
            const std::string branch =
                branchLine(format, indMain::ModelTypeSuffix(modelType), bank);
            cmcCellObj bankNode;
            bankNode.Parse(std::string_view(branch).substr(branch.find('+') + 1), nullptr, &base,
                           false);
            add(bankNode.suffix.value_or(""));
        }
    }
    return calls;
}

std::vector<std::string> CellTyping::TreeSheets() const
{
    return TreeSheets(mainTextDatabase(), host_.ModelType(), TreeNodeFilter::HiddenFlags(host_));
}

platform::MessageResult CellTyping::CautiousAnswer(platform::MessageButtons buttons)
{
    switch (buttons) {
    case platform::MessageButtons::Ok:
        return platform::MessageResult::Ok;
    case platform::MessageButtons::YesNo:
        return platform::MessageResult::No;
    case platform::MessageButtons::OkCancel:
    case platform::MessageButtons::YesNoCancel:
        break;
    }
    return platform::MessageResult::Cancel;
}

std::string CellTyping::KindName(platform::MessageIcon icon)
{
    switch (icon) {
    case platform::MessageIcon::Error:
        return "error";
    case platform::MessageIcon::Warning:
        return "warning";
    case platform::MessageIcon::Information:
        return "information";
    case platform::MessageIcon::Question:
        return "question";
    case platform::MessageIcon::None:
        break;
    }
    return "message";
}

std::string CellTyping::Result::Complaint() const
{
    switch (outcome) {
    case Outcome::Typed:
        return {};
    case Outcome::UnknownLabel:
        return cell + ": unknown label (quillon-cli labels lists them)";
    case Outcome::NotShown:
        if (shownLow < 0)
            return cell + ": no sheet of this model type shows this label";
        return cell + ": no sheet shows this cell (the sheets show it at " +
               std::to_string(shownLow) + " to " + std::to_string(shownHigh) + ")";
    case Outcome::CannotType:
        return cell + ": this cell cannot be typed into";
    case Outcome::Refused:
        break;
    }
    return cell + ": the cell did not take '" + typed + "' (it shows '" + shown + "')";
}

// The first cell a sheet of the tree shows with this label and index, a
// selectable one before one that is not; meanwhile notes the indexes the
// label is shown at.
bool CellTyping::find(std::int32_t label, std::int32_t index, Place &place, Result &result) const
{
    for (const std::string &call : TreeSheets()) {
        std::unique_ptr<SheetLayout> sheet = SheetLayoutFactory::Create(mainTextDatabase(), call);
        // Looking for a cell must not change the user's column widths.
        sheet->SetWidthsPersistent(false);
        sheet->SetHandler(SheetLayout::ModelHandler(), nullptr);
        sheet->Show();
        bool found = false;
        bool selectable = false;
        cmcCellObj cell;
        for (int row = 0; row < sheet->RowCount() && !selectable; ++row) {
            for (int col = 0; col < sheet->ColCount() && !selectable; ++col) {
                const cmcCellObj &at = sheet->CellAt(col, row);
                if (at.label != label)
                    continue;
                result.shownLow =
                    result.shownLow < 0 ? at.index : std::min(result.shownLow, at.index);
                result.shownHigh = std::max(result.shownHigh, at.index);
                if (at.index != index || (found && !sheet->IsSelectable(col, row)))
                    continue;
                found = true;
                selectable = sheet->IsSelectable(col, row);
                cell = at;
            }
        }
        if (found && (selectable || !place.sheet)) {
            place.sheet = std::move(sheet);
            place.cell = cell;
            place.selectable = selectable;
            if (selectable)
                return true;
        }
    }
    return place.sheet != nullptr;
}

std::int32_t CellTyping::handle(cmcCellCapsule &capsule, std::int32_t mode)
{
    indActiveCell context;
    return indCellHandler::HandleWith(bindings_, &context, capsule, mode);
}

// As a sheet draws it: the handler's text, starting from the cell's own.
std::string CellTyping::shownText(const cmcCellObj &cell, const cmcCellCapsule *origin)
{
    cmcCellObj look = cell;
    cmcCellCapsule capsule;
    capsule.origin = const_cast<cmcCellCapsule *>(origin);
    capsule.cell = &look;
    capsule.outputText = look.GetText().empty() ? " " : look.GetText();
    handle(capsule, kHandlerDraw);
    return capsule.outputText;
}

// A request to the cell's codec as the sheet's user would make it.
CodecRequest CellTyping::codecRequest(const cmcCellObj &cell)
{
    CodecRequest request;
    request.interactive = true;
    request.index = cell.index;
    request.cellText = cell.GetText();
    request.texts = &mainTextDatabase();
    request.formats = &indCellHandler::ProgramFormats();
    return request;
}

// Whether the cell takes a text at all: Enter on it opens the in-place
// editor or a list to choose from.
bool CellTyping::takesText(const cmcCellObj &cell, const cmcCellCapsule *origin)
{
    const CodecOpen::Kind opens = openedByEnter(cell, origin).kind;
    return opens == CodecOpen::Kind::Editor || opens == CodecOpen::Kind::List;
}

// A text that leaves the value as it was is either the value already held
// or one the codec refused. Codecs store only a change, so the text is asked
// about against two different values: one of them it changes when valid.
bool CellTyping::codecTakes(const cmcCellObj &cell, const std::string &text) const
{
    const CellBinding *row = bindings_.Find(cell.label);
    if (row == nullptr || !row->codec || row->codec.TakesBytes())
        return false;
    CodecRequest typed = codecRequest(cell);
    typed.kind = CodecRequest::Kind::Typed;
    typed.typed = text;
    // Codecs that count a list's entries read the row's record, as on a sheet.
    datCh record(&host_.WorkingImage());
    if (const std::int32_t kind = cellRecordTable(cell.category); kind != datCh::kKindNone) {
        record.decode(kind, cell.index);
        typed.record = &record;
    }
    const Silence silence;
    return row->codec(0, typed).value.has_value() || row->codec(1, typed).value.has_value();
}

// What Enter on the cell would open, asked of the handler so that rows whose
// list depends on the model answer too; the image is kept as it was.
CodecOpen CellTyping::openedByEnter(const cmcCellObj &cell, const cmcCellCapsule *origin)
{
    cmcEeprom before;
    before.CopyFrom(host_.WorkingImage());
    cmcCellObj asked = cell;
    cmcCellCapsule capsule;
    capsule.origin = const_cast<cmcCellCapsule *>(origin);
    capsule.cell = &asked;
    const Silence silence;
    const CodecOpen opened = indCellHandler::OpenedByEnter(bindings_, capsule);
    if (!host_.WorkingImage().Equals(before)) {
        host_.WorkingImage().CopyFrom(before);
        return {};
    }
    return opened;
}

// A cell that offers a list takes the text of one of its entries: the entry
// is chosen as the list would answer it.
bool CellTyping::chooseEntry(cmcCellObj &cell, const cmcCellCapsule *origin,
                             const std::string &text)
{
    const CodecOpen list = openedByEnter(cell, origin);
    if (list.kind != CodecOpen::Kind::List)
        return false;
    const cmcFCacheEntry &entries = indCellHandler::ProgramFormats().Entry(list.key, list.style);
    for (const cmcFCacheEntry::Record &entry : entries.byValue) {
        if (entries.textOf(entry) != text)
            continue;
        cmcCellObj chosen;
        chosen.label = list.style;
        chosen.index = entry.value;
        cmcCellCapsule answering;
        answering.cell = &chosen;
        cmcCellCapsule capsule;
        capsule.cell = &cell;
        capsule.origin = &answering;
        capsule.inputMode = cmcCellCapsule::kInputChosen;
        capsule.inputText = text;
        handle(capsule, kHandlerAction);
        return true;
    }
    return false;
}

CellTyping::Result CellTyping::Type(std::string_view labelName, std::int32_t index,
                                    const std::string &text)
{
    Result result;
    result.cell = std::string(labelName) + "[" + std::to_string(index) + "]";
    result.typed = text;
    std::int32_t label = 0;
    // The empty name stands for "no label" in the index: no cell to type into.
    if (labelName.empty() || !cellNameIndex().FindLabel(labelName, label)) {
        result.outcome = Outcome::UnknownLabel;
        return result;
    }
    Place place;
    if (!find(label, index, place, result)) {
        result.outcome = Outcome::NotShown;
        return result;
    }
    const cmcCellCapsule *origin = place.sheet->OriginCapsule();
    if (!place.selectable || bindings_.Find(label) == nullptr) {
        result.outcome = Outcome::CannotType;
        result.shown = shownText(place.cell, origin);
        return result;
    }

    cmcEeprom before;
    before.CopyFrom(host_.WorkingImage());
    {
        KeptMessages kept(result.messages);
        cmcCellObj cell = place.cell;
        cmcCellCapsule capsule;
        capsule.origin = const_cast<cmcCellCapsule *>(origin);
        capsule.cell = &cell;
        capsule.inputMode = cmcCellCapsule::kInputText;
        capsule.inputText = text;
        handle(capsule, kHandlerAction);
        if (host_.WorkingImage().Equals(before)) {
            cell = place.cell;
            chooseEntry(cell, origin, text);
        }
    }
    result.shown = shownText(place.cell, origin);
    if (!host_.WorkingImage().Equals(before) || result.shown == text ||
        codecTakes(place.cell, text))
        return result;
    result.outcome = takesText(place.cell, origin) ? Outcome::Refused : Outcome::CannotType;
    return result;
}
