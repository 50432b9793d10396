#pragma once

#include "cells/CellCodec.h"
#include "cells/cmcCellObj.h"
#include "platform/MessageService.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CellBindingRegistry;
class cmcCellCapsule;
struct CodecRequest;
class CellHost;
class cmcGTex;

// Types a text into a cell of the document as a user would, without a
// window: the cell is the one a sheet of the tree shows with that label and
// index (its category and record come with it), the text goes to the cell
// handler as finished typing, and a cell that offers a list takes the text
// of one of its entries instead. The command-line tool and scripts use it.
class CellTyping
{
public:
    enum class Outcome {
        Typed,
        UnknownLabel,
        // No sheet of this model type shows a cell with that label and index.
        NotShown,
        // Read-only, or nothing behind the cell yet.
        CannotType,
        // The cell kept its value and shows something other than the text.
        Refused,
    };

    // A message box raised while the cell took the text.
    struct Message {
        platform::MessageIcon icon = platform::MessageIcon::None;
        std::string text;
    };

    struct Result {
        Outcome outcome = Outcome::Typed;
        // LABEL[INDEX]
        std::string cell;
        // The text as given.
        std::string typed;
        // What the cell shows afterwards.
        std::string shown;
        // Where the label is shown at all (NotShown): its lowest and highest
        // index; -1 each when no sheet shows it.
        std::int32_t shownLow = -1;
        std::int32_t shownHigh = -1;
        std::vector<Message> messages;

        bool Typed() const { return outcome == Outcome::Typed; }
        // One line that says why the text did not go in; empty when it did.
        std::string Complaint() const;
    };

    // Runs the handler with `bindings` on the document of `host` (the
    // program's: host.Bindings()). Neither is owned; both outlive this.
    CellTyping(CellHost &host, const CellBindingRegistry &bindings);
    explicit CellTyping(CellHost &host);

    // Message boxes raised meanwhile are kept in the result and answered by
    // the message service installed when Type was called.
    Result Type(std::string_view labelName, std::int32_t index, const std::string &text);

    // The call texts of the sheets the tree shows for this model type, in
    // tree order: nodes carrying a user flag of `hidden` (see
    // TreeNodeFilter) are left out with their branches, and the memory
    // channel branch names the model type's sheet.
    static std::vector<std::string> TreeSheets(cmcGTex &texts, int modelType, std::uint32_t hidden);
    // The same for the host's document.
    std::vector<std::string> TreeSheets() const;

    // "error", "warning", "information", "question" or "message".
    static std::string KindName(platform::MessageIcon icon);
    // What nobody there to ask answers: OK, else Cancel or No.
    static platform::MessageResult CautiousAnswer(platform::MessageButtons buttons);

private:
    struct Place;
    bool find(std::int32_t label, std::int32_t index, Place &place, Result &result) const;
    static CodecRequest codecRequest(const cmcCellObj &cell);
    bool takesText(const cmcCellObj &cell, const cmcCellCapsule *origin);
    CodecOpen openedByEnter(const cmcCellObj &cell, const cmcCellCapsule *origin);
    bool codecTakes(const cmcCellObj &cell, const std::string &text) const;
    bool chooseEntry(cmcCellObj &cell, const cmcCellCapsule *origin, const std::string &text);
    std::int32_t handle(cmcCellCapsule &capsule, std::int32_t mode);
    std::string shownText(const cmcCellObj &cell, const cmcCellCapsule *origin);

    CellHost &host_;
    const CellBindingRegistry &bindings_;
};
