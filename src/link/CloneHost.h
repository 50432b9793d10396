#pragma once

#include "image/AddressRange.h"
#include "link/CloneSettings.h"

#include <cstdint>
#include <string>

class cmcEeprom;
struct dst_CDrv_Result;

// What the clone manager and the clone commands need of the main frame. The
// main frame implements it; the virtual slots among the operations keep the
// model object's overrides.
class CloneHost
{
public:
    // Bytes of the clone information area.
    static constexpr std::int32_t kCloneInfoBytes = 127;

    virtual ~CloneHost() = default;

    // Link settings, read at the start of every operation.
    virtual CloneSettings LinkSettings() = 0;

    // The main window is disabled while an operation runs.
    virtual void EnableMainWindow(bool enabled) = 0;
    virtual void FocusMainWindow() = 0;

    // Ends a cell edit in progress before a clone command.
    virtual void EndCellEdit() = 0;
    // Asks whether to save a modified document; false when the user
    // cancelled or the save failed.
    virtual bool QuerySaveChanges() = 0;

    virtual std::int32_t ModelId1() = 0;
    virtual std::int32_t ModelId2() = 0;
    virtual bool MakerMode() = 0;
    // The radio's id 1 and id 2 from its ID reply, high bytes first.
    virtual void StoreCloneIds(const std::uint8_t ids[4]) = 0;
    // kCloneInfoBytes bytes.
    virtual std::uint8_t *CloneInfoArea() = 0;
    virtual cmcEeprom &WorkingImage() = 0;

    // The image header check, which a model may make stricter than
    // CloneCommands::ImageCheck.
    virtual bool ImageCheck(const cmcEeprom &image, bool strict) = 0;
    // The model's own say on an image that passed the header check; true
    // refuses it.
    virtual bool ModelCheck(const cmcEeprom &image) = 0;
    // Lets the model adapt an image after a file was opened or a clone read
    // finished.
    virtual void AfterLoadHook(cmcEeprom &image) = 0;
    // Lets the model prepare the image before it is stored or sent.
    virtual void BeforeSaveHook(cmcEeprom &image, bool store) = 0;
    // After the ID read of a clone read, so that a model can look at the
    // radio before its memory is read (the common way is
    // CloneCommands::ReadContinuation).
    virtual void ReadContinuation(dst_CDrv_Result &result) = 0;
    // After the ID read of a clone write, likewise (the common way is
    // CloneCommands::WriteContinuation).
    virtual void WriteContinuation(dst_CDrv_Result &result) = 0;
    // The address ranges of a kind of transfer, which depend on the model.
    virtual RangeList MakeRangeList(std::int32_t kind) = 0;

    // After a successful clone read: the reference copy becomes the working
    // image, and the document is modified and untitled.
    virtual void MarkClonedDocument() = 0;
    virtual void CloseCurrentSheet() = 0;
    virtual void PostEvent(std::int32_t event) = 0;
    // The clone information window (sheet "GI_Sheet_CloneInfo").
    virtual void ShowCloneInfoWindow() = 0;
    // A line in the status bar: how an operation ended.
    virtual void ShowStatus(const std::string &text) = 0;
    // Keeps a copy of a radio image just read (written false) or about to
    // be written; why it could not, empty when it could or when no copies
    // are kept. A copy that fails never stops the clone.
    virtual std::string KeepBackup(const cmcEeprom &radioImage, bool written) = 0;
};
