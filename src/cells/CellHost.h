#pragma once

#include <cstdint>
#include <string>

class CellBindingRegistry;
class cmcCellCapsule;
class cmcEeprom;
struct CodecOpen;
class datClipCh;

// What the cell handler and the label families may ask of the program: the
// document they edit, the model's answers, the bindings, and the few things
// a cell opens or runs outside its sheet. The main frame implements it; the
// handler reaches nothing else of the program, so a binding cannot touch
// documents, the clone link or windows behind the host's back.
//
// Messages go through the platform's message service and events through the
// program's event manager; both are reachable from here without the host.
class CellHost
{
public:
    virtual ~CellHost() = default;

    // --- The document ---
    virtual cmcEeprom &WorkingImage() = 0;
    // The model type's initial data: defaults for new and cleared entries.
    virtual cmcEeprom &InitialImage() = 0;
    // The rows the last Copy command took.
    virtual datClipCh &ChannelClipboard() = 0;
    // Brings the radio layout up to date after records were added, removed
    // or moved.
    virtual void UpdateLayout() = 0;
    // Whether the radio memory can take one more record of the list whose
    // count word is at `countAddress`.
    virtual bool HasRoomForAnother(std::int32_t countAddress) = 0;
    // Called after every request that carried a key, typed text, a chosen
    // value or a command.
    virtual void CellChangeHook() = 0;

    // --- The model's answers ---
    // 0 (LMR) or 1 (PMR).
    virtual int ModelType() const = 0;
    virtual bool MakerMode() const = 0;
    // Every label family of the program.
    virtual const CellBindingRegistry &Bindings() = 0;

    // --- What a cell opens or runs ---
    // A selection list at the cell `opening` addresses: the sheet
    // `sheetKey`, starting on its entry with the label `style` and the index
    // `current`; with a list tag the rows follow that list. The chosen entry
    // comes back to the cell as an answer.
    virtual void OpenSelectionList(const cmcCellCapsule &opening, std::int32_t style,
                                   std::int32_t current, const std::string &sheetKey,
                                   const std::string &listTag) = 0;
    // A window that edits the value of the cell `opening` addresses (the
    // flag bits, formatted text or cell editor window); it answers the cell
    // like a selection list.
    virtual void OpenCellWindow(const cmcCellCapsule &opening, const CodecOpen &window) = 0;
    // The help of the cell of `capsule`, at its topic.
    virtual void ShowCellHelp(const cmcCellCapsule &capsule) = 0;
    virtual void CopyToClipboard(const std::string &text) = 0;
};

// The program's host; null until the program installs one (not owned).
CellHost *cellHost();
void installCellHost(CellHost *host);
